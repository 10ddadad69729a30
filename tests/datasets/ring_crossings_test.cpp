// Whether a ring crosses itself: edges that cross each other do; touching,
// turning back and running along each other do not.

#include "datasets/ring_crossings.h"

#include <gtest/gtest.h>

#include <ogr_geometry.h>

#include <cmath>
#include <string>

namespace okap {
namespace {

using Verdict = RingCrossing::Verdict;

OGRLinearRing Ring(const std::string& wkt) {
    OGRLinearRing ring;
    const char* text = wkt.c_str();
    OGRGeometry* geometry = nullptr;
    EXPECT_EQ(OGRGeometryFactory::createFromWkt(&text, nullptr, &geometry), OGRERR_NONE) << wkt;
    ring.addSubLineString(geometry->toPolygon()->getExteriorRing());
    delete geometry;
    return ring;
}

// A polygon's WKT of n points round a circle of the given radius.
std::string Circle(int n, double radius) {
    std::string wkt = "POLYGON ((";
    for (int i = 0; i <= n; ++i) {
        const double angle = 2 * M_PI * (i % n) / n;
        wkt += (i ? "," : "") + std::to_string(radius * std::cos(angle)) + " " +
               std::to_string(radius * std::sin(angle));
    }
    return wkt + "))";
}

TEST(RingCrossingsTest, Verdicts) {
    struct Row {
        const char* what;
        std::string polygon;
        Verdict verdict;
    };
    // 2000 edges in a speck and one far point: too many in one cell.
    std::string crowded = Circle(2000, 0.001);
    crowded.insert(crowded.find(',') + 1, "50 50,");
    const Row rows[] = {
        {"square", "POLYGON ((0 0,4 0,4 4,0 4,0 0))", Verdict::None},
        {"square with repeated points", "POLYGON ((0 0,4 0,4 0,4 4,0 4,0 4,0 0))", Verdict::None},
        {"25000-point circle", Circle(25000, 20), Verdict::None},
        {"bow tie", "POLYGON ((0 0,2 2,2 0,0 2,0 0))", Verdict::Crosses},
        {"crossing far from its neighbours", "POLYGON ((0 0,10 0,10 10,6 10,6 -1,4 -1,4 10,0 10,0 0))",
         Verdict::Crosses},
        {"touching itself at a vertex", "POLYGON ((0 0,4 0,2 2,4 4,0 4,2 2,0 0))", Verdict::None},
        {"an edge ending on another", "POLYGON ((0 0,4 0,4 4,2 0,0 4,0 0))", Verdict::None},
        {"spike out and back", "POLYGON ((0 0,4 0,4 2,6 2,4 2,4 4,0 4,0 0))", Verdict::None},
        {"overlapping edges on one line", "POLYGON ((0 0,4 0,4 1,1 1,1 0,3 0,3 -1,0 -1,0 0))", Verdict::None},
        {"out along the 180 degree meridian and back, as world datasets close Antarctica",
         "POLYGON ((-180 -90,-180 -80,-170 -70,180 -70,180 -80,180 -90,180 -80,-180 -85,-180 -90))", Verdict::None},
        {"too few distinct points", "POLYGON ((0 0,1 1,1 1,0 0))", Verdict::TooFewPoints},
        {"too crowded to tell", crowded, Verdict::CannotTell},
    };
    for (const Row& row : rows) EXPECT_EQ(FindRingCrossing(Ring(row.polygon)).verdict, row.verdict) << row.what;

    const RingCrossing bowTie = FindRingCrossing(Ring("POLYGON ((0 0,2 2,2 0,0 2,0 0))"));
    EXPECT_DOUBLE_EQ(bowTie.x, 1);
    EXPECT_DOUBLE_EQ(bowTie.y, 1);
}

}  // namespace
}  // namespace okap
