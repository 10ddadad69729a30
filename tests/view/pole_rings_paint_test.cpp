// An outline of Antarctica translated from text into a projection and
// painted: the land round the pole fills, the rest of the world stays sea,
// and outlined the area shows no line along the meridian it was cut at.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/globals.h"
#include "core/projection.h"
#include "mapfiles/translator.h"
#include "platform/message_box.h"
#include "platform/qpainter_dc.h"
#include "view/map_document.h"
#include "view/map_layer_fixture.h"
#include "view/map_view.h"

namespace okap {
namespace {

// Along the coast from -180 to 180 degrees and back over the pole, and the
// same jumping back near the coast.
constexpr char kPoleLeg[] =
    "\"ANTARC\",1,10\r\n-180,-70\r\n-120,-72\r\n-60,-68\r\n0,-70\r\n60,-66\r\n120,-68\r\n180,-70\r\n"
    "180,-90\r\n-180,-90\r\n-180,-70\r\n";
constexpr char kCoastJump[] =
    "\"ANTARC\",1,8\r\n-170,-70\r\n-110,-72\r\n-50,-68\r\n10,-70\r\n70,-66\r\n130,-68\r\n170,-71\r\n"
    "-170,-70\r\n";

// Green land with a black outline; the second outlined only.
constexpr char kFilled[] = "F1 = Land : 1 0 0 0 1 0 0 200 0 99\r\n";
constexpr char kOutlined[] = "F1 = Land : 1 0 0 0 1 0 0 200 0 98\r\n";

const QColor kSea(0, 0, 200), kLand(0, 200, 0), kBlack(0, 0, 0);

struct Place {
    double lon, lat;
};

struct View {
    const char* projection;  // display name
    double originLon, originLat;
    Place centre;
    int32_t scale;  // the view is 3 x scale world units wide
};

class PoleRingsPaintTest : public ::testing::TestWithParam<View> {
protected:
    PoleRingsPaintTest() { ResetGlobals(); }
    ~PoleRingsPaintTest() override { ResetGlobals(); }

    // Translates ring into ring.mpb in the view's projection (the
    // translator's defaults otherwise: the whole world, a boundary point
    // every degree) and paints it with format into a 400 x 300 image.
    QImage Paint(const char* ring, const char* format) {
        const View& v = GetParam();
        std::filesystem::current_path(dir.Path());
        dir.Write("ring.mpa", ring);
        dir.Write("ring.okf", format);
        std::filesystem::remove(dir / "ring.mpb");
        TranslatorSettings settings;
        settings.inputName = "ring.mpa";
        settings.outputName = "ring";
        settings.projectionName = v.projection;
        settings.originLongitude = std::to_string(v.originLon);
        settings.originLatitude = std::to_string(v.originLat);
        EXPECT_EQ(TranslateMap(settings), 1);

        MapDocument doc;
        doc.mapLayerCount = 1;
        doc.mapLayers[0] = {"ring.mpb", "ring.okf"};
        std::istringstream("1 0 0 0 1 0 0 0 200 99") >> doc.mapBoxStyles[0];
        doc.centre = World(v.centre).value_or(LPoint{});
        doc.scale = v.scale;
        MapView view(doc, test::MapDirectory(dir.Path()));
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterDC dc(painter);
        view.Paint(dc, test::kViewRect);
        return image;
    }

    // The world point of a place in the view's projection.
    std::optional<LPoint> World(Place place) {
        const View& v = GetParam();
        Projection projection(ProjectionCode(v.projection), Position(Latitude(v.originLat), Longitude(v.originLon)));
        constexpr double kRadiansPerDegree = 0.017453292519943295;
        double x = place.lon * kRadiansPerDegree, y = place.lat * kRadiansPerDegree;
        if (!projection.Forward(&x, &y, 1) || x == HUGE_VAL) return std::nullopt;
        return LPoint{SafeLong(x), SafeLong(y)};
    }

    // The pixel where the view shows a place, if it shows it: 10000 x 7500
    // logical units on 400 x 300 pixels, y upwards.
    std::optional<QPoint> Pixel(Place place) {
        const View& v = GetParam();
        const std::optional<LPoint> world = World(place);
        const std::optional<LPoint> centre = World(v.centre);
        if (!world || !centre) return std::nullopt;
        const double unitsPerLogical = 3.0 * v.scale / 10000;
        const double x = 5000 + (world->x - centre->x) / unitsPerLogical;
        const double y = -3750 + (world->y - centre->y) / unitsPerLogical;
        const QPoint pixel(static_cast<int>(std::lround(x * 400 / 10000)), static_cast<int>(std::lround(-y * 300 / 7500)));
        if (pixel.x() < 2 || pixel.x() > 397 || pixel.y() < 2 || pixel.y() > 297) return std::nullopt;
        return pixel;
    }

    static std::string ProjectionCode(const std::string& name) {
        for (size_t i = 0; i < Projections.size(); ++i)
            if (name == Projections[i]) return Projection_Codes[i];
        return {};
    }

    test::TempDir dir;
    MessageRecorder messages;
};

// Inland of the coast (which runs between 66 and 72 S) and in the sea,
// beside the cut meridian (a few degrees off, clear of a cylindrical map's
// outlined edge, and of the edge of Mercator's world at 85 S) and away from
// it.
const Place kLandPlaces[] = {{0, -80}, {90, -83}, {-90, -78}, {176, -80}, {-176, -80}, {175, -87}};
const Place kSeaPlaces[] = {{0, -60}, {177, -60}, {-90, -55}, {0, 0}, {100, 40}, {-150, 20}};

TEST_P(PoleRingsPaintTest, TheLandRoundThePoleFillsAndTheSeaStaysClear) {
    for (const char* ring : {kPoleLeg, kCoastJump}) {
        SCOPED_TRACE(ring);
        const QImage image = Paint(ring, kFilled);
        EXPECT_TRUE(messages.messages.empty()) << messages.messages.at(0);
        int probed = 0;
        for (const Place& p : kLandPlaces) {
            if (std::optional<QPoint> at = Pixel(p)) {
                EXPECT_EQ(image.pixelColor(*at), kLand) << "land at " << p.lon << ", " << p.lat;
                ++probed;
            }
        }
        for (const Place& p : kSeaPlaces) {
            if (std::optional<QPoint> at = Pixel(p)) {
                EXPECT_EQ(image.pixelColor(*at), kSea) << "sea at " << p.lon << ", " << p.lat;
                ++probed;
            }
        }
        EXPECT_GE(probed, 6) << "the view shows the places probed";
    }
}

// Outlined, the area shows its coast but nothing along the cut meridian
// between the coast and the pole where the projection makes the pole a
// single point (the leg to the pole and back). Where the pole is a line,
// the cut meridian is the map's edge and is outlined as any cut edge is.
using PoleRingsOutlineTest = PoleRingsPaintTest;

TEST_P(PoleRingsOutlineTest, AnOutlineShowsNoLineToThePole) {
    const QImage image = Paint(kCoastJump, kOutlined);
    EXPECT_TRUE(messages.messages.empty()) << messages.messages.at(0);
    for (double lat : {-76.0, -80.0, -84.0}) {
        if (std::optional<QPoint> at = Pixel({180, lat})) {
            EXPECT_EQ(image.pixelColor(*at), kSea) << lat;
        }
    }
    int black = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) black += image.pixelColor(x, y) == kBlack;
    EXPECT_GT(black, 100) << "the coast is drawn";
}

std::string ViewName(const ::testing::TestParamInfo<View>& info) {
    std::string name;
    for (const char* c = info.param.projection; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
    return name + (info.param.originLat < 0 ? "South" : "");
}

// Round the South Pole, 8000 km across (UPST works in metres): the pole is
// a single point.
const View kPolarViews[] = {{"Universal Polar Stereographic", 0, -90, {0, -90}, 2700000},
                            {"Orthographic", 0, -90, {0, -90}, 27000000}};
// The world down to 84 S; the pole is the map's bottom edge.
const View kCylindricalViews[] = {{"Mercator Cylindrical", 0, 0, {0, -40}, 140000000},
                                  {"Miller Cylindrical", 0, 0, {0, -40}, 140000000}};

INSTANTIATE_TEST_SUITE_P(Polar, PoleRingsPaintTest, ::testing::ValuesIn(kPolarViews), ViewName);
INSTANTIATE_TEST_SUITE_P(Cylindrical, PoleRingsPaintTest, ::testing::ValuesIn(kCylindricalViews), ViewName);
INSTANTIATE_TEST_SUITE_P(Polar, PoleRingsOutlineTest, ::testing::ValuesIn(kPolarViews), ViewName);

}  // namespace
}  // namespace okap
