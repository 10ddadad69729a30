// The map box: filled under everything and outlined over everything, or
// outlined twice when its fill is Null.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace okap
