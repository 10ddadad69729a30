#pragma once
// A named outline of up to 100 points, looked up by name in the symbol
// library and drawn at a data point with a PlotStyle.

#include <array>
#include <cstdint>
#include <istream>
#include <span>
#include <string>

#include "core/coordinates.h"

namespace okap {

class Symbol {
public:
    static constexpr int32_t kMaxPoints = 100;

    // The points in use.
    std::span<const POINT> Outline() const { return {points.data(), static_cast<size_t>(pointCount)}; }

    std::string name;  // the key into the symbol library
    // Symbol units, nominally -100 to 100 around the centre, y upwards.
    std::array<POINT, kMaxPoints> points{};
    // Not part of a library entry: the data format sets them.
    int32_t sizeBasis = 0;  // kSizeScreen or kSizeMap
    double size = 0.0;
    int32_t pointCount = 0;  // 0 to kMaxPoints
    int32_t valid = 0;       // 1 when the outline was read completely from the library
};

// Reads one library entry: a key line whose value (after "=", trimmed) is
// the name, a key line whose value is the number of points, then one line
// per point holding x and y as whole integers. The entry comes back valid
// only when every number could be read, the count is 0 to kMaxPoints and the
// stream is still good afterwards: an entry whose last line ends the file
// without a line break is not valid. pointCount counts the points stored;
// the size fields are left alone.
std::istream& operator>>(std::istream& is, Symbol& symbol);

}  // namespace okap
