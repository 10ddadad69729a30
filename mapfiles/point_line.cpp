#include "mapfiles/point_line.h"

#include <charconv>
#include <cmath>

#include "core/latlong.h"

namespace okap {

namespace {

// 180 degrees in angle units.
constexpr int32_t kHalfTurn = 200016000;

// ReadDegrees, quicker for a field that starts with a digit, or a minus and
// a digit: from_chars reads such a field exactly as the general reader
// does (which skips blanks and takes the sign itself before calling it),
// without the general reader's preparations. Anything else, or a number out
// of range, goes the general way.
double FieldDegrees(std::string_view field) {
    field = field.substr(0, 19);
    const size_t first = !field.empty() && field[0] == '-' ? 1 : 0;
    if (first < field.size() && field[first] >= '0' && field[first] <= '9') {
        double value = 0.0;
        auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (error == std::errc() && std::isfinite(value)) return value;
    }
    return ReadDegrees(field);
}

// True when folding by the mode (PutDegrees of GetDegrees(mode)) gives back
// the same units: the mode leaves the degrees as they are, and degrees made
// from whole units round back to them exactly.
bool FoldKeeps(int32_t units, int mode) {
    switch (mode) {
        case 0:
            return units <= 0;
        case 1:
            return units > -kHalfTurn && units < kHalfTurn;
        case 2:
            return units >= 0;
        default:
            return true;
    }
}

}  // namespace

int32_t FoldLongitude(int32_t units, int offsetMode) {
    if (FoldKeeps(units, offsetMode)) return units;
    Longitude lon;
    lon.PutLong(units);
    lon.PutDegrees(lon.GetDegrees(offsetMode));
    return lon.GetLong();
}

LPoint ReadPointLine(std::string_view line, int offsetMode) {
    const size_t comma = line.find(',');
    const Longitude lon(FieldDegrees(line.substr(0, comma)));
    const Latitude lat(comma == std::string_view::npos ? 0.0 : FieldDegrees(line.substr(comma + 1)));
    return {FoldLongitude(lon.GetLong(), offsetMode), lat.GetLong()};
}

}  // namespace okap
