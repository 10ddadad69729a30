#pragma once
// The bridges that join holes to an area's outline (see core/bridges.h),
// told apart from other pairs of opposite edges that outlines made before
// holes existed may hold: a spike out and back, or a zero-width neck
// between two parts of the area. Thinning, clipping and drawing treat only
// hole bridges as bridges, so that such files translate and draw as they
// always have.

#include <span>
#include <vector>

#include "core/coordinates.h"

namespace okap {

// For each edge i of a closed outline (from point i to point i + 1), whether
// it is one of a pair of opposite edges (BridgeEdges) whose stretch of
// outline between them winds the other way from the whole outline, as a
// hole's ring does.
std::vector<bool> HoleBridgeEdges(std::span<const LPoint> ring);
std::vector<bool> HoleBridgeEdges(std::span<const POINT> ring);

}  // namespace okap
