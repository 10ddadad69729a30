// The map view's paint (mapping, drawing scales, order, skipped paints, the
// first layer's projection), its navigation (Zoom, Full Scale, Set
// Coordinates), and one whole picture rendered into an image.

#include "view/map_view.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "core/globals.h"
#include "platform/message_box.h"
#include "platform/qpainter_dc.h"
#include "platform/recording_dc.h"
#include "view/map_extent.h"
#include "view/map_layer_fixture.h"

namespace okap {

void PrintTo(const SetCoordDialogTB& fields, std::ostream* os) {
    *os << '{' << fields.latitude << ", " << fields.longitude << ", " << fields.scale << '}';
}

namespace {

using namespace okap::recorded;
using test::Area;
using test::kDegree;
using test::MapOf;
using test::MapLayout;
using test::Square;

const std::string kLandFormat = "F1 = Land : 1 0 0 0 1 0 0 200 0 99\r\n";

const std::string kGridFormat =
    "Grid Format - OKAP version 1\r\n"
    "Major grid style     = 1 0 0 0 1 0 255 255 255 99\r\n"
    "Minor grid style     = 1 0 0 0 1 0 255 255 255 99\r\n"
    "Ticks                = 0 0\r\n"
    "Axes                 = 0 0 0 0\r\n"
    "Label format         = 0\r\n"
    "Label text style     = 0 \"Arial\" 0 0 0 0 0 10 0 0 0.5 400 0 2 \r\n";

// Records, with every polygon and polyline, the flags a paint keeps while
// it draws.
class FlagRecordingDC : public RecordingDC {
public:
    explicit FlagRecordingDC(const MapDocument& doc, TSize size = {1000, 1000}) : RecordingDC(size), doc(doc) {}
    void Polygon(std::span<const POINT> points) override {
        Note();
        RecordingDC::Polygon(points);
    }
    void Polyline(std::span<const POINT> points) override {
        Note();
        RecordingDC::Polyline(points);
    }
    std::vector<std::pair<int, int>> flags;  // ignoremode, paint counter

private:
    void Note() { flags.emplace_back(ignoremode, doc.painting); }
    const MapDocument& doc;
};

class MapViewTest : public ::testing::Test {
protected:
    MapViewTest() { ResetGlobals(); }
    ~MapViewTest() override { ResetGlobals(); }

    ViewSettings Settings() const { return test::MapDirectory(dir.Path()); }

    test::TempDir dir;
    MapDocument doc;  // as made without a file: Mercator, centre (0, 0), scale 300000000
    MapView view{doc, Settings()};
    MessageRecorder messages;
};

TEST_F(MapViewTest, PaintSetsTheMappingAndTheDrawingScales) {
    struct Row {
        TRect rect;
        bool printing;
        TSize device;
        TSize windowExtent;
        TSize viewportExtent;
        double pixwid;
    };
    const Row rows[] = {
        // The paint's own example; pixwid = 10000 / 400 x 0.25.
        {{0, 0, 400, 300}, false, {1000, 1000}, {10000, 7500}, {400, -300}, 6.25},
        // 10000 x 100 / 333 = 3003.003, truncated; pixwid = 10000 / 333 x 0.25.
        {{10, 20, 343, 120}, false, {1000, 1000}, {10000, 3003}, {333, -100}, 10000.0 / 333 * 0.25},
        // Printing on a device 2000 wide: factor 5, and a line-width unit
        // stays a quarter of a window pixel: 10000 / 2000 x 5 x 0.25.
        {{0, 0, 400, 300}, true, {2000, 1500}, {10000, 7500}, {2000, -1500}, 6.25},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.windowExtent.cy);
        ResetGlobals();
        ViewSettings settings = Settings();
        settings.printing = row.printing;
        view.SetSettings(settings);
        FlagRecordingDC dc(doc, row.device);

        view.Paint(dc, row.rect);

        ASSERT_GE(dc.calls.size(), 5u);
        EXPECT_EQ(std::vector<DcCall>(dc.calls.begin(), dc.calls.begin() + 5),
                  (std::vector<DcCall>{SetWindowExt{row.windowExtent}, SetWindowOrg{{0, 0}},
                                       SetViewportExt{row.viewportExtent}, SetViewportOrg{{0, 0}},
                                       SetPolyFillMode{PolyFillMode::Winding}}));
        EXPECT_EQ(doc.windowExtent, row.windowExtent);
        EXPECT_EQ(doc.viewportExtent, row.viewportExtent);
        EXPECT_DOUBLE_EQ(pixwid, row.pixwid);
        // 10000 logical units span 3 x 300000000 dm, one degree being
        // 1111200 dm: 10000 x 1111200 / 900000000.
        EXPECT_NEAR(lcperdegree, 12.346666666666666, 1e-9);
        // Drawn with the paint's flags up, put down afterwards.
        ASSERT_FALSE(dc.flags.empty());
        for (const auto& [ignore, painting] : dc.flags) EXPECT_EQ(std::pair(ignore, painting), std::pair(1, 1));
        EXPECT_EQ(ignoremode, 0);
        EXPECT_EQ(doc.painting, 0);
        EXPECT_EQ(doc.drawn, 1);
    }

    // A document that asks for smooth drawing says so before anything is
    // drawn; one that does not (every older one) records as it always did.
    ResetGlobals();
    view.SetSettings(Settings());
    doc.antialiasing = 1;
    RecordingDC smooth;
    view.Paint(smooth, {0, 0, 400, 300});
    ASSERT_GE(smooth.calls.size(), 6u);
    EXPECT_EQ(smooth.calls[5], DcCall(recorded::SetAntialiasing{true}));
    EXPECT_EQ(smooth.CallsOf<recorded::SetAntialiasing>().size(), 1u);
}

TEST_F(MapViewTest, DrawsTheStepsInOrder) {
    dir.Write("std.okg", kGridFormat);
    test::AddMapLayer(dir, doc, "base", MapOf({Area(1, Square(1000, -1000, 2000, -2000))}), kLandFormat);
    doc.detailCount = 1;
    doc.details[0] = "Text \"Title\" 0.5 0.5 1 \"Arial\" 0 0 0 0 0 12 0 0 0 400 0 2 ";
    doc.gridOn = 1;
    doc.gridFormatFile = "std.okg";
    doc.gridSize = 30;
    doc.gridIncrement = 1;

    for (int position : {0, 1, 2}) {
        SCOPED_TRACE(position);
        doc.gridPosition = position;
        RecordingDC dc;
        view.Paint(dc, test::kViewRect);
        ASSERT_EQ(messages.messages, std::vector<Message>());

        auto indexOf = [&](auto match) {
            return std::find_if(dc.calls.begin(), dc.calls.end(), match) - dc.calls.begin();
        };
        const auto polygons = dc.CallsOf<Polygon>();
        // The map box (the view, wider than Mercator's world, then the
        // world's strip in it), then the land.
        ASSERT_EQ(polygons.size(), 3u);
        const auto box = indexOf([&](const DcCall& c) { return c == DcCall(polygons[0]); });
        const auto land = indexOf([&](const DcCall& c) { return c == DcCall(polygons[2]); });
        const auto grid = indexOf([](const DcCall& c) { return std::holds_alternative<MoveTo>(c); });
        const auto text = indexOf([](const DcCall& c) { return std::holds_alternative<TextOut>(c); });
        ASSERT_LT(grid, static_cast<long>(dc.calls.size()));
        ASSERT_LT(text, static_cast<long>(dc.calls.size()));
        EXPECT_LT(box, grid);
        if (position == 0)
            EXPECT_LT(grid, land);
        else
            EXPECT_GT(grid, land);
        EXPECT_LT(grid, text);
        EXPECT_LT(land, text);
        // The map box frame closes the picture.
        EXPECT_TRUE(std::holds_alternative<Polyline>(dc.calls.back()));
    }
}

TEST_F(MapViewTest, PaintIsSkippedAfterAnErrorAndWhileADialogIsOpen) {
    // While a dialog is open nothing is drawn and nothing changes.
    noredraw = 1;
    RecordingDC dc;
    view.Paint(dc, test::kViewRect);
    EXPECT_TRUE(dc.calls.empty());
    noredraw = 0;

    // A missing map directory ends the paint after the mapping.
    view.SetSettings(test::MapDirectory(dir / "nowhere"));
    view.Paint(dc, test::kViewRect);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Map file path does not exist"});
    EXPECT_EQ(badclient, 1);
    EXPECT_EQ(dc.calls.size(), 4u);
    EXPECT_EQ(doc.drawn, 0);

    // The next paint only clears the error, even with the directory back.
    view.SetSettings(Settings());
    doc.painting = 3;
    dc.calls.clear();
    view.Paint(dc, test::kViewRect);
    EXPECT_TRUE(dc.calls.empty());
    EXPECT_EQ(badclient, 0);
    EXPECT_EQ(doc.painting, 0);

    // And the one after that draws.
    view.Paint(dc, test::kViewRect);
    EXPECT_FALSE(dc.CallsOf<Polygon>().empty());
    EXPECT_EQ(doc.drawn, 1);
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(MapViewTest, EveryPaintTakesTheFirstLayersProjection) {
    struct Row {
        double west, east;
        int longitudeMode;
    };
    // West of -180 counts from -360, east of 180 up to 360, and east wins.
    const Row rows[] = {{-180, 180, 1}, {-190, 170, 0}, {-170, 190, 2}, {-190, 190, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.west);
        test::TempDir rowDir;
        MapDocument rowDoc;
        MapView rowView(rowDoc, test::MapDirectory(rowDir.Path()));
        MapLayout layout = MapOf({});
        layout.projection = "MILC";
        layout.originLon = 10 * kDegree;
        layout.west = static_cast<int32_t>(row.west * kDegree);
        layout.east = static_cast<int32_t>(row.east * kDegree);
        test::AddMapLayer(rowDir, rowDoc, "base", layout, kLandFormat);
        for (int paint = 0; paint < 2; ++paint) {
            rowDoc.projection = Projection("EQIC", Position());
            RecordingDC dc;
            rowView.Paint(dc, test::kViewRect);
            EXPECT_EQ(rowDoc.projection.Type, "MILC");
            EXPECT_EQ(rowDoc.projection.Origin.Long.GetLong(), 10 * kDegree);
            EXPECT_EQ(rowDoc.mapRegion, (LBox{{layout.west, layout.north}, {layout.east, layout.south}}));
            EXPECT_EQ(rowDoc.longitudeMode, row.longitudeMode);
        }
    }

    // Without a map layer the document keeps its own.
    doc.projection = Projection("EQIC", Position());
    RecordingDC dc;
    view.Paint(dc, test::kViewRect);
    EXPECT_EQ(doc.projection.Type, "EQIC");
    EXPECT_TRUE(messages.messages.empty());
}

// Without its base map the map layers cannot be placed; the paint says so
// once and draws the rest (map box, details) in the document's projection.
TEST_F(MapViewTest, AFirstLayerThatCannotBeOpenedLeavesOutOnlyTheMapLayers) {
    doc.mapLayerCount = 2;
    doc.mapLayers[0] = {"gone.mpb", "gone.okf"};
    doc.mapLayers[1] = {"gone.mpb", "gone.okf"};
    doc.detailCount = 1;
    doc.details[0] = "Text \"Title\" 0.5 0.5 1 \"Arial\" 0 0 0 0 0 12 0 0 0.5 400 0 2 ";
    RecordingDC dc;
    view.Paint(dc, test::kViewRect);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Error opening input map file : gone.mpb",
                                                          "Error opening map file"}));
    EXPECT_EQ(badclient, 1);
    // The view is wider than Mercator's world: the map box fills the view
    // and the world's strip, and outlines the strip and the frame.
    EXPECT_EQ(dc.CallsOf<Polygon>().size(), 2u) << "the map box";
    EXPECT_EQ(dc.CallsOf<Polyline>().size(), 2u) << "its frame";
    EXPECT_EQ(dc.CallsOf<TextOut>().size(), 1u) << "the detail";
    EXPECT_EQ(doc.drawn, 1);
}

// A problem met in several steps of one paint (the data format both for the
// symbols and for the legend) is shown once.
TEST_F(MapViewTest, APaintShowsEachProblemOnce) {
    doc.dataLayerCount = 2;
    doc.dataLayers[0] = {"gone.dat", "gone.okd"};
    doc.dataLayers[1] = {"gone.dat", "gone.okd"};
    RecordingDC dc;
    view.Paint(dc, test::kViewRect);
    const std::vector<std::string> texts = messages.Texts();
    ASSERT_FALSE(texts.empty());
    for (const std::string& text : texts) EXPECT_EQ(std::count(texts.begin(), texts.end(), text), 1) << text;
    EXPECT_EQ(badclient, 1);
}

// A view painted in a 400 x 300 window (client rectangle 0 .. 400, so the
// zoom's client width is 401), Mercator, centre (0, 0).
class ZoomTest : public MapViewTest {
protected:
    void PaintAt(int32_t scale) {
        doc.scale = scale;
        doc.centre = {0, 0};
        RecordingDC dc;
        view.Paint(dc, test::kViewRect);
    }
};

TEST_F(ZoomTest, ZoomChangesScaleAndCentre) {
    struct Row {
        const char* what;
        int32_t scale;
        Box box;
        int mode;
        int32_t newScale;
        LPoint newCentre;
        std::vector<std::string> messages;
    };
    // Box (100, 100)-(299, 249) is 200 x 150 pixels; its centre in logical
    // units: trunc((100 + 299 + 0.5) x 0.5) = 199, x 25 = 4975, and
    // trunc((100 + 249 + 0.5) x 0.5) = 174, x -25 = -4350. That is 25 and
    // 600 units left of and below the centre (5000, -3750), and one unit is
    // 3 x scale / 10000 dm (setvp).
    const Box box{299, 249, 100, 100};  // corners in any order
    const Row rows[] = {
        {"box 2 wide", 200000000, {100, 100, 101, 200}, 1, 200000000, {0, 0}, {}},
        {"box 2 high", 200000000, {100, 100, 200, 101}, 2, 200000000, {0, 0}, {}},
        // 200 / 401 x 200000000 = 99750623.4, truncated.
        {"zoom in", 200000000, box, 1, 99750623, {-25 * 60000, -600 * 60000}, {}},
        // 401 / 200 x 1000000; centre as the last paint's viewport puts it.
        {"zoom out", 1000000, box, 2, 2005000, {-25 * 300, -600 * 300}, {}},
        // 401 / 200 x 200000000 is beyond the largest scale: the full view.
        {"zoom out too far", 200000000, box, 2, 300000000, {0, 0}, {"Maximum map scale reached"}},
        // 40 / 401 x 150 = 14.96: the smallest scale, recentred on the box
        // (100, 100)-(139, 129): 119 x 25 = 2975, 114 x -25 = -2850, i.e.
        // 2025 units left of the centre at 450 / 10000 dm each (-91.1) and
        // 900 above it at 338 / 7500 dm each (40.6), truncated.
        {"zoom in too far", 150, {100, 100, 139, 129}, 1, 100, {-91, 40}, {"Minimum map scale reached"}},
        {"no mode", 200000000, box, 0, 200000000, {0, 0}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PaintAt(row.scale);
        messages.messages.clear();
        view.Zoom(row.box, row.mode, test::kViewRect);
        EXPECT_EQ(doc.scale, row.newScale);
        EXPECT_EQ(doc.centre, row.newCentre);
        EXPECT_EQ(messages.Texts(), row.messages);
        for (const Message& m : messages.messages) EXPECT_EQ(m.caption, "Information");
    }
}

TEST_F(ZoomTest, FullScaleAndSetCoordinates) {
    // With no map layer there is nothing to fit: the whole plane, which is
    // where this document started, so it is unchanged again.
    PaintAt(200000000);
    doc.centre = {123, 456};
    doc.UpdateModified();
    EXPECT_EQ(doc.modified, 1);
    view.FullScale();
    EXPECT_EQ(doc.centre, (LPoint{0, 0}));
    EXPECT_EQ(doc.scale, 300000000);
    EXPECT_EQ(doc.modified, 0);

    PaintAt(200000000);
    EXPECT_EQ(view.SetCoordinatesTexts(), (SetCoordDialogTB{"0.000000", "0.000000", "200000000"}));

    doc.modified = 0;
    view.ApplySetCoordinates({"45.5", "-10.25", "5000000"});
    // proj +proj=merc +ellps=GRS80 +units=dm: -11410247.8063 56700939.5560
    // for -10.25 45.5, truncated.
    EXPECT_EQ(doc.centre, (LPoint{-11410247, 56700939}));
    EXPECT_EQ(doc.scale, 5000000);
    EXPECT_EQ(doc.modified, 1);
    EXPECT_TRUE(messages.messages.empty());
    // The centre kept lies 0.8 dm east of -10.25 degrees: 7e-7 degree.
    EXPECT_EQ(view.SetCoordinatesTexts(), (SetCoordDialogTB{"45.500000", "-10.249999", "5000000"}));

    // The scale field is read as atol reads it; a scale under the zoom's
    // smallest is raised to it.
    struct Row {
        const char* text;
        int32_t scale;
        bool message;
    };
    const Row rows[] = {{" 250000 dm", 250000, false}, {"+7000", 7000, false}, {"99999999999", 2147483647, false},
                        {"12abc", 100, true},          {"", 100, true},        {"-5000", 100, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        messages.messages.clear();
        view.ApplySetCoordinates({"45.5", "-10.25", row.text});
        EXPECT_EQ(doc.scale, row.scale);
        EXPECT_EQ(messages.Texts(),
                  row.message ? std::vector<std::string>{"Minimum map scale reached"} : std::vector<std::string>{});
    }
}

// Full Scale shows every segment of every map layer, with a twentieth of
// the view free on each side: 3 x scale dm must hold the wider of the
// extent's width and its height over the window's aspect, divided by 0.9.
TEST_F(ZoomTest, FullScaleFitsTheMapLayersToTheWindow) {
    test::MapLayout first = test::MapOf({});
    test::SegmentLayout west;
    west.points = {{-9000000, 100000}, {-8000000, 200000}};
    west.storedCount = -2;
    west.box = {{-9000000, 200000}, {-8000000, 100000}};
    first.segments = {west};
    test::MapLayout second = test::MapOf({});
    test::SegmentLayout east = west;
    east.points = {{1000000, -900000}, {3000000, 2100000}};
    east.box = {{1000000, 2100000}, {3000000, -900000}};
    second.segments = {east};
    test::AddMapLayer(dir, doc, "west", first, "F1 = Line : 1 0 0 0 1 0 255 255 255 99\r\n");
    test::AddMapLayer(dir, doc, "east", second, "F1 = Line : 1 0 0 0 1 0 255 255 255 99\r\n");
    // The extent runs from (-9000000, 2100000) to (3000000, -900000):
    // 12000000 wide and 3000000 high, centred on (-3000000, 600000).
    struct Row {
        TSize windowExtent;
        int32_t scale;
    };
    const Row rows[] = {
        // Aspect 0.75: the width rules, 12000000 / 0.9 / 3 = 4444444.4, up.
        {{10000, 7500}, 4444445},
        // Aspect 0.2: 3000000 / 0.2 = 15000000 rules; / 0.9 / 3 = 5555555.6.
        {{10000, 2000}, 5555556},
    };
    for (const Row& row : rows) {
        doc.windowExtent = row.windowExtent;
        doc.centre = {0, 0};
        doc.scale = 200000000;
        view.FullScale();
        EXPECT_EQ(doc.centre, (LPoint{-3000000, 600000})) << row.windowExtent.cy;
        EXPECT_EQ(doc.scale, row.scale) << row.windowExtent.cy;
    }
    // An area closed round a pole runs to the end of Mercator's range: the
    // map is fitted down to 85.0511 degrees, where its world is square, as
    // held in angle units (94508814 units, 85.0511285 degrees; proj
    // +proj=merc +ellps=GRS80 +units=dm: y = 199948748.9).
    test::SegmentLayout antarctica = west;
    antarctica.points = {{-9000000, -60000000}, {-8000000, -2147483647}};
    antarctica.box = {{-9000000, -60000000}, {-8000000, -2147483647}};
    test::AddMapLayer(dir, doc, "south", test::MapOf({antarctica}), "F1 = Land : 1 0 0 0 1 0 0 0 0 99\r\n");
    doc.windowExtent = {10000, 7500};
    view.FullScale();
    EXPECT_EQ(doc.centre, (LPoint{-3000000, (2100000 - 199948748) / 2}));
    doc.mapLayerCount = 2;

    // A tiny map stops at the smallest scale; a broken file is left out
    // without a word (the paint reports it).
    EXPECT_EQ(FitExtent({{0, 10}, {10, 0}}, {10000, 7500}).scale, kMinimumScale);
    dir.Write("east.mpb", "not a map");
    view.FullScale();
    EXPECT_EQ(doc.centre, (LPoint{-8500000, 150000}));
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(badclient, 0);
}

// The whole picture on an image: a sea-blue map box, a green square island
// in the middle, and a second island cut by the left edge of the view.
TEST_F(MapViewTest, PaintsAnIslandInTheSea) {
    std::istringstream("1 0 0 0 1 0 0 0 200 99") >> doc.mapBoxStyles[0];
    // Logical (4000, -3000)-(6000, -4500) is pixels (160, 120)-(240, 180);
    // the second island runs from x -1000 to 1000, pixels -40 to 40.
    test::AddMapLayer(dir, doc, "islands",
                      MapOf({Area(1, Square(4000, -3000, 6000, -4500)), Area(1, Square(-1000, -500, 1000, -1500))}),
                      "F1 = Island : 1 0 0 0 0 0 0 200 0 99\r\n");
    doc.centre = {0, 0};
    doc.scale = test::kViewScale;
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QPainterDC dc(painter);
        view.Paint(dc, test::kViewRect);
    }
    ASSERT_TRUE(messages.messages.empty());
    const QColor sea(0, 0, 200), land(0, 200, 0), black(0, 0, 0);
    struct Probe {
        int x, y;
        QColor colour;
    };
    const Probe probes[] = {
        {200, 150, land}, {165, 125, land}, {235, 175, land},   // inside the island
        {150, 150, sea},  {250, 150, sea},  {200, 110, sea},  {200, 190, sea},  {380, 280, sea},
        {160, 150, black}, {200, 120, black},                     // its outline
        {20, 40, land},   {60, 40, sea},                          // the cut island, filled to the edge
        {200, 0, black},  {0, 150, black},                        // the map box frame
    };
    for (const Probe& p : probes) EXPECT_EQ(image.pixelColor(p.x, p.y), p.colour) << p.x << ", " << p.y;
}

}  // namespace
}  // namespace okap
