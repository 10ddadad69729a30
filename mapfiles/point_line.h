#pragma once
// A point line of a text map file: longitude, a comma, latitude, each in
// decimal degrees.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/coordinates.h"

namespace okap {

// Reads a point line into angle units: x the longitude, folded by the
// offset mode as Longitude::GetDegrees(mode) folds it, y the latitude. Each
// field is read as Longitude and Latitude read text (the leading number of
// its first 19 characters; no number reads as 0); text without a comma
// reads as a longitude with latitude 0. The common fields, plain decimal
// numbers, take a quicker road to the same result.
LPoint ReadPointLine(std::string_view line, int offsetMode);

// Reads the point lines of one segment, as a text map file holds them (LF
// or CR LF line ends), appending a point for each line to points. A blank
// line holds no point: read as one it would put a point at 0 degrees, 0
// degrees.
void ReadPointLines(std::string_view lines, int offsetMode, std::vector<LPoint>& points);

// A longitude in angle units folded by the offset mode, as a point line's
// longitude is: PutDegrees of GetDegrees(offsetMode).
int32_t FoldLongitude(int32_t units, int offsetMode);

}  // namespace okap
