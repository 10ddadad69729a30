#pragma once
// The two flat coordinate spaces the program works in.
//
// World coordinates (LPoint, LBox): projected easting and northing in
// decimetres, signed 32-bit, y growing northwards. Logical coordinates
// (POINT, TBox): ints in the device context's logical units, y growing
// upwards. A box is kept as tl = (west, north) and br = (east, south).

#include <cstdint>
#include <ostream>

namespace okap {

struct LPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const LPoint&, const LPoint&) = default;
};

struct LBox {
    LPoint tl;  // west, north
    LPoint br;  // east, south
    friend bool operator==(const LBox&, const LBox&) = default;
};

struct POINT {
    int x = 0;
    int y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};
using TPoint = POINT;

struct TBox {
    POINT tl;  // left, top
    POINT br;  // right, bottom
    friend bool operator==(const TBox&, const TBox&) = default;
};

// A rectangle of device pixels or of a page, as a window system gives it:
// y grows downwards, right and bottom lie just outside.
struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Printable forms, so that test failures show the values.
inline std::ostream& operator<<(std::ostream& os, const LPoint& p) { return os << '(' << p.x << ", " << p.y << ')'; }
inline std::ostream& operator<<(std::ostream& os, const POINT& p) { return os << '(' << p.x << ", " << p.y << ')'; }
inline std::ostream& operator<<(std::ostream& os, const LBox& b) { return os << '[' << b.tl << ' ' << b.br << ']'; }
inline std::ostream& operator<<(std::ostream& os, const TBox& b) { return os << '[' << b.tl << ' ' << b.br << ']'; }
inline std::ostream& operator<<(std::ostream& os, const TRect& r) {
    return os << '{' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << '}';
}
inline std::ostream& operator<<(std::ostream& os, const TSize& s) { return os << s.cx << 'x' << s.cy; }

}  // namespace okap
