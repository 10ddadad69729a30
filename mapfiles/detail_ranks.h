#pragma once
// How long each point of a line or an area's outline survives
// simplification: Douglas-Peucker, run once for every tolerance at once.

#include <span>
#include <vector>

#include "core/coordinates.h"

namespace okap {

// For each point, the largest tolerance (in the points' units) at which
// Douglas-Peucker simplification still keeps it: simplifying with tolerance
// t keeps exactly the points whose rank exceeds t. The first and last
// points and the pinned ones are kept at every tolerance (rank infinity);
// the runs between them are simplified each on its own, so an edge whose
// two ends are pinned stays an edge. A run that ends where it starts (a
// closed ring, or a hole between the two visits of its bridge) keeps a
// triangle at every tolerance: its start, its farthest point and the point
// farthest from the line through both, so that it keeps an area (and a
// hole stays a hole) however small it is drawn. Ranks shrink from a point to those
// found inside the runs it splits, so a coarser tolerance keeps a subset of
// what a finer one keeps. pinned is empty or holds one flag a point.
std::vector<double> DetailRanks(std::span<const LPoint> points, const std::vector<bool>& pinned);

}  // namespace okap
