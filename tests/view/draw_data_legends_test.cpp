#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "core/globals.h"
#include "platform/recording_dc.h"
#include "view/data_layer_fixture.h"

namespace okap::test {
namespace {

using namespace okap::recorded;

// The legend box of the layouts below: fractions that binary doubles hold
// exactly, of the extent (10000, 7500): left 1250, right 6250, top -1875,
// bottom -5625.
constexpr std::array<double, 4> kBox{0.125, 0.25, 0.625, 0.75};
const std::vector<POINT> kBorder{{1250, -1875}, {6250, -1875}, {6250, -5625}, {1250, -5625}, {1250, -1875}};

class LegendTest : public DataLayerTest {
protected:
    // A legend of count classes, each a screen square of size 12 labelled
    // "c" and its index, in columns columns.
    void MakeLegend(int count, int32_t columns) {
        format->legend = 1;
        format->legendBorderPosition = kBox;
        format->legendColumns = columns;
        format->legendName = "Title";
        for (int i = 0; i < count; ++i) AddClass("square", i, i + 1).label = "c" + std::to_string(i);
    }
};

using DrawDataLegendsTest = LegendTest;

struct LayoutRow {
    const char* name;
    const char* note;
    int32_t titleOn;
    int32_t borderPlot;
    int32_t borderFill;
    std::array<int, 3> rowY;  // the logical y of the middle of each row
};
void PrintTo(const LayoutRow& row, std::ostream* os) { *os << row.name; }

class DrawDataLegendsLayoutTest : public LegendTest, public ::testing::WithParamInterface<LayoutRow> {};

// Five classes in two columns: three rows, classes 0, 1, 2 down the first
// column and 3, 4 down the second. Each column is (6250 - 1250) / 2 = 2500
// wide: labels start a third in (1250 + 833 = 2083, and 4583), symbols are
// centred a sixth in (1250 + 416 = 1666, and 4166).
TEST_P(DrawDataLegendsLayoutTest, ClassesFillColumnByColumn) {
    const LayoutRow& row = GetParam();
    SCOPED_TRACE(row.note);
    MakeLegend(5, 2);
    format->legendNameStyle.on = row.titleOn;
    format->legendBorderStyle.plot = row.borderPlot;
    format->legendBorderStyle.lineColour = kRed;
    format->legendBorderStyle.fillPattern = row.borderFill;
    // The data file is never read for the legend.
    WriteFormat("legend.okd");
    document.dataLayers[0] = {"absent.dat", "legend.okd"};
    document.dataLayerCount = 1;

    view.DrawDataLegends(dc);

    // Texts are 12 points of 20 logical units, their tops 120 above the
    // row's middle (y offset 0.5).
    std::vector<TextOut> texts;
    if (row.titleOn) texts.push_back({{3750, -1875 - 937 / 2 + 120}, "Title"});  // centred over the box
    const std::array<POINT, 5> symbolAt{POINT{1666, row.rowY[0]}, POINT{1666, row.rowY[1]}, POINT{1666, row.rowY[2]},
                                        POINT{4166, row.rowY[0]}, POINT{4166, row.rowY[1]}};
    std::vector<Polygon> polygons;
    std::vector<Polyline> polylines;
    if (row.borderPlot && row.borderFill == kFillNull) polylines.push_back({kBorder});
    if (row.borderPlot && row.borderFill != kFillNull) polygons.push_back({kBorder});
    for (int i = 0; i < 5; ++i) {
        const POINT at = symbolAt[static_cast<size_t>(i)];
        texts.push_back({{at.x + 417, at.y + 120}, "c" + std::to_string(i)});
        polygons.push_back({Around(at, {{-58, 58}, {58, 58}, {58, -58}, {-58, -58}, {-58, 58}})});
    }
    EXPECT_EQ(dc.CallsOf<TextOut>(), texts);
    EXPECT_EQ(dc.CallsOf<Polygon>(), polygons);
    EXPECT_EQ(dc.CallsOf<Polyline>(), polylines);
    // The title centred, the class labels from their left ends.
    std::vector<SetTextAlign> aligns(5, SetTextAlign{TextAlign::Left});
    if (row.titleOn) aligns.insert(aligns.begin(), SetTextAlign{TextAlign::Centre});
    EXPECT_EQ(dc.CallsOf<SetTextAlign>(), aligns);
    if (row.borderPlot) {
        EXPECT_EQ(dc.calls[0], DcCall{SetBkMode{BackgroundMode::Transparent}});
        EXPECT_EQ(dc.calls[2], (DcCall{SelectPen{Pen{kRed, 6, PenStyle::Solid}}}));
    }
    EXPECT_TRUE(messages.messages.empty());
}

// The box is 5625 - 1875 = 3750 high. Without a title the three rows are
// 3750 / 3 = 1250 high, the first row's middle 625 down; with one there are
// four rows of 3750 / 4 = 937, the title's middle 468 down and the first
// class row's 468 + 937 = 1405.
INSTANTIATE_TEST_SUITE_P(
    Layouts, DrawDataLegendsLayoutTest,
    ::testing::Values(
        LayoutRow{"NoTitle", "no title, filled border", 0, 1, kFillSolid, {-2500, -3750, -5000}},
        LayoutRow{"TitleBorderOff", "title, border off", 1, 0, kFillSolid, {-3280, -4217, -5154}},
        LayoutRow{"TitleBorderNotFilled", "title, border not filled", 1, 1, kFillNull, {-3280, -4217, -5154}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DrawDataLegendsTest, LegendWithNothingToLayOutIsNotDrawn) {
    struct Case {
        const char* note;
        int classes;
        int32_t columns;
        int32_t legend;
    };
    for (const Case& c : {Case{"no column", 5, 0, 1}, Case{"no class", 0, 2, 1}, Case{"legend off", 5, 2, 0}}) {
        SCOPED_TRACE(c.note);
        format = std::make_unique<DataFormat>();
        MakeLegend(c.classes, c.columns);
        format->legend = c.legend;
        format->legendBorderStyle.plot = 1;
        WriteFormat("legend.okd");
        document.dataLayers[0] = {"absent.dat", "legend.okd"};
        document.dataLayerCount = 1;
        dc.calls.clear();

        view.DrawDataLegends(dc);

        EXPECT_TRUE(dc.calls.empty());
        EXPECT_TRUE(messages.messages.empty());
        EXPECT_EQ(badclient, 0);
    }
}

TEST_F(DrawDataLegendsTest, BoxTypedFarBelowTheViewKeepsToTheCoordinateRange) {
    MakeLegend(2, 1);
    format->legendBorderPosition = {0.125, 1e6, 0.625, 2e6};  // top 7.5e9 units down
    WriteFormat("legend.okd");
    document.dataLayers[0] = {"absent.dat", "legend.okd"};
    document.dataLayerCount = 1;

    view.DrawDataLegends(dc);

    // Every row lies beyond the lowest coordinate, -2147483647: the labels
    // are held there (their tops 120 above), the symbols lie outside the
    // view and are not drawn.
    EXPECT_EQ(dc.CallsOf<TextOut>(),
              (std::vector<TextOut>{{{3750, -2147483647 + 120}, "Title"}, {{2916, -2147483647 + 120}, "c0"},
                                    {{2916, -2147483647 + 120}, "c1"}}));
    EXPECT_TRUE(dc.CallsOf<Polygon>().empty());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DrawDataLegendsTest, UnreadableFormatIsReportedAndLeavesOutItsLayerOnly) {
    MakeLegend(1, 1);
    WriteFormat("legend.okd");
    document.dataLayers[0] = {"absent.dat", "legend.okd"};
    document.dataLayers[1] = {"absent.dat", "missing.okd"};
    document.dataLayers[2] = {"absent.dat", "legend.okd"};
    document.dataLayerCount = 3;

    view.DrawDataLegends(dc);

    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Error opening data format file : missing.okd",
                                                          "Error reading from format file missing.okd"}));
    EXPECT_EQ(badclient, 1);
    // The legends of the first and the third layer: one symbol each.
    EXPECT_EQ(dc.CallsOf<Polygon>().size(), 2u);
}

}  // namespace
}  // namespace okap::test
