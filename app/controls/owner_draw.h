#pragma once
// What the owner-drawn style controls share: the border metrics their
// samples are placed by, the cross over a switched-off sample, the mapping
// of a button to the map's units, and the device context set up over a
// widget's painter.

#include <optional>

#include "core/coordinates.h"
#include "platform/colour.h"
#include "platform/device_context.h"

class QPainter;
class QRect;
class QStyleOption;
class QWidget;

namespace okap {

// The window border's width and height in pixels (the thin border of the
// platform the dialog layouts were made for); the samples keep this much
// room, or a multiple of it, to the edges of their rows.
inline constexpr int kBorderX = 1;
inline constexpr int kBorderY = 1;

// Sets pixwid to 1 while it lives and then puts the old value back: the
// list samples are drawn one device pixel per line-width unit, whatever
// scale the map view last drew at.
class OnePixelLineWidth {
public:
    OnePixelLineWidth();
    ~OnePixelLineWidth();
    OnePixelLineWidth(const OnePixelLineWidth&) = delete;
    OnePixelLineWidth& operator=(const OnePixelLineWidth&) = delete;

private:
    double old;
};

// The cross over the sample of a switched-off style, centred on centre with
// arms reaching d each way: white, or black when the reference colour is
// light (red + green + blue above 200), so that it shows on the sample.
void DrawOffCross(DeviceContext& dc, POINT centre, int d, Colour reference);

// Maps a button of button pixels to map units as the map view's are after
// its last paint: its logical width of 10000 spans viewportWidth pixels, so
// a sample on the button has the size it has on the map; y grows upwards.
// Returns the window extent, which puts the button's bottom right corner at
// (extent.cx, extent.cy). None, with the mapping left alone, when the view
// was never painted (viewportWidth 0) or the button is too small for a
// whole map unit.
std::optional<TSize> MapButtonToMap(DeviceContext& dc, TSize button, int viewportWidth);

// Sets a device context over a widget's painter up as the platform's was for
// an owner-drawn control: background and text colours from the widget
// palette's base and text colours, and the widget's font.
void UseWidgetLook(DeviceContext& dc, const QWidget& widget);

// The platform's focus frame around rect, drawn by the widget's style.
// option carries the state and palette to draw it with.
void DrawFocusFrame(QPainter& painter, const QWidget& widget, const QStyleOption& option, const QRect& rect);

}  // namespace okap
