#pragma once
// A binary map file held in memory for drawing at any scale: its header,
// each segment's directory entry and points, and simplified copies of the
// segments at a few tolerances, so that a view far out draws no more points
// than its pixels can show and a view close in draws every point.
//
// A MapDetail never changes once read, so paints on several threads share
// one without locking (see MapDetailCache).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/coordinates.h"
#include "mapfiles/mapfile.h"

namespace okap {

class MapDetail {
public:
    struct Segment {
        int16_t type = 0;
        int16_t kind = 0;
        LBox box;  // from the directory
        // An area whose outline joins holes by bridges, which its drawing
        // leaves out of the outline.
        bool holeBridges = false;
    };

    // The level that stands for the file's own points.
    static constexpr int kFullDetail = -1;

    // Reads the binary map file at path whole and makes its simplified
    // copies. Empty when the file cannot be read whole: nothing is reported
    // and badclient is left as it was, so that the caller can read the file
    // the usual way, which reports what is wrong where it always did.
    static std::shared_ptr<const MapDetail> Read(const std::string& path);

    const Mapfile::Header& Header() const { return header; }
    size_t SegmentCount() const { return segments.size(); }
    const Segment& SegmentAt(size_t i) const { return segments[i]; }

    // The coarsest level whose copies stray at most tolerance (world units)
    // from the file's points, or kFullDetail when none does.
    int LevelFor(double tolerance) const;
    int LevelCount() const { return static_cast<int>(levels.size()); }
    // How far a level's copies may stray from the file's points; 0 for
    // kFullDetail.
    double Tolerance(int level) const;
    // Segment i at a level: its points, or the file's own at kFullDetail.
    std::span<const LPoint> Points(size_t i, int level) const;
    // The points of every segment at a level.
    size_t PointCount(int level) const { return LevelAt(level).points.size(); }
    // The memory the detail holds, roughly.
    size_t Bytes() const;

private:
    // The points of every segment one after another; segment i runs from
    // starts[i] to starts[i + 1].
    struct Level {
        double tolerance = 0.0;
        std::vector<LPoint> points;
        std::vector<uint32_t> starts;
    };
    const Level& LevelAt(int level) const { return level == kFullDetail ? full : levels[static_cast<size_t>(level)]; }
    // Chooses and makes the simplified levels from the full one.
    void MakeLevels();
    void RankSegments(size_t first, size_t last, std::vector<uint8_t>& firstDropping);

    Mapfile::Header header;
    std::vector<Segment> segments;
    Level full;
    std::vector<Level> levels;  // finest first
};

}  // namespace okap
