#include "mapfiles/segment_pieces.h"

#include <algorithm>

#include "mapfiles/clip_polygon.h"
#include "mapfiles/mapfile.h"

namespace okap {

namespace {

LBox BoundsOf(std::span<const LPoint> points) {
    LBox box{points.front(), points.front()};
    for (const LPoint& p : points) {
        box.tl.x = std::min(box.tl.x, p.x);
        box.tl.y = std::max(box.tl.y, p.y);
        box.br.x = std::max(box.br.x, p.x);
        box.br.y = std::min(box.br.y, p.y);
    }
    return box;
}

bool Tile(std::span<const LPoint> area, int32_t maxPoints, std::vector<LPoint>& pieces, std::vector<int>& counts,
          std::string* message, int64_t& cutsLeft) {
    if (area.size() <= static_cast<size_t>(maxPoints)) {
        pieces.insert(pieces.end(), area.begin(), area.end());
        counts.push_back(static_cast<int>(area.size()));
        return true;
    }
    const LBox box = BoundsOf(area);
    const int64_t width = int64_t{box.br.x} - box.tl.x;
    const int64_t height = int64_t{box.tl.y} - box.br.y;
    // Each half must be smaller than the box. A limit too small for the
    // pieces that cuts make would otherwise halve boxes without end.
    if (std::max(width, height) < 2 || --cutsLeft < 0) return false;
    LBox first = box;
    LBox second = box;
    if (width >= height) {
        const auto middle = static_cast<int32_t>(box.tl.x + width / 2);
        first.br.x = middle;
        second.tl.x = middle;
    } else {
        const auto middle = static_cast<int32_t>(box.br.y + height / 2);
        first.br.y = middle;
        second.tl.y = middle;
    }
    for (const LBox& half : {first, second}) {
        std::vector<LPoint> halfPieces;
        std::vector<int> halfCounts;
        if (!ClipPolygon(area, kAreaKind, half, 0, 0, halfPieces, halfCounts, 0, message)) return false;
        size_t at = 0;
        for (int n : halfCounts) {
            if (!Tile(std::span<const LPoint>(halfPieces).subspan(at, static_cast<size_t>(n)), maxPoints, pieces,
                      counts, message, cutsLeft))
                return false;
            at += static_cast<size_t>(n);
        }
    }
    return true;
}

}  // namespace

void SplitLine(std::span<const LPoint> line, int32_t maxPoints, std::vector<LPoint>& pieces,
               std::vector<int>& counts) {
    pieces.clear();
    counts.clear();
    if (line.empty()) return;
    const size_t step = static_cast<size_t>(maxPoints) - 1;
    size_t start = 0;
    do {
        const size_t n = std::min(line.size() - start, step + 1);
        const auto from = line.begin() + static_cast<std::ptrdiff_t>(start);
        pieces.insert(pieces.end(), from, from + static_cast<std::ptrdiff_t>(n));
        counts.push_back(static_cast<int>(n));
        start += step;
    } while (start + 1 < line.size());
}

int TileArea(std::span<const LPoint> area, int32_t maxPoints, std::vector<LPoint>& pieces, std::vector<int>& counts,
             std::string* message) {
    pieces.clear();
    counts.clear();
    // Far more cuts than any area needs to come into pieces.
    int64_t cutsLeft = 1000 + 16 * static_cast<int64_t>(area.size());
    if (area.empty() || Tile(area, maxPoints, pieces, counts, message, cutsLeft)) return 1;
    pieces.clear();
    counts.clear();
    return 0;
}

}  // namespace okap
