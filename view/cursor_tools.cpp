#include "view/cursor_tools.h"

#include <cstdlib>

#include "core/geometry.h"
#include "core/number_text.h"
#include "view/map_document.h"

namespace okap {

namespace {

constexpr double kMilesPerKilometre = 0.6213727366498067;
constexpr double kNauticalMilesPerKilometre = 0.5399568034557235;

bool HasMapping(const MapDocument& document) {
    return document.viewportExtent.cx != 0 && document.viewportExtent.cy != 0;
}

}  // namespace

bool BoxIsSet(const Box& box) { return box.x1 != -1 && box.y1 != -1 && box.x2 != -1 && box.y2 != -1; }

POINT DeviceToLogical(const MapDocument& document, POINT device) {
    if (!HasMapping(document)) return {0, 0};
    const TSize window = document.windowExtent;
    const TSize viewport = document.viewportExtent;
    return {SafeInt(static_cast<double>(device.x) * window.cx / viewport.cx),
            SafeInt(static_cast<double>(device.y) * window.cy / viewport.cy)};
}

std::optional<Position> PositionAt(MapDocument& document, POINT device) {
    if (!HasMapping(document)) return std::nullopt;
    LPoint world;
    Position position;
    if (!document.projection.lp2dm(DeviceToLogical(document, device), world)) return std::nullopt;
    if (!document.projection.dm2pos(world, position)) return std::nullopt;
    return position;
}

std::string PositionString(const MapDocument& document, const Position& position) {
    return position.Long.GetString(document.positionFormat, document.longitudeMode) + "   " +
           position.Lat.GetString(document.positionFormat);
}

std::optional<std::string> PositionText(MapDocument& document, POINT device) {
    if (!document.drawn) return std::nullopt;
    const std::optional<Position> position = PositionAt(document, device);
    if (!position) return "Invalid";
    return "Position: " + PositionString(document, *position);
}

std::string DistanceText(double km) {
    return FormatFixed(km, 3, 10) + " km   " + FormatFixed(km * kMilesPerKilometre, 3) + " mi   " +
           FormatFixed(km * kNauticalMilesPerKilometre, 3) + " nm ";
}

std::optional<std::string> MeasureText(MapDocument& document, const Box& box, POINT device) {
    if (!document.drawn) return std::nullopt;
    if (!BoxIsSet(box)) return "Invalid";
    const std::optional<Position> end = PositionAt(document, device);
    if (!end) return "Invalid";
    const std::optional<Position> start = PositionAt(document, {box.x1, box.y1});
    if (!start) return "Invalid";
    return DistanceText(GCircleDistance(*start, *end));
}

Box ZoomBoxEnd(const Box& box, POINT point, int clientWidth, int clientHeight) {
    if (clientHeight <= 0) return box;
    int dx = std::abs(point.x - box.x1);
    int dy = std::abs(point.y - box.y1);
    if (dx <= 2 && dy <= 2) return box;
    const double ratio = static_cast<double>(clientWidth) / clientHeight;
    if (dx > SafeInt(dy * ratio)) dx = SafeInt(dy * ratio);
    if (ratio > 0.0 && dy > SafeInt(dx / ratio)) dy = SafeInt(dx / ratio);
    Box result = box;
    result.x2 = point.x < box.x1 ? box.x1 - dx : box.x1 + dx;
    result.y2 = point.y < box.y1 ? box.y1 - dy : box.y1 + dy;
    return result;
}

}  // namespace okap
