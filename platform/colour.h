#pragma once
// A colour as the platform colour value: red in the lowest byte, then green,
// then blue.

#include <cstdint>
#include <ostream>

namespace okap {

struct Colour {
    uint32_t value = 0;

    static constexpr Colour Rgb(int red, int green, int blue) {
        return Colour{static_cast<uint32_t>(red & 255) | (static_cast<uint32_t>(green & 255) << 8) |
                      (static_cast<uint32_t>(blue & 255) << 16)};
    }
    constexpr int Red() const { return static_cast<int>(value & 255); }
    constexpr int Green() const { return static_cast<int>((value >> 8) & 255); }
    constexpr int Blue() const { return static_cast<int>((value >> 16) & 255); }

    friend bool operator==(const Colour&, const Colour&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const Colour& c) {
    return os << "rgb(" << c.Red() << ' ' << c.Green() << ' ' << c.Blue() << ')';
}

}  // namespace okap
