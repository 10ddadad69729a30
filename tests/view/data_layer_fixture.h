#pragma once
// What the data layer drawing tests share: one directory serving as both
// the map files and the data files directory, holding the symbol library,
// the data format files and the data files; a document whose view is set up
// as a paint of a 400 x 300 window sets it; and a format to edit and write.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/globals.h"
#include "core/latlong.h"
#include "core/number_text.h"
#include "core/projection.h"
#include "data/datafile.h"
#include "platform/message_box.h"
#include "platform/recording_dc.h"
#include "support/temp_dir.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap::test {

// The square of the default symbol, the triangle of the library's example,
// and a symbol of two points.
inline constexpr char kDrawingLibrary[] =
    "symbol  = square\r\npoints  = 5\r\n-98 98\r\n98 98\r\n98 -98\r\n-98 -98\r\n-98 98\r\n"
    "symbol  = triangle\r\npoints  = 4\r\n0 100\r\n87 -50\r\n-87 -50\r\n0 100\r\n"
    "symbol  = bar\r\npoints  = 2\r\n-100 0\r\n100 0\r\n";

inline constexpr Colour kBlack = Colour::Rgb(0, 0, 0);
inline constexpr Colour kRed = Colour::Rgb(255, 0, 0);
inline constexpr Colour kBlue = Colour::Rgb(0, 0, 255);

class DataLayerTest : public ::testing::Test {
protected:
    // As Paint sets the view of a 400 x 300 window: window extent (10000,
    // 7500), viewport extent (400, -300). The Mercator view is centred on
    // 0 N 0 E, which lies at the logical centre (5000, -3750), and spans
    // 3 x 3704000 dm = 10 degrees of latitude (at 1111200 dm a degree): 1000
    // logical units a degree for "Map" sizes, and 10000 / 10 = 1000 for
    // "Screen" sizes. A line-width unit is a quarter pixel: pixwid =
    // 10000 / 400 x 0.25 = 6.25 logical units.
    static constexpr TSize kExtent{10000, 7500};
    static constexpr int32_t kScale = 3704000;
    static constexpr POINT kMiddle{5000, -3750};

    void SetUp() override {
        ResetGlobals();
        dir.Write("okap.sym", kDrawingLibrary);
        document.windowExtent = kExtent;
        document.viewportExtent = {400, -300};
        document.projection = Projection("MERC", Position(Latitude(0.0), Longitude(0.0)));
        document.centre = {0, 0};
        document.scale = kScale;
        document.projection.setvp(document.windowExtent, document.viewportExtent, document.centre, kScale);
        lcperdegree = 1000.0;
        pixwid = 6.25;
    }
    void TearDown() override { ResetGlobals(); }

    // The next class of format: value range low..high, drawn with a black
    // outline filled blue, grey 12-point labels on, its label "low-high".
    DataClass& AddClass(const std::string& symbol, double low, double high, int32_t sizeBasis = kSizeScreen,
                        double size = 12.0) {
        DataClass& added = format->classes[static_cast<size_t>(format->symbolCount++)];
        added.symbol.name = symbol;
        added.symbol.sizeBasis = sizeBasis;
        added.symbol.size = size;
        added.lowValue = low;
        added.highValue = high;
        added.plotStyle.plot = 1;
        added.plotStyle.lineColour = kBlack;
        added.plotStyle.fillColour = kBlue;
        added.textStyle.on = 1;
        added.label = FormatGeneral(low) + "-" + FormatGeneral(high);
        return added;
    }

    // Writes format to formatName and data to dataName and adds them to the
    // document as its next data layer.
    void AddLayer(const std::string& formatName, const std::string& dataName, std::string_view data) {
        WriteFormat(formatName);
        dir.Write(dataName, data);
        document.dataLayers[static_cast<size_t>(document.dataLayerCount++)] = {dataName, formatName};
    }
    void WriteFormat(const std::string& formatName) const {
        dir.Write(formatName, DataFormatText(*format, OptionTexts(*format)));
    }

    // Where the view shows a position: the projection's own answer.
    POINT At(double latitude, double longitude) {
        LPoint world;
        POINT logical;
        EXPECT_EQ(document.projection.pos2dm(Position(Latitude(latitude), Longitude(longitude)), world), 1);
        EXPECT_EQ(document.projection.dm2lp(world, logical), 1);
        return logical;
    }

    TempDir dir;
    MapDocument document;
    MapView view{document, ViewSettings{dir.Path().string(), dir.Path().string()}};
    // On the heap: the class tables are large.
    std::unique_ptr<DataFormat> format = std::make_unique<DataFormat>();
    RecordingDC dc{{400, 300}};
    MessageRecorder messages;
};

// pts moved by centre.
inline std::vector<POINT> Around(POINT centre, const std::vector<POINT>& pts) {
    std::vector<POINT> moved;
    for (POINT p : pts) moved.push_back({centre.x + p.x, centre.y + p.y});
    return moved;
}

}  // namespace okap::test
