// Clipping of one segment to a box, and the detour an outline takes round
// a box where it crosses the 180 degree meridian.

#include <algorithm>
#include <cstdint>
#include <utility>

#include "core/geometry.h"

namespace okap {

namespace {

int Intersect(LPoint a1, LPoint a2, LPoint b1, LPoint b2, LPoint& out) { return IntersectLong(a1, a2, b1, b2, out); }
int Intersect(POINT a1, POINT a2, POINT b1, POINT b2, POINT& out) { return IntersectInt(a1, a2, b1, b2, out); }

template <class P>
double SquaredDistance(P a, P b) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    return dx * dx + dy * dy;
}

template <class P, class B>
int ClipLineT(const B& box, P& a, P& b) {
    if (LineOutsideBox(box, a, b)) return 0;

    // The edges clockwise from the top. Each edge goes first into the
    // intersection: an edge's own line is then exact (y = N on the top
    // edge), and only the crossing's position along the edge is rounded.
    // With the segment first, its rounded x would be put back into its own
    // slope and a crossing of the top or bottom edge would count only when
    // that landed exactly on the edge.
    const P nw{box.tl.x, box.tl.y};
    const P ne{box.br.x, box.tl.y};
    const P se{box.br.x, box.br.y};
    const P sw{box.tl.x, box.br.y};
    const P edges[4][2] = {{nw, ne}, {ne, se}, {se, sw}, {sw, nw}};
    P crossings[4];
    int count = 0;
    for (const auto& edge : edges) {
        P p;
        if (Intersect(edge[0], edge[1], a, b, p)) crossings[count++] = p;
    }
    if (count == 0) return 0;

    const bool aInside = !PointOutsideBox(box, a);
    const bool bInside = !PointOutsideBox(box, b);
    if (aInside != bInside) {
        // From the inside end the segment stays in the box up to where it
        // leaves: every crossing found lies on that stretch, and the exit is
        // the farthest. (Further crossings appear when the inside end lies
        // on an edge, or when rounding near a corner yields the exit on both
        // edges of the corner.)
        const P inner = aInside ? a : b;
        P exit = crossings[0];
        for (int k = 1; k < count; ++k)
            if (SquaredDistance(inner, crossings[k]) > SquaredDistance(inner, exit)) exit = crossings[k];
        if (aInside) {
            b = exit;
            return 2;
        }
        a = exit;
        return 1;
    }

    P first = crossings[0];
    if (count == 1) {
        if (aInside) {
            b = first;
            return 2;
        }
        a = first;
        return 1;
    }
    // The other end is the last crossing that differs from the first: a
    // segment through one corner finds that corner on two edges, which must
    // not hide its crossing of a third.
    P second = first;
    for (int k = 1; k < count; ++k)
        if (!(crossings[k] == first)) second = crossings[k];
    if (second == first) {
        a = first;  // only touches a corner
        b = first;
        return 0;
    }
    if (SquaredDistance(a, second) < SquaredDistance(a, first)) std::swap(first, second);
    a = first;
    b = second;
    return 3;
}

int32_t ClampToLong(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, -kCoordinateLimit, kCoordinateLimit));
}

// Where the segment from-to crosses the vertical line at x, between the
// box's north and south. When the segment falls short of the line or
// meets it beyond N or S, the point on the line is taken from the
// segment's infinite line with y held within N..S (from's y for a segment
// that has no extent in x): the detour must still pass the line there,
// just outside the box.
LPoint CrossingAt(const LBox& box, int32_t x, LPoint from, LPoint to) {
    LPoint out;
    if (IntersectLong({x, box.tl.y}, {x, box.br.y}, from, to, out)) return out;
    double y = from.y;
    if (to.x != from.x)
        y += (static_cast<double>(x) - from.x) * ((static_cast<double>(to.y) - from.y) /
                                                  (static_cast<double>(to.x) - from.x));
    y = std::clamp<double>(y, box.br.y, box.tl.y);
    return {x, SafeLong(y)};
}

}  // namespace

int ClipLine(const LBox& box, LPoint& a, LPoint& b) { return ClipLineT(box, a, b); }
int ClipLine(const TBox& box, POINT& a, POINT& b) { return ClipLineT(box, a, b); }

void AddClipPoints(const LBox& box, LPoint& a, LPoint& b, LPoint& c, LPoint& d, LPoint& e, LPoint& f) {
    // 360 degrees in angle units, and 5 more so that the shifted point lies
    // surely beyond the meridian.
    constexpr int64_t kTurn = 400032005;
    const LPoint previous = a;
    const LPoint current = b;
    f = current;
    const int32_t west = ClampToLong(int64_t{box.tl.x} - 1);
    const int32_t east = ClampToLong(int64_t{box.br.x} + 1);
    const int32_t north = ClampToLong(int64_t{box.tl.y} + 1);
    const auto shifted = [](LPoint p, int64_t dx) { return LPoint{ClampToLong(p.x + dx), p.y}; };
    if (previous.x < current.x) {
        // A jump from west to east: the outline really goes on westwards.
        b = CrossingAt(box, west, previous, shifted(current, -kTurn));
        c = {west, north};
        d = {east, north};
        e = CrossingAt(box, east, current, shifted(previous, kTurn));
    } else {
        b = CrossingAt(box, east, previous, shifted(current, kTurn));
        c = {east, north};
        d = {west, north};
        e = CrossingAt(box, west, current, shifted(previous, -kTurn));
    }
}

}  // namespace okap
