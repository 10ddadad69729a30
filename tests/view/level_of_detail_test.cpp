// The level of detail of the map paint: a view far out draws simplified
// copies of the segments and looks as the paint of every point does; a view
// close in, or a page printed at a printer's resolution, draws finer.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/latlong.h"
#include "core/projection.h"
#include "core/number_text.h"
#include "mapfiles/translator.h"
#include "platform/message_box.h"
#include "platform/qpainter_dc.h"
#include "platform/recording_dc.h"
#include "support/temp_dir.h"
#include "view/map_document.h"
#include "view/map_layer_fixture.h"
#include "view/map_view.h"

namespace okap {
namespace {

// At most this share of the pixels may differ between a paint at the level
// of detail and a paint of every point.
constexpr double kMostPixelsChanged = 0.005;

// Translates the text map input in dir into the binary map output.mpb in
// Mercator, every point kept.
void TranslateToMercator(const std::filesystem::path& dir, const std::string& input, const std::string& output,
                         const char* north, const char* south) {
    std::filesystem::current_path(dir);
    TranslatorSettings settings;
    settings.inputName = input;
    settings.outputName = output;
    settings.north = north;
    settings.south = south;
    ASSERT_TRUE(TranslateMap(settings));
}

// A document of one map layer in dir, centred on centre at scale.
void OneLayer(MapDocument& doc, const std::string& map, const std::string& format, LPoint centre, int32_t scale) {
    doc.mapLayerCount = 1;
    doc.mapLayers[0] = {map, format};
    doc.centre = centre;
    doc.scale = scale;
}

ViewSettings Settings(const std::filesystem::path& dir, bool fullDetail) {
    ViewSettings settings = test::MapDirectory(dir);
    settings.fullDetail = fullDetail;
    return settings;
}

QImage PaintImage(MapDocument& doc, const std::filesystem::path& dir, QSize size, bool fullDetail) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QPainterDC dc(painter);
    MapView view(doc, Settings(dir, fullDetail));
    view.Paint(dc, {0, 0, size.width(), size.height()});
    EXPECT_EQ(badclient, 0);
    return image;
}

RecordingDC PaintRecording(MapDocument& doc, const std::filesystem::path& dir, TRect rect, bool fullDetail,
                           TSize device = {0, 0}, bool printing = false) {
    RecordingDC dc(device.cx > 0 ? device : TSize{rect.Width(), rect.Height()});
    ViewSettings settings = Settings(dir, fullDetail);
    settings.printing = printing;
    MapView view(doc, settings);
    view.Paint(dc, rect);
    EXPECT_EQ(badclient, 0);
    return dc;
}

double ChangedShare(const QImage& a, const QImage& b) {
    int64_t changed = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) changed += p[x] != q[x];
    }
    return static_cast<double>(changed) / (static_cast<double>(a.width()) * a.height());
}

// The points of every polygon and polyline drawn.
size_t PointsDrawn(const RecordingDC& dc) {
    size_t points = 0;
    for (const auto& polygon : dc.CallsOf<recorded::Polygon>()) points += polygon.points.size();
    for (const auto& polyline : dc.CallsOf<recorded::Polyline>()) points += polyline.points.size();
    return points;
}

class LevelOfDetailTest : public ::testing::Test {
protected:
    LevelOfDetailTest() { ResetGlobals(); }
    ~LevelOfDetailTest() override { ResetGlobals(); }

    // A dense map made once for the suite: 120 rings of 3000 points, each
    // about 6 degrees across with a coast that wobbles at several
    // wavelengths, and 60 wavy lines of 2000 points, over most of the
    // globe, and an archipelago of tiny islets.
    static void SetUpTestSuite() {
        ResetGlobals();
        dense = new test::TempDir;
        std::string text;
        int s = 0;
        const auto header = [&](int type, int count) {
            text += "\"S" + FormatInt(s++, 7) + "\"," + FormatInt(type) + "," + FormatInt(count) + "\r\n";
        };
        const auto point = [&](double lon, double lat) {
            text += FormatGeneral(lon, 8) + "," + FormatGeneral(lat, 8) + "\r\n";
        };
        for (int i = 0; i < 180; ++i) {
            const double lon0 = -160.0 + std::fmod(i * 97.31, 320.0);
            const double lat0 = -60.0 + std::fmod(i * 41.77, 120.0);
            if (i < 120) {
                const int n = 3000;
                header(1, n);
                for (int k = 0; k < n; ++k) {
                    const double a = 2.0 * M_PI * (k % (n - 1)) / (n - 1);
                    const double r = 3.0 + 0.3 * std::sin(a * 7 + i) + 0.08 * std::sin(a * 61) + 0.02 * std::sin(a * 347);
                    point(lon0 + r * std::cos(a), lat0 + r * std::sin(a));
                }
            } else {
                const int n = 2000;
                header(2, -n);
                for (int k = 0; k < n; ++k)
                    point(lon0 + k * (10.0 / n), lat0 + 1.5 * std::sin(k * 0.01) + 0.05 * std::sin(k * 0.9));
            }
        }
        // An archipelago of 2500 islets, each far smaller than a pixel of
        // the whole world, many sharing a pixel.
        for (int i = 0; i < 2500; ++i) {
            const double lon0 = 100.0 + (i % 50) * 0.2 + 0.07 * std::sin(i);
            const double lat0 = -10.0 + (i / 50) * 0.2 + 0.07 * std::cos(i * 1.3);
            const double r = 0.01 + 0.04 * std::fmod(i * 0.618, 1.0);
            header(1, 6);
            for (int k = 0; k < 6; ++k) point(lon0 + r * std::cos(k % 5 * 1.2566), lat0 + r * std::sin(k % 5 * 1.2566));
        }
        dense->Write("dense.mpa", text);
        dense->Write("dense.okf",
                     "[Features]\r\n"
                     "F1 = Land : 1 0 90 90 60 1 0 200 220 160 99\r\n"
                     "F2 = River : 1 0 0 30 60 200 1 0 0 0 0 99\r\n");
        TranslateToMercator(dense->Path(), "dense.mpa", "dense", "80.0", "-80.0");
        ResetGlobals();
    }
    static void TearDownTestSuite() {
        delete dense;
        dense = nullptr;
    }

    // The dense map in a view width pixels wide of the whole world.
    void DenseDocument(int32_t scale = 140000000, LPoint centre = {0, 0}) {
        OneLayer(doc, "dense.mpb", "dense.okf", centre, scale);
    }

    static test::TempDir* dense;
    MapDocument doc;
    MessageRecorder messages;
};

test::TempDir* LevelOfDetailTest::dense = nullptr;

TEST_F(LevelOfDetailTest, SampleWorldLooksAsEveryPointDrawn) {
    test::TempDir dir;
    for (const char* name : {"world.mpa", "world.okf"})
        std::filesystem::copy_file(std::filesystem::path(OKAP_SAMPLES_DIR) / name, dir / name);
    TranslateToMercator(dir.Path(), "world.mpa", "worldmer", "84", "-80");
    // The sample document's view, and Europe closer in.
    struct View {
        LPoint centre;
        int32_t scale;
        QSize size;
    };
    for (const View& v : {View{{0, 16340427}, 137000000, {1000, 860}}, View{{1000000, 60000000}, 20000000, {1600, 1000}}}) {
        OneLayer(doc, "worldmer.mpb", "world.okf", v.centre, v.scale);
        const QImage full = PaintImage(doc, dir.Path(), v.size, true);
        const QImage detail = PaintImage(doc, dir.Path(), v.size, false);
        EXPECT_LE(ChangedShare(full, detail), kMostPixelsChanged) << "scale " << v.scale;
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(LevelOfDetailTest, DenseMapLooksAsEveryPointDrawnWithAFractionOfThePoints) {
    DenseDocument();
    const QImage full = PaintImage(doc, dense->Path(), {1600, 1000}, true);
    const QImage detail = PaintImage(doc, dense->Path(), {1600, 1000}, false);
    EXPECT_LE(ChangedShare(full, detail), kMostPixelsChanged);

    const size_t every = PointsDrawn(PaintRecording(doc, dense->Path(), {0, 0, 1600, 1000}, true));
    const size_t simplified = PointsDrawn(PaintRecording(doc, dense->Path(), {0, 0, 1600, 1000}, false));
    EXPECT_GT(every, 400000u);
    EXPECT_LT(simplified * 10, every) << simplified << " of " << every;

    // Seen on their own at the same scale, the islets look the same.
    LPoint archipelago;
    Projection mercator("MERC", Position());
    mercator.setvp({1, 1}, {1, -1}, {0, 0}, 1);
    ASSERT_TRUE(mercator.pos2dm(Position(Latitude(-5.0), Longitude(105.0)), archipelago));
    DenseDocument(140000000, archipelago);
    const QRect islets(750, 450, 100, 100);
    const QImage fullIslets = PaintImage(doc, dense->Path(), {1600, 1000}, true).copy(islets);
    const QImage detailIslets = PaintImage(doc, dense->Path(), {1600, 1000}, false).copy(islets);
    EXPECT_LE(ChangedShare(fullIslets, detailIslets), 0.05);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(LevelOfDetailTest, ViewCloseInDrawsEveryPoint) {
    // 30 km across 400 pixels, on the coast of the first ring at 157 W,
    // 60 S (its points lie about 1.4 km apart in Mercator there).
    DenseDocument();
    const TRect rect{0, 0, 400, 300};
    PaintRecording(doc, dense->Path(), rect, true);  // takes the map's projection
    ASSERT_TRUE(doc.projection.pos2dm(Position(Latitude(-60.0), Longitude(-157.0)), doc.centre));
    doc.scale = 100000;
    const RecordingDC full = PaintRecording(doc, dense->Path(), rect, true);
    const RecordingDC detail = PaintRecording(doc, dense->Path(), rect, false);
    EXPECT_GT(PointsDrawn(full), 10u);
    EXPECT_EQ(detail.calls, full.calls);
}

TEST_F(LevelOfDetailTest, PrintingDrawsFinerThanTheScreen) {
    DenseDocument();
    const TRect window{0, 0, 400, 300};
    const size_t screen = PointsDrawn(PaintRecording(doc, dense->Path(), window, false));
    // A page ten times as wide in device pixels as the window.
    const size_t page = PointsDrawn(PaintRecording(doc, dense->Path(), window, false, {4000, 3000}, true));
    const size_t every = PointsDrawn(PaintRecording(doc, dense->Path(), window, true));
    EXPECT_GT(page, screen * 3);
    EXPECT_LT(page, every);
}

TEST_F(LevelOfDetailTest, MapFileWrittenAgainIsDrawnAfresh) {
    test::TempDir dir;
    const std::string format = "[Features]\r\nF1 = Land : 1 0 0 0 1 0 0 200 0 99\r\n";
    const auto first = test::Square(1000, -1000, 2000, -2000);
    const auto second = test::Square(3000, -1000, 4000, -2000);
    test::AddMapLayer(dir, doc, "base", test::MapOf({test::Area(1, first)}), format);
    test::SetView(doc);
    EXPECT_EQ(PaintRecording(doc, dir.Path(), test::kViewRect, false).CallsOf<recorded::Polygon>().back(),
              (recorded::Polygon{first, PolyFillMode::Winding}));

    // The same size, written a second later.
    const auto written = std::filesystem::last_write_time(dir / "base.mpb");
    dir.Write("base.mpb", test::BuildMap(test::MapOf({test::Area(1, second)})));
    std::filesystem::last_write_time(dir / "base.mpb", written + std::chrono::seconds(1));
    EXPECT_EQ(PaintRecording(doc, dir.Path(), test::kViewRect, false).CallsOf<recorded::Polygon>().back(),
              (recorded::Polygon{second, PolyFillMode::Winding}));
}

}  // namespace
}  // namespace okap
