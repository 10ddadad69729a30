#include "app/dialogs/message_box_dialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace okap {

namespace {

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok: return QMessageBox::Ok;
        case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None: return QMessageBox::NoIcon;
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Stop: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

MessageResult ResultOf(int button) {
    switch (button) {
        case QMessageBox::Cancel: return MessageResult::Cancel;
        case QMessageBox::Yes: return MessageResult::Yes;
        case QMessageBox::No: return MessageResult::No;
        case QMessageBox::Retry: return MessageResult::Retry;
        default: return MessageResult::Ok;
    }
}

}  // namespace

QWidget* MessageOwner() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

MessageResult ShowMessageBox(const Message& message) {
    QMessageBox box(IconOf(message.icon), QString::fromStdString(message.caption),
                    QString::fromStdString(message.text), ButtonsOf(message.buttons), MessageOwner());
    // Once shown: raised and active even when its owner was not the window
    // in front.
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    return ResultOf(box.exec());
}

}  // namespace okap
