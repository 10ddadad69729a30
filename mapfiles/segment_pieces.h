#pragma once
// Cutting a segment that has more points than a file may hold into pieces
// that each stay within the limit.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/coordinates.h"

namespace okap {

// A line as consecutive pieces of at most maxPoints points (2 or more),
// each starting where the one before ends, one after another in pieces
// with their point counts in counts.
void SplitLine(std::span<const LPoint> line, int32_t maxPoints, std::vector<LPoint>& pieces,
               std::vector<int>& counts);

// A closed area as tiles of at most maxPoints points (5 or more), each a
// closed area: its bounding box is halved across its longer side, and each
// half cut out with ClipPolygon, until every piece fits. Neighbouring tiles
// share their cut edges exactly, so that together they fill the area
// without a gap. 0 (pieces and counts left empty) when a piece cannot be
// cut smaller (its box is a unit wide and high) or the area does not close;
// a failure of ClipPolygon goes to message as ClipPolygon puts it.
int TileArea(std::span<const LPoint> area, int32_t maxPoints, std::vector<LPoint>& pieces, std::vector<int>& counts,
             std::string* message = nullptr);

}  // namespace okap
