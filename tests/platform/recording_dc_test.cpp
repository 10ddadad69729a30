#include "platform/recording_dc.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace okap {
namespace {

using namespace recorded;

const Pen kRedPen{Colour::Rgb(255, 0, 0), 3, PenStyle::Dash};
const Brush kBlueHatch = Brush::Hatched(Colour::Rgb(0, 0, 255), HatchStyle::DiagCross);

// A small drawing that uses a saved state around a change of fill mode.
void DrawSample(DeviceContext& dc) {
    dc.SetWindowExt({10000, 7500});
    dc.SetViewportExt({400, -300});
    dc.SelectPen(kRedPen);
    dc.SelectBrush(kBlueHatch);
    {
        SavedDC guard(dc);
        dc.SetPolyFillMode(PolyFillMode::Winding);
        dc.Polygon(std::vector<POINT>{{0, 0}, {100, -50}, {-7, 2147483647}});
    }
    dc.Polygon(std::vector<POINT>{{1, 2}, {3, 4}});
    dc.MoveTo({5, -5});
    dc.LineTo({6, -6});
    dc.TextOut({10, -20}, "Bergen");
    dc.DrawTextLine({{0, 0}, {90, 20}}, "Oslo");
}

TEST(RecordingDC, KeepsEveryCallInOrderWithTheFillModeInForce) {
    RecordingDC dc;
    DrawSample(dc);
    // After RestoreDC the polygon is back to the default fill mode.
    EXPECT_EQ(dc.calls, (std::vector<DcCall>{
                            SetWindowExt{{10000, 7500}},
                            SetViewportExt{{400, -300}},
                            SelectPen{kRedPen},
                            SelectBrush{kBlueHatch},
                            SaveDC{},
                            SetPolyFillMode{PolyFillMode::Winding},
                            Polygon{{{0, 0}, {100, -50}, {-7, 2147483647}}, PolyFillMode::Winding},
                            RestoreDC{},
                            Polygon{{{1, 2}, {3, 4}}, PolyFillMode::Alternate},
                            MoveTo{{5, -5}},
                            LineTo{{6, -6}},
                            TextOut{{10, -20}, "Bergen"},
                            DrawTextLine{{{0, 0}, {90, 20}}, "Oslo"},
                        }));
    EXPECT_EQ(dc.CallsOf<Polygon>().size(), 2u);
    EXPECT_EQ(dc.CallsOf<TextOut>(), (std::vector<TextOut>{{{10, -20}, "Bergen"}}));
}

TEST(RecordingDC, RestoresColoursAndIgnoresAnUnmatchedRestore) {
    RecordingDC dc({640, 480});
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::HorzRes), 640);
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::VertRes), 480);
    EXPECT_EQ(dc.GetTextColor(), Colour::Rgb(0, 0, 0));      // the platform's defaults
    EXPECT_EQ(dc.GetBkColor(), Colour::Rgb(255, 255, 255));

    dc.SaveDC();
    dc.SetTextColor(Colour::Rgb(1, 2, 3));
    dc.SetBkColor(Colour::Rgb(4, 5, 6));
    dc.SetPolyFillMode(PolyFillMode::Winding);
    EXPECT_EQ(dc.GetTextColor(), Colour::Rgb(1, 2, 3));
    dc.RestoreDC();
    dc.RestoreDC();  // nothing saved: the state stays
    dc.Polygon(std::vector<POINT>{{0, 0}, {1, 1}, {2, 0}});
    EXPECT_EQ(dc.GetTextColor(), Colour::Rgb(0, 0, 0));
    EXPECT_EQ(dc.GetBkColor(), Colour::Rgb(255, 255, 255));
    EXPECT_EQ(dc.CallsOf<Polygon>().at(0).fillMode, PolyFillMode::Alternate);
    EXPECT_EQ(dc.CallsOf<RestoreDC>().size(), 2u);
}

TEST(RecordingDC, PrintsCallsReadably) {
    const std::vector<std::pair<DcCall, std::string>> rows = {
        {Polygon{{{0, 0}, {10, -5}}, PolyFillMode::Winding}, "Polygon{[(0, 0) (10, -5)], Winding}"},
        {SelectPen{kRedPen}, "SelectPen{Pen(rgb(255 0 0), width 3, Dash)}"},
        {FillRect{{{0, 10}, {20, 0}}, kBlueHatch},
         "FillRect{[(0, 10) (20, 0)], Brush(Hatched, rgb(0 0 255), DiagCross)}"},
        {SelectFont{Font{"Times New Roman", 120, 450, 700, true, 0x12}},
         "SelectFont{Font(\"Times New Roman\", height 120, escapement 450, weight 700, italic, pitchAndFamily 18)}"},
        {TextOut{{1, 2}, "A b"}, "TextOut{(1, 2), \"A b\"}"},
        {DrawTextLine{{{0, 0}, {90, 20}}, "  7 Coast"}, "DrawTextLine{[(0, 0) (90, 20)], \"  7 Coast\"}"},
        {SaveDC{}, "SaveDC{}"},
    };
    for (const auto& [call, text] : rows) {
        std::ostringstream os;
        os << call;
        EXPECT_EQ(os.str(), text);
        EXPECT_EQ(testing::PrintToString(call), text);  // what a failed EXPECT_EQ shows
    }
}

}  // namespace
}  // namespace okap
