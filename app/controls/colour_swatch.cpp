#include "app/controls/colour_swatch.h"

#include <QLineEdit>
#include <QPainter>

#include "app/dialogs/dialog_fields.h"

namespace okap {

ColourSwatch::ColourSwatch(QLineEdit* field, QWidget* parent) : QFrame(parent) {
    setObjectName(field->objectName() + "Swatch");
    setFrameShape(QFrame::Box);
    const int side = field->sizeHint().height();
    setFixedSize(side, side);
    connect(field, &QLineEdit::textChanged, this, &ColourSwatch::Follow);
    Follow(field->text());
}

void ColourSwatch::Follow(const QString& text) {
    colour = ReadColourText(text.toStdString());
    setToolTip(colour ? QString() : "Not a colour: three whole numbers, red, green and blue, are needed.");
    update();
}

void ColourSwatch::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inside = contentsRect().adjusted(1, 1, -1, -1);
    if (colour) {
        painter.fillRect(inside, QColor(colour->Red(), colour->Green(), colour->Blue()));
        return;
    }
    // No colour: a grey cross on the dialog's own background.
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.drawLine(inside.topLeft(), inside.bottomRight());
    painter.drawLine(inside.topRight(), inside.bottomLeft());
}

}  // namespace okap
