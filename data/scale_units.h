#pragma once
// The units a scale bar measures in: the word a scale bar detail holds as
// its text (and shows after its length), the name the detail editor offers
// and the unit's length.

#include <array>
#include <string_view>

namespace okap {

struct ScaleUnit {
    std::string_view word;
    std::string_view name;
    double metres;
};

inline constexpr std::array<ScaleUnit, 3> kScaleUnits = {{
    {"km", "Kilometres", 1000.0},
    {"mi", "Miles", 1609.344},
    {"nmi", "Nautical miles", 1852.0},
}};

// The unit of a word; kilometres for a word that names none.
constexpr const ScaleUnit& ScaleUnitOf(std::string_view word) {
    for (const ScaleUnit& unit : kScaleUnits)
        if (unit.word == word) return unit;
    return kScaleUnits[0];
}

}  // namespace okap
