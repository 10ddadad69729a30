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

#include "core/coordinates.h"

namespace okap {

// Largest number of pieces a clip can give; the caller's counts array holds
// this many.
inline constexpr int kMaxClipPieces = 50;

// Clips pts[0 .. *npts - 1] of segment kind `kind` (1 point, 2 line, 3 area)
// to box (tl = west/north, br = east/south). pts has room for 10000 points
// and receives the pieces one after another; counts[i] is the number of
// points of piece i and *npieces the number of pieces. Callers set
// *npieces = 1 and counts[0] = *npts first; a segment wholly inside is left
// so, points unchanged. xstep and ystep space the intermediate points laid
// along horizontal and vertical box edges of an area (0: none). An area
// that surrounds the box gives one closed piece running round it 10 units
// outside, so that a fill covers the whole box.
//
// *ok is 1 on success. A failure is reported with ShowError and leaves
// *ok = 0, *npts = 0 and *npieces = 0; the caller decides what follows.
// debug non-zero writes a trace of each step to the diagnostic log and
// checks that every output point lies within the box enlarged by 10.
// Returns *ok.
int ClipPolygon(LPoint* pts, int* npts, int kind, LBox box, int32_t xstep, int32_t ystep, int* npieces, int* counts,
                int* ok, int debug);

// The same for logical points: the points go through a 10000-point LPoint
// buffer and come back through SafeInt.
int ClipPolygon(POINT* pts, int* npts, int kind, TBox box, int xstep, int ystep, int* npieces, int* counts, int* ok,
                int debug);

}  // namespace okap
