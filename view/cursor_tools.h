#pragma once
// The arithmetic of the map view's cursor tools, apart from the widget that
// follows the mouse: the position read-out, the measured distance, and the
// zoom box that keeps the window's proportions. All points are device
// pixels of the view; conversions use the mapping of the last paint.

#include <optional>
#include <string>

#include "core/coordinates.h"
#include "core/latlong.h"
#include "view/map_view.h"

namespace okap {

class MapDocument;

// The tool modes of the view, chosen by the Cursor commands.
enum ToolMode { kToolNone = 0, kToolZoomIn = 1, kToolZoomOut = 2, kToolDataInfo = 3, kToolMeasure = 4 };
// The drag states of the view: idle, a zoom box or a measure line under
// way, or released (the rubber box is kept until the next press).
enum DragState { kDragIdle = 0, kDragZoomIn = 1, kDragZoomOut = 2, kDragMeasure = 4, kDragReleased = 5 };

// True when all four values of the rubber box are set (none is -1).
bool BoxIsSet(const Box& box);

// The logical point under a device point, with the window and viewport
// extents of the last paint: (0, 0) when there has been no paint.
POINT DeviceToLogical(const MapDocument& document, POINT device);

// The geographic position under a device point; empty when the inverse
// projection fails there (off the globe, say) or nothing has been painted.
std::optional<Position> PositionAt(MapDocument& document, POINT device);

// A position as the document shows it: the longitude in its position
// format and longitude mode, three blanks and the latitude.
std::string PositionString(const MapDocument& document, const Position& position);

// The status bar text for the mouse at a device point: "Position: " with
// the longitude (in the document's position format and longitude mode),
// three blanks and the latitude; "Invalid" where there is no position.
// Empty before the first complete paint, when the status bar is left as it
// is.
std::optional<std::string> PositionText(MapDocument& document, POINT device);

// A great-circle distance in kilometres as the measure tool shows it:
// kilometres right-aligned in 10 characters, then statute and nautical
// miles, each with three decimals.
std::string DistanceText(double km);

// The status bar text while measuring from the start of box (x1, y1) to
// the device point: the distance, or "Invalid" when either end has no
// position or the box is not set. Empty before the first complete paint.
std::optional<std::string> MeasureText(MapDocument& document, const Box& box, POINT device);

// The zoom box after the mouse moved to point: from the start (x1, y1) by
// the movement, cut back so that the box has the proportions of the client
// area (clientWidth x clientHeight) and follows the shorter of the two
// movements. A movement of 2 pixels or less either way, or a client area
// with no height, leaves the box as it was.
Box ZoomBoxEnd(const Box& box, POINT point, int clientWidth, int clientHeight);

}  // namespace okap
