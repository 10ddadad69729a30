#include "core/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace okap {
namespace {

constexpr int32_t kMax = 2147483647;

LBox MakeLBox(int32_t w, int32_t n, int32_t e, int32_t s) { return {{w, n}, {e, s}}; }
TBox ToT(const LBox& b) { return {{b.tl.x, b.tl.y}, {b.br.x, b.br.y}}; }
POINT ToT(LPoint p) { return {p.x, p.y}; }

// ---------------------------------------------------------------- conversions

TEST(GeometryConversion, DoublesClampThenTruncate) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        double in;
        int32_t out;
    } rows[] = {
        {3.0e9, kMax},           // clamped
        {-3.0e9, -kMax},         // clamped; the most negative 32-bit value is never made
        {-2147483648.0, -kMax},  // exactly INT32_MIN is clamped as well
        {2147483647.9, kMax},    // truncated after clamping
        {-2.7, -2},              // towards zero, not down
        {2.7, 2},
        {-0.4, 0},
        {inf, kMax},
        {-inf, -kMax},
        {nan, 0},  // NaN has no coordinate: 0 by choice
    };
    for (const Row& r : rows) {
        EXPECT_EQ(SafeLong(r.in), r.out) << r.in;
        EXPECT_EQ(SafeInt(r.in), r.out) << r.in;
    }
}

TEST(GeometryConversion, LongLongClamps) {
    EXPECT_EQ(SafeInt(3000000000LL), kMax);
    EXPECT_EQ(SafeInt(-3000000000LL), -kMax);
    EXPECT_EQ(SafeInt(-2147483648LL), -kMax);
    EXPECT_EQ(SafeInt(std::numeric_limits<long long>::min()), -kMax);
    EXPECT_EQ(SafeInt(-123LL), -123);
}

// ------------------------------------------------------------------ distances

TEST(GeometryDistance, FlatDistanceTruncatesAndClamps) {
    EXPECT_DOUBLE_EQ(Distance(1.5, 2.0, 4.5, 6.0), 5.0);  // 3-4-5 triangle
    struct Row {
        LPoint a, b;
        int32_t d;
    } rows[] = {
        {{0, 0}, {3, 4}, 5},
        {{0, 0}, {1, 1}, 1},     // 1.414 truncated
        {{0, 0}, {-2, -2}, 2},   // 2.828 truncated
        {{-kMax, 0}, {kMax, 0}, kMax},  // 4294967294 does not fit: clamped, and no overflow on the way
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Distance(r.a, r.b), r.d) << r.a << r.b;
        EXPECT_EQ(Distance(ToT(r.a), ToT(r.b)), r.d) << r.a << r.b;
    }
}

TEST(GeometryDistance, GreatCircle) {
    // One degree along the equator: R = 6378 and the haversine gives back
    // the angle, so the result is 6378 * 0.017453293 = 111.317102754 km.
    EXPECT_NEAR(GCircleDistance(Position(Latitude(0.0), Longitude(0.0)), Position(Latitude(0.0), Longitude(1.0))),
                111.317102754, 1e-9);
    // One degree along a meridian from 60N to 61N: R = 6378 - 21 sin(60.5 deg)
    // = 6359.72253008, times 0.017453293 = 110.998100716 km.
    EXPECT_NEAR(GCircleDistance(Position(Latitude(60.0), Longitude(0.0)), Position(Latitude(61.0), Longitude(0.0))),
                110.998100716, 1e-8);
    // Symmetric, and southern latitudes use the signed sine (radius grows
    // past 6378): from 60S to 61S is 6378 + 18.27747 = 6396.27747 km times
    // 0.017453293 = 111.636104792 km.
    EXPECT_NEAR(GCircleDistance(Position(Latitude(-61.0), Longitude(0.0)), Position(Latitude(-60.0), Longitude(0.0))),
                111.636104792, 1e-8);
}

// ------------------------------------------------------------------ box tests

// W = 0, N = 100, E = 200, S = -100.
const LBox kBox = MakeLBox(0, 100, 200, -100);

TEST(GeometryBoxTests, PointOutsideBoxEdgesAreInside) {
    struct Row {
        LPoint p;
        int outside;
    } rows[] = {
        {{0, 0}, 0},     {{200, 0}, 0},    {{100, 100}, 0},  {{100, -100}, 0}, {{0, 100}, 0},  // edges, corner
        {{-1, 0}, 1},    {{201, 0}, 1},    {{100, 101}, 1},  {{100, -101}, 1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(PointOutsideBox(kBox, r.p), r.outside) << r.p;
        EXPECT_EQ(PointOutsideBox(ToT(kBox), ToT(r.p)), r.outside) << r.p;
    }
}

TEST(GeometryBoxTests, LineOutsideAndInsideBox) {
    struct Row {
        LPoint a, b;
        int outside, inside;
    } rows[] = {
        {{-1, -50}, {-5, 50}, 1, 0},      // both west
        {{201, 0}, {300, 0}, 1, 0},       // both east
        {{-50, 101}, {300, 150}, 1, 0},   // both north, spanning the box's width
        {{-50, -101}, {300, -150}, 1, 0}, // both south
        {{-1, 0}, {100, 101}, 0, 0},      // outside on different sides: may still cross
        {{-1, 0}, {100, 0}, 0, 0},        // one end inside
        {{0, 100}, {200, -100}, 0, 1},    // corner to corner: on the edges counts as inside
        {{10, 10}, {20, 20}, 0, 1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(LineOutsideBox(kBox, r.a, r.b), r.outside) << r.a << r.b;
        EXPECT_EQ(LineOutsideBox(ToT(kBox), ToT(r.a), ToT(r.b)), r.outside) << r.a << r.b;
        EXPECT_EQ(LineInsideBox(kBox, r.a, r.b), r.inside) << r.a << r.b;
        EXPECT_EQ(LineInsideBox(ToT(kBox), ToT(r.a), ToT(r.b)), r.inside) << r.a << r.b;
    }
}

TEST(GeometryBoxTests, LineOutsideLineTouchingOverlaps) {
    struct Row {
        LPoint a1, a2, b1, b2;
        int outside;
    } rows[] = {
        {{0, 0}, {10, 10}, {10, 10}, {20, 0}, 0},   // shared end
        {{0, 0}, {10, 10}, {11, 0}, {20, 10}, 1},   // one unit apart in x
        {{0, 0}, {10, 10}, {0, 11}, {10, 20}, 1},   // one unit apart in y
        {{0, 0}, {10, 10}, {6, 0}, {10, 3}, 0},     // boxes overlap though the segments do not meet
        {{20, 0}, {11, 10}, {0, 10}, {10, 0}, 1},   // order of the ends does not matter
    };
    for (const Row& r : rows) {
        EXPECT_EQ(LineOutsideLine(r.a1, r.a2, r.b1, r.b2), r.outside) << r.a1 << r.a2 << r.b1 << r.b2;
        EXPECT_EQ(LineOutsideLine(r.b1, r.b2, r.a1, r.a2), r.outside);
        EXPECT_EQ(LineOutsideLine(ToT(r.a1), ToT(r.a2), ToT(r.b1), ToT(r.b2)), r.outside);
    }
}

TEST(GeometryBoxTests, BoxOutOfBoxAndBoxInBox) {
    struct Row {
        LBox other;
        int out, in;
    } rows[] = {
        {MakeLBox(200, 50, 300, 0), 0, 0},      // touches the east edge: not out
        {MakeLBox(201, 50, 300, 0), 1, 0},      // one unit east
        {MakeLBox(-50, 50, 0, 0), 0, 0},        // touches the west edge
        {MakeLBox(-50, 50, -1, 0), 1, 0},
        {MakeLBox(10, 200, 20, 100), 0, 0},     // touches the north edge
        {MakeLBox(10, 200, 20, 101), 1, 0},
        {MakeLBox(10, -100, 20, -200), 0, 0},   // touches the south edge
        {MakeLBox(10, -101, 20, -200), 1, 0},
        {kBox, 0, 1},                           // equal edges count as inside
        {MakeLBox(0, 100, 50, 50), 0, 1},       // shares the north-west corner
        {MakeLBox(-1, 100, 200, -100), 0, 0},   // one unit beyond each side in turn
        {MakeLBox(0, 101, 200, -100), 0, 0},
        {MakeLBox(0, 100, 201, -100), 0, 0},
        {MakeLBox(0, 100, 200, -101), 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(BoxOutOfBox(kBox, r.other), r.out) << r.other;
        EXPECT_EQ(BoxOutOfBox(r.other, kBox), r.out) << r.other;  // symmetric
        EXPECT_EQ(BoxOutOfBox(ToT(kBox), ToT(r.other)), r.out) << r.other;
        EXPECT_EQ(BoxInBox(kBox, r.other), r.in) << r.other;
        EXPECT_EQ(BoxInBox(ToT(kBox), ToT(r.other)), r.in) << r.other;
    }
    EXPECT_EQ(BoxInBox(MakeLBox(0, 100, 50, 50), kBox), 0);  // the larger box is not inside the smaller
}

// --------------------------------------------------------------- intersection

TEST(GeometryIntersect, Table) {
    struct Row {
        const char* what;
        LPoint a1, a2, b1, b2;
        int found;
        LPoint out;  // checked only when found
    } rows[] = {
        {"cross", {0, 0}, {10, 10}, {0, 10}, {10, 0}, 1, {5, 5}},
        // x = 1.5 rounds to 2; y then follows a's slope: 2/3 truncated to 0.
        {"rounded x", {0, 0}, {3, 1}, {0, 1}, {3, 0}, 1, {2, 0}},
        // Exact crossing x = -3.2, near the segment's end at -3: it rounds
        // to -3 (adding +0.5 alone would give -2, off the segment).
        {"negative x", {-10, 100}, {0, 100}, {-3, 50}, {-4, 300}, 1, {-3, 100}},
        {"shared end", {0, 0}, {10, 10}, {10, 10}, {20, 0}, 1, {10, 10}},
        // Lines meet at x = -18, outside both segments; their boxes overlap.
        {"beyond ends", {0, 0}, {10, 10}, {6, 0}, {10, 3}, 0, {}},
        {"boxes apart", {0, 0}, {1, 1}, {2, 2}, {3, 0}, 0, {}},
        // a vertical: x = 5, y = 5 * 0.4 = 2.
        {"a vertical", {5, -10}, {5, 10}, {0, 0}, {10, 4}, 1, {5, 2}},
        // y = 1.5 is truncated, not rounded.
        {"a vertical truncates", {5, -10}, {5, 10}, {0, 0}, {10, 3}, 1, {5, 1}},
        // y = 2 lies beyond a's top at 1.
        {"a vertical misses", {5, -10}, {5, 1}, {0, 0}, {10, 4}, 0, {}},
        {"b vertical", {0, 0}, {10, 4}, {5, -10}, {5, 10}, 1, {5, 2}},
        {"both vertical", {5, 0}, {5, 10}, {5, 5}, {5, 20}, 0, {}},
        {"parallel", {0, 0}, {10, 10}, {0, 1}, {10, 11}, 0, {}},
        {"collinear", {0, 0}, {10, 10}, {5, 5}, {20, 20}, 0, {}},
        // Full-range coordinates: the differences overflow 32 bits.
        {"huge vertical", {-kMax, 0}, {kMax, 0}, {0, -kMax}, {0, kMax}, 1, {0, 0}},
        {"huge diagonal", {-2000000000, -2000000000}, {2000000000, 2000000000}, {-2000000000, 2000000000},
         {2000000000, -2000000000}, 1, {0, 0}},
    };
    for (const Row& r : rows) {
        LPoint out{};
        EXPECT_EQ(IntersectLong(r.a1, r.a2, r.b1, r.b2, out), r.found) << r.what;
        if (r.found) {
            EXPECT_EQ(out, r.out) << r.what;
        }
        POINT tout{};
        EXPECT_EQ(IntersectInt(ToT(r.a1), ToT(r.a2), ToT(r.b1), ToT(r.b2), tout), r.found) << r.what;
        if (r.found) {
            EXPECT_EQ(tout, ToT(r.out)) << r.what;
        }
    }
}

// ------------------------------------------------------------------ ClipLine

// W = -100, N = 100, E = 100, S = -100.
const LBox kClip = MakeLBox(-100, 100, 100, -100);

struct ClipRow {
    const char* what;
    LPoint a, b;
    int result;
    LPoint aOut, bOut;
};

// Expected points worked by hand from the slope of a-b.
const ClipRow kClipRows[] = {
    {"beyond one side", {-150, 0}, {-120, 50}, 0, {-150, 0}, {-120, 50}},
    // Passes the north-west corner on the outside: lines meet at x = -130 and y = 130.
    {"misses the corner", {-150, 80}, {-80, 150}, 0, {-150, 80}, {-80, 150}},
    {"enters", {-150, 0}, {0, 0}, 1, {-100, 0}, {0, 0}},
    // Slope 5: the top is met at x = 100 / 5 = 20.
    {"leaves through the top", {0, 0}, {30, 150}, 2, {0, 0}, {20, 100}},
    // Slope 15: x = 100 / 15 = 6.67 rounds to 7; the edge's y stays exact.
    {"leaves the top between units", {0, 0}, {10, 150}, 2, {0, 0}, {7, 100}},
    {"leaves the top between units, west", {0, 0}, {-10, 150}, 2, {0, 0}, {-7, 100}},
    // Slope -15 downwards: x = -100 / -15 = 6.67 rounds to 7.
    {"enters through the bottom", {10, -150}, {0, 0}, 1, {7, -100}, {0, 0}},
    // Slope 1/6: y = 50/6 = 8.33 at the west edge, 250/6 = 41.67 at the
    // east edge, both truncated; the west crossing is nearer a.
    {"crosses", {-150, 0}, {150, 50}, 3, {-100, 8}, {100, 41}},
    {"crosses backwards", {150, 50}, {-150, 0}, 3, {100, 41}, {-100, 8}},
    // Through the north-west corner only: found on the top and the west edge.
    {"touches a corner", {-150, 50}, {-50, 150}, 0, {-100, 100}, {-100, 100}},
    // The diagonal meets the NW corner on the top and west edges and the SE
    // corner on the east and bottom edges: it crosses the box.
    {"corner to corner", {-150, 150}, {150, -150}, 3, {-100, 100}, {100, -100}},
    // Slope -2 through the NW corner, out through the bottom at x = 0.
    {"through one corner", {-110, 120}, {20, -140}, 3, {-100, 100}, {0, -100}},
    // Inside to outside through the NE corner: it leaves there.
    {"leaves through a corner", {50, 50}, {150, 150}, 2, {50, 50}, {100, 100}},
    // Slope 5/3 from (98, 96): the top at x = 100.4 (rounds to 100), the east
    // edge at y = 99.3 (truncates to 99). One exit, found on both edges.
    {"leaves beside a corner", {98, 96}, {101, 101}, 2, {98, 96}, {100, 100}},
    // a on the west edge counts as inside; the segment leaves at the east
    // edge at y = 200 * 0.2 = 40.
    {"leaves from an edge", {-100, 0}, {150, 50}, 2, {-100, 0}, {100, 40}},
};

TEST(GeometryClipLine, LongForm) {
    for (const ClipRow& r : kClipRows) {
        LPoint a = r.a;
        LPoint b = r.b;
        EXPECT_EQ(ClipLine(kClip, a, b), r.result) << r.what;
        EXPECT_EQ(a, r.aOut) << r.what;
        EXPECT_EQ(b, r.bOut) << r.what;
    }
}

TEST(GeometryClipLine, IntForm) {
    for (const ClipRow& r : kClipRows) {
        POINT a = ToT(r.a);
        POINT b = ToT(r.b);
        EXPECT_EQ(ClipLine(ToT(kClip), a, b), r.result) << r.what;
        EXPECT_EQ(a, ToT(r.aOut)) << r.what;
        EXPECT_EQ(b, ToT(r.bOut)) << r.what;
    }
}

// ------------------------------------------------------------- point in polygon

TEST(GeometryPointInPolygon, Table) {
    const std::vector<LPoint> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    // A U opening north: a notch from (10,10) to (20,30).
    const std::vector<LPoint> cup = {{0, 0},   {30, 0},  {30, 30}, {20, 30}, {20, 10},
                                     {10, 10}, {10, 30}, {0, 30},  {0, 0}};
    // A C opening east: a notch from (10,10) to (30,20).
    const std::vector<LPoint> hook = {{0, 0},   {30, 0},  {30, 10}, {10, 10}, {10, 20},
                                      {30, 20}, {30, 30}, {0, 30},  {0, 0}};
    const std::vector<LPoint> diamond = {{10, 0}, {20, 10}, {10, 20}, {0, 10}, {10, 0}};
    struct Row {
        const char* what;
        const std::vector<LPoint>* outline;
        LPoint p;
        int inside;
    } rows[] = {
        {"square centre", &square, {5, 5}, 1},
        {"square east of", &square, {15, 5}, 0},
        {"square below", &square, {5, -1}, 0},
        {"square above", &square, {5, 11}, 0},
        {"square bottom edge", &square, {5, 0}, 1},
        {"square top edge", &square, {5, 10}, 1},
        {"square west edge", &square, {0, 5}, 1},
        {"square east edge", &square, {10, 5}, 1},
        {"square vertex", &square, {10, 10}, 1},
        {"square first vertex", &square, {0, 0}, 1},
        {"cup arm", &cup, {5, 20}, 1},
        {"cup notch", &cup, {15, 20}, 0},
        {"cup below notch", &cup, {15, 5}, 1},
        {"cup notch floor", &cup, {15, 10}, 1},
        // The ray up from here runs through the vertex (10,10) and on up the
        // notch's west side: one crossing.
        {"cup under a vertex", &cup, {10, 5}, 1},
        {"hook lower arm", &hook, {20, 5}, 1},
        {"hook notch", &hook, {20, 15}, 0},
        // On the lower arm's top, with two more edges above.
        {"hook notch floor", &hook, {20, 10}, 1},
        {"hook notch ceiling", &hook, {20, 20}, 1},
        // The ray passes the top vertex (10,20): counted once.
        {"diamond centre", &diamond, {10, 5}, 1},
        // The ray passes both the bottom and the top vertex: two crossings.
        {"diamond below", &diamond, {10, -5}, 0},
        {"diamond above", &diamond, {10, 25}, 0},
        // On the falling edge (0,10)-(10,0), and one unit below it.
        {"diamond falling edge", &diamond, {5, 5}, 1},
        {"diamond under falling edge", &diamond, {5, 4}, 0},
        {"diamond rising edge", &diamond, {15, 5}, 1},
    };
    for (const Row& r : rows) {
        const std::vector<LPoint>& pts = *r.outline;
        EXPECT_EQ(PointInPolygon(pts.data(), static_cast<int>(pts.size()), r.p), r.inside) << r.what;
        std::vector<POINT> tpts;
        for (LPoint p : pts) tpts.push_back(ToT(p));
        EXPECT_EQ(PointInPolygon(tpts.data(), static_cast<int>(tpts.size()), ToT(r.p)), r.inside) << r.what;
    }
}

// -------------------------------------------------------------------- Rotate

TEST(GeometryRotate, QuarterTurnTruncates) {
    // a = 90 * 0.017453 = 1.57077, a little short of pi/2: cos a = 2.63e-5,
    // sin a = 0.99999999965, so 100 units become 99.99999996, truncated to 99.
    POINT pts[] = {{100, 0}, {0, 100}, {1100, 2000}};
    EXPECT_EQ(Rotate(pts, 2, {0, 0}, 90.0), 1);
    EXPECT_EQ(pts[0], (POINT{0, 99}));
    EXPECT_EQ(pts[1], (POINT{-99, 0}));
    EXPECT_EQ(pts[2], (POINT{1100, 2000}));  // beyond n: untouched
    EXPECT_EQ(Rotate(pts + 2, 1, {1000, 2000}, 90.0), 1);
    EXPECT_EQ(pts[2], (POINT{1000, 2099}));  // 2099.99999996 truncated
    // Half a turn: cos a = -0.9999999986, sin a = 5.3e-5.
    POINT half[] = {{100, 0}};
    Rotate(half, 1, {0, 0}, 180.0);
    EXPECT_EQ(half[0], (POINT{-99, 0}));
}

// --------------------------------------------------------------------- sorts

TEST(GeometrySort, LongAndInt) {
    int32_t v[] = {3, -kMax, 1, kMax, 1, 0};
    SortLong(v, 6, 0);
    EXPECT_EQ(std::vector<int32_t>(v, v + 6), (std::vector<int32_t>{-kMax, 0, 1, 1, 3, kMax}));
    SortLong(v, 6, 1);
    EXPECT_EQ(std::vector<int32_t>(v, v + 6), (std::vector<int32_t>{kMax, 3, 1, 1, 0, -kMax}));
    int w[] = {5, 4, 3, 2, 1};
    SortInt(w, 3, 0);  // only the first three
    EXPECT_EQ(std::vector<int>(w, w + 5), (std::vector<int>{3, 4, 5, 2, 1}));
    SortInt(w, 0, 0);  // empty: nothing happens
    EXPECT_EQ(w[0], 3);
}

TEST(GeometrySort, SortFillIsStableWithinRange) {
    // clipsegref numbers the entries in their original order.
    auto make = [] {
        std::vector<FillPoint> v;
        const LPoint pts[] = {{9, 9}, {3, 5}, {1, 7}, {3, 2}, {2, 5}, {0, 0}};
        for (int i = 0; i < 6; ++i) v.push_back(FillPoint{pts[i], i});
        return v;
    };
    auto refs = [](const std::vector<FillPoint>& v) {
        std::vector<int32_t> r;
        for (const FillPoint& f : v) r.push_back(f.clipsegref);
        return r;
    };
    struct Row {
        int key, order;
        std::vector<int32_t> refs;  // of entries 1..4 after the sort; 0 and 5 stay put
    } rows[] = {
        {0, 0, {2, 4, 1, 3}},  // x 1,2,3,3: the two x = 3 keep their order
        {0, 1, {1, 3, 4, 2}},  // x 3,3,2,1
        {1, 0, {3, 1, 4, 2}},  // y 2,5,5,7: the two y = 5 keep their order
        {1, 1, {2, 1, 4, 3}},  // y 7,5,5,2
    };
    for (const Row& r : rows) {
        std::vector<FillPoint> v = make();
        SortFill(v.data(), 1, 4, r.key, r.order);
        std::vector<int32_t> expected = {0};
        expected.insert(expected.end(), r.refs.begin(), r.refs.end());
        expected.push_back(5);
        EXPECT_EQ(refs(v), expected) << "key " << r.key << " order " << r.order;
    }
}

// ------------------------------------------------------------ AddClipPoints

TEST(GeometryAddClipPoints, Table) {
    constexpr int32_t kTurn = 400032005;  // 360 degrees in angle units, plus 5
    // W = -1000, N = 500, E = 1000, S = -500: the detour runs at x = -1001
    // and x = 1001 and over the top at y = 501.
    const LBox box = MakeLBox(-1000, 500, 1000, -500);
    struct Row {
        const char* what;
        LPoint a, current;
        LPoint b, e;  // c, d and f follow from the direction
    } rows[] = {
        // Both shifted segments reach their lines. b: a to (900 - kTurn, 400)
        // has slope -9.99924e-7 and meets x = -1001 at y = 0.0001, truncated
        // to 0; e: f to (kTurn - 900, 0) meets x = 1001 at y = 399.9999.
        {"both lines met", {-900, 0}, {900, 400}, {-1001, 0}, {1001, 399}},
        // West to east. b: a to (-1100, 200) has slope -1 and meets x = -1001
        // at y = 101. e: f to (a.x + kTurn, 0) lies far east of x = 1001; its
        // line reaches y = 400030104 there, held to N = 500.
        {"west to east", {-900, 0}, {kTurn - 1100, 200}, {-1001, 101}, {1001, 500}},
        // The mirror image.
        {"east to west", {900, 0}, {-kTurn + 1100, 200}, {1001, 101}, {-1001, 500}},
        // b: a to (-2500, 300) stops at x = -1500, short of x = -1001; its
        // line (slope -0.3) meets that at y = -149.7, truncated to -149.
        {"short of the line", {-1500, 0}, {kTurn - 2500, 300}, {-1001, -149}, {1001, 500}},
        // b: the segment meets x = -1001 at y = 1010, beyond N: held to 500.
        {"beyond the north", {-900, 0}, {kTurn - 1100, 2000}, {-1001, 500}, {1001, 500}},
        // Both shifted segments are vertical away from the lines: the
        // points' own y is used, held to N and S.
        {"no extent in x", {-1500, 700}, {kTurn - 1500, -800}, {-1001, 500}, {1001, -500}},
    };
    for (const Row& r : rows) {
        // In place in a point list, as the translator calls it.
        LPoint pts[6] = {r.a, r.current};
        AddClipPoints(box, pts[0], pts[1], pts[2], pts[3], pts[4], pts[5]);
        const bool westToEast = r.a.x < r.current.x;
        const LPoint c = westToEast ? LPoint{-1001, 501} : LPoint{1001, 501};
        const LPoint d = westToEast ? LPoint{1001, 501} : LPoint{-1001, 501};
        EXPECT_EQ(pts[0], r.a) << r.what;
        EXPECT_EQ(pts[1], r.b) << r.what;
        EXPECT_EQ(pts[2], c) << r.what;
        EXPECT_EQ(pts[3], d) << r.what;
        EXPECT_EQ(pts[4], r.e) << r.what;
        EXPECT_EQ(pts[5], r.current) << r.what;
    }
}

// ------------------------------------------------------------ RemoveSpikes

TEST(GeometryRemoveSpikes, Table) {
    using Ring = std::vector<LPoint>;
    struct Row {
        const char* what;
        Ring ring, expected;
    } rows[] = {
        // A square 0..10 with a stretch from (10, 5) out to (20, 5) and back.
        {"spike on an edge",
         {{0, 0}, {10, 0}, {10, 5}, {20, 5}, {10, 5}, {10, 10}, {0, 10}, {0, 0}},
         {{0, 0}, {10, 0}, {10, 5}, {10, 10}, {0, 10}, {0, 0}}},
        // The same spike where the outline starts and ends.
        {"spike at the seam",
         {{20, 5}, {10, 5}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}, {20, 5}},
         {{10, 5}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}}},
        // Out to (101, 1000) and back to (99, 200): the legs lie a unit or
        // so apart, as truncated projected points do; the way back ends
        // beyond where the way out began, and that stretch stays.
        {"legs a unit apart",
         {{0, 0}, {100, 0}, {100, 100}, {101, 1000}, {99, 200}, {0, 200}, {0, 0}},
         {{0, 0}, {100, 0}, {100, 100}, {99, 200}, {0, 200}, {0, 0}}},
        // Points repeated, as a pole's are where it is a single point.
        {"repeated points",
         {{0, 0}, {10, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}},
         {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}},
        // A wedge 30 units wide at its base is an area, however thin.
        {"thin wedge", {{0, 0}, {1000, 0}, {0, 30}, {0, 0}}, {{0, 0}, {1000, 0}, {0, 30}, {0, 0}}},
        // Nothing but a spike: it folds away to its base.
        {"all spike", {{0, 0}, {10, 0}, {20, 0}, {10, 0}, {0, 0}}, {{0, 0}, {10, 0}, {0, 0}}},
        {"not closed", {{0, 0}, {10, 0}, {20, 0}, {10, 0}}, {{0, 0}, {10, 0}, {20, 0}, {10, 0}}},
        {"three points", {{0, 0}, {10, 0}, {0, 0}}, {{0, 0}, {10, 0}, {0, 0}}},
    };
    for (Row& r : rows) {
        RemoveSpikes(r.ring, 2.0);
        EXPECT_EQ(r.ring, r.expected) << r.what;
    }
}

}  // namespace
}  // namespace okap
