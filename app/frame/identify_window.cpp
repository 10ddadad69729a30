#include "app/frame/identify_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace okap {

namespace {

// How far from the pointer the window stands, so that it does not cover
// what was clicked.
constexpr int kOffset = 16;

}  // namespace

IdentifyWindow::IdentifyWindow(QWidget* parent) : QFrame(parent, Qt::Tool) {
    setObjectName("identifyWindow");
    setWindowTitle("Identify");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameShape(QFrame::StyledPanel);
    table = new QLabel(this);
    table->setTextFormat(Qt::RichText);
    table->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(table);
}

void IdentifyWindow::ShowAt(const std::vector<std::pair<std::string, std::string>>& rows, QPoint at) {
    QString html = "<table cellspacing=\"0\" cellpadding=\"1\">";
    text.clear();
    for (const auto& [caption, value] : rows) {
        const QString c = QString::fromStdString(caption);
        const QString v = QString::fromStdString(value);
        html += "<tr><td><b>" + c.toHtmlEscaped() + "</b>&nbsp;&nbsp;</td><td>" + v.toHtmlEscaped() + "</td></tr>";
        text += (c.isEmpty() ? v : c + ": " + v) + '\n';
    }
    table->setText(html + "</table>");
    adjustSize();

    QPoint place = at + QPoint(kOffset, kOffset);
    if (const QScreen* screen = QGuiApplication::screenAt(at)) {
        const QRect room = screen->availableGeometry();
        if (place.x() + width() > room.right()) place.setX(at.x() - kOffset - width());
        if (place.y() + height() > room.bottom()) place.setY(at.y() - kOffset - height());
    }
    move(place);
    show();
    raise();
}

QString IdentifyWindow::Text() const { return text; }

void IdentifyWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QFrame::keyPressEvent(event);
}

}  // namespace okap
