#include "core/bridges.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <unordered_set>

namespace okap {

namespace {

using Ring = std::vector<LPoint>;
// Products of coordinate differences need more than 64 bits: a difference
// of two 32-bit coordinates takes 33.
using Wide = __int128;

// Twice the signed area of the triangle o, a, b: positive when it turns
// anticlockwise (y up).
Wide Cross(LPoint o, LPoint a, LPoint b) {
    return Wide{int64_t{a.x} - o.x} * (int64_t{b.y} - o.y) - Wide{int64_t{a.y} - o.y} * (int64_t{b.x} - o.x);
}

int Sign(Wide v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

// The ring without its closing point and without repeated points.
Ring Open(const Ring& ring) {
    Ring open;
    open.reserve(ring.size());
    for (const LPoint& p : ring) {
        if (open.empty() || !(open.back() == p)) open.push_back(p);
    }
    while (open.size() > 1 && open.front() == open.back()) open.pop_back();
    return open;
}

Wide TwiceArea(const Ring& open) {
    Wide area = 0;
    for (size_t i = 0; i < open.size(); ++i) {
        const LPoint& a = open[i];
        const LPoint& b = open[(i + 1) % open.size()];
        area += Wide{a.x} * b.y - Wide{b.x} * a.y;
    }
    return area;
}

void Turn(Ring& open, bool anticlockwise) {
    const Wide area = TwiceArea(open);
    if (area != 0 && (area > 0) != anticlockwise) std::reverse(open.begin(), open.end());
}

// Whether a ray from v towards t leaves v into the side of the outline
// that lies on the left of its edges (the land, for an anticlockwise outer
// ring and clockwise holes).
bool LeavesIntoLand(LPoint before, LPoint v, LPoint after, LPoint t) {
    const bool convex = Cross(before, v, after) >= 0;
    const bool leftOfIncoming = Cross(before, v, t) > 0;
    const bool leftOfOutgoing = Cross(v, after, t) > 0;
    return convex ? leftOfIncoming && leftOfOutgoing : leftOfIncoming || leftOfOutgoing;
}

// p lies on the segment from a to b, strictly between its ends (given that
// the three points are on one line).
bool StrictlyBetween(LPoint a, LPoint b, LPoint p) {
    if (p == a || p == b) return false;
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

// Whether the edge from a to b is in the way of a bridge from m to v: it
// crosses it, or one of them runs through a point of the other. Touching at
// a common end is no obstacle.
bool InTheWay(LPoint a, LPoint b, LPoint m, LPoint v) {
    if (std::max(a.x, b.x) < std::min(m.x, v.x) || std::min(a.x, b.x) > std::max(m.x, v.x) ||
        std::max(a.y, b.y) < std::min(m.y, v.y) || std::min(a.y, b.y) > std::max(m.y, v.y))
        return false;
    const int d1 = Sign(Cross(m, v, a));
    const int d2 = Sign(Cross(m, v, b));
    const int d3 = Sign(Cross(a, b, m));
    const int d4 = Sign(Cross(a, b, v));
    if (d1 * d2 < 0 && d3 * d4 < 0) return true;
    return (d1 == 0 && StrictlyBetween(m, v, a)) || (d2 == 0 && StrictlyBetween(m, v, b)) ||
           (d3 == 0 && StrictlyBetween(a, b, m)) || (d4 == 0 && StrictlyBetween(a, b, v));
}

bool RingInTheWay(const Ring& open, LPoint m, LPoint v) {
    for (size_t i = 0; i < open.size(); ++i) {
        if (InTheWay(open[i], open[(i + 1) % open.size()], m, v)) return true;
    }
    return false;
}

// Joins hole (open, clockwise) to outline (open, anticlockwise) at the
// hole's easternmost point, by the nearest point of the outline that it can
// see: nothing of the outline or of the holes still to join in the way, and
// the bridge leaving both points into the land.
void Join(Ring& outline, const Ring& hole, const std::vector<Ring>& waiting) {
    const size_t m = static_cast<size_t>(
        std::max_element(hole.begin(), hole.end(),
                         [](LPoint a, LPoint b) { return a.x < b.x || (a.x == b.x && a.y < b.y); }) -
        hole.begin());
    const LPoint from = hole[m];
    const LPoint holeBefore = hole[(m + hole.size() - 1) % hole.size()];
    const LPoint holeAfter = hole[(m + 1) % hole.size()];

    std::vector<size_t> candidates(outline.size());
    std::iota(candidates.begin(), candidates.end(), size_t{0});
    const auto distance = [&](size_t i) {
        const double dx = static_cast<double>(outline[i].x) - from.x;
        const double dy = static_cast<double>(outline[i].y) - from.y;
        return dx * dx + dy * dy;
    };
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&](size_t a, size_t b) { return distance(a) < distance(b); });

    const size_t n = outline.size();
    const auto sees = [&](size_t i) {
        const LPoint to = outline[i];
        if (to == from) return false;
        if (!LeavesIntoLand(outline[(i + n - 1) % n], to, outline[(i + 1) % n], from)) return false;
        if (!LeavesIntoLand(holeBefore, from, holeAfter, to)) return false;
        if (RingInTheWay(outline, from, to) || RingInTheWay(hole, from, to)) return false;
        return std::none_of(waiting.begin(), waiting.end(), [&](const Ring& r) { return RingInTheWay(r, from, to); });
    };
    // From the hole's easternmost point some point of the outline to the
    // east is always in sight (the holes further east are joined to it
    // already): those are tried first, nearest first; the others only for
    // an outline that is not simple.
    const auto east = [&](size_t i) { return outline[i].x >= from.x; };
    size_t chosen = candidates.front();
    const auto found = std::find_if(candidates.begin(), candidates.end(), [&](size_t i) { return east(i) && sees(i); });
    if (found != candidates.end()) {
        chosen = *found;
    } else if (const auto any = std::find_if(candidates.begin(), candidates.end(), sees); any != candidates.end()) {
        chosen = *any;
    }

    Ring joined;
    joined.reserve(outline.size() + hole.size() + 3);
    joined.insert(joined.end(), outline.begin(), outline.begin() + static_cast<std::ptrdiff_t>(chosen) + 1);
    joined.insert(joined.end(), hole.begin() + static_cast<std::ptrdiff_t>(m), hole.end());
    joined.insert(joined.end(), hole.begin(), hole.begin() + static_cast<std::ptrdiff_t>(m) + 1);
    joined.insert(joined.end(), outline.begin() + static_cast<std::ptrdiff_t>(chosen), outline.end());
    outline = std::move(joined);
}

struct Edge {
    int64_t x1, y1, x2, y2;
    friend bool operator==(const Edge&, const Edge&) = default;
};

struct EdgeHash {
    size_t operator()(const Edge& e) const {
        uint64_t h = static_cast<uint64_t>(e.x1) * 0x9E3779B97F4A7C15ull;
        h ^= static_cast<uint64_t>(e.y1) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
        h ^= static_cast<uint64_t>(e.x2) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
        h ^= static_cast<uint64_t>(e.y2) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
        return static_cast<size_t>(h);
    }
};

template <typename Point>
std::vector<bool> BridgeEdgesOf(std::span<const Point> ring) {
    if (ring.size() < 2) return {};
    const size_t edges = ring.size() - 1;
    std::unordered_set<Edge, EdgeHash> all;
    all.reserve(edges);
    for (size_t i = 0; i < edges; ++i) all.insert({ring[i].x, ring[i].y, ring[i + 1].x, ring[i + 1].y});
    std::vector<bool> bridge(edges, false);
    for (size_t i = 0; i < edges; ++i) {
        const Point& a = ring[i];
        const Point& b = ring[i + 1];
        if (a == b) continue;
        bridge[i] = all.contains({b.x, b.y, a.x, a.y});
    }
    return bridge;
}

}  // namespace

std::vector<LPoint> BridgeHoles(std::vector<LPoint> outer, std::vector<std::vector<LPoint>> holes) {
    Ring outline = Open(outer);
    Turn(outline, true);
    std::vector<Ring> open;
    for (const Ring& hole : holes) {
        Ring ring = Open(hole);
        if (ring.size() < 3) continue;
        Turn(ring, false);
        open.push_back(std::move(ring));
    }
    // Eastern holes first: the nearest points of the others then tend to
    // lie on the outline already.
    const auto east = [](const Ring& r) {
        return std::max_element(r.begin(), r.end(), [](LPoint a, LPoint b) { return a.x < b.x; })->x;
    };
    std::stable_sort(open.begin(), open.end(), [&](const Ring& a, const Ring& b) { return east(a) > east(b); });
    if (!outline.empty()) {
        for (size_t i = 0; i < open.size(); ++i) {
            const std::vector<Ring> waiting(open.begin() + static_cast<std::ptrdiff_t>(i) + 1, open.end());
            Join(outline, open[i], waiting);
        }
        outline.push_back(outline.front());
    }
    return outline;
}

std::vector<bool> BridgeEdges(std::span<const LPoint> ring) { return BridgeEdgesOf(ring); }
std::vector<bool> BridgeEdges(std::span<const POINT> ring) { return BridgeEdgesOf(ring); }

std::vector<std::vector<LPoint>> SplitBridges(std::span<const LPoint> ring) {
    const std::vector<bool> bridge = BridgeEdges(ring);
    if (std::find(bridge.begin(), bridge.end(), true) == bridge.end()) return {Ring(ring.begin(), ring.end())};

    // The rings being walked, innermost last, each with the bridge edge that
    // led into it; a bridge edge that reverses that one leads back out.
    struct Walked {
        Ring points;
        Edge entry;
    };
    std::vector<Walked> walking{{{ring.front()}, {}}};
    std::vector<Ring> rings;
    const auto finish = [&](Ring points) {
        if (!points.empty() && !(points.front() == points.back())) points.push_back(points.front());
        if (points.size() >= 4) rings.push_back(std::move(points));
    };
    for (size_t i = 0; i + 1 < ring.size(); ++i) {
        const LPoint a = ring[i];
        const LPoint b = ring[i + 1];
        if (!bridge[i]) {
            walking.back().points.push_back(b);
            continue;
        }
        const Edge back{b.x, b.y, a.x, a.y};
        if (walking.size() > 1 && walking.back().entry == back) {
            finish(std::move(walking.back().points));
            walking.pop_back();
        } else {
            walking.push_back({{b}, {a.x, a.y, b.x, b.y}});
        }
    }
    while (!walking.empty()) {
        finish(std::move(walking.back().points));
        walking.pop_back();
    }
    // The outer ring is the one with the largest area.
    const auto area = [](const Ring& r) {
        const Wide twice = TwiceArea(Open(r));
        return twice < 0 ? -twice : twice;
    };
    const auto outer = std::max_element(rings.begin(), rings.end(),
                                        [&](const Ring& a, const Ring& b) { return area(a) < area(b); });
    if (outer != rings.end()) std::rotate(rings.begin(), outer, outer + 1);
    return rings;
}

}  // namespace okap
