// The north arrow detail points to true north at its place: on a polar
// stereographic map, towards the pole.

#include "view/draw_north_arrow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/globals.h"
#include "core/latlong.h"
#include "core/number_text.h"
#include "platform/recording_dc.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {
namespace {

using namespace okap::recorded;

TEST(NorthArrow, PointsToThePoleOnAPolarMap) {
    MapDocument doc;
    doc.projection = Projection("UPST", Position(Latitude(90.0), Longitude(0.0)));
    doc.windowExtent = {10000, 10000};
    // The pole at the view's centre; UPST's world is in metres from a
    // false origin of 2000 km either way.
    doc.projection.setvp(doc.windowExtent, {800, -800}, {2000000, 2000000}, 3000000);
    LPoint poleWorld;
    TPoint pole;
    ASSERT_TRUE(doc.projection.pos2dm(Position(Latitude(90.0), Longitude(0.0)), poleWorld) &&
                doc.projection.dm2lp(poleWorld, pole));
    const std::string style = " 1 \"Arial\" 0 0 0 0 0 12 0 0 0.5 700 0 2 ";
    for (const auto& [fx, fy] : {std::pair{0.2, 0.5}, std::pair{0.9, 0.1}, std::pair{0.5, 0.8}, std::pair{0.3, 0.35}}) {
        SCOPED_TRACE(FormatGeneral(fx) + " " + FormatGeneral(fy));
        doc.detailCount = 1;
        doc.details[0] = "North \"N\" " + FormatGeneral(fx) + " " + FormatGeneral(fy) + style;
        RecordingDC dc;
        MapView(doc, ViewSettings{}).DrawDetails(dc);
        const std::vector<Polygon> halves = dc.CallsOf<Polygon>();
        ASSERT_EQ(halves.size(), 2u);
        // The tip and the notch of the arrow: its axis.
        const POINT tip = halves[0].points[0];
        const POINT notch = halves[0].points[2];
        const double drawn = std::atan2(tip.y - notch.y, tip.x - notch.x);
        const POINT place{static_cast<int>(10000 * fx), -static_cast<int>(10000 * fy)};
        const double towardsPole = std::atan2(pole.y - place.y, pole.x - place.x);
        EXPECT_NEAR(std::remainder(drawn - towardsPole, 2 * M_PI), 0.0, 0.01);
        // The letter lies beyond the tip.
        const std::vector<TextOut> letters = dc.CallsOf<TextOut>();
        ASSERT_EQ(letters.size(), 1u);
        EXPECT_EQ(letters[0].text, "N");
    }
    ResetGlobals();
}

}  // namespace
}  // namespace okap
