// The map layers as DrawMaps draws them, through the recording device
// context: which segments, with which styles, clipped how, and what a
// failure leaves.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/globals.h"
#include "platform/message_box.h"
#include "platform/recording_dc.h"
#include "view/map_layer_fixture.h"
#include "view/map_view.h"

namespace okap {
namespace {

using namespace okap::recorded;
using test::Area;
using test::kDegree;
using test::Line;
using test::MapOf;
using test::MapLayout;
using test::PointSegment;
using test::Square;

// Feature 1 a green land area with a black outline two units wide, 3 not
// plotted, 5 a blue river, 6 a lake outlined only (fill pattern 98).
const std::string kFormat =
    "[Features]\r\n"
    "; feature no = name,plot,line style,line width,line colour,fill pattern,fill colour\r\n"
    "F1 = Land : 1 0 0 0 2 0 0 200 0 99\r\n"
    "F3 = Hidden : 0 0 0 0 1 0 0 0 0 99\r\n"
    "F5 = River : 1 0 0 255 1 0 0 0 0 99\r\n"
    "F6 = Lake : 1 0 0 128 1 0 0 0 255 98\r\n";

// The pens and brushes these styles make at pixwid 1.
const Pen kLandPen{Colour::Rgb(0, 0, 0), 2, PenStyle::Solid};
const Brush kLandBrush = Brush::Solid(Colour::Rgb(0, 200, 0));
const Pen kRiverPen{Colour::Rgb(0, 0, 255), 1, PenStyle::Solid};
const Brush kBlackBrush = Brush::Solid(Colour::Rgb(0, 0, 0));
const Pen kLakePen{Colour::Rgb(0, 0, 128), 1, PenStyle::Solid};
// A Null fill keeps a brush of its fill colour; it is never used to fill.
const Brush kLakeBrush = Brush::Solid(Colour::Rgb(0, 0, 255));

std::vector<DcCall> Styled(const Pen& pen, const Brush& brush, DcCall figure) {
    return {SetBkMode{BackgroundMode::Transparent}, SelectPen{pen}, SelectBrush{brush}, std::move(figure)};
}

std::vector<DcCall> Join(std::initializer_list<std::vector<DcCall>> parts) {
    std::vector<DcCall> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class DrawMapsTest : public ::testing::Test {
protected:
    DrawMapsTest() {
        ResetGlobals();
        test::SetView(doc);
    }
    ~DrawMapsTest() override { ResetGlobals(); }

    test::TempDir dir;
    MapDocument doc;
    MapView view{doc, test::MapDirectory(dir.Path())};
    MessageRecorder messages;
    RecordingDC dc;
};

TEST_F(DrawMapsTest, DrawsWhatTheFormatPlots) {
    const auto land = Square(1000, -1000, 2000, -2000);
    const std::vector<POINT> river{{3000, -3000}, {4000, -3500}, {4500, -3000}};
    const auto lake = Square(1200, -1200, 1800, -1800);
    test::AddMapLayer(dir, doc, "base",
                      MapOf({Area(1, land),
                             Line(3, {{100, -100}, {200, -200}}),         // style not plotted
                             Line(5, river),
                             Line(7, {{100, -100}, {300, -300}}),         // code the format does not name
                             PointSegment(5, {500, -500}),                // points never show
                             Area(6, lake),
                             Area(1, Square(20000, -1000, 21000, -2000)),  // wholly outside the view
                             Line(5, {{9000, -3000}, {11000, -3000}}),     // crosses the right edge
                             Line(5, {{6000, -7000}, {6000, -8000}}),      // and the bottom one
                             Area(1, Square(9000, -1000, 11000, -2000)),   // so does this
                             Area(150, Square(100, -100, 200, -200))}),    // code beyond the style table
                      kFormat);

    view.DrawMaps(dc);

    EXPECT_EQ(dc.calls, Join({Styled(kLandPen, kLandBrush, Polygon{land}),
                              Styled(kRiverPen, kBlackBrush, Polyline{river}),
                              Styled(kLakePen, kLakeBrush, Polyline{lake}),
                              // Cut at the edges x = 10000 and y = -7500 (hand computation).
                              Styled(kRiverPen, kBlackBrush, Polyline{{{9000, -3000}, {10000, -3000}}}),
                              Styled(kRiverPen, kBlackBrush, Polyline{{{6000, -7000}, {6000, -7500}}}),
                              Styled(kLandPen, kLandBrush,
                                     Polygon{{{10000, -2000}, {9000, -2000}, {9000, -1000}, {10000, -1000},
                                              {10000, -2000}}})}));
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(badclient, 0);
    EXPECT_EQ(doc.mapRegion, (LBox{{-180 * kDegree, 90 * kDegree}, {180 * kDegree, -90 * kDegree}}));
}

TEST_F(DrawMapsTest, PenWidthFollowsPixwid) {
    pixwid = 6.25;  // a 400-pixel window: 10000 / 400 x 0.25
    const auto land = Square(1000, -1000, 2000, -2000);
    test::AddMapLayer(dir, doc, "base", MapOf({Area(1, land)}), kFormat);
    view.DrawMaps(dc);
    // Width 2 x 6.25, truncated.
    EXPECT_EQ(dc.CallsOf<SelectPen>(), (std::vector<SelectPen>{{Pen{Colour::Rgb(0, 0, 0), 12, PenStyle::Solid}}}));
}

TEST_F(DrawMapsTest, StylesCarryFromOneLayerToTheNext) {
    const auto first = Square(1000, -1000, 2000, -2000);
    const auto second = Square(3000, -1000, 4000, -2000);
    const std::vector<POINT> river{{3000, -3000}, {4000, -3500}};
    MapLayout base = MapOf({Area(1, first)});
    base.west = -20 * kDegree;
    base.east = 30 * kDegree;
    base.north = 60 * kDegree;
    base.south = 10 * kDegree;
    test::AddMapLayer(dir, doc, "base", base, kFormat);
    // The second layer's format names only code 1, now red: its code 5
    // keeps the river style of the first layer's format.
    MapLayout upper = MapOf({Area(1, second), Line(5, river)});
    upper.west = -10 * kDegree;
    upper.east = 40 * kDegree;
    upper.north = 50 * kDegree;
    upper.south = 0;
    test::AddMapLayer(dir, doc, "upper", upper, "F1 = Red land : 1 0 0 0 1 0 255 0 0 99\r\n");

    view.DrawMaps(dc);

    EXPECT_EQ(dc.calls, Join({Styled(kLandPen, kLandBrush, Polygon{first}),
                              Styled(Pen{Colour::Rgb(0, 0, 0), 1, PenStyle::Solid},
                                     Brush::Solid(Colour::Rgb(255, 0, 0)), Polygon{second}),
                              Styled(kRiverPen, kBlackBrush, Polyline{river})}));
    // The union of the two headers' regions.
    EXPECT_EQ(doc.mapRegion, (LBox{{-20 * kDegree, 60 * kDegree}, {40 * kDegree, 0}}));
}

// An area whose outline holds a hole joined to the outer ring by a bridge
// (the edge A-H, there and back): filled without the pen, then outlined by
// the runs between the bridge's edges, the one through the closing point
// unbroken. Outlined only, it is just those runs.
TEST_F(DrawMapsTest, BridgesAreFilledAcrossAndNeverOutlined) {
    const POINT a{3000, -2000}, h{2500, -2000};
    const std::vector<POINT> ring{{1000, -3000}, {3000, -3000}, a, h, {2500, -2500}, {1500, -2500}, {1500, -1500},
                                  {2500, -1500}, h, a, {3000, -1000}, {1000, -1000}, {1000, -3000}};
    const std::vector<POINT> hole{h, {2500, -2500}, {1500, -2500}, {1500, -1500}, {2500, -1500}, h};
    const std::vector<POINT> outer{a, {3000, -1000}, {1000, -1000}, {1000, -3000}, {3000, -3000}, a};
    test::AddMapLayer(dir, doc, "base", MapOf({Area(1, ring), Area(6, ring)}), kFormat);

    view.DrawMaps(dc);

    EXPECT_EQ(dc.calls, Join({Styled(kLandPen, kLandBrush, SelectPen{Pen{kLandPen.colour, 2, PenStyle::Null}}),
                              {Polygon{ring}, SelectPen{kLandPen}, Polyline{hole}, Polyline{outer}},
                              Styled(kLakePen, kLakeBrush, Polyline{hole}),
                              {Polyline{outer}}}));
}

// Each failure shows its messages, sets badclient, draws nothing more and
// leaves the document's map region as it was.
// A failure ends the layer it happens in; the layers after it are still
// drawn, and the drawing reports that something failed.
TEST_F(DrawMapsTest, FailuresEndTheirLayerOnly) {
    const auto drawn = Square(1000, -1000, 2000, -2000);
    const auto after = Square(3000, -1000, 4000, -2000);
    test::SegmentLayout tooLong = Area(1, Square(5000, -1000, 6000, -2000));
    tooLong.storedCount = 10001;  // more points than the file holds: refused before any is read
    // An area whose last point is not its first, partly outside the view.
    test::SegmentLayout unclosed = Area(1, {{9000, -1000}, {11000, -1000}, {11000, -2000}, {9000, -2000}});
    const LBox world{{-180 * kDegree, 90 * kDegree}, {180 * kDegree, -90 * kDegree}};

    struct Row {
        const char* what;
        std::string mapDirectory;
        std::vector<test::SegmentLayout> segments;
        bool formatExists;
        bool secondLayerMissing;
        std::vector<std::string> messages;
        size_t figuresDrawn;  // of the first layer and the good last one
        bool regionRead;
    };
    const Row rows[] = {
        {"map directory missing", "nowhere", {Area(1, drawn)}, true, false, {"Map file path does not exist"}, 0,
         false},
        {"format file missing", ".", {Area(1, drawn)}, false, false, {"Error opening map format file"}, 1, true},
        {"second map file missing", ".", {Area(1, drawn)}, true, true,
         {"Error opening input map file : gone.mpb"}, 2, true},
        {"count beyond the file", ".", {Area(1, drawn), tooLong, Area(1, after)}, true, false,
         {"Unexpected end of input file"}, 2, true},
        {"clip fails", ".", {Area(1, drawn), unclosed, Area(1, after)}, true, false,
         {"ClipPoly - polygon not closed", "Insufficient memory to clip polygon"}, 2, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        test::TempDir rowDir;
        MapDocument rowDoc;
        test::SetView(rowDoc);
        const LBox before{{1, 2}, {3, 4}};
        rowDoc.mapRegion = before;
        test::AddMapLayer(rowDir, rowDoc, "base", MapOf(row.segments), kFormat);
        if (!row.formatExists) std::filesystem::remove(rowDir / "base.okf");
        if (row.secondLayerMissing)
            rowDoc.mapLayers[static_cast<size_t>(rowDoc.mapLayerCount++)] = {"gone.mpb", "base.okf"};
        test::AddMapLayer(rowDir, rowDoc, "last", MapOf({Area(1, Square(7000, -1000, 8000, -2000))}), kFormat);
        MapView rowView(rowDoc, test::MapDirectory(rowDir / row.mapDirectory));
        MessageRecorder rowMessages;
        RecordingDC rowDc;
        badclient = 0;

        rowView.DrawMaps(rowDc);

        EXPECT_EQ(rowMessages.Texts(), row.messages);
        EXPECT_EQ(badclient, 1);
        EXPECT_EQ(rowDc.CallsOf<Polygon>().size(), row.figuresDrawn);
        EXPECT_EQ(rowDoc.mapRegion, row.regionRead ? world : before);
    }
}

}  // namespace
}  // namespace okap
