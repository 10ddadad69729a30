#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/globals.h"
#include "platform/recording_dc.h"
#include "view/data_layer_fixture.h"

namespace okap::test {
namespace {

using namespace okap::recorded;

using DrawDataTest = DataLayerTest;

TEST_F(DrawDataTest, JoinLineSkipsInvalidPointsAndIsClippedToTheView) {
    PlotStyle& join = format->symbolJoinStyle;
    join.plot = 1;
    join.lineColour = kRed;
    join.lineWidth = 3;
    AddClass("square", 0, 10).plotStyle.plot = 0;  // symbols hidden: only the line is drawn
    // longitude latitude value
    AddLayer("joined.okd", "points.dat",
             "0 1 50\r\n"     // outside every class: does not start the line
             "0 0 5\r\n"      // the line starts here
             "1 1 50\r\n"     // passed over without breaking the line
             "2 -1 5\r\n"     // joined straight to the start
             "10 -1 5\r\n"    // beyond the east edge: the segment to it is clipped there
             "20 -1 5\r\n");  // segment wholly beyond the east edge: not drawn

    view.DrawData(dc);

    const POINT start = At(0, 0);
    const POINT second = At(-1, 2);
    const Brush brush = Brush::Solid(kBlack);
    const Pen pen{kRed, 18, PenStyle::Solid};  // width 3 x pixwid 6.25, truncated
    EXPECT_EQ(dc.calls, (std::vector<DcCall>{SelectBrush{brush}, SelectPen{pen}, MoveTo{start}, LineTo{second},
                                             // a horizontal segment meets the east edge at its own y
                                             SelectBrush{brush}, SelectPen{pen}, MoveTo{second},
                                             LineTo{{10000, second.y}}}));
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(badclient, 0);
}

// Centred on 0 N 0 E, an orthographic view shows one hemisphere. A point on
// the other is no error: it is passed over, and the join line does not run
// towards it but starts again at the next point in sight.
TEST_F(DrawDataTest, PointsBeyondAnOrthographicGlobeAreSkippedAndBreakTheJoinLine) {
    document.projection = Projection("ORTH", Position(Latitude(0.0), Longitude(0.0)));
    document.projection.setvp(document.windowExtent, document.viewportExtent, document.centre, kScale);
    PlotStyle& join = format->symbolJoinStyle;
    join.plot = 1;
    join.lineColour = kRed;
    AddClass("square", 0, 10);
    // longitude latitude value label
    AddLayer("globe.okd", "globe.dat",
             "0 0 5 \"Front\"\r\n"
             "1 1 5 \"Near\"\r\n"
             "180 0 5 \"Behind\"\r\n"  // on the far side
             "-1 -1 5 \"Again\"\r\n"
             "-2 1 5 \"Last\"\r\n");

    view.DrawData(dc);

    EXPECT_EQ(dc.CallsOf<MoveTo>(), (std::vector<MoveTo>{{At(0, 0)}, {At(-1, -1)}}));
    EXPECT_EQ(dc.CallsOf<LineTo>(), (std::vector<LineTo>{{At(1, 1)}, {At(1, -2)}}));
    EXPECT_EQ(dc.CallsOf<Polygon>().size(), 4u);
    std::vector<std::string> labels;
    for (const TextOut& t : dc.CallsOf<TextOut>()) labels.push_back(t.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"Front", "Near", "Again", "Last"}));
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(badclient, 0);
}

// A point in sight that cannot be converted (here: no viewport) is still
// reported, after a point beyond the globe has been passed over quietly.
TEST_F(DrawDataTest, APointInSightThatFailsIsStillReported) {
    document.projection = Projection("ORTH", Position(Latitude(0.0), Longitude(0.0)));
    AddClass("square", 0, 10);
    AddLayer("globe.okd", "globe.dat", "180 0 5\r\n0 0 5\r\n");

    view.DrawData(dc);

    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Can not convert data point position"}));
    EXPECT_EQ(badclient, 1);
    EXPECT_TRUE(dc.CallsOf<Polygon>().empty());
}

// One point at the view's middle, drawn with one class's symbol.
struct SymbolRow {
    const char* name;
    const char* note;
    const char* symbol;
    int32_t sizeBasis;
    double size;
    const char* angle;  // the data line's fourth number, if any
    int32_t fillPattern;
    std::vector<POINT> offsets;  // the outline drawn, from the point
};
void PrintTo(const SymbolRow& row, std::ostream* os) { *os << row.name; }

class DrawDataSymbolTest : public DataLayerTest, public ::testing::WithParamInterface<SymbolRow> {};

TEST_P(DrawDataSymbolTest, OutlineIsScaledAndTurned) {
    const SymbolRow& row = GetParam();
    SCOPED_TRACE(row.note);
    AddClass(row.symbol, 0, 10, row.sizeBasis, row.size).plotStyle.fillPattern = row.fillPattern;
    AddLayer("layer.okd", "point.dat", std::string("0 0 5 ") + row.angle + "\r\n");

    view.DrawData(dc);

    // The join line is off: a symbol and no line.
    const std::vector<POINT> expected = Around(kMiddle, row.offsets);
    const DcCall figure = row.fillPattern == kFillNull ? DcCall{Polyline{expected}} : DcCall{Polygon{expected}};
    const Pen pen{kBlack, 6, PenStyle::Solid};  // width 1 x pixwid 6.25, truncated
    EXPECT_EQ(dc.calls, (std::vector<DcCall>{SelectBrush{Brush::Solid(kBlue)}, SelectPen{pen}, figure}));
}

// Scales by the view's two values (1000 each, see the fixture): "Screen"
// 0.01 x (1000 / 2) x size, "Map" (1000 / 2) x size; each outline point is
// 0.01 x its symbol units x scale, truncated towards zero.
INSTANTIATE_TEST_SUITE_P(
    Symbols, DrawDataSymbolTest,
    ::testing::Values(
        SymbolRow{"ScreenSize", "Screen 12: scale 60, 98 x 0.6 = 58.8 gives 58", "square", kSizeScreen, 12.0, "",
                  kFillSolid, {{-58, 58}, {58, 58}, {58, -58}, {-58, -58}, {-58, 58}}},
        SymbolRow{"MapSize", "Map 0.25: scale 125, 98 x 1.25 = 122.5 gives 122", "square", kSizeMap, 0.25, "",
                  kFillSolid, {{-122, 122}, {122, 122}, {122, -122}, {-122, -122}, {-122, 122}}},
        SymbolRow{"FillNull", "Screen 12 with fill Null: outlined with a polyline", "square", kSizeScreen, 12.0, "",
                  kFillNull, {{-58, 58}, {58, 58}, {58, -58}, {-58, -58}, {-58, 58}}},
        SymbolRow{"Triangle", "triangle, scale 60: 100 gives 60, 87 gives 52.2 -> 52, -50 gives -30", "triangle",
                  kSizeScreen, 12.0, "", kFillSolid, {{0, 60}, {52, -30}, {-52, -30}, {0, 60}}},
        // Turned clockwise by 90 degrees the triangle would be (60, 0),
        // (-30, -52), (-30, 52). The turn takes a degree as 0.017453 rad, a
        // hair short, and the turned coordinates are truncated towards zero:
        // the apex lands at (5059.99998, -3749.998), so (59, 1) from the
        // middle; the third point at (4969.9986, -3698.0008), so (-31, 52).
        SymbolRow{"TriangleTurned", "triangle turned 90 degrees clockwise", "triangle", kSizeScreen, 12.0, "90",
                  kFillSolid, {{59, 1}, {-30, -52}, {-31, 52}, {59, 1}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DrawDataTest, LabelsOnlyForClassesWithLabelsOnAndSymbolsNotWhollyOutside) {
    AddClass("square", 0, 10);
    AddClass("square", 10, 20).textStyle.on = 0;
    AddLayer("labels.okd", "labels.dat",
             "0 0 5 \"Alpha\"\r\n"   // drawn and labelled
             "1 0 15 \"Beta\"\r\n"   // its class's labels are off
             "20 0 5 \"Gamma\"\r\n"  // wholly beyond the east edge: neither symbol nor label
             "5 0 5 \"Delta\"\r\n"   // across the east edge: clipped, and labelled
             "-1 0 5\r\n");          // no label on the line: the symbol alone, and no complaint

    view.DrawData(dc);

    // Labels in the class's style: 12 points of 20 logical units, moved up
    // by half their height (y offset 0.5) and centred.
    const POINT alpha = At(0, 0);
    const POINT delta = At(0, 5);
    EXPECT_EQ(dc.CallsOf<TextOut>(),
              (std::vector<TextOut>{{{alpha.x, alpha.y + 120}, "Alpha"}, {{delta.x, delta.y + 120}, "Delta"}}));
    const std::vector<Polygon> polygons = dc.CallsOf<Polygon>();
    ASSERT_EQ(polygons.size(), 4u);
    EXPECT_EQ(polygons[0].points, Around(alpha, {{-58, 58}, {58, 58}, {58, -58}, {-58, -58}, {-58, 58}}));
    // Delta's square reaches from delta.x - 58 to past the edge at 10000:
    // what is left runs from where its bottom enters the view round to where
    // its top leaves it, and back down the view's edge.
    ASSERT_GT(delta.x + 58, 10000);
    const int west = delta.x - 58;
    EXPECT_EQ(polygons[2].points, (std::vector<POINT>{{10000, delta.y - 58},
                                                      {west, delta.y - 58},
                                                      {west, delta.y + 58},
                                                      {10000, delta.y + 58},
                                                      {10000, delta.y - 58}}));
    EXPECT_EQ(polygons[3].points, Around(At(0, -1), {{-58, 58}, {58, 58}, {58, -58}, {-58, -58}, {-58, 58}}));
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(badclient, 0);
}

TEST_F(DrawDataTest, OutlineOfTwoPointsOrFewerIsNotDrawn) {
    AddClass("bar", 0, 10);
    AddClass("square", 20, 30);
    AddLayer("thin.okd", "thin.dat",
             "0 0 5\r\n"     // two points, wholly inside
             "5 0 5\r\n"     // two points across the east edge: not clipped either
             "0 0 25\r\n");  // a square, to show that drawing went on

    view.DrawData(dc);

    EXPECT_EQ(dc.CallsOf<Polygon>(),
              (std::vector<Polygon>{{Around(kMiddle, {{-58, 58}, {58, 58}, {58, -58}, {-58, -58}, {-58, 58}})}}));
    EXPECT_TRUE(dc.CallsOf<Polyline>().empty());
    // The clipper would have refused the open outline as an unclosed area.
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DrawDataTest, ClippedOutlineMayHoldMoreThanTheOutline) {
    // A comb of 99 points whose 48 teeth reach past the east edge: every
    // tooth leaves and enters the view, adding two points on its edge.
    std::string comb = "symbol  = comb\r\npoints  = 99\r\n-100 98\r\n";
    for (int i = 0; i < 48; ++i) {
        const int y = 96 - 4 * i;
        comb += "100 " + std::to_string(y) + "\r\n0 " + std::to_string(y - 2) + "\r\n";
    }
    comb += "-100 -98\r\n-100 98\r\n";
    dir.Write("okap.sym", std::string(kDrawingLibrary) + comb);
    AddClass("comb", 0, 10, kSizeScreen, 20.0);  // scale 0.01 x 500 x 20 = 100: a symbol unit a logical unit
    AddLayer("comb.okd", "comb.dat", "4.94 0 5\r\n");
    const POINT centre = At(0, 4.94);
    ASSERT_LT(centre.x, 10000);
    ASSERT_GT(centre.x + 99, 10000);

    view.DrawData(dc);

    const std::vector<Polygon> polygons = dc.CallsOf<Polygon>();
    ASSERT_EQ(polygons.size(), 1u);
    // More points than a symbol's outline can have.
    EXPECT_GT(polygons[0].points.size(), static_cast<size_t>(Symbol::kMaxPoints));
    for (POINT p : polygons[0].points) {
        EXPECT_LE(p.x, 10000);
        EXPECT_GE(p.x, centre.x - 100);
    }
    EXPECT_TRUE(messages.messages.empty());
}

// A layer that fails between two good ones: the messages, badclient, and
// the failing layer left out while the layers around it are drawn.
struct FailureRow {
    const char* name;
    const char* note;
    const char* format;  // the failing layer's format file
    const char* data;    // and its data file
    std::vector<std::string> messages;
};
void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class DrawDataFailureTest : public DataLayerTest, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(DrawDataFailureTest, ReportsAndLeavesOutItsLayer) {
    const FailureRow& row = GetParam();
    SCOPED_TRACE(row.note);
    format->symbolJoinStyle.plot = 1;  // both passes read the data file
    AddClass("square", 0, 10);
    AddLayer("good.okd", "good.dat", "0 0 5\r\n0 -1 5\r\n");
    dir.Write("bad.dat", "0 0\r\n");
    document.dataLayers[static_cast<size_t>(document.dataLayerCount++)] = {row.data, row.format};
    document.dataLayers[static_cast<size_t>(document.dataLayerCount++)] = {"good.dat", "good.okd"};

    view.DrawData(dc);

    EXPECT_EQ(messages.Texts(), row.messages);
    EXPECT_EQ(badclient, 1);
    // The first and the last layer: a line and two symbols each.
    EXPECT_EQ(dc.CallsOf<LineTo>().size(), 2u);
    EXPECT_EQ(dc.CallsOf<Polygon>().size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, DrawDataFailureTest,
    ::testing::Values(
        FailureRow{"FormatMissing", "format file missing", "missing.okd", "good.dat",
                   {"Error opening data format file : missing.okd", "Error reading from format file missing.okd"}},
        FailureRow{"DataMissing", "data file missing", "good.okd", "missing.dat",
                   {"Error opening data file : missing.dat", "Error reading from data file missing.dat"}},
        // Shown once: the symbols' pass does not read the file again.
        FailureRow{"BadLine", "a line of two numbers", "good.okd", "bad.dat", {"Unknown data file type"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace okap::test
