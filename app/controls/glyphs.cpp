#include "app/controls/glyphs.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace okap {

namespace {

// The pictures are vector drawings, so one file serves every size; ratio
// pixels to each of the side's, for a high-density screen.
QPixmap Render(const QString& file, int side, double ratio = 1.0) {
    QSvgRenderer renderer(file);
    if (!renderer.isValid()) return {};
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon IconFrom(const QString& file, std::initializer_list<int> sides) {
    if (!QFile::exists(file)) return {};
    QIcon icon;
    for (int side : sides) icon.addPixmap(Render(file, side));
    return icon;
}

}  // namespace

QIcon CommandGlyph(int id) { return IconFrom(QStringLiteral(":/glyphs/%1.svg").arg(id), {20, 40}); }

QIcon AppIcon() { return IconFrom(QStringLiteral(":/icons/okap.svg"), {16, 32, 48, 64, 128}); }

QPixmap AppLogo(int side) { return Render(QStringLiteral(":/icons/okap.svg"), side, qApp->devicePixelRatio()); }

}  // namespace okap
