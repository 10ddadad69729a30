// The quick look for rings that may cross themselves: it never passes a
// ring that crosses, touches or overlaps itself, and passes the plain rings
// that real data are mostly made of.

#include "datasets/ring_crossings.h"

#include <gtest/gtest.h>

#include <ogr_geometry.h>

#include <cmath>
#include <string>
#include <utility>

namespace okap {
namespace {

OGRLinearRing Ring(const std::string& wkt) {
    OGRLinearRing ring;
    const char* text = wkt.c_str();
    OGRGeometry* geometry = nullptr;
    EXPECT_EQ(OGRGeometryFactory::createFromWkt(&text, nullptr, &geometry), OGRERR_NONE) << wkt;
    ring.addSubLineString(geometry->toPolygon()->getExteriorRing());
    delete geometry;
    return ring;
}

TEST(RingCrossingsTest, MayCrossItself) {
    struct Row {
        const char* what;
        std::string polygon;
        bool may;
    };
    std::string circle = "POLYGON ((";
    for (int i = 0; i <= 25000; ++i) {
        const double angle = 2 * M_PI * (i % 25000) / 25000;
        circle += (i ? "," : "") + std::to_string(20 * std::cos(angle)) + " " + std::to_string(20 * std::sin(angle));
    }
    circle += "))";
    const Row rows[] = {
        {"square", "POLYGON ((0 0,4 0,4 4,0 4,0 0))", false},
        {"square with repeated points", "POLYGON ((0 0,4 0,4 0,4 4,0 4,0 4,0 0))", false},
        {"comb of narrow teeth", "POLYGON ((0 0,10 0,10 1,9 1,9 0.001,8 0.001,8 1,0 1,0 0))", false},
        {"25000-point circle", circle, false},
        {"bow tie", "POLYGON ((0 0,2 2,2 0,0 2,0 0))", true},
        {"crossing far from its neighbours", "POLYGON ((0 0,10 0,10 10,6 10,6 -1,4 -1,4 10,0 10,0 0))", true},
        {"touching itself at a vertex", "POLYGON ((0 0,4 0,2 2,4 4,0 4,2 2,0 0))", true},
        {"an edge ending on another", "POLYGON ((0 0,4 0,4 4,2 0.0,0 4,0 0))", true},
        {"spike out and back", "POLYGON ((0 0,4 0,4 2,6 2,4 2,4 4,0 4,0 0))", true},
        {"overlapping edges on one line", "POLYGON ((0 0,4 0,4 1,1 1,1 0,3 0,3 -1,0 -1,0 0))", true},
        {"too few points", "POLYGON ((0 0,1 1,0 0,0 0))", true},
    };
    for (const Row& row : rows) EXPECT_EQ(RingMayCrossItself(Ring(row.polygon)), row.may) << row.what;
}

// Only edges that cross each other make a ring cross itself: touching,
// turning back and running along each other do not.
TEST(RingCrossingsTest, CrossesItself) {
    const std::pair<const char*, bool> rows[] = {
        {"POLYGON ((0 0,2 2,2 0,0 2,0 0))", true},
        {"POLYGON ((0 0,10 0,10 10,6 10,6 -1,4 -1,4 10,0 10,0 0))", true},
        {"POLYGON ((0 0,4 0,4 4,0 4,0 0))", false},
        {"POLYGON ((0 0,4 0,2 2,4 4,0 4,2 2,0 0))", false},
        {"POLYGON ((0 0,4 0,4 2,6 2,4 2,4 4,0 4,0 0))", false},
        {"POLYGON ((0 0,4 0,4 1,1 1,1 0,3 0,3 -1,0 -1,0 0))", false},
        // Out along the 180 degree meridian and back, as world datasets
        // close Antarctica.
        {"POLYGON ((-180 -90,-180 -80,-170 -70,180 -70,180 -80,180 -90,180 -80,-180 -85,-180 -90))", false},
    };
    for (const auto& [polygon, crosses] : rows) EXPECT_EQ(RingCrossesItself(Ring(polygon)), crosses) << polygon;
}

}  // namespace
}  // namespace okap
