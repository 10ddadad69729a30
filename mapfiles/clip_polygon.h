#pragma once
// Cutting a segment (a line or an area) against a rectangular box.
//
// A line comes back as the runs of it that lie inside the box. An area
// comes back as closed polygons that can be filled: the runs inside are
// joined along the box edges, with optional intermediate points laid along
// those edges at a fixed spacing so that a straight box edge keeps its shape
// when projected into another coordinate space. The translator clips to the
// selected region in angle units; the map and data layer drawing clip to the
// window in logical coordinates.
//
// The box is closed: a point on an edge or corner is inside. A vertex lying
// exactly on the box outline is clipped as if it lay a hair inside, so
// shorelines cut at whole degrees come out whole.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/coordinates.h"

namespace okap {

// Clips the segment pts of kind `kind` (1 point, 2 line, 3 area) to box
// (tl = west/north, br = east/south). pieces receives the visible pieces one
// after another and counts the number of points of each; a segment wholly
// inside comes back as one piece of its points. Segments of any length are
// clipped: the work tables grow with the segment. xstep and ystep space the
// intermediate points laid along horizontal and vertical box edges of an
// area (0: none). An area that surrounds the box gives one closed piece
// running round it 10 units outside, so that a fill covers the whole box.
//
// An area may hold its holes joined to the outer ring by zero-width bridges
// (an edge and, elsewhere in the ring, its exact reverse). Both visits of a
// bridge are clipped to the same points, and a bridge that crosses the box
// joins the parts of the area on either side of it into one piece, so that
// no cut appears along it.
//
// Returns 1 on success. A failure is reported with ShowError, or, given a
// message, only put there (for a caller on a worker thread, which must not
// show messages), and leaves pieces and counts empty; the caller decides
// what follows. debug non-zero
// writes a trace of each step to the diagnostic log and checks that every
// output point lies within the box enlarged by 10. pieces must not be the
// vector that pts views.
int ClipPolygon(std::span<const LPoint> pts, int kind, const LBox& box, int32_t xstep, int32_t ystep,
                std::vector<LPoint>& pieces, std::vector<int>& counts, int debug = 0,
                std::string* message = nullptr);

// The same for logical points, which come back through SafeInt.
int ClipPolygon(std::span<const POINT> pts, int kind, const TBox& box, int xstep, int ystep,
                std::vector<POINT>& pieces, std::vector<int>& counts, int debug = 0);

}  // namespace okap
