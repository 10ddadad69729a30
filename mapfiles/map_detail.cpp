#include "mapfiles/map_detail.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <exception>

#include "core/globals.h"
#include "mapfiles/detail_ranks.h"
#include "mapfiles/hole_bridges.h"
#include "platform/message_box.h"

namespace okap {

namespace {

// The tolerances a level may have: powers of two of world units (one
// decimetre up to well beyond the size of the earth).
constexpr int kCandidateLevels = 32;
// A level is made only when it holds at most this share of the points of
// the next finer one: a view then never draws more than about twice the
// points its tolerance needs, and all levels together hold no more points
// than the file.
constexpr double kLevelShare = 0.5;

// The first candidate level (of tolerance 2^k) that drops a point of this
// rank: ranks above 2^k survive level k.
int FirstLevelDropping(float rank) {
    if (!(rank > 1.0f)) return 0;
    if (std::isinf(rank)) return kCandidateLevels;
    return std::min(kCandidateLevels, static_cast<int>(std::ceil(std::log2(static_cast<double>(rank)))));
}

}  // namespace

std::shared_ptr<const MapDetail> MapDetail::Read(const std::string& path) {
    // The reading is quiet: a file that cannot be read whole is left to the
    // usual reading, which reports it.
    const int wasBad = badclient;
    MessageRecorder quiet;
    std::shared_ptr<MapDetail> detail(new MapDetail);
    try {
        Mapfile map;
        bool good = map.OpenInfile(path) && map.InForm() == Mapfile::Binary;
        std::vector<LPoint> points;
        while (good) {
            if (!map.ReadDirectory()) good = false;
            if (!good || map.EndOfInFile()) break;
            if (!map.ReadSegmentPoints(points) ||
                detail->full.points.size() + points.size() >= std::numeric_limits<uint32_t>::max()) {
                good = false;
                break;
            }
            const Mapfile::Segment& segment = map.InSegment();
            detail->segments.push_back({segment.type, segment.kind, segment.box, false});
            detail->full.starts.push_back(static_cast<uint32_t>(detail->full.points.size()));
            detail->full.points.insert(detail->full.points.end(), points.begin(), points.end());
        }
        if (good) {
            detail->header = map.InHeader();
            good = map.CloseInfile() != 0;
        }
        badclient = wasBad;
        if (!good) return nullptr;
        detail->full.starts.push_back(static_cast<uint32_t>(detail->full.points.size()));
        detail->MakeLevels();
    } catch (const std::exception&) {
        badclient = wasBad;
        return nullptr;
    }
    return detail;
}

void MapDetail::MakeLevels() {
    // Each point's rank, and how many points survive each candidate level.
    std::vector<float> ranks(full.points.size());
    std::vector<size_t> dropped(kCandidateLevels + 1, 0);
    std::vector<bool> pinned;
    for (size_t i = 0; i < segments.size(); ++i) {
        const std::span<const LPoint> points = Points(i, kFullDetail);
        pinned.clear();
        if (segments[i].kind == kAreaKind && points.size() > 3) {
            pinned.assign(points.size(), false);
            // Both ends of a hole's bridge stay, so the bridge stays an edge.
            const std::vector<bool> bridges = HoleBridgeEdges(points);
            for (size_t e = 0; e < bridges.size(); ++e) {
                if (!bridges[e]) continue;
                pinned[e] = pinned[e + 1] = true;
                segments[i].holeBridges = true;
            }
            // The points on the area's box stay: where a large area was cut
            // into tiles, the cut runs along the tiles' boxes, so the tiles
            // keep meeting exactly and fill without a gap.
            const LBox& box = segments[i].box;
            for (size_t p = 0; p < points.size(); ++p) {
                if (points[p].x == box.tl.x || points[p].x == box.br.x || points[p].y == box.tl.y ||
                    points[p].y == box.br.y)
                    pinned[p] = true;
            }
        }
        const std::vector<double> segmentRanks = DetailRanks(points, pinned);
        float* out = ranks.data() + full.starts[i];
        for (double rank : segmentRanks) {
            *out = static_cast<float>(rank);
            ++dropped[static_cast<size_t>(FirstLevelDropping(*out++))];
        }
    }

    size_t previous = full.points.size();
    size_t surviving = full.points.size();
    for (int k = 0; k < kCandidateLevels; ++k) {
        surviving -= dropped[static_cast<size_t>(k)];
        if (static_cast<double>(surviving) > kLevelShare * static_cast<double>(previous)) continue;
        previous = surviving;
        Level level;
        level.tolerance = std::ldexp(1.0, k);
        level.points.reserve(surviving);
        level.starts.reserve(segments.size() + 1);
        for (size_t i = 0; i < segments.size(); ++i) {
            level.starts.push_back(static_cast<uint32_t>(level.points.size()));
            for (uint32_t p = full.starts[i]; p < full.starts[i + 1]; ++p) {
                if (FirstLevelDropping(ranks[p]) > k) level.points.push_back(full.points[p]);
            }
        }
        level.starts.push_back(static_cast<uint32_t>(level.points.size()));
        levels.push_back(std::move(level));
    }
}

int MapDetail::LevelFor(double tolerance) const {
    for (int level = LevelCount() - 1; level >= 0; --level) {
        if (levels[static_cast<size_t>(level)].tolerance <= tolerance) return level;
    }
    return kFullDetail;
}

double MapDetail::Tolerance(int level) const { return LevelAt(level).tolerance; }

std::span<const LPoint> MapDetail::Points(size_t i, int level) const {
    const Level& l = LevelAt(level);
    return std::span<const LPoint>(l.points).subspan(l.starts[i], l.starts[i + 1] - l.starts[i]);
}

size_t MapDetail::Bytes() const {
    const auto bytesOf = [](const Level& level) {
        return level.points.size() * sizeof(LPoint) + level.starts.size() * sizeof(uint32_t);
    };
    size_t bytes = sizeof(MapDetail) + segments.size() * sizeof(Segment) + bytesOf(full);
    for (const Level& level : levels) bytes += bytesOf(level);
    return bytes;
}

}  // namespace okap
