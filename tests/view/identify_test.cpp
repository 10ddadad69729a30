// The identify tool's search: data points and map segments near a click,
// on a small map drawn through the recording device context.

#include "view/identify.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/globals.h"
#include "core/number_text.h"
#include "data/datafile.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "platform/recording_dc.h"
#include "view/cursor_tools.h"
#include "view/data_layer_fixture.h"
#include "view/map_layer_fixture.h"

namespace okap {
namespace {

using test::Area;
using test::Line;
using test::MapOf;
using test::Square;

const std::string kFeatures =
    "[Features]\r\n"
    "F1 = Farmland  : 1 0 0 0 1 0 0 200 0 99\r\n"
    "F2 = River : 1 0 0 255 1 0 0 0 0 99\r\n"
    "F3 = Hidden : 0 0 0 0 1 0 0 0 0 99\r\n";

test::SegmentLayout Named(test::SegmentLayout segment, const char* name) {
    segment.name = name;
    return segment;
}

// The view of map_layer_fixture.h (400 x 300 pixels, 25 logical units a
// pixel), Mercator, with one map layer and one data layer drawn.
class IdentifyTest : public ::testing::Test {
protected:
    IdentifyTest() {
        ResetGlobals();
        document.projection = Projection("MERC", Position());
        test::SetView(document);
        // In device pixels: a farm from (40, 40) to (160, 120), a barn over
        // its corner from (120, 80) to (200, 140), a river at y = 80 from
        // x = 240 to 360, and an area whose feature is not drawn.
        test::AddMapLayer(dir, document, "world",
                          MapOf({Named(Area(1, Square(1000, -1000, 4000, -3000)), "FARM    "),
                                 Named(Area(1, Square(3000, -2000, 5000, -3500)), "BARN    "),
                                 Named(Line(2, {{6000, -2000}, {9000, -2000}}), "RIVER   "),
                                 Named(Area(3, Square(6000, -6000, 8000, -7000)), "SECRET  ")}),
                          kFeatures);

        // Screen-sized squares 2.3 pixels from their centre to their sides.
        dir.Write("okap.sym", test::kDrawingLibrary);
        auto format = std::make_unique<DataFormat>();
        const double bounds[][2] = {{0, 10}, {10, 100}, {100, 1000}};
        for (const auto& [low, high] : bounds) {
            DataClass& c = format->classes[static_cast<size_t>(format->symbolCount++)];
            c.symbol.name = "square";
            c.symbol.size = 12.0;
            c.lowValue = low;
            c.highValue = high;
            c.plotStyle.plot = low == 0 ? 0 : 1;  // the first class's symbols are off
            c.label = FormatGeneral(low) + "-" + FormatGeneral(high);
        }
        dir.Write("towns.okd", DataFormatText(*format, OptionTexts(*format)));
        dir.Write("towns.dat", DataLineAt({280, 200}, "250 \"Alpha\"") + DataLineAt({300, 220}, "5 \"Hidden\"") +
                                   DataLineAt({60, 60}, "50"));
        document.dataLayers[0] = {"towns.dat", "towns.okd"};
        document.dataLayerCount = 1;

        view.DrawMaps(dc);
        view.DrawData(dc);
        document.drawn = 1;
    }
    ~IdentifyTest() override { ResetGlobals(); }

    // A data line placing its point at a device pixel of the view.
    std::string DataLineAt(POINT device, const std::string& rest) {
        Position position;
        EXPECT_EQ(document.projection.dm2pos(test::World({device.x * 25, -device.y * 25}), position), 1);
        return FormatGeneral(position.Long.GetDegrees(), 12) + " " + FormatGeneral(position.Lat.GetDegrees(), 12) +
               " " + rest + "\r\n";
    }

    test::TempDir dir;
    MapDocument document;
    ViewSettings settings{dir.Path().string(), dir.Path().string()};
    MapView view{document, settings};
    RecordingDC dc{{400, 300}};
    MessageRecorder messages;
};

TEST_F(IdentifyTest, HitsAndMissesAFewPixelsAway) {
    // The map was drawn: both areas, the river and two symbols.
    ASSERT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());
    EXPECT_EQ(badclient, 0);

    struct Case {
        POINT at;
        const char* point;    // the value of the data point found
        const char* segment;  // else the name of the segment found
    } cases[] = {
        {{280, 200}, "250", nullptr},   // on the point
        {{283, 202}, "250", nullptr},   // 3.6 pixels off
        {{280, 206}, nullptr, nullptr},  // 6 pixels off: past its symbol too
        {{300, 220}, nullptr, nullptr},  // a point of a class whose symbols are off
        {{60, 60}, "50", nullptr},      // a point over the farm
        {{50, 50}, nullptr, "FARM"},     // 14 pixels from it, inside the farm
        {{130, 90}, nullptr, "BARN"},    // the barn is drawn over the farm
        {{199, 139}, nullptr, "BARN"},
        {{201, 141}, nullptr, nullptr},
        {{300, 83}, nullptr, "RIVER"},   // 3 pixels from the river
        {{362, 78}, nullptr, "RIVER"},   // beyond its end, as near
        {{300, 86}, nullptr, nullptr},   // 6 pixels
        {{250, 250}, nullptr, nullptr},  // inside an area not drawn
    };
    for (const Case& c : cases) {
        const Identification found = Identify(document, settings, c.at);
        const std::string where = ::testing::PrintToString(c.at);
        ASSERT_TRUE(found.position.has_value()) << where;
        if (c.point) {
            ASSERT_TRUE(found.point.has_value()) << where;
            EXPECT_EQ(FormatGeneral(found.point->value), c.point) << where;
        } else {
            EXPECT_FALSE(found.point.has_value()) << where;
        }
        if (c.segment) {
            ASSERT_TRUE(found.segment.has_value()) << where;
            EXPECT_EQ(found.segment->name, c.segment) << where;
        } else {
            EXPECT_FALSE(found.segment.has_value()) << where << " found " << found.segment->name;
        }
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(IdentifyTest, RowsShowWhatWasFound) {
    document.positionFormat = 2;
    using Rows = std::vector<std::pair<std::string, std::string>>;
    const Identification town = Identify(document, settings, {281, 200});
    ASSERT_TRUE(town.point.has_value());
    EXPECT_EQ(IdentificationRows(town, document),
              (Rows{{"Value", "250"},
                    {"Class", "100-1000"},
                    {"Position", PositionString(document, town.point->position)},
                    {"Label", "Alpha"},
                    {"Data file", "towns.dat"}}));
    // The point's own place, not the click's.
    EXPECT_NE(PositionString(document, town.point->position), PositionString(document, *town.position));

    const Identification river = Identify(document, settings, {300, 80});
    EXPECT_EQ(IdentificationRows(river, document),
              (Rows{{"Name", "RIVER"},
                    {"Feature type", "2"},
                    {"Feature", "River"},
                    {"Kind", "Line"},
                    {"Map file", "world.mpb"},
                    {"Position", PositionString(document, *river.position)}}));
    const Identification farm = Identify(document, settings, {50, 50});
    ASSERT_TRUE(farm.segment.has_value());
    EXPECT_EQ(farm.segment->featureName, "Farmland");  // blanks at the end dropped
    EXPECT_EQ(farm.segment->kind, kAreaKind);

    const Identification nothing = Identify(document, settings, {390, 290});
    EXPECT_EQ(IdentificationRows(nothing, document),
              (Rows{{"", "No data point or map feature here"},
                    {"Position", PositionString(document, *nothing.position)}}));
}

TEST_F(IdentifyTest, QuietAboutFilesThePaintReports) {
    // Before the first paint there is no mapping to search with.
    document.drawn = 0;
    EXPECT_FALSE(Identify(document, settings, {280, 200}).position.has_value());
    document.drawn = 1;

    std::filesystem::remove(dir / "towns.dat");
    dir.Write("world.okf", "");
    badclient = 0;
    const Identification found = Identify(document, settings, {280, 200});
    EXPECT_FALSE(found.point.has_value());
    EXPECT_FALSE(found.segment.has_value());  // no feature of the layer is drawn
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(badclient, 0);
}

}  // namespace
}  // namespace okap
