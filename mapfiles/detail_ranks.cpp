#include "mapfiles/detail_ranks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace okap {

namespace {

constexpr double kAlways = std::numeric_limits<double>::infinity();

// The squared distance from p to the segment from a to b (to a alone when
// the two are the same point, as the ends of a closed ring are).
double SquaredDistance(LPoint p, LPoint a, LPoint b) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    double px = static_cast<double>(p.x) - a.x;
    double py = static_cast<double>(p.y) - a.y;
    const double length = dx * dx + dy * dy;
    if (length > 0) {
        const double along = std::clamp((px * dx + py * dy) / length, 0.0, 1.0);
        px -= along * dx;
        py -= along * dy;
    }
    return px * px + py * py;
}

// The point strictly between first and last, other than skip, farthest
// from the segment a-b.
size_t Farthest(std::span<const LPoint> points, size_t first, size_t last, LPoint a, LPoint b,
                size_t skip = SIZE_MAX) {
    size_t farthest = first + 1 == skip ? first + 2 : first + 1;
    double widest = -1.0;
    for (size_t i = first + 1; i < last; ++i) {
        if (i == skip) continue;
        const double d = SquaredDistance(points[i], a, b);
        if (d > widest) {
            widest = d;
            farthest = i;
        }
    }
    return farthest;
}

struct Run {
    size_t first;
    size_t last;
    double rank;  // of the point that split it off
};

}  // namespace

std::vector<double> DetailRanks(std::span<const LPoint> points, const std::vector<bool>& pinned) {
    std::vector<double> ranks(points.size(), 0.0);
    if (points.empty()) return ranks;
    std::vector<Run> runs;
    size_t start = 0;
    for (size_t i = 1; i < points.size(); ++i) {
        if (i + 1 == points.size() || (!pinned.empty() && pinned[i])) {
            runs.push_back({start, i, kAlways});
            start = i;
        }
    }
    ranks.front() = ranks.back() = kAlways;
    while (!runs.empty()) {
        const Run run = runs.back();
        runs.pop_back();
        if (run.last - run.first < 2) continue;
        const size_t farthest = Farthest(points, run.first, run.last, points[run.first], points[run.last]);
        if (run.last - run.first > 2 && points[run.first] == points[run.last]) {
            // A loop keeps the triangle of its start, its farthest point and
            // the point farthest from the line through both.
            const size_t third = Farthest(points, run.first, run.last, points[run.first], points[farthest], farthest);
            const size_t a = std::min(farthest, third), b = std::max(farthest, third);
            ranks[a] = ranks[b] = kAlways;
            runs.push_back({run.first, a, kAlways});
            runs.push_back({a, b, kAlways});
            runs.push_back({b, run.last, kAlways});
            continue;
        }
        const double rank =
            std::min(std::sqrt(SquaredDistance(points[farthest], points[run.first], points[run.last])), run.rank);
        ranks[farthest] = rank;
        runs.push_back({run.first, farthest, rank});
        runs.push_back({farthest, run.last, rank});
    }
    if (!pinned.empty()) {
        for (size_t i = 0; i < points.size(); ++i) {
            if (pinned[i]) ranks[i] = kAlways;
        }
    }
    return ranks;
}

}  // namespace okap
