#pragma once
// Polygons with holes held as one outline. Each hole is joined to the outer
// ring by a zero-width bridge: the outline runs from a vertex A of the outer
// ring to a vertex H of the hole, round the hole, back from H to A and on
// round the outer ring. The bridge is the pair of edges A->H and H->A, the
// same two points in opposite directions. With the outer ring turned one way
// and the holes the other, a winding fill leaves the holes empty, and the
// outline needs no format of its own: a map file holds it as one area.
// Drawing leaves the bridge edges out of an outline; export splits the
// outline back into its rings.
//
// Rings are closed: their last point repeats the first. Both coordinate
// forms are served (world LPoint, logical POINT).

#include <span>
#include <vector>

#include "core/coordinates.h"

namespace okap {

// The outer ring with every hole joined to it. The outer ring is turned
// anticlockwise (with y growing upwards) and the holes clockwise; each
// bridge joins a hole's vertex to a vertex of the outline built so far that
// it can see, crossing no edge of any ring, so the outline stays weakly
// simple. Holes of fewer than three distinct points are left out.
std::vector<LPoint> BridgeHoles(std::vector<LPoint> outer, std::vector<std::vector<LPoint>> holes);

// For each edge i of a closed outline (from point i to point i + 1, so one
// fewer than the points), whether it is a bridge edge: an edge whose exact
// reverse is also an edge of the outline.
std::vector<bool> BridgeEdges(std::span<const LPoint> ring);
std::vector<bool> BridgeEdges(std::span<const POINT> ring);

// The rings of an outline with bridges, each closed: the stretches between
// the two edges of a bridge come out as rings of their own, in the order
// their bridges start; the outer ring (what is left) comes first. An outline
// without bridges comes back whole. Rings that shrink to fewer than four
// points (a degenerate excursion) are left out.
std::vector<std::vector<LPoint>> SplitBridges(std::span<const LPoint> ring);

}  // namespace okap
