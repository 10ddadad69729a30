#include "core/geometry.h"

#include <algorithm>
#include <cmath>

namespace okap {

namespace {

// Both coordinate forms go through the same templates below; Coord gives
// each its box type and its clamped conversion.
template <class P>
struct Coord;

template <>
struct Coord<LPoint> {
    using Box = LBox;
    static int32_t Narrow(double v) { return SafeLong(v); }
};

template <>
struct Coord<POINT> {
    using Box = TBox;
    static int Narrow(double v) { return SafeInt(v); }
};

// Adds one half away from zero, so that the truncation that follows rounds
// to the nearest whole number on both sides of zero. Adding +0.5 alone
// would move a negative value up to one whole unit too far towards zero
// (-3.2 to -2), which can push a crossing off the end of its segment.
double HalfAwayFromZero(double v) { return v >= 0.0 ? v + 0.5 : v - 0.5; }

}  // namespace

int SafeInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, -kCoordinateLimit, kCoordinateLimit));
}

double Distance(double x1, double y1, double x2, double y2) {
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

// The difference of two 32-bit coordinates may not fit 32 bits, so the
// distance is worked out in doubles and clamped on the way back.
int32_t Distance(LPoint a, LPoint b) { return SafeLong(Distance(a.x, a.y, b.x, b.y)); }
int Distance(POINT a, POINT b) { return SafeInt(Distance(a.x, a.y, b.x, b.y)); }

double GCircleDistance(const Position& a, const Position& b) {
    constexpr double kRadiansPerDegree = 0.017453293;
    const double lambda1 = a.Long.GetDegrees() * kRadiansPerDegree;
    const double lambda2 = b.Long.GetDegrees() * kRadiansPerDegree;
    const double phi1 = a.Lat.GetDegrees() * kRadiansPerDegree;
    const double phi2 = b.Lat.GetDegrees() * kRadiansPerDegree;
    // The earth is flattened: the radius shrinks towards the poles.
    const double radius = 6378.0 - 21.0 * std::sin((phi1 + phi2) * 0.5);
    const double h = std::pow(std::sin((phi2 - phi1) * 0.5), 2) +
                     std::cos(phi1) * std::cos(phi2) * std::pow(std::sin((lambda2 - lambda1) * 0.5), 2);
    const double s = std::min(std::pow(h, 0.5), 1.0);
    return radius * 2.0 * std::asin(s);
}

namespace {

template <class P>
int PointOutsideBoxT(const typename Coord<P>::Box& box, P p) {
    return p.x < box.tl.x || p.x > box.br.x || p.y > box.tl.y || p.y < box.br.y;
}

template <class P>
int LineOutsideBoxT(const typename Coord<P>::Box& box, P a, P b) {
    return (a.x < box.tl.x && b.x < box.tl.x) || (a.x > box.br.x && b.x > box.br.x) ||
           (a.y > box.tl.y && b.y > box.tl.y) || (a.y < box.br.y && b.y < box.br.y);
}

template <class P>
int LineOutsideLineT(P a1, P a2, P b1, P b2) {
    return std::max(a1.x, a2.x) < std::min(b1.x, b2.x) || std::max(b1.x, b2.x) < std::min(a1.x, a2.x) ||
           std::max(a1.y, a2.y) < std::min(b1.y, b2.y) || std::max(b1.y, b2.y) < std::min(a1.y, a2.y);
}

template <class B>
int BoxOutOfBoxT(const B& box, const B& other) {
    return box.br.x < other.tl.x || other.br.x < box.tl.x || box.tl.y < other.br.y || other.tl.y < box.br.y;
}

template <class B>
int BoxInBoxT(const B& box, const B& other) {
    return box.tl.x <= other.tl.x && other.br.x <= box.br.x && box.br.y <= other.br.y && other.tl.y <= box.tl.y;
}

bool Between(double v, double end1, double end2) { return std::min(end1, end2) <= v && v <= std::max(end1, end2); }

// The slope of a segment; a vertical one is marked and keeps a huge
// stand-in value that no real slope of 32-bit coordinates reaches.
struct Slope {
    double m;
    bool vertical;
};

template <class P>
Slope SlopeOf(P p1, P p2) {
    constexpr double kVerticalSlope = 9.999999999999999e+31;
    if (p1.x == p2.x) return {kVerticalSlope, true};
    return {(static_cast<double>(p2.y) - p1.y) / (static_cast<double>(p2.x) - p1.x), false};
}

template <class P>
int IntersectT(P a1, P a2, P b1, P b2, P& out) {
    if (LineOutsideLineT(a1, a2, b1, b2)) return 0;
    const Slope sa = SlopeOf(a1, a2);
    const Slope sb = SlopeOf(b1, b2);
    if (sa.vertical && sb.vertical) return 0;
    if (!sa.vertical && !sb.vertical && sa.m == sb.m) return 0;  // parallel

    // The lines are evaluated from a known end, y1 + (x - x1) * m, rather
    // than as y1 - x1 * m + x * m: the same value with far less rounding
    // error when the coordinates are large.
    if (sa.vertical) {
        out.x = a1.x;
        out.y = Coord<P>::Narrow(b1.y + (static_cast<double>(out.x) - b1.x) * sb.m);
        return Between(out.y, a1.y, a2.y);
    }
    if (sb.vertical) {
        out.x = b1.x;
        out.y = Coord<P>::Narrow(a1.y + (static_cast<double>(out.x) - a1.x) * sa.m);
        return Between(out.y, b1.y, b2.y);
    }
    const double x = a1.x + ((static_cast<double>(b1.y) - a1.y) - (static_cast<double>(b1.x) - a1.x) * sb.m) /
                                (sa.m - sb.m);
    out.x = Coord<P>::Narrow(HalfAwayFromZero(x));
    out.y = Coord<P>::Narrow(a1.y + (static_cast<double>(out.x) - a1.x) * sa.m);
    return Between(out.x, a1.x, a2.x) && Between(out.y, a1.y, a2.y) && Between(out.x, b1.x, b2.x) &&
           Between(out.y, b1.y, b2.y);
}

// Counts the crossings of the outline straight above p (towards growing
// y). Crossings at an edge's ends are counted apart so that a ray through
// a vertex counts once where the outline passes through it and not at
// all where it only touches.
template <class P>
int PointInPolygonT(const P* pts, int n, P p) {
    int c0 = 0;
    int c1 = 0;
    int cm = 0;
    for (int i = 1; i < n; ++i) {
        P e1 = pts[i - 1];
        P e2 = pts[i];
        if (e2.x < e1.x) std::swap(e1, e2);
        if (p.x < e1.x || p.x > e2.x) continue;
        if (e1.x == e2.x) {
            if (Between(p.y, e1.y, e2.y)) return 1;  // on a vertical edge
            continue;
        }
        const double t = (static_cast<double>(p.x) - e1.x) / (static_cast<double>(e2.x) - e1.x);
        const double yy = std::trunc(HalfAwayFromZero((static_cast<double>(e2.y) - e1.y) * t)) + e1.y;
        if (yy == p.y) return 1;  // on the outline
        if (yy > p.y) {
            if (t == 0.0)
                ++c0;
            else if (t == 1.0)
                ++c1;
            else
                ++cm;
        }
    }
    if ((c0 % 2 == 1) && (c1 % 2 == 1)) ++cm;
    return cm % 2 == 1;
}

}  // namespace

int PointOutsideBox(const LBox& box, LPoint p) { return PointOutsideBoxT(box, p); }
int PointOutsideBox(const TBox& box, POINT p) { return PointOutsideBoxT(box, p); }
int LineOutsideBox(const LBox& box, LPoint a, LPoint b) { return LineOutsideBoxT(box, a, b); }
int LineOutsideBox(const TBox& box, POINT a, POINT b) { return LineOutsideBoxT(box, a, b); }
int LineInsideBox(const LBox& box, LPoint a, LPoint b) { return !PointOutsideBox(box, a) && !PointOutsideBox(box, b); }
int LineInsideBox(const TBox& box, POINT a, POINT b) { return !PointOutsideBox(box, a) && !PointOutsideBox(box, b); }
int LineOutsideLine(LPoint a1, LPoint a2, LPoint b1, LPoint b2) { return LineOutsideLineT(a1, a2, b1, b2); }
int LineOutsideLine(POINT a1, POINT a2, POINT b1, POINT b2) { return LineOutsideLineT(a1, a2, b1, b2); }
int BoxOutOfBox(const LBox& box, const LBox& other) { return BoxOutOfBoxT(box, other); }
int BoxOutOfBox(const TBox& box, const TBox& other) { return BoxOutOfBoxT(box, other); }
int BoxInBox(const LBox& box, const LBox& other) { return BoxInBoxT(box, other); }
int BoxInBox(const TBox& box, const TBox& other) { return BoxInBoxT(box, other); }

int IntersectLong(LPoint a1, LPoint a2, LPoint b1, LPoint b2, LPoint& out) { return IntersectT(a1, a2, b1, b2, out); }
int IntersectInt(POINT a1, POINT a2, POINT b1, POINT b2, POINT& out) { return IntersectT(a1, a2, b1, b2, out); }

int PointInPolygon(const LPoint* pts, int n, LPoint p) { return PointInPolygonT(pts, n, p); }
int PointInPolygon(const POINT* pts, int n, POINT p) { return PointInPolygonT(pts, n, p); }

int Rotate(POINT* pts, int n, POINT centre, double degrees) {
    const double a = degrees * 0.017453;
    const double cosA = std::cos(a);
    const double sinA = std::sin(a);
    for (int i = 0; i < n; ++i) {
        const double dx = static_cast<double>(pts[i].x) - centre.x;
        const double dy = static_cast<double>(pts[i].y) - centre.y;
        pts[i].x = SafeInt(dx * cosA - dy * sinA + centre.x);
        pts[i].y = SafeInt(dx * sinA + dy * cosA + centre.y);
    }
    return 1;
}

}  // namespace okap
