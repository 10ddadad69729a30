#include "core/bridges.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace okap {
namespace {

using Ring = std::vector<LPoint>;

Ring Square(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}, {x1, y1}};
}

// The winding number of the closed outline round p (p on no edge): what a
// winding fill goes by.
int Winding(const Ring& ring, double px, double py) {
    int winding = 0;
    for (size_t i = 0; i + 1 < ring.size(); ++i) {
        const double ax = ring[i].x, ay = ring[i].y, bx = ring[i + 1].x, by = ring[i + 1].y;
        const double side = (bx - ax) * (py - ay) - (by - ay) * (px - ax);
        if (ay <= py && by > py && side > 0) ++winding;
        if (ay > py && by <= py && side < 0) --winding;
    }
    return winding;
}

std::vector<std::pair<LPoint, LPoint>> Bridges(const Ring& ring) {
    const std::vector<bool> bridge = BridgeEdges(std::span<const LPoint>(ring));
    std::vector<std::pair<LPoint, LPoint>> edges;
    for (size_t i = 0; i < bridge.size(); ++i) {
        if (bridge[i]) edges.emplace_back(ring[i], ring[i + 1]);
    }
    return edges;
}

// Whether two segments cross at a point inside both.
bool Cross(LPoint a, LPoint b, LPoint c, LPoint d) {
    const auto side = [](LPoint o, LPoint p, LPoint q) {
        const long long v = (long long)(p.x - o.x) * (q.y - o.y) - (long long)(p.y - o.y) * (q.x - o.x);
        return (v > 0) - (v < 0);
    };
    return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}

// The points of a closed ring as a set, whatever its start and direction.
std::set<std::pair<int32_t, int32_t>> Corners(const Ring& ring) {
    std::set<std::pair<int32_t, int32_t>> corners;
    for (const LPoint& p : ring) corners.insert({p.x, p.y});
    return corners;
}

// A square with two square holes, given turned the wrong way round: one
// outline whose winding fill covers the land and leaves the holes empty,
// whose two bridges (four edges) cross nothing, and which splits back into
// the three rings.
TEST(BridgesTest, HolesJoinedByBridgesFillAsHolesAndSplitBack) {
    Ring outer = Square(0, 0, 100, 100);
    std::reverse(outer.begin(), outer.end());
    Ring west = Square(20, 20, 40, 40);
    Ring east = Square(60, 60, 80, 80);
    std::reverse(east.begin(), east.end());
    const Ring outline = BridgeHoles(outer, {west, east});

    ASSERT_GE(outline.size(), 4u);
    EXPECT_EQ(outline.front(), outline.back());
    // Four corners of each ring, each hole's joining corner twice and the
    // outline's point it joins twice, closed.
    EXPECT_EQ(outline.size(), 4u + 6u + 6u + 1u);
    const struct {
        double x, y;
        int winding;
    } places[] = {{10, 10, 1}, {50, 50, 1}, {90, 10, 1}, {30, 30, 0}, {70, 70, 0}, {150, 50, 0}, {-5, -5, 0}};
    for (const auto& place : places)
        EXPECT_EQ(Winding(outline, place.x, place.y), place.winding) << place.x << "," << place.y;

    const auto bridges = Bridges(outline);
    EXPECT_EQ(bridges.size(), 4u);
    const std::vector<bool> bridge = BridgeEdges(std::span<const LPoint>(outline));
    for (const auto& [a, b] : bridges) {
        for (size_t i = 0; i + 1 < outline.size(); ++i) {
            if (!bridge[i]) {
                EXPECT_FALSE(Cross(a, b, outline[i], outline[i + 1])) << a << b;
            }
        }
    }

    const std::vector<Ring> rings = SplitBridges(outline);
    ASSERT_EQ(rings.size(), 3u);
    EXPECT_EQ(Corners(rings[0]), Corners(outer));
    std::set<std::set<std::pair<int32_t, int32_t>>> holes{Corners(rings[1]), Corners(rings[2])};
    EXPECT_EQ(holes, (std::set<std::set<std::pair<int32_t, int32_t>>>{Corners(west), Corners(east)}));
    for (const Ring& ring : rings) EXPECT_EQ(ring.front(), ring.back());
}

// A hole in the upper arm of a C: the nearest points of the outline east of
// the hole lie across a gap of sea, on a spike of the lower arm; the bridge
// goes to the nearest point it can reach without leaving the land, the end
// (100, 20) of the upper arm.
TEST(BridgesTest, ABridgeGoesToANearPointItCanSee) {
    const Ring outer = {{0, 0},  {100, 0},  {100, 10}, {65, 10}, {60, 18}, {55, 10},
                        {20, 10}, {20, 20}, {100, 20}, {100, 30}, {0, 30}, {0, 0}};
    const Ring hole = Square(48, 22, 52, 25);
    const Ring outline = BridgeHoles(outer, {hole});
    const auto bridges = Bridges(outline);
    ASSERT_EQ(bridges.size(), 2u);
    const std::set<std::pair<int32_t, int32_t>> ends{{bridges[0].first.x, bridges[0].first.y},
                                                     {bridges[0].second.x, bridges[0].second.y}};
    EXPECT_EQ(ends, (std::set<std::pair<int32_t, int32_t>>{{52, 25}, {100, 20}}));
    EXPECT_EQ(Winding(outline, 50, 23.5), 0);
    EXPECT_EQ(Winding(outline, 30, 25), 1);
    EXPECT_EQ(Winding(outline, 60, 15), 1) << "the spike";
    EXPECT_EQ(Winding(outline, 30, 15), 0) << "the sea between the arms";
}

TEST(BridgesTest, OutlinesWithoutBridges) {
    // A plain square: no bridge edge, in either coordinate form, and it
    // splits into itself.
    const Ring square = Square(0, 0, 10, 10);
    const std::vector<bool> none = BridgeEdges(std::span<const LPoint>(square));
    EXPECT_EQ(none, std::vector<bool>(4, false));
    const std::vector<POINT> logical = {{0, 0}, {5, 0}, {5, 5}, {0, 0}};
    EXPECT_EQ(BridgeEdges(std::span<const POINT>(logical)), std::vector<bool>(3, false));
    EXPECT_EQ(SplitBridges(square), std::vector<Ring>{square});

    // A hole of fewer than three points is no hole; the outer ring, given
    // clockwise, comes back reversed to turn anticlockwise, closed.
    const Ring outline = BridgeHoles({{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}, {{{2, 2}, {3, 3}, {2, 2}}});
    EXPECT_EQ(outline, (Ring{{10, 0}, {10, 10}, {0, 10}, {0, 0}, {10, 0}}));
}

// Coordinates at the ends of the 32-bit range (an area closed round a pole
// in Mercator reaches them): the arithmetic does not overflow.
TEST(BridgesTest, ExtremeCoordinates) {
    const int32_t big = 2147483647;
    const Ring outer = Square(-big, -big, big, big);
    const Ring hole = Square(-10, -10, 10, 10);
    const Ring outline = BridgeHoles(outer, {hole});
    EXPECT_EQ(Bridges(outline).size(), 2u);
    EXPECT_EQ(Winding(outline, 0, 0), 0);
    EXPECT_EQ(Winding(outline, 1e6, 1e6), 1);
}

}  // namespace
}  // namespace okap
