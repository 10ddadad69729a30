#include "mapfiles/point_line.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "core/latlong.h"

namespace okap {

namespace {

// 180 degrees in angle units.
constexpr int32_t kHalfTurn = 200016000;

// Powers of ten that a double holds exactly.
constexpr double kExactTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A plain decimal number (digits, a full stop, digits) of at most 15
// digits, the form of nearly every field: its digits as a whole number and
// a power of ten both convert exactly, so one correctly rounded division
// gives the nearest double, as from_chars does. False for anything else.
bool PlainDecimal(std::string_view field, size_t first, double& value) {
    uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    size_t i = first;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i, ++count) digits = digits * 10 + (field[i] - '0');
    if (i < field.size() && field[i] == '.') {
        for (++i; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i, ++count, ++decimals)
            digits = digits * 10 + (field[i] - '0');
    }
    // An exponent, or too many digits to stay exact, takes the long way.
    if (count > 15 || (i < field.size() && (field[i] == 'e' || field[i] == 'E'))) return false;
    value = static_cast<double>(digits) / kExactTens[decimals];
    if (first == 1) value = -value;
    return true;
}

// ReadDegrees, quicker for a field that starts with a digit, or a minus and
// a digit: from_chars reads such a field exactly as the general reader
// does (which skips blanks and takes the sign itself before calling it),
// without the general reader's preparations, and a plain decimal number
// quicker still. Anything else, or a number out of range, goes the general
// way.
double FieldDegrees(std::string_view field) {
    field = field.substr(0, 19);
    const size_t first = !field.empty() && field[0] == '-' ? 1 : 0;
    if (first < field.size() && field[first] >= '0' && field[first] <= '9') {
        double value = 0.0;
        if (PlainDecimal(field, first, value)) return value;
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

void ReadPointLines(std::string_view lines, int offsetMode, std::vector<LPoint>& points) {
    while (!lines.empty()) {
        const size_t newline = lines.find('\n');
        std::string_view line = lines.substr(0, newline);
        lines.remove_prefix(newline == std::string_view::npos ? lines.size() : newline + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if ((line.empty() || line[0] == ' ' || line[0] == '\t') &&
            line.find_first_not_of(" \t") == std::string_view::npos)
            continue;
        points.push_back(ReadPointLine(line, offsetMode));
    }
}

}  // namespace okap
