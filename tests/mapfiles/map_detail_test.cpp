// Map files held in memory for drawing: what is read, the simplified
// levels, what cannot be read, and the cache that shares them.

#include "mapfiles/map_detail.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>
#include <vector>

#include "core/bridges.h"
#include "core/globals.h"
#include "mapfiles/hole_bridges.h"
#include "mapfiles/map_detail_cache.h"
#include "mapfiles/map_fixtures.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"

namespace okap {
namespace {

using test::MapLayout;
using test::SegmentLayout;

SegmentLayout SegmentOf(int type, int kind, std::vector<LPoint> points) {
    SegmentLayout s;
    s.type = type;
    const auto count = static_cast<int32_t>(points.size());
    s.storedCount = kind == kLineKind ? -count : count;
    s.box = {points[0], points[0]};
    for (LPoint p : points) {
        s.box.tl.x = std::min(s.box.tl.x, p.x);
        s.box.tl.y = std::max(s.box.tl.y, p.y);
        s.box.br.x = std::max(s.box.br.x, p.x);
        s.box.br.y = std::min(s.box.br.y, p.y);
    }
    s.points = std::move(points);
    return s;
}

// A line 100000 units long of n points, wobbling up to 300 units about its
// course in a quick ripple and a slow swell.
std::vector<LPoint> NoisyLine(int n) {
    std::vector<LPoint> points;
    for (int i = 0; i < n; ++i) {
        const double x = 100000.0 * i / (n - 1);
        points.push_back({static_cast<int32_t>(x), static_cast<int32_t>(250 * std::sin(x / 9000) + 50 * std::sin(i * 1.7))});
    }
    return points;
}

// A closed ring of n points about radius r round c, wobbling by a tenth.
std::vector<LPoint> NoisyRing(LPoint c, double r, int n, bool anticlockwise = true) {
    std::vector<LPoint> ring;
    for (int i = 0; i < n - 1; ++i) {
        const double a = (anticlockwise ? 2 : -2) * M_PI * i / (n - 1);
        const double radius = r * (1 + 0.1 * std::sin(a * 17));
        ring.push_back({c.x + static_cast<int32_t>(radius * std::cos(a)), c.y + static_cast<int32_t>(radius * std::sin(a))});
    }
    ring.push_back(ring.front());
    return ring;
}

// The distance from p to the segment a-b.
double Distance(LPoint p, LPoint a, LPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

class MapDetailTest : public ::testing::Test {
protected:
    MapDetailTest() { ResetGlobals(); }
    ~MapDetailTest() override { ResetGlobals(); }

    std::string Write(const std::string& name, const MapLayout& layout) {
        return dir.Write(name, test::BuildMap(layout)).string();
    }

    test::TempDir dir;
    MessageRecorder messages;
};

TEST_F(MapDetailTest, HoldsEverySegmentAsTheFileHasIt) {
    MapLayout layout;
    layout.west = -5;
    layout.north = 7;
    layout.segments = {SegmentOf(4, kAreaKind, {{0, 0}, {10, 0}, {10, 10}, {0, 0}}),
                       SegmentOf(2, kLineKind, {{1, 1}, {2, 3}}), SegmentOf(9, kPointKind, {{5, 5}})};
    const auto detail = MapDetail::Read(Write("m.mpb", layout));
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->Header().west, -5);
    EXPECT_EQ(detail->Header().north, 7);
    ASSERT_EQ(detail->SegmentCount(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const SegmentLayout& s = layout.segments[i];
        const auto points = detail->Points(i, MapDetail::kFullDetail);
        EXPECT_EQ(std::vector<LPoint>(points.begin(), points.end()), s.points);
        EXPECT_EQ(detail->SegmentAt(i).type, s.type);
        EXPECT_EQ(detail->SegmentAt(i).box, s.box);
        EXPECT_FALSE(detail->SegmentAt(i).holeBridges);
    }
    EXPECT_EQ(detail->SegmentAt(0).kind, kAreaKind);
    EXPECT_EQ(detail->SegmentAt(1).kind, kLineKind);
    EXPECT_EQ(detail->SegmentAt(2).kind, kPointKind);
    // Too few points to be worth a level.
    EXPECT_EQ(detail->LevelCount(), 0);
    EXPECT_EQ(detail->LevelFor(1e9), MapDetail::kFullDetail);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MapDetailTest, LevelsStayWithinTheirToleranceAndShrink) {
    MapLayout layout;
    const std::vector<LPoint> line = NoisyLine(4000);
    layout.segments = {SegmentOf(1, kLineKind, line)};
    const auto detail = MapDetail::Read(Write("m.mpb", layout));
    ASSERT_TRUE(detail);
    ASSERT_GE(detail->LevelCount(), 3);
    size_t finer = line.size();
    for (int level = 0; level < detail->LevelCount(); ++level) {
        const auto kept = detail->Points(0, level);
        const double tolerance = detail->Tolerance(level);
        // At most half the points of the next finer level, and the ends.
        EXPECT_LE(kept.size() * 2, finer) << "level " << level;
        finer = kept.size();
        EXPECT_EQ(kept.front(), line.front());
        EXPECT_EQ(kept.back(), line.back());
        // A subset in order; every point left out lies within the
        // tolerance of the kept edge that replaces it.
        size_t k = 0;
        for (const LPoint& p : line) {
            if (k < kept.size() && p == kept[k]) {
                ++k;
                continue;
            }
            ASSERT_GT(k, 0u);
            ASSERT_LT(k, kept.size());
            EXPECT_LE(Distance(p, kept[k - 1], kept[k]), tolerance) << "level " << level;
        }
        EXPECT_EQ(k, kept.size()) << "level " << level;
        // The level chosen for a tolerance is the coarsest within it.
        EXPECT_EQ(detail->LevelFor(tolerance), level);
        EXPECT_EQ(detail->LevelFor(tolerance * 1.5), level);
    }
    EXPECT_EQ(detail->LevelFor(detail->Tolerance(0) * 0.9), MapDetail::kFullDetail);
}

TEST_F(MapDetailTest, AreasKeepTheirBridgesAndShowAsADotWhenSmall) {
    const std::vector<LPoint> outer = NoisyRing({0, 0}, 50000, 2000);
    const std::vector<LPoint> hole = NoisyRing({10000, 0}, 20000, 1000, false);
    const std::vector<LPoint> outline = BridgeHoles(outer, {hole});
    MapLayout layout;
    layout.segments = {SegmentOf(1, kAreaKind, outline), SegmentOf(1, kAreaKind, NoisyRing({0, 0}, 5000, 500))};
    const auto detail = MapDetail::Read(Write("m.mpb", layout));
    ASSERT_TRUE(detail);
    EXPECT_TRUE(detail->SegmentAt(0).holeBridges);
    EXPECT_FALSE(detail->SegmentAt(1).holeBridges);
    const auto bridgeEdges = [](std::span<const LPoint> ring) {
        const std::vector<bool> edges = HoleBridgeEdges(ring);
        return std::count(edges.begin(), edges.end(), true);
    };
    ASSERT_EQ(bridgeEdges(outline), 2);
    ASSERT_GE(detail->LevelCount(), 1);
    for (int level = 0; level < detail->LevelCount(); ++level) EXPECT_EQ(bridgeEdges(detail->Points(0, level)), 2);
    // Far out, the small ring is a triangle and the points on its box (its
    // extremes, which tiles of a cut area share), and its closing point.
    const auto coarsest = detail->Points(1, detail->LevelCount() - 1);
    EXPECT_GE(coarsest.size(), 4u);
    EXPECT_LE(coarsest.size(), 8u);
}

TEST_F(MapDetailTest, FilesNotReadableWholeAreLeftToTheUsualReading) {
    MapLayout good;
    good.segments = {SegmentOf(1, kLineKind, {{0, 0}, {5, 5}})};
    MapLayout badRecord = good;
    badRecord.segments[0].type = 0;
    MapLayout pastTheEnd = good;
    pastTheEnd.segments[0].dataPosition = 1000;
    std::string cut = test::BuildMap(good);
    cut.resize(50);  // the directory is gone
    dir.Write("cut.mpb", cut);
    dir.Write("text.mpa", "\"A\",1,-2\r\n0,0\r\n1,1\r\n");
    badclient = 7;
    for (const std::string& name :
         {Write("record.mpb", badRecord), Write("past.mpb", pastTheEnd), (dir / "cut.mpb").string(),
          (dir / "text.mpa").string(), (dir / "missing.mpb").string()}) {
        EXPECT_FALSE(MapDetail::Read(name)) << name;
    }
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(badclient, 7);
}

TEST_F(MapDetailTest, CacheSharesAFileUntilItChanges) {
    MapDetailCache cache(size_t{1} << 30);
    MapLayout layout;
    layout.segments = {SegmentOf(1, kLineKind, {{0, 0}, {5, 5}})};
    const std::string path = Write("m.mpb", layout);
    const auto first = cache.Get(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(cache.Get(path), first);
    // Named another way, the same file.
    EXPECT_EQ(cache.Get((dir / "." / "m.mpb").string()), first);

    // Written again in place, the same size, a second later.
    const auto written = std::filesystem::last_write_time(path);
    layout.segments[0].points[1] = {6, 6};
    Write("m.mpb", layout);
    std::filesystem::last_write_time(path, written + std::chrono::seconds(1));
    const auto second = cache.Get(path);
    ASSERT_TRUE(second);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->Points(0, MapDetail::kFullDetail)[1], (LPoint{6, 6}));
    EXPECT_EQ(cache.Entries(), 1u);
    EXPECT_EQ(cache.Bytes(), second->Bytes());

    std::filesystem::remove(path);
    EXPECT_FALSE(cache.Get(path));
}

TEST_F(MapDetailTest, CacheReleasesTheFilesUsedLongestAgo) {
    MapLayout layout;
    layout.segments = {SegmentOf(1, kLineKind, NoisyLine(1000))};
    const std::string a = Write("a.mpb", layout), b = Write("b.mpb", layout), c = Write("c.mpb", layout);
    const size_t one = MapDetail::Read(a)->Bytes();
    MapDetailCache cache(2 * one);
    const auto heldA = cache.Get(a);
    cache.Get(b);
    cache.Get(a);  // b is now the oldest
    cache.Get(c);
    EXPECT_EQ(cache.Bytes(), 2 * one);
    EXPECT_EQ(cache.Get(a), heldA);
    // A file read again is a new entry.
    EXPECT_EQ(cache.Entries(), 2u);
    cache.Get(b);
    EXPECT_EQ(cache.Bytes(), 2 * one);
}

TEST_F(MapDetailTest, CacheReadsAFileOnceForPaintsOnSeveralThreads) {
    MapDetailCache cache(size_t{1} << 30);
    MapLayout layout;
    layout.segments = {SegmentOf(1, kLineKind, NoisyLine(20000))};
    const std::string path = Write("m.mpb", layout);
    std::vector<std::shared_ptr<const MapDetail>> got(4);
    std::vector<std::thread> threads;
    for (auto& detail : got) threads.emplace_back([&] { detail = cache.Get(path); });
    for (auto& thread : threads) thread.join();
    ASSERT_TRUE(got[0]);
    for (const auto& detail : got) EXPECT_EQ(detail, got[0]);
}

}  // namespace
}  // namespace okap
