// The map box: filled under everything and outlined over everything, or
// outlined twice when its fill is Null; where the view reaches off the
// globe, only the globe takes the fill and its edge is outlined.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "core/globals.h"
#include "platform/recording_dc.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {
namespace {

using namespace okap::recorded;

TEST(DrawMapBox, FillsThenOutlinesTheWholeView) {
    const std::vector<POINT> frame{{0, 0}, {10000, 0}, {10000, -7500}, {0, -7500}, {0, 0}};
    struct Row {
        const char* style;
        Brush brush;
        DcCall background;  // what final 0 draws; final 1 always draws the Polyline
    };
    const Row rows[] = {
        {"1 255 0 0 2 0 0 0 200 99", Brush::Solid(Colour::Rgb(0, 0, 200)), Polygon{frame}},
        {"1 255 0 0 2 0 0 0 200 4", Brush::Hatched(Colour::Rgb(0, 0, 200), HatchStyle::Cross), Polygon{frame}},
        // A Null fill leaves the window's background alone.
        {"1 255 0 0 2 0 0 0 200 98", Brush::Solid(Colour::Rgb(0, 0, 200)), Polyline{frame}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.style);
        ResetGlobals();
        pixwid = 6.25;
        MapDocument doc;
        doc.windowExtent = {10000, 7500};
        std::istringstream(row.style) >> doc.mapBoxStyles[0];
        MapView view(doc, ViewSettings{});
        RecordingDC dc;
        view.DrawMapBox(dc, 0);
        view.DrawMapBox(dc, 1);
        // Line width 2 x pixwid 6.25, truncated.
        const Pen pen{Colour::Rgb(255, 0, 0), 12, PenStyle::Solid};
        const std::vector<DcCall> setUp{SetBkMode{BackgroundMode::Transparent}, SelectBrush{row.brush},
                                        SelectPen{pen}};
        std::vector<DcCall> expected = setUp;
        expected.push_back(row.background);
        expected.insert(expected.end(), setUp.begin(), setUp.end());
        expected.push_back(Polyline{frame});
        EXPECT_EQ(dc.calls, expected);
    }
    ResetGlobals();
}

class GlobeTest : public ::testing::Test {
protected:
    GlobeTest() {
        pixwid = 1.0;
        doc.windowExtent = {10000, 7500};
        std::istringstream("1 0 0 0 1 0 170 211 232 99") >> doc.mapBoxStyles[0];
    }
    ~GlobeTest() override { ResetGlobals(); }

    void SetView(const char* code, Position origin, LPoint centre, int32_t scale) {
        doc.projection = Projection(code, origin);
        doc.projection.setvp(doc.windowExtent, {1000, -750}, centre, scale);
    }
    // Whether a logical point shows a place on the globe.
    bool OnGlobe(POINT p) {
        LPoint world;
        Position position;
        return doc.projection.lp2dm(p, world) && doc.projection.dm2pos(world, position);
    }

    MapDocument doc;
    MapView view{doc, ViewSettings{}};
    RecordingDC dc;
};

const Brush kSea = Brush::Solid(Colour::Rgb(170, 211, 232));
const Brush kOffGlobe = Brush::Solid(Colour::Rgb(224, 224, 224));

TEST_F(GlobeTest, AnOrthographicViewFillsOnlyTheDiscOfTheGlobe) {
    // The whole globe (12756 km across) in a view 18000 km wide.
    SetView("ORTH", Position(Latitude(40.0), Longitude(10.0)), {0, 0}, 60000000);
    view.DrawMapBox(dc, 0);
    const std::vector<Polygon> fills = dc.CallsOf<Polygon>();
    const std::vector<SelectBrush> brushes = dc.CallsOf<SelectBrush>();
    ASSERT_EQ(fills.size(), 2u);
    ASSERT_EQ(brushes.size(), 3u);
    EXPECT_EQ(brushes[1].brush, kOffGlobe);  // the view
    EXPECT_EQ(brushes[2].brush, kSea);       // the disc
    EXPECT_EQ(fills[0].points.front(), (POINT{0, 0}));
    // The disc's outline is the horizon: on the globe, and a little beyond
    // it is off it.
    const POINT centre{5000, -3750};
    for (const POINT p : fills[1].points) {
        const double dx = p.x - centre.x, dy = p.y - centre.y, r = std::hypot(dx, dy);
        EXPECT_TRUE(OnGlobe({static_cast<int>(centre.x + dx * (r - 2) / r), static_cast<int>(centre.y + dy * (r - 2) / r)}));
        EXPECT_FALSE(OnGlobe({static_cast<int>(centre.x + dx * (r + 2) / r), static_cast<int>(centre.y + dy * (r + 2) / r)}));
    }
    // The edge is drawn in the map box pen once the layers are drawn.
    RecordingDC edge;
    view.DrawGlobeEdge(edge);
    const std::vector<Polyline> outline = edge.CallsOf<Polyline>();
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_EQ(outline[0].points.size(), fills[1].points.size() + 1);

    // Close in, the view lies on the globe and is filled whole.
    SetView("ORTH", Position(Latitude(40.0), Longitude(10.0)), {0, 0}, 1000000);
    RecordingDC close;
    view.DrawMapBox(close, 0);
    EXPECT_EQ(close.CallsOf<Polygon>().size(), 1u);
    EXPECT_EQ(close.CallsOf<SelectBrush>().back().brush, kSea);
    RecordingDC noEdge;
    view.DrawGlobeEdge(noEdge);
    EXPECT_TRUE(noEdge.calls.empty());
}

TEST_F(GlobeTest, AMercatorViewWiderThanTheWorldLeavesItsSidesOut) {
    // 2 x 20037 km of the world in a view of 60000 km.
    SetView("MERC", Position(), {0, 0}, 200000000);
    view.DrawMapBox(dc, 0);
    const std::vector<Polygon> fills = dc.CallsOf<Polygon>();
    ASSERT_EQ(fills.size(), 2u);
    LPoint east;
    ASSERT_TRUE(doc.projection.pos2dm(Position(Latitude(0.0), Longitude(179.9999)), east));
    TPoint eastEdge;
    doc.projection.dm2lp(east, eastEdge);
    int left = 10000, right = 0;
    for (const POINT p : fills[1].points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
    }
    EXPECT_NEAR(right, eastEdge.x, 2);
    EXPECT_NEAR(left, 10000 - eastEdge.x, 2);
    // A Null fill leaves the window's background, and only the edge is drawn.
    std::istringstream("1 0 0 0 1 0 170 211 232 98") >> doc.mapBoxStyles[0];
    RecordingDC null;
    view.DrawMapBox(null, 0);
    EXPECT_TRUE(null.CallsOf<Polygon>().empty());
}

}  // namespace
}  // namespace okap
