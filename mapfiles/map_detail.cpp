#include "mapfiles/map_detail.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <limits>
#include <thread>

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
        // The points take nearly all of the file: room for them at once.
        std::error_code error;
        if (const uintmax_t size = std::filesystem::file_size(path, error); good && !error)
            detail->full.points.reserve(static_cast<size_t>(size / sizeof(LPoint)));
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

// Ranks the points of segments [first, last), pinning what must stay, and
// notes for each point the first candidate level that drops it.
void MapDetail::RankSegments(size_t first, size_t last, std::vector<uint8_t>& firstDropping) {
    std::vector<bool> pinned;
    for (size_t i = first; i < last; ++i) {
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
        const std::vector<double> ranks = DetailRanks(points, pinned);
        uint8_t* out = firstDropping.data() + full.starts[i];
        for (double rank : ranks) *out++ = static_cast<uint8_t>(FirstLevelDropping(static_cast<float>(rank)));
    }
}

void MapDetail::MakeLevels() {
    // For each point the first candidate level that drops it, worked out
    // on every core, each taking a share of the segments by points.
    std::vector<uint8_t> firstDropping(full.points.size());
    const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 16);
    if (threads == 1 || full.points.size() < 100000) {
        RankSegments(0, segments.size(), firstDropping);
    } else {
        std::vector<std::thread> workers;
        size_t first = 0;
        for (size_t t = 1; t <= threads; ++t) {
            const size_t endPoint = full.points.size() * t / threads;
            size_t last = first;
            while (last < segments.size() && (t == threads || full.starts[last] < endPoint)) ++last;
            workers.emplace_back([this, first, last, &firstDropping] { RankSegments(first, last, firstDropping); });
            first = last;
        }
        for (std::thread& worker : workers) worker.join();
    }
    std::vector<size_t> dropped(kCandidateLevels + 1, 0);
    for (uint8_t level : firstDropping) ++dropped[level];

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
                if (firstDropping[p] > k) level.points.push_back(full.points[p]);
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
