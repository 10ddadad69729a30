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

// More edges than this in one cell of the grid and the edges are not
// compared, so that the cost stays linear.
constexpr size_t kMostEdgesInACell = 512;

// The side of line a-b that c lies on: 1, -1, or 0 on the line.
int Side(Point a, Point b, Point c) {
    const double cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    return (cross > 0) - (cross < 0);
}

bool EdgesCross(Point p1, Point p2, Point p3, Point p4) {
    if (std::max(p1.x, p2.x) < std::min(p3.x, p4.x) || std::max(p3.x, p4.x) < std::min(p1.x, p2.x) ||
        std::max(p1.y, p2.y) < std::min(p3.y, p4.y) || std::max(p3.y, p4.y) < std::min(p1.y, p2.y))
        return false;
    return Side(p3, p4, p1) * Side(p3, p4, p2) < 0 && Side(p1, p2, p3) * Side(p1, p2, p4) < 0;
}

// Where lines p1-p2 and p3-p4, which cross, meet.
Point CrossingPoint(Point p1, Point p2, Point p3, Point p4) {
    const double dx = p2.x - p1.x, dy = p2.y - p1.y, ex = p4.x - p3.x, ey = p4.y - p3.y;
    const double t = ((p3.x - p1.x) * ey - (p3.y - p1.y) * ex) / (dx * ey - dy * ex);
    return {p1.x + t * dx, p1.y + t * dy};
}

}  // namespace

RingCrossing FindRingCrossing(const OGRLinearRing& ring) {
    using Verdict = RingCrossing::Verdict;
    // The ring without repeated points, closed.
    std::vector<Point> points;
    points.reserve(static_cast<size_t>(ring.getNumPoints()) + 1);
    for (int i = 0; i < ring.getNumPoints(); ++i) {
        const Point p{ring.getX(i), ring.getY(i)};
        // Coordinates that are no numbers are a fault of their own.
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return {};
        if (points.empty() || !(points.back() == p)) points.push_back(p);
    }
    if (!points.empty() && !(points.front() == points.back())) points.push_back(points.front());
    if (points.size() < 4) return {Verdict::TooFewPoints};
    const size_t edges = points.size() - 1;

    // Edges sorted into a grid whose cells are about twice as wide as an
    // edge is long, so that a coast passing through a cell brings few edges
    // into it, with no more cells than sixteen an edge; only edges sharing
    // a cell can cross.
    double west = points[0].x, east = west, south = points[0].y, north = south, length = 0;
    for (size_t i = 0; i < edges; ++i) {
        const Point p = points[i], q = points[i + 1];
        west = std::min(west, p.x);
        east = std::max(east, p.x);
        south = std::min(south, p.y);
        north = std::max(north, p.y);
        length += std::fabs(q.x - p.x) + std::fabs(q.y - p.y);
    }
    // A ring on one line runs along itself but crosses nothing.
    if (!(east > west) || !(north > south)) return {};
    const double mostCells = 16.0 * static_cast<double>(edges) + 64;
    double cell = 2 * length / static_cast<double>(edges);
    const double area = (east - west) * (north - south);
    if (!(cell > 0) || area / (cell * cell) > mostCells) cell = std::sqrt(area / mostCells);
    const size_t columns = std::max<size_t>(1, static_cast<size_t>(std::ceil((east - west) / cell)));
    const size_t rows = std::max<size_t>(1, static_cast<size_t>(std::ceil((north - south) / cell)));
    const auto column = [&](double x) {
        return std::min(columns - 1, static_cast<size_t>(std::max(0.0, (x - west) / cell)));
    };
    const auto row = [&](double y) {
        return std::min(rows - 1, static_cast<size_t>(std::max(0.0, (y - south) / cell)));
    };
    const size_t cells = columns * rows;
    // Each edge goes into every cell its box touches.
    std::vector<uint32_t> cellStart(cells + 1, 0);
    const auto forEachCell = [&](size_t e, auto each) {
        const Point a = points[e], b = points[e + 1];
        const size_t c0 = column(std::min(a.x, b.x)), c1 = column(std::max(a.x, b.x));
        const size_t r0 = row(std::min(a.y, b.y)), r1 = row(std::max(a.y, b.y));
        for (size_t r = r0; r <= r1; ++r)
            for (size_t c = c0; c <= c1; ++c) each(r * columns + c);
    };
    for (size_t e = 0; e < edges; ++e) forEachCell(e, [&](size_t cell) { ++cellStart[cell + 1]; });
    for (size_t c = 0; c < cells; ++c) {
        if (cellStart[c + 1] > kMostEdgesInACell) return {Verdict::CannotTell};
        cellStart[c + 1] += cellStart[c];
    }
    std::vector<uint32_t> filled(cellStart.begin(), cellStart.end() - 1);
    std::vector<uint32_t> edgesOfCells(cellStart.back());
    for (size_t e = 0; e < edges; ++e)
        forEachCell(e, [&](size_t cell) { edgesOfCells[filled[cell]++] = static_cast<uint32_t>(e); });

    for (size_t c = 0; c < cells; ++c) {
        for (uint32_t i = cellStart[c]; i < cellStart[c + 1]; ++i) {
            for (uint32_t j = i + 1; j < cellStart[c + 1]; ++j) {
                const size_t a = edgesOfCells[i], b = edgesOfCells[j];
                const Point p1 = points[a], p2 = points[a + 1], p3 = points[b], p4 = points[b + 1];
                // Neighbours share a point and never cross.
                if (EdgesCross(p1, p2, p3, p4)) {
                    const Point at = CrossingPoint(p1, p2, p3, p4);
                    return {Verdict::Crosses, at.x, at.y};
                }
            }
        }
    }
    return {};
}

}  // namespace okap
