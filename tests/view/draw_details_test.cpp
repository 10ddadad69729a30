// The text details: drawn at their fractions of the view, only those that
// start with "Text" and whose style is on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/globals.h"
#include "platform/recording_dc.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {
namespace {

using namespace okap::recorded;

// Black Arial, 12 points on screen, no offsets, centred: DrawText puts the
// text's top centre at the detail's place.
const std::string kStyle = "1 \"Arial\" 0 0 0 0 0 12 0 0 0 400 0 2 ";

TEST(DrawDetails, DrawsTextDetailsAtTheirPlaces) {
    ResetGlobals();
    MapDocument doc;
    doc.windowExtent = {10000, 7500};
    const std::vector<std::string> details = {
        "Text \"Centre\" 0.5 0.5 " + kStyle,
        "Note \"Not a text\" 0.5 0.5 " + kStyle,                     // kept, never drawn
        "Text \"Off\" 0.5 0.5 0" + kStyle.substr(1),                  // its style is off
        "Text \"Corner\" 0.25 0.2 " + kStyle,
        "Text \"Unreadable\" 0.5 x " + kStyle,                        // no place
    };
    doc.detailCount = static_cast<int>(details.size());
    std::copy(details.begin(), details.end(), doc.details.begin());
    MapView view(doc, ViewSettings{});
    RecordingDC dc;
    view.DrawDetails(dc);
    // (10000 x 0.5, -7500 x 0.5) is the view's centre; (2500, -1500) a
    // quarter across and a fifth down.
    EXPECT_EQ(dc.CallsOf<TextOut>(), (std::vector<TextOut>{{{5000, -3750}, "Centre"}, {{2500, -1500}, "Corner"}}));
    EXPECT_EQ(dc.CallsOf<SetTextAlign>().front(), SetTextAlign{TextAlign::Centre});
}

}  // namespace
}  // namespace okap
