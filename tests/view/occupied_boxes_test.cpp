#include "view/occupied_boxes.h"

#include <gtest/gtest.h>

#include <vector>

namespace okap {
namespace {

// Boxes are (left, top) to (right, bottom), y upwards.
TEST(OccupiedBoxes, OverlapNeedsSharedAreaWhereverTheBoxesLie) {
    const TBox taken{{100, 200}, {300, 100}};
    struct Row {
        const char* what;
        TBox box;
        bool overlaps;
    } rows[] = {
        {"inside", {{150, 180}, {250, 120}}, true},
        {"across the right edge", {{250, 150}, {400, 50}}, true},
        {"round it", {{0, 300}, {400, 0}}, true},
        {"corners given the other way round", {{250, 50}, {150, 150}}, true},
        {"touching its right edge", {{300, 200}, {400, 100}}, false},
        {"touching its top at a corner", {{300, 300}, {400, 200}}, false},
        {"below", {{100, 99}, {300, 0}}, false},
    };
    OccupiedBoxes boxes;
    boxes.Add(taken);
    for (const Row& r : rows) {
        EXPECT_EQ(boxes.Overlaps(r.box), r.overlaps) << r.what;
        EXPECT_EQ(BoxesOverlap(taken, r.box), r.overlaps) << r.what;
    }

    // Far out, across cells and across zero, and a box over a great many
    // cells, found from either side.
    OccupiedBoxes spread;
    spread.Add({{-2000000000, -1000}, {-1999999000, -2000}});
    spread.Add({{-600, 700}, {600, -700}});
    spread.Add({{-2000000000, 2000000000}, {2000000000, 1999999000}});
    EXPECT_TRUE(spread.Overlaps({{-1999999500, -1500}, {-1999999400, -1600}}));
    EXPECT_TRUE(spread.Overlaps({{500, -600}, {520, -620}}));
    EXPECT_TRUE(spread.Overlaps({{12345, 1999999500}, {12346, 1999999400}}));
    EXPECT_TRUE(spread.Overlaps({{-1000000000, 1000000000}, {1000000000, -1000000000}}));
    EXPECT_FALSE(spread.Overlaps({{700, 0}, {800, -100}}));
    EXPECT_EQ(spread.Size(), 3u);
}

TEST(OccupiedBoxes, OnlyTheBoxesThatCountAreAsked) {
    OccupiedBoxes boxes;
    boxes.Add({{0, 100}, {100, 0}});    // 0
    boxes.Add({{50, 100}, {150, 0}});   // 1
    const TBox over{{60, 50}, {70, 40}};
    EXPECT_TRUE(boxes.Overlaps(over, [](size_t n) { return n == 1; }));
    EXPECT_FALSE(boxes.Overlaps(over, [](size_t n) { return n > 1; }));
}

}  // namespace
}  // namespace okap
