#include "app/controls/owner_draw.h"

#include <QFontInfo>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

#include "core/geometry.h"
#include "core/globals.h"

namespace okap {

namespace {

Colour ToColour(const QColor& c) { return Colour::Rgb(c.red(), c.green(), c.blue()); }

}  // namespace

OnePixelLineWidth::OnePixelLineWidth() : old(pixwid) { pixwid = 1.0; }
OnePixelLineWidth::~OnePixelLineWidth() { pixwid = old; }

void DrawOffCross(DeviceContext& dc, POINT centre, int d, Colour reference) {
    const bool light = reference.Red() + reference.Green() + reference.Blue() > 200;
    dc.SelectPen(Pen{light ? Colour::Rgb(0, 0, 0) : Colour::Rgb(255, 255, 255), 1, PenStyle::Solid});
    // The far ends reach one unit further: a line leaves out its last point.
    dc.MoveTo({centre.x + d, centre.y - d});
    dc.LineTo({centre.x - d - 1, centre.y + d + 1});
    dc.MoveTo({centre.x - d, centre.y - d});
    dc.LineTo({centre.x + d + 1, centre.y + d + 1});
}

std::optional<TSize> MapButtonToMap(DeviceContext& dc, TSize button, int viewportWidth) {
    if (viewportWidth <= 0 || button.cx <= 0 || button.cy <= 0) return std::nullopt;
    const double f = static_cast<double>(button.cx) / viewportWidth;
    const TSize extent{SafeInt(10000.0 * f),
                       SafeInt(10000.0 * f * (-static_cast<double>(button.cy) / button.cx))};
    if (extent.cx == 0 || extent.cy == 0) return std::nullopt;
    dc.SetWindowExt(extent);
    dc.SetWindowOrg({0, 0});
    dc.SetViewportExt(button);
    dc.SetViewportOrg({0, 0});
    return extent;
}

void UseWidgetLook(DeviceContext& dc, const QWidget& widget) {
    const QPalette& palette = widget.palette();
    dc.SetBkColor(ToColour(palette.color(QPalette::Base)));
    dc.SetTextColor(ToColour(palette.color(QPalette::Text)));
    const QFont& font = widget.font();
    // A negative height asks for the character height, which is the pixel
    // size the widget's font was matched at.
    dc.SelectFont(Font{font.family().toStdString(), -QFontInfo(font).pixelSize(), 0, font.weight(), font.italic(), 0});
}

void DrawFocusFrame(QPainter& painter, const QWidget& widget, const QStyleOption& option, const QRect& rect) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.rect = rect;
    // The frame marks the keyboard focus whatever brought it there (some
    // styles draw it only after keyboard use otherwise).
    focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
    focus.backgroundColor = option.palette.color(QPalette::Base);
    widget.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, &widget);
}

}  // namespace okap
