// Areas as a user sees them, translated into Mercator and painted into an
// image: a polygon with a hole, held as one outline whose hole is joined to
// the outer ring by a bridge, and a long ring cut into tiles.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/bridges.h"
#include "core/geometry.h"
#include "core/globals.h"
#include "core/number_text.h"
#include "core/projection.h"
#include "mapfiles/translator.h"
#include "platform/message_box.h"
#include "platform/qpainter_dc.h"
#include "tests/mapfiles/map_fixtures.h"
#include "view/map_document.h"
#include "view/map_layer_fixture.h"
#include "view/map_view.h"

namespace okap {
namespace {

// Green land with a black outline; outlined only; filled only.
constexpr char kFilled[] = "F1 = Land : 1 0 0 0 1 0 0 200 0 99\r\n";
constexpr char kOutlined[] = "F1 = Land : 1 0 0 0 1 0 0 200 0 98\r\n";
constexpr char kFillOnly[] = "F1 = Land : 1 0 0 0 1 5 0 200 0 99\r\n";

const QColor kSea(0, 0, 200), kLand(0, 200, 0), kBlack(0, 0, 0);

struct Place {
    double lon, lat;
};

LPoint Units(Place p) { return {Longitude(p.lon).GetLong(), Latitude(p.lat).GetLong()}; }
double Degrees(int32_t units) { return static_cast<double>(units * kDegreesPerUnit); }

// An area of type 1 as a text map.
std::string AreaText(const std::vector<LPoint>& ring) {
    std::string text = "\"LAND\",1," + FormatInt(static_cast<long long>(ring.size())) + "\r\n";
    for (const LPoint& p : ring) text += FormatGeneral(Degrees(p.x)) + "," + FormatGeneral(Degrees(p.y)) + "\r\n";
    return text;
}

// The square from -10 to 10 degrees (a point every 2) with the hole from -4
// to 4 degrees (a point every degree), joined into one outline.
std::vector<LPoint> SquareWithHole() {
    const auto square = [](int half, int step) {
        std::vector<LPoint> ring;
        for (int i = -half; i < half; i += step) ring.push_back(Units({double(i), double(-half)}));
        for (int i = -half; i < half; i += step) ring.push_back(Units({double(half), double(i)}));
        for (int i = half; i > -half; i -= step) ring.push_back(Units({double(i), double(half)}));
        for (int i = half; i > -half; i -= step) ring.push_back(Units({double(-half), double(i)}));
        ring.push_back(ring.front());
        return ring;
    };
    return BridgeHoles(square(10, 2), {square(4, 1)});
}

// The two ends of the outline's bridge.
std::pair<Place, Place> BridgeOf(const std::vector<LPoint>& ring) {
    const std::vector<bool> bridges = BridgeEdges(ring);
    for (size_t i = 0; i < bridges.size(); ++i) {
        if (bridges[i]) {
            return {{Degrees(ring[i].x), Degrees(ring[i].y)}, {Degrees(ring[i + 1].x), Degrees(ring[i + 1].y)}};
        }
    }
    return {};
}

// A view of the map: its centre and scale (3 x scale decimetres across).
struct View {
    const char* what;
    Place centre;
    int32_t scale;
};

class AreaPaintTest : public ::testing::Test {
protected:
    AreaPaintTest() {
        ResetGlobals();
        std::filesystem::current_path(dir.Path());
    }
    ~AreaPaintTest() override { ResetGlobals(); }

    // Translates the text map into area.mpb in Mercator (each segment
    // within maxPoints points, 0: any number).
    void Translate(const std::string& text, int32_t maxPoints = 0) {
        dir.Write("area.mpa", text);
        std::filesystem::remove(dir / "area.mpb");
        TranslatorSettings settings;
        settings.inputName = "area.mpa";
        settings.outputName = "area";
        settings.maxPoints = maxPoints;
        ASSERT_EQ(TranslateMap(settings), 1);
    }

    // Paints area.mpb with format into a 400 x 300 image on a sea of the
    // map box's colour.
    QImage Paint(const char* format, const View& view, bool fullDetail = false) {
        dir.Write("area.okf", format);
        MapDocument doc;
        doc.mapLayerCount = 1;
        doc.mapLayers[0] = {"area.mpb", "area.okf"};
        std::istringstream("1 0 0 0 1 0 0 0 200 99") >> doc.mapBoxStyles[0];
        doc.centre = World(view.centre);
        doc.scale = view.scale;
        centre = doc.centre;
        scale = view.scale;
        ViewSettings settings = test::MapDirectory(dir.Path());
        settings.fullDetail = fullDetail;
        MapView mapView(doc, settings);
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterDC dc(painter);
        mapView.Paint(dc, test::kViewRect);
        EXPECT_TRUE(messages.messages.empty()) << messages.messages.at(0);
        return image;
    }

    LPoint World(Place place) {
        constexpr double kRadiansPerDegree = 0.017453292519943295;
        double x = place.lon * kRadiansPerDegree, y = place.lat * kRadiansPerDegree;
        mercator.Forward(&x, &y, 1);
        return {SafeLong(x), SafeLong(y)};
    }

    // The pixel that shows a place in the view last painted, if it is well
    // inside the image: 10000 x 7500 logical units on 400 x 300 pixels.
    std::optional<QPoint> Pixel(Place place) {
        const LPoint world = World(place);
        const double unitsPerLogical = 3.0 * scale / 10000;
        const double x = 5000 + (world.x - centre.x) / unitsPerLogical;
        const double y = -3750 + (world.y - centre.y) / unitsPerLogical;
        const QPoint pixel(static_cast<int>(std::lround(x * 400 / 10000)), static_cast<int>(std::lround(-y * 300 / 7500)));
        if (pixel.x() < 3 || pixel.x() > 396 || pixel.y() < 3 || pixel.y() > 296) return std::nullopt;
        return pixel;
    }

    // Whether the image is black at a pixel or next to it.
    static bool BlackNear(const QImage& image, QPoint at) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.pixelColor(at + QPoint(dx, dy)) == kBlack) return true;
        return false;
    }

    test::TempDir dir;
    MessageRecorder messages;
    Projection mercator{"MERC", Position()};
    LPoint centre;
    int32_t scale = 0;
};

// The whole square; the view's edge through the hole; the view inside the
// land, the bridge running right across it; the view's edge through the
// bridge, its end on the outer ring in view.
const View kViews[] = {{"whole", {0, 0}, 12000000},
                       {"edge through the hole", {8, 2}, 4000000},
                       {"bridge across the view", {7, 4}, 1500000},
                       {"edge through the bridge", {10, 4}, 1500000}};

TEST_F(AreaPaintTest, AHoleStaysEmptyAndItsBridgeNeverShows) {
    const std::vector<LPoint> ring = SquareWithHole();
    const auto [a, h] = BridgeOf(ring);
    ASSERT_NE(a.lon, h.lon) << "the outline has a bridge";
    Translate(AreaText(ring));
    // Along the bridge, clear of both rings.
    std::vector<Place> bridge;
    for (double t : {0.3, 0.5, 0.7}) bridge.push_back({a.lon + t * (h.lon - a.lon), a.lat + t * (h.lat - a.lat)});
    const Place hole[] = {{0, 0}, {-3, 2}, {3, -3}, {3, 1}, {3.5, -1}};
    const Place land[] = {{-7, 0}, {0, -7}, {6, -1}, {9, 6}, {7, 3}, {8, 5}, {9, 3}, {9.5, 5}};
    const Place sea[] = {{12, 0}, {0, 13}, {-12, -6}, {11, 4}, {11.5, 3}};

    for (const View& view : kViews) {
        SCOPED_TRACE(view.what);
        int probed = 0;
        // The colour at a place, and no outline right beside it.
        const auto expect = [&](const QImage& image, Place p, const QColor& colour, const char* what) {
            if (std::optional<QPoint> at = Pixel(p)) {
                EXPECT_EQ(image.pixelColor(*at), colour) << what << " at " << p.lon << ", " << p.lat;
                EXPECT_FALSE(BlackNear(image, *at)) << what << " at " << p.lon << ", " << p.lat;
                ++probed;
            }
        };
        const QImage filled = Paint(kFilled, view);
        for (Place p : hole) expect(filled, p, kSea, "hole");
        for (Place p : land) expect(filled, p, kLand, "land");
        for (Place p : sea) expect(filled, p, kSea, "sea");
        for (Place p : bridge) expect(filled, p, kLand, "bridge");
        const QImage outlined = Paint(kOutlined, view);
        for (Place p : bridge) expect(outlined, p, kSea, "bridge, outlined");
        EXPECT_GE(probed, 5) << "the view shows the places probed";
    }

    // The rings themselves are outlined.
    const QImage whole = Paint(kOutlined, kViews[0]);
    for (Place p : {Place{-10, 3}, Place{-4, 0.5}}) {
        const std::optional<QPoint> at = Pixel(p);
        ASSERT_TRUE(at);
        EXPECT_TRUE(BlackNear(whole, *at)) << p.lon << ", " << p.lat;
    }
}

// A ring of 25000 points cut into tiles of at most 10000 fills as the whole
// ring does: no pixel of the sea shows inside the land.
TEST_F(AreaPaintTest, TilesFillSeamlessly) {
    const View view{"whole", {0, 0}, 12000000};
    Translate(test::WobblyRing(25000));
    const QImage whole = Paint(kFillOnly, view);
    const QImage wholeEveryPoint = Paint(kFillOnly, view, true);
    Translate(test::WobblyRing(25000), 10000);
    const std::vector<test::SegmentLayout> tiles = test::ReadMap(test::TempDir::Read(dir / "area.mpb"));
    EXPECT_GE(tiles.size(), 3u);
    for (const test::SegmentLayout& tile : tiles) EXPECT_LE(tile.storedCount, 10000);
    const QImage tiled = Paint(kFillOnly, view);

    // Inside a radius of 9 degrees (the ring keeps to 9.5 to 10.5), every
    // pixel the view shows.
    int probed = 0;
    for (double lon = -9; lon <= 9; lon += 0.05) {
        for (double lat = -9; lat <= 9; lat += 0.05) {
            if (lon * lon + lat * lat > 81) continue;
            if (std::optional<QPoint> at = Pixel({lon, lat})) {
                ASSERT_EQ(tiled.pixelColor(*at), kLand) << lon << ", " << lat;
                ++probed;
            }
        }
    }
    EXPECT_GT(probed, 10000);
    // With every point the tiles draw the ring exactly. Simplified, each
    // tile's stretch of coast on its own, they may differ from the ring's
    // simplified coast by a pixel here and there along it, never inside.
    EXPECT_EQ(Paint(kFillOnly, view, true), wholeEveryPoint);
    int differing = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x) differing += tiled.pixel(x, y) != whole.pixel(x, y);
    EXPECT_LE(differing, whole.width() * whole.height() / 200);
}

}  // namespace
}  // namespace okap
