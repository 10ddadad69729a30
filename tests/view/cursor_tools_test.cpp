// The cursor tools' arithmetic: the position read-out, the measured
// distance and the zoom box that keeps the window's proportions.

#include "view/cursor_tools.h"

#include <gtest/gtest.h>

#include <string>

#include "core/geometry.h"
#include "view/map_document.h"

namespace okap {
namespace {

// A Mercator view of 400 x 300 pixels centred on 0N 0E, as a paint leaves
// it. At scale 1484260 the 10000 logical units span 4452780 dm, so 100
// pixels are 1113195 dm: one degree of longitude at the equator
// (6378137 m x pi / 180 = 1113194.9 dm).
class CursorToolsTest : public ::testing::Test {
protected:
    void SetUp() override { Paint("MERC", 1484260); }

    void Paint(const std::string& projection, int32_t scale) {
        doc.projection = Projection(projection, Position());
        doc.windowExtent = {10000, 7500};
        doc.viewportExtent = {400, -300};
        doc.centre = {0, 0};
        doc.scale = scale;
        doc.projection.setvp(doc.windowExtent, doc.viewportExtent, doc.centre, doc.scale);
        doc.drawn = 1;
    }

    MapDocument doc;
};

TEST_F(CursorToolsTest, PositionReadOutFollowsFormatAndLongitudeMode) {
    // Device (100, 250) is logical (2500, -6250): world (-1113195, -1113195).
    // invproj +proj=merc +ellps=GRS80 +units=dm gives -1.00000008 -1.00668709.
    struct Row {
        int format;
        int mode;
        const char* text;
    };
    const Row rows[] = {
        {1, 1, "Position:   -1.000000    -1.006687"},  // longitude in 11 characters, latitude in 10
        {1, 2, "Position:  359.000000    -1.006687"},  // 0 to 360: west of Greenwich is beyond 180
        {1, 0, "Position:   -1.000000    -1.006687"},  // -360 to 0 leaves a western longitude alone
        {0, 1, "Position:   -1.000    -1.007"},        // three decimals: 8 and 7 characters
    };
    for (const Row& row : rows) {
        doc.positionFormat = row.format;
        doc.longitudeMode = row.mode;
        EXPECT_EQ(PositionText(doc, {100, 250}), row.text) << row.format << ' ' << row.mode;
    }
}

TEST_F(CursorToolsTest, NoReadOutBeforeThePaintAndInvalidOffTheGlobe) {
    doc.drawn = 0;
    EXPECT_EQ(PositionText(doc, {100, 250}), std::nullopt);
    EXPECT_EQ(MeasureText(doc, {200, 150, 200, 150}, {300, 150}), std::nullopt);

    // The whole world in an orthographic view: the globe (radius 6378 km)
    // is 1.28e8 dm across in a view 9e8 dm wide, so the corner is off it.
    Paint("ORTH", 300000000);
    EXPECT_EQ(PositionText(doc, {0, 0}), "Invalid");
    EXPECT_EQ(PositionText(doc, {200, 150}), "Position:    0.000000     0.000000");
    EXPECT_EQ(MeasureText(doc, {200, 150, 200, 150}, {0, 0}), "Invalid");
    EXPECT_EQ(MeasureText(doc, {0, 0, 0, 0}, {200, 150}), "Invalid");
}

TEST_F(CursorToolsTest, MeasuresOneDegreeAlongTheEquator) {
    // 6378 km x 0.017453293 rad = 111.317 km; x 0.6213727 = 69.169 mi;
    // x 0.5399568 = 60.106 nm.
    const std::string oneDegree = "   111.317 km   69.169 mi   60.106 nm ";
    Position west, east;
    east.Long.PutDegrees(1.0);
    EXPECT_EQ(DistanceText(GCircleDistance(west, east)), oneDegree);
    // From the centre, 0N 0E, to 100 pixels east, 0N 1E.
    EXPECT_EQ(MeasureText(doc, {200, 150, 200, 150}, {300, 150}), oneDegree);
    // A measure needs its start.
    EXPECT_EQ(MeasureText(doc, {-1, -1, -1, -1}, {300, 150}), "Invalid");
}

TEST(ZoomBoxTest, KeepsTheWindowsProportions) {
    struct Row {
        POINT to;
        Box box;
        const char* why;
    };
    const Box start{100, 100, 100, 100};
    const Row rows[] = {
        // dx = 300 is cut to truncate(10 x 4/3) = 13, then dy to truncate(13 x 3/4) = 9.
        {{400, 110}, {100, 100, 113, 109}, "300 right and 10 down: 13 x 9"},
        {{-200, 90}, {100, 100, 87, 91}, "the same to the left and up"},
        // dy = 150 is cut to truncate(41 x 3/4) = 30.
        {{141, 250}, {100, 100, 141, 130}, "narrow movement: the width decides"},
        {{102, 98}, start, "two pixels either way: the box stays as it was"},
    };
    for (const Row& row : rows) EXPECT_EQ(ZoomBoxEnd(start, row.to, 400, 300), row.box) << row.why;
    EXPECT_EQ(ZoomBoxEnd(start, {400, 110}, 400, 0), start) << "no client height";
}

}  // namespace
}  // namespace okap
