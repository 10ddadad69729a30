// Douglas-Peucker ranks: each point's rank is the tolerance up to which it
// is kept.

#include "mapfiles/detail_ranks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace okap {
namespace {

constexpr double kAlways = std::numeric_limits<double>::infinity();

struct RankCase {
    const char* what;
    std::vector<LPoint> points;
    std::vector<bool> pinned;
    std::vector<double> ranks;  // worked out by hand
};

class DetailRanksTest : public ::testing::TestWithParam<RankCase> {};

TEST_P(DetailRanksTest, RanksAreTheToleranceEachPointSurvives) {
    const RankCase& c = GetParam();
    const std::vector<double> ranks = DetailRanks(c.points, c.pinned);
    ASSERT_EQ(ranks.size(), c.ranks.size());
    for (size_t i = 0; i < ranks.size(); ++i) EXPECT_DOUBLE_EQ(ranks[i], c.ranks[i]) << c.what << ", point " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DetailRanksTest,
    ::testing::Values(
        RankCase{"two points", {{0, 0}, {10, 0}}, {}, {kAlways, kAlways}},
        // Points on the line between the ends add nothing.
        RankCase{"straight", {{0, 0}, {5, 0}, {10, 0}}, {}, {kAlways, 0, kAlways}},
        // The peak splits first (3 from the base); the shoulder then lies
        // |4 * 1 - 3 * 2| / 5 = 0.4 from (0, 0)-(4, 3).
        RankCase{"peak and shoulder", {{0, 0}, {2, 1}, {4, 3}, {8, 0}}, {}, {kAlways, 0.4, 3, kAlways}},
        // (50, 20) splits first, 20 from the base; (10, -19) then lies
        // 1150 / sqrt(2900) = 21.4 from (0, 0)-(50, 20) but ranks no higher
        // than the point that split its run, so that a coarser tolerance
        // keeps a subset of a finer one's points.
        RankCase{"nested", {{0, 0}, {10, -19}, {50, 20}, {100, 0}}, {}, {kAlways, 20, 20, kAlways}},
        // A pinned point is kept and splits the points into runs: after
        // (5, 0) the corner (10, 0) lies 10 / sqrt(29) from (5, 0)-(10, 2),
        // where the whole would have kept it at 2.
        RankCase{"pinned", {{0, 0}, {5, 0}, {10, 0}, {10, 1}, {10, 2}}, {false, true, false, false, false},
                 {kAlways, kAlways, 10 / std::sqrt(29.0), 0, kAlways}},
        // A closed ring keeps its start, the point farthest from it (4, 4)
        // and the first point farthest from the line through both (4, 0);
        // (0, 4) lies sqrt(8) from (4, 4)-(0, 0).
        RankCase{"ring", {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}}, {}, {kAlways, kAlways, kAlways, std::sqrt(8.0), kAlways}}));

}  // namespace
}  // namespace okap
