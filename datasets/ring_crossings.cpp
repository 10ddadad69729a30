#include "datasets/ring_crossings.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <ogr_geometry.h>

namespace okap {

namespace {

struct Point {
    double x, y;
    bool operator==(const Point&) const = default;
};

// More edges than this in one cell of the grid and the look gives up and
// leaves the ring to the exact test, so that its cost stays linear.
constexpr size_t kMostEdgesInACell = 512;

// Cross products smaller than this share of the lengths' product count as
// zero: the edges then touch or lie on one line, and the look says "may".
constexpr double kRelativeTolerance = 1e-9;

// The side of line a-b that c lies on: 1, -1, or 0 within the tolerance.
int Side(Point a, Point b, Point c) {
    const double ux = b.x - a.x, uy = b.y - a.y, vx = c.x - a.x, vy = c.y - a.y;
    const double cross = ux * vy - uy * vx;
    const double scale = (std::fabs(ux) + std::fabs(uy)) * (std::fabs(vx) + std::fabs(vy));
    if (std::fabs(cross) <= kRelativeTolerance * scale) return 0;
    return cross > 0 ? 1 : -1;
}

// Whether edges p1-p2 and p3-p4 meet, touch, or overlap (within the
// tolerance).
bool EdgesMeet(Point p1, Point p2, Point p3, Point p4) {
    // Boxes apart by more than the tolerance cannot meet.
    const double slack = kRelativeTolerance * (std::fabs(p2.x - p1.x) + std::fabs(p2.y - p1.y) +
                                               std::fabs(p4.x - p3.x) + std::fabs(p4.y - p3.y));
    if (std::max(p1.x, p2.x) + slack < std::min(p3.x, p4.x) || std::max(p3.x, p4.x) + slack < std::min(p1.x, p2.x) ||
        std::max(p1.y, p2.y) + slack < std::min(p3.y, p4.y) || std::max(p3.y, p4.y) + slack < std::min(p1.y, p2.y))
        return false;
    const int d1 = Side(p3, p4, p1), d2 = Side(p3, p4, p2);
    const int d3 = Side(p1, p2, p3), d4 = Side(p1, p2, p4);
    if (d1 * d2 > 0 || d3 * d4 > 0) return false;
    if (d1 != 0 || d2 != 0 || d3 != 0 || d4 != 0) return true;
    // On one line: they meet where their extents do.
    const bool alongX = std::fabs(p2.x - p1.x) >= std::fabs(p2.y - p1.y);
    const auto lo = [&](Point a, Point b) { return alongX ? std::min(a.x, b.x) : std::min(a.y, b.y); };
    const auto hi = [&](Point a, Point b) { return alongX ? std::max(a.x, b.x) : std::max(a.y, b.y); };
    return lo(p1, p2) <= hi(p3, p4) && lo(p3, p4) <= hi(p1, p2);
}

// Whether edges p1-p2 and p3-p4 cross each other: each has the ends of the
// other strictly on both sides of it.
bool EdgesCross(Point p1, Point p2, Point p3, Point p4) {
    const auto side = [](Point a, Point b, Point c) {
        const double cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        return (cross > 0) - (cross < 0);
    };
    return side(p3, p4, p1) * side(p3, p4, p2) < 0 && side(p1, p2, p3) * side(p1, p2, p4) < 0;
}

// What the two looks share. Loose: whether the ring may cross or overlap
// itself (edges that meet within the tolerance, a turn straight back).
// Strict: whether two edges cross each other. Both say yes to what they
// cannot tell.
bool LookForMeeting(const OGRLinearRing& ring, bool strict) {
    // The ring without repeated points, closed.
    std::vector<Point> points;
    points.reserve(static_cast<size_t>(ring.getNumPoints()));
    for (int i = 0; i < ring.getNumPoints(); ++i) {
        const Point p{ring.getX(i), ring.getY(i)};
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return true;
        if (points.empty() || !(points.back() == p)) points.push_back(p);
    }
    if (points.size() < 4 || !(points.front() == points.back())) return true;
    const size_t edges = points.size() - 1;

    // Turning straight back at a vertex overlaps the edge before.
    for (size_t i = 0; i < edges && !strict; ++i) {
        const Point a = points[i == 0 ? edges - 1 : i - 1], b = points[i], c = points[i + 1];
        if (Side(a, b, c) == 0 && (b.x - a.x) * (c.x - b.x) + (b.y - a.y) * (c.y - b.y) < 0) return true;
    }

    // Edges sorted into a grid of about one cell per four edges over the
    // ring's box; only edges sharing a cell can meet.
    double west = points[0].x, east = west, south = points[0].y, north = south;
    for (const Point& p : points) {
        west = std::min(west, p.x);
        east = std::max(east, p.x);
        south = std::min(south, p.y);
        north = std::max(north, p.y);
    }
    // A ring on one line overlaps itself but crosses nothing.
    if (!(east > west) || !(north > south)) return !strict;
    const size_t side = std::max<size_t>(1, static_cast<size_t>(std::sqrt(static_cast<double>(edges) / 4)));
    const double cellWidth = (east - west) / static_cast<double>(side);
    const double cellHeight = (north - south) / static_cast<double>(side);
    const auto column = [&](double x) {
        return std::min(side - 1, static_cast<size_t>(std::max(0.0, (x - west) / cellWidth)));
    };
    const auto row = [&](double y) {
        return std::min(side - 1, static_cast<size_t>(std::max(0.0, (y - south) / cellHeight)));
    };
    // Each edge goes into every cell its box touches, widened a little so
    // that edges meeting on a cell's border share a cell.
    const double slackX = cellWidth * 1e-6, slackY = cellHeight * 1e-6;
    std::vector<uint32_t> cellStart(side * side + 1, 0);
    const auto forEachCell = [&](size_t e, auto each) {
        const Point a = points[e], b = points[e + 1];
        const size_t c0 = column(std::min(a.x, b.x) - slackX), c1 = column(std::max(a.x, b.x) + slackX);
        const size_t r0 = row(std::min(a.y, b.y) - slackY), r1 = row(std::max(a.y, b.y) + slackY);
        for (size_t r = r0; r <= r1; ++r)
            for (size_t c = c0; c <= c1; ++c) each(r * side + c);
    };
    for (size_t e = 0; e < edges; ++e) forEachCell(e, [&](size_t cell) { ++cellStart[cell + 1]; });
    for (size_t cell = 0; cell < side * side; ++cell) {
        if (cellStart[cell + 1] > kMostEdgesInACell) return true;
        cellStart[cell + 1] += cellStart[cell];
    }
    std::vector<uint32_t> filled(cellStart.begin(), cellStart.end() - 1);
    std::vector<uint32_t> edgesOfCells(cellStart.back());
    for (size_t e = 0; e < edges; ++e)
        forEachCell(e, [&](size_t cell) { edgesOfCells[filled[cell]++] = static_cast<uint32_t>(e); });

    for (size_t cell = 0; cell < side * side; ++cell) {
        for (uint32_t i = cellStart[cell]; i < cellStart[cell + 1]; ++i) {
            for (uint32_t j = i + 1; j < cellStart[cell + 1]; ++j) {
                const size_t a = std::min(edgesOfCells[i], edgesOfCells[j]);
                const size_t b = std::max(edgesOfCells[i], edgesOfCells[j]);
                // Neighbours share a point by nature.
                if (b == a + 1 || (a == 0 && b == edges - 1)) continue;
                const Point p1 = points[a], p2 = points[a + 1], p3 = points[b], p4 = points[b + 1];
                if (strict ? EdgesCross(p1, p2, p3, p4) : EdgesMeet(p1, p2, p3, p4)) return true;
            }
        }
    }
    return false;
}

}  // namespace

bool RingMayCrossItself(const OGRLinearRing& ring) { return LookForMeeting(ring, false); }

bool RingCrossesItself(const OGRLinearRing& ring) { return LookForMeeting(ring, true); }

}  // namespace okap
