#include "app/frame/wait_cursor.h"

#include <QApplication>

namespace okap {

WaitCursor::WaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    previous = SetMessageHandler([this](const Message& message) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        const MessageResult result = previous ? previous(message) : PrintMessage(message);
        QApplication::restoreOverrideCursor();
        return result;
    });
}

WaitCursor::~WaitCursor() {
    SetMessageHandler(previous);
    QApplication::restoreOverrideCursor();
}

}  // namespace okap
