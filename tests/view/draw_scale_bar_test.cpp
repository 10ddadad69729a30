// The scale bar detail: a round length whose ends lie that far apart on the
// ellipsoid, in every projection and at every latitude; the note of its
// latitude where the view's scale varies.

#include "view/draw_scale_bar.h"

#include <geodesic.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/latlong.h"
#include "core/number_text.h"
#include "platform/recording_dc.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {
namespace {

using namespace okap::recorded;

TEST(ScaleBar, RoundLengthsAreOneTwoOrFiveTimesAPowerOfTen) {
    struct Row {
        double length, near, below;
    } rows[] = {
        {1.0, 1.0, 1.0},       {1.4, 1.0, 1.0},     {1.5, 2.0, 1.0},       {3.1, 2.0, 2.0},
        {3.2, 5.0, 2.0},       {7.0, 5.0, 5.0},     {7.1, 10.0, 5.0},      {2345.0, 2000.0, 2000.0},
        {0.0042, 0.005, 0.002}, {8e6, 1e7, 5e6},    {0.0, 0.0, 0.0},       {-3.0, 0.0, 0.0},
    };
    for (const Row& r : rows) {
        EXPECT_DOUBLE_EQ(RoundLengthNear(r.length), r.near) << r.length;
        EXPECT_DOUBLE_EQ(RoundLengthBelow(r.length), r.below) << r.length;
    }
}

// Black Arial, 10 points: 200 logical units high at dispix 1.
const std::string kStyle = "1 \"Arial\" 0 0 0 0 0 10 0 0 0.5 400 0 2 ";

struct Bar {
    POINT left;
    POINT right;
    std::vector<std::string> texts;  // 0, half, whole, unit, and the note where there is one
};

class ScaleBarTest : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }

    // A view of 10000 x 7500 logical units centred on a position, with a
    // scale bar detail at (fx, fy).
    Bar Draw(const char* code, Position origin, Position centre, int32_t scale, const std::string& unit,
             double fx = 0.5, double fy = 0.5) {
        doc.projection = Projection(code, origin);
        doc.windowExtent = {10000, 7500};
        doc.projection.setvp(doc.windowExtent, {1000, -750}, {0, 0}, 1);
        LPoint world;
        EXPECT_TRUE(doc.projection.pos2dm(centre, world));
        doc.projection.setvp(doc.windowExtent, {1000, -750}, world, scale);
        doc.detailCount = 1;
        doc.details[0] = "Scale \"" + unit + "\" " + FormatGeneral(fx) + " " + FormatGeneral(fy) + " " + kStyle;
        RecordingDC dc;
        MapView(doc, ViewSettings{}).DrawDetails(dc);
        const std::vector<Rectangle> parts = dc.CallsOf<Rectangle>();
        Bar bar;
        if (parts.empty()) return bar;
        bar.left = parts.front().box.tl;
        bar.right = {parts.back().box.br.x, parts.back().box.tl.y};
        for (const TextOut& text : dc.CallsOf<TextOut>()) bar.texts.push_back(text.text);
        return bar;
    }

    // The distance in metres between two logical points, through the
    // document's own conversions and PROJ's geodesic on WGS 84.
    double Metres(POINT a, POINT b) {
        Position pa, pb;
        LPoint wa, wb;
        EXPECT_TRUE(doc.projection.lp2dm(a, wa) && doc.projection.dm2pos(wa, pa));
        EXPECT_TRUE(doc.projection.lp2dm(b, wb) && doc.projection.dm2pos(wb, pb));
        geod_geodesic g;
        geod_init(&g, 6378137.0, 1.0 / 298.257223563);
        double metres = 0.0;
        geod_inverse(&g, pa.Lat.GetDegrees(), pa.Long.GetDegrees(), pb.Lat.GetDegrees(), pb.Long.GetDegrees(),
                     &metres, nullptr, nullptr);
        return metres;
    }

    MapDocument doc;
};

TEST_F(ScaleBarTest, ItsEndsLieItsLengthApartInEveryProjectionAndAtEveryLatitude) {
    struct Row {
        const char* code;
        Position origin;
        int32_t scale;
    } projections[] = {
        {"MERC", Position(), 20000000},
        {"POLY", Position(Latitude(0.0), Longitude(20.0)), 20000000},
        {"ORTH", Position(Latitude(40.0), Longitude(10.0)), 20000000},
    };
    for (const Row& p : projections) {
        for (const double latitude : {-35.0, 10.0, 60.0}) {
            SCOPED_TRACE(std::string(p.code) + " at " + FormatGeneral(latitude));
            const Bar bar = Draw(p.code, p.origin, Position(Latitude(latitude), Longitude(15.0)), p.scale, "km");
            ASSERT_GE(bar.texts.size(), 4u);
            EXPECT_EQ(bar.texts[0], "0");
            EXPECT_EQ(bar.texts[3], "km");
            const double length = std::stod(bar.texts[2]);
            EXPECT_DOUBLE_EQ(RoundLengthNear(length), length);
            EXPECT_EQ(std::stod(bar.texts[1]), length / 2.0);
            EXPECT_NEAR(Metres(bar.left, bar.right), length * 1000.0, length * 1000.0 * 0.003);
            // About a fifth of the view wide, centred on its place.
            const int width = bar.right.x - bar.left.x;
            EXPECT_GT(width, 1000);
            EXPECT_LT(width, 3500);
            EXPECT_NEAR((bar.left.x + bar.right.x) / 2.0, 5000.0, 1.0);
            EXPECT_EQ(bar.left.y, -3750);
        }
    }
}

TEST_F(ScaleBarTest, UnitsAndJustification) {
    const Position centre(Latitude(45.0), Longitude(0.0));
    for (const auto& [unit, metres] : {std::pair{"mi", 1609.344}, std::pair{"nmi", 1852.0}}) {
        const Bar bar = Draw("MERC", Position(), centre, 5000000, unit);
        ASSERT_GE(bar.texts.size(), 4u);
        EXPECT_EQ(bar.texts[3], unit);
        const double length = std::stod(bar.texts[2]);
        EXPECT_NEAR(Metres(bar.left, bar.right), length * metres, length * metres * 0.003) << unit;
    }
    // A left justified style starts the bar at its place.
    const std::string left = kStyle.substr(0, kStyle.size() - 2) + "0 ";
    Draw("MERC", Position(), centre, 5000000, "km", 0.1, 0.9);
    doc.details[0] = "Scale \"km\" 0.1 0.9 " + left;
    RecordingDC dc;
    MapView(doc, ViewSettings{}).DrawDetails(dc);
    EXPECT_EQ(dc.CallsOf<Rectangle>().front().box.tl, (POINT{1000, -6750}));
}

TEST_F(ScaleBarTest, SaysItsLatitudeWhereTheScaleVaries) {
    // The whole world in Mercator: the scale grows towards the poles.
    Bar bar = Draw("MERC", Position(), Position(Latitude(0.0), Longitude(0.0)), 100000000, "km", 0.5, 0.2);
    ASSERT_EQ(bar.texts.size(), 5u);
    Position at;
    LPoint world;
    ASSERT_TRUE(doc.projection.lp2dm({5000, -1500}, world) && doc.projection.dm2pos(world, at));
    EXPECT_EQ(bar.texts[4], "at latitude " + FormatInt(std::lround(at.Lat.GetDegrees())) + "\u00B0 N");
    // A town's view at the equator: one scale for all of it.
    bar = Draw("MERC", Position(), Position(Latitude(0.0), Longitude(0.0)), 100000, "km");
    EXPECT_EQ(bar.texts.size(), 4u);
    // Off the globe there is no bar.
    bar = Draw("ORTH", Position(), Position(Latitude(0.0), Longitude(0.0)), 60000000, "km", 0.02, 0.02);
    EXPECT_TRUE(bar.texts.empty());
}

}  // namespace
}  // namespace okap
