#include "mapfiles/segment_pieces.h"

#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "core/bridges.h"
#include "core/globals.h"
#include "platform/message_box.h"

namespace okap {
namespace {

std::vector<LPoint> Numbered(int n) {
    std::vector<LPoint> line;
    for (int i = 0; i < n; ++i) line.push_back({i, 2 * i});
    return line;
}

TEST(SplitLineTest, ConsecutivePiecesShareTheirEnds) {
    struct Row {
        int points, maxPoints;
        std::vector<int> counts;
    };
    const Row rows[] = {{0, 5, {}}, {1, 5, {1}}, {5, 5, {5}}, {6, 5, {5, 2}}, {9, 5, {5, 5}}, {13, 5, {5, 5, 5}},
                        {25000, 10000, {10000, 10000, 5002}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.points);
        const std::vector<LPoint> line = Numbered(row.points);
        std::vector<LPoint> pieces;
        std::vector<int> counts;
        SplitLine(line, row.maxPoints, pieces, counts);
        EXPECT_EQ(counts, row.counts);
        // Piece after piece, each starting with the point the last ended on.
        std::vector<LPoint> joined;
        size_t at = 0;
        for (int n : counts) {
            if (!joined.empty()) EXPECT_EQ(pieces[at], joined.back());
            joined.insert(joined.end(), pieces.begin() + (joined.empty() ? at : at + 1), pieces.begin() + at + n);
            at += static_cast<size_t>(n);
        }
        EXPECT_EQ(joined, line);
    }
}

double SignedArea(std::span<const LPoint> ring) {
    double sum = 0;
    for (size_t i = 0; i + 1 < ring.size(); ++i)
        sum += double(ring[i].x) * ring[i + 1].y - double(ring[i + 1].x) * ring[i].y;
    return sum / 2;
}

// The square 0..200 with a point every unit along its edges, anticlockwise.
std::vector<LPoint> DenseSquare() {
    std::vector<LPoint> ring;
    for (int i = 0; i < 200; ++i) ring.push_back({i, 0});
    for (int i = 0; i < 200; ++i) ring.push_back({200, i});
    for (int i = 200; i > 0; --i) ring.push_back({i, 200});
    for (int i = 200; i > 0; --i) ring.push_back({0, i});
    ring.push_back(ring.front());
    return ring;
}

// Tiles within the limit, closed, that add up to the area; a hole joined by
// a bridge stays out of them.
TEST(TileAreaTest, TilesWithinTheLimitCoverTheArea) {
    std::vector<LPoint> hole;
    for (int i = 0; i < 60; ++i) hole.push_back({100 + i, 50});
    for (int i = 0; i < 60; ++i) hole.push_back({160, 50 + i});
    for (int i = 60; i > 0; --i) hole.push_back({100 + i, 110});
    for (int i = 60; i > 0; --i) hole.push_back({100, 50 + i});
    hole.push_back(hole.front());
    struct Row {
        const char* what;
        std::vector<LPoint> area;
        double expected;  // a hand computation
    };
    const Row rows[] = {
        {"dense square", DenseSquare(), 200.0 * 200},
        {"with a hole", BridgeHoles(DenseSquare(), {hole}), 200.0 * 200 - 60 * 60},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_GT(row.area.size(), 800u);
        std::vector<LPoint> pieces;
        std::vector<int> counts;
        ASSERT_EQ(TileArea(row.area, 50, pieces, counts), 1);
        EXPECT_GT(counts.size(), 16u);
        double area = 0;
        size_t at = 0;
        for (int n : counts) {
            const std::span<const LPoint> tile(pieces.data() + at, static_cast<size_t>(n));
            at += static_cast<size_t>(n);
            EXPECT_LE(n, 50);
            EXPECT_EQ(tile.front(), tile.back()) << "closed";
            area += SignedArea(tile);
        }
        EXPECT_EQ(area, row.expected);
    }
}

TEST(TileAreaTest, WhatCannotBeCutSmallerIsRefused) {
    ResetGlobals();
    MessageRecorder messages;
    // Round a unit square again and again: no cut makes it shorter.
    std::vector<LPoint> ring;
    for (int i = 0; i < 4; ++i) ring.insert(ring.end(), {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    ring.push_back({0, 0});
    std::vector<LPoint> pieces{{1, 1}};
    std::vector<int> counts{1};
    EXPECT_EQ(TileArea(ring, 5, pieces, counts), 0);
    EXPECT_TRUE(pieces.empty());
    EXPECT_TRUE(counts.empty());
    // Small enough already: left as it is.
    EXPECT_EQ(TileArea(ring, 17, pieces, counts), 1);
    EXPECT_EQ(counts, std::vector<int>{17});
}

}  // namespace
}  // namespace okap
