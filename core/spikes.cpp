// Zero-area spikes out of closed outlines.

#include <algorithm>
#include <cmath>
#include <deque>

#include "core/geometry.h"

namespace okap {

namespace {

// True when the outline turns back at m, coming from a and going on to b,
// along one line to within tolerance: b lies behind m as seen from a (or a
// behind m as seen from b), and the shorter leg lies along the longer one.
bool TurnsBack(LPoint a, LPoint m, LPoint b, double tolerance) {
    const double ux = static_cast<double>(m.x) - a.x, uy = static_cast<double>(m.y) - a.y;
    const double vx = static_cast<double>(b.x) - m.x, vy = static_cast<double>(b.y) - m.y;
    if (ux * vx + uy * vy > 0) return false;
    const double longer = std::max(std::hypot(ux, uy), std::hypot(vx, vy));
    // The cross product is the longer leg's length times the distance of
    // the shorter leg's end from the longer leg's line.
    return std::abs(ux * vy - uy * vx) <= tolerance * longer;
}

}  // namespace

void RemoveSpikes(std::vector<LPoint>& ring, double tolerance) {
    if (ring.size() < 4 || !(ring.front() == ring.back())) return;
    // The outline without its closing point, as a stack: each point takes
    // off the points before it that become the tip of a spike.
    std::deque<LPoint> kept;
    for (size_t i = 0; i + 1 < ring.size(); ++i) {
        const LPoint p = ring[i];
        while (!kept.empty()) {
            if (kept.back() == p) break;
            if (kept.size() < 2 || !TurnsBack(kept[kept.size() - 2], kept.back(), p, tolerance)) break;
            kept.pop_back();
        }
        if (kept.empty() || !(kept.back() == p)) kept.push_back(p);
    }
    // Where the outline closes, the last point runs on into the first: a
    // spike may end or start there.
    while (kept.size() >= 3) {
        if (kept.back() == kept.front()) {
            kept.pop_back();
        } else if (TurnsBack(kept[kept.size() - 2], kept.back(), kept.front(), tolerance)) {
            kept.pop_back();
        } else if (TurnsBack(kept.back(), kept.front(), kept[1], tolerance)) {
            kept.pop_front();
        } else {
            break;
        }
    }
    ring.assign(kept.begin(), kept.end());
    if (!ring.empty()) ring.push_back(ring.front());
}

}  // namespace okap
