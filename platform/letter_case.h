#pragma once
// Names, keys and codes compared without regard to letter case, as the
// program's files and users have always written them.

#include <algorithm>
#include <cctype>
#include <string_view>

namespace okap {

inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace okap
