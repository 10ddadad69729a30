#include "mapfiles/hole_bridges.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <tuple>

#include "core/bridges.h"

namespace okap {

namespace {

using Wide = __int128;

int Sign(Wide v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

template <typename Point>
std::vector<bool> HoleBridgeEdgesOf(std::span<const Point> ring) {
    std::vector<bool> bridges = BridgeEdges(ring);
    if (std::find(bridges.begin(), bridges.end(), true) == bridges.end()) return bridges;
    const size_t edges = bridges.size();
    // Twice the signed area swept by the edges before each one, so that a
    // stretch's area is a difference.
    std::vector<Wide> swept(edges + 1, 0);
    for (size_t i = 0; i < edges; ++i) {
        const Point& a = ring[i];
        const Point& b = ring[i + 1];
        swept[i + 1] = swept[i] + Wide{a.x} * b.y - Wide{b.x} * a.y;
    }
    const int outline = Sign(swept[edges]);

    // The bridge edges by their ends, in order along the outline; each is
    // paired with the first unpaired reverse after it.
    using Key = std::tuple<int64_t, int64_t, int64_t, int64_t>;
    std::map<Key, std::vector<size_t>> byEdge;
    for (size_t i = 0; i < edges; ++i) {
        if (bridges[i]) byEdge[{ring[i].x, ring[i].y, ring[i + 1].x, ring[i + 1].y}].push_back(i);
    }
    std::vector<bool> paired(edges, false);
    std::vector<bool> holes(edges, false);
    for (size_t i = 0; i < edges; ++i) {
        if (!bridges[i] || paired[i]) continue;
        const std::vector<size_t>& reverse = byEdge[{ring[i + 1].x, ring[i + 1].y, ring[i].x, ring[i].y}];
        const auto j = std::find_if(reverse.begin(), reverse.end(), [&](size_t k) { return k > i && !paired[k]; });
        if (j == reverse.end()) continue;
        paired[i] = paired[*j] = true;
        // The stretch from the end of edge i to the start of edge j is
        // closed: both are the same point.
        const Wide between = swept[*j] - swept[i + 1];
        if (outline != 0 && Sign(between) == -outline) holes[i] = holes[*j] = true;
    }
    return holes;
}

}  // namespace

std::vector<bool> HoleBridgeEdges(std::span<const LPoint> ring) { return HoleBridgeEdgesOf(ring); }
std::vector<bool> HoleBridgeEdges(std::span<const POINT> ring) { return HoleBridgeEdgesOf(ring); }

}  // namespace okap
