#include "view/draw_north_arrow.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "core/geometry.h"
#include "core/projection.h"
#include "core/view_geodesy.h"
#include "styles/text_style.h"

namespace okap {

namespace {

// North is found by a step this many degrees along the meridian: short
// enough to follow the meridian's bend, long enough to stay clear of
// rounding at the largest scales.
constexpr double kMeridianStep = 1e-4;

// The direction of true north at (x, y) in logical units, as a unit
// vector; empty off the map. At a pole, where every way is south, the step
// is taken back from it.
std::optional<LogicalXY> NorthAt(Projection& projection, double x, double y) {
    const std::optional<LonLat> here = LogicalToLonLat(projection, x, y);
    if (!here) return std::nullopt;
    const bool towardsPole = here->lat + kMeridianStep <= 90.0;
    const LonLat there{here->lon, towardsPole ? here->lat + kMeridianStep : here->lat - kMeridianStep};
    const std::optional<LogicalXY> from = LonLatToLogical(projection, *here);
    const std::optional<LogicalXY> to = LonLatToLogical(projection, there);
    if (!from || !to) return std::nullopt;
    double dx = to->x - from->x;
    double dy = to->y - from->y;
    const double length = std::hypot(dx, dy);
    if (!(length > 0.0) || !std::isfinite(length)) return std::nullopt;
    if (!towardsPole) {
        dx = -dx;
        dy = -dy;
    }
    return LogicalXY{dx / length, dy / length};
}

POINT At(POINT place, LogicalXY along, double a, LogicalXY across, double b) {
    return POINT{SafeInt(std::round(place.x + along.x * a + across.x * b)),
                 SafeInt(std::round(place.y + along.y * a + across.y * b))};
}

}  // namespace

void DrawNorthArrow(DeviceContext& dc, Projection& projection, POINT place, const TextStyle& style,
                    const std::string& letter) {
    const std::optional<LogicalXY> north = NorthAt(projection, place.x, place.y);
    if (!north) return;
    const LogicalXY across{-north->y, north->x};  // a quarter turn anticlockwise: the west side
    const int height = std::max(1, style.fontRequest.height);
    const double length = 3.0 * height;
    const double halfWidth = length / 6.0;

    const POINT tip = At(place, *north, length / 2.0, across, 0.0);
    const POINT notch = At(place, *north, -length / 4.0, across, 0.0);
    const std::array<POINT, 3> west{tip, At(place, *north, -length / 2.0, across, halfWidth), notch};
    const std::array<POINT, 3> east{tip, notch, At(place, *north, -length / 2.0, across, -halfWidth)};

    SavedDC saved(dc);
    dc.SelectPen(Pen{style.colour, height / 16, PenStyle::Solid});
    dc.SelectBrush(Brush::Solid(style.colour));
    dc.Polygon(west);
    dc.SelectBrush(Brush::Solid(Colour::Rgb(255, 255, 255)));
    dc.Polygon(east);

    if (letter.empty()) return;
    TextStyle label(style);
    label.offsetX = 0.0;
    label.offsetY = 0.5;  // the letter's cell centred on its point
    label.justification = kJustifyCentre;
    const POINT letterAt = At(place, *north, length / 2.0 + 0.2 * length + height / 2.0, across, 0.0);
    DrawText(dc, letterAt.x, letterAt.y, label, letter);
}

}  // namespace okap
