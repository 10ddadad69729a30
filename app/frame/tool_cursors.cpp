#include "app/frame/tool_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace okap {

namespace {

constexpr int kSide = 32;

// Draws each stroke twice, white and wide under black and narrow, so the
// cursor shows on any map colour.
void Stroke(QPainter& painter, const QPainterPath& path) {
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

QCursor Magnifier(bool plus) {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(12, 12);
    QPainterPath glass;
    glass.addEllipse(centre, 9, 9);
    glass.moveTo(19, 19);
    glass.lineTo(29, 29);
    QPainterPath sign;
    sign.moveTo(8, 12);
    sign.lineTo(16, 12);
    if (plus) {
        sign.moveTo(12, 8);
        sign.lineTo(12, 16);
    }
    painter.setBrush(QColor(255, 255, 255, 160));
    Stroke(painter, glass);
    painter.setBrush(Qt::NoBrush);
    Stroke(painter, sign);
    painter.end();
    return QCursor(pixmap, static_cast<int>(centre.x()), static_cast<int>(centre.y()));
}

}  // namespace

QCursor ZoomInCursor() { return Magnifier(true); }

QCursor ZoomOutCursor() { return Magnifier(false); }

QCursor DataInfoCursor() {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 16);
    arrow.lineTo(5, 12);
    arrow.lineTo(8, 18);
    arrow.lineTo(10, 17);
    arrow.lineTo(7, 11);
    arrow.lineTo(12, 11);
    arrow.closeSubpath();
    painter.setBrush(Qt::white);
    Stroke(painter, arrow);
    // The sign, down and to the right of the tip.
    QPainterPath sign;
    sign.addEllipse(QPointF(22, 22), 8, 8);
    painter.setBrush(QColor(255, 255, 255, 220));
    Stroke(painter, sign);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(22, 18), 1.5, 1.5);
    painter.drawRect(QRectF(21, 20.5, 2, 6));
    painter.end();
    return QCursor(pixmap, 1, 1);
}

QCursor MeasureCursor() {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QPainterPath hairs;
    hairs.moveTo(10, 0);
    hairs.lineTo(10, 20);
    hairs.moveTo(0, 10);
    hairs.lineTo(20, 10);
    // The ruler, down and to the right of the hot spot, with its marks.
    QPainterPath ruler;
    ruler.addRect(16, 22, 14, 6);
    for (int x = 19; x < 30; x += 3) {
        ruler.moveTo(x, 22);
        ruler.lineTo(x, 25);
    }
    Stroke(painter, hairs);
    painter.setBrush(Qt::white);
    Stroke(painter, ruler);
    painter.end();
    return QCursor(pixmap, 10, 10);
}

}  // namespace okap
