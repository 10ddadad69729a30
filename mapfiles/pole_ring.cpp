#include "mapfiles/pole_ring.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace okap {

namespace {

// 180 and 360 degrees in angle units.
constexpr int64_t kHalfTurn = 200016000;
constexpr int64_t kFullTurn = 400032000;

}  // namespace

int WoundPole(std::span<const LPoint> ring) {
    if (ring.size() < 2) return 0;
    // The steps of a closed ring add up to whole turns exactly: each step
    // taken the short way differs from its plain difference by a full turn
    // or not at all, and the plain differences cancel out.
    int64_t turn = 0;
    int32_t south = ring[0].y, north = ring[0].y;
    for (size_t i = 0; i < ring.size(); ++i) {
        const LPoint from = ring[i];
        const LPoint to = ring[(i + 1) % ring.size()];
        int64_t step = int64_t{to.x} - from.x;
        if (step > kHalfTurn) step -= kFullTurn;
        if (step < -kHalfTurn) step += kFullTurn;
        turn += step;
        south = std::min(south, from.y);
        north = std::max(north, from.y);
    }
    if (std::llabs(turn) != kFullTurn) return 0;
    return int64_t{south} + north >= 0 ? 1 : -1;
}

}  // namespace okap
