// Importing a dataset layer as a map layer: the same file as translating
// the equivalent text map, the format written beside it, holes and the 180
// degree meridian as they are painted, and what happens to faulty input.

#include "datasets/map_import.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/globals.h"
#include "core/projection.h"
#include "datasets/dataset_fixture.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "platform/qpainter_dc.h"
#include "support/temp_dir.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {
namespace {

class MapImportTest : public ::testing::Test {
protected:
    MapImportTest() {
        ResetGlobals();
        std::filesystem::current_path(dir.Path());
    }
    ~MapImportTest() override { ResetGlobals(); }

    // Imports the dataset file into output with the translator's settings.
    int Import(const std::string& file, const std::string& output, FeatureTyping typing = {},
               TranslatorSettings translator = {}, const std::string& where = "") {
        MapImportSettings settings;
        settings.source = {file, "", where};
        settings.typing = typing;
        settings.translator = translator;
        settings.translator.outputName = output;
        summary = MapImportSummary{};
        return ImportMap(settings, {}, &summary);
    }

    test::TempDir dir;
    MessageRecorder messages;
    MapImportSummary summary;
};

// A few features of each kind, with a field that types them and one that
// names them; and the same as a text map, typed in order of first
// appearance.
test::FixtureLayer Places() {
    test::FixtureLayer layer;
    layer.name = "places";
    layer.fields = {{"name", OFTString}, {"kind", OFTString}};
    layer.features = {
        {"POINT (10.5 45.25)", {"Alpha", "town"}},
        {"LINESTRING (11 46,12 47.5,13 47,14.25 46.5)", {"Beta", "river"}},
        {"POLYGON ((0 30,4 30,4 34,0 34,0 30))", {"Gamma", "land"}},
        {"MULTIPOLYGON (((20 20,21 20,21 21,20 20)),((30 30,31 30,31 31,30 30)))", {"Delta", "land"}},
        {"POINT (-3 40)", {"Epsilon", "town"}}};
    return layer;
}
constexpr char kPlacesText[] =
    "\"Alpha\",1,1\r\n10.5,45.25\r\n"
    "\"Beta\",2,-4\r\n11,46\r\n12,47.5\r\n13,47\r\n14.25,46.5\r\n"
    "\"Gamma\",3,5\r\n0,30\r\n4,30\r\n4,34\r\n0,34\r\n0,30\r\n"
    "\"Delta\",3,4\r\n20,20\r\n21,20\r\n21,21\r\n20,20\r\n"
    "\"Delta\",3,4\r\n30,30\r\n31,30\r\n31,31\r\n30,30\r\n"
    "\"Epsilon\",1,1\r\n-3,40\r\n";

struct Translation {
    const char* what;
    TranslatorSettings settings;
};

TranslatorSettings Cut() {
    TranslatorSettings settings;
    settings.projectionName = "Miller Cylindrical";
    settings.originLongitude = "10";
    settings.resolution = "0.5";
    settings.west = "5";
    settings.east = "25";
    settings.north = "47";
    settings.south = "10";
    return settings;
}

class ImportEqualsTranslateTest : public MapImportTest, public ::testing::WithParamInterface<Translation> {};

// The import gives byte for byte the map file that translating the text
// map gives, whatever the translation does (here also a region that cuts
// the line and drops a part, thinning, another projection and origin).
TEST_P(ImportEqualsTranslateTest, ByteForByte) {
    const std::pair<const char*, const char*> formats[] = {
        {"GeoJSON", "places.geojson"}, {"GPKG", "places.gpkg"}};
    for (const auto& [driver, file] : formats) {
        SCOPED_TRACE(driver);
        test::WriteDataset(dir / file, driver, Places());
        dir.Write("places.mpa", kPlacesText);

        TranslatorSettings translate = GetParam().settings;
        translate.inputName = "places.mpa";
        translate.outputName = "text";
        ASSERT_EQ(TranslateMap(translate), 1);
        ASSERT_EQ(Import(file, "imported", {"kind", 1, "name", false}, GetParam().settings), 1)
            << ::testing::PrintToString(messages.Texts());
        EXPECT_EQ(test::TempDir::Read(dir / "imported.mpb"), test::TempDir::Read(dir / "text.mpb"));
        EXPECT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());
        std::filesystem::remove(dir / "imported.mpb");
        std::filesystem::remove(dir / "imported.okf");
        std::filesystem::remove(dir / "text.mpb");
    }
}

INSTANTIATE_TEST_SUITE_P(Translations, ImportEqualsTranslateTest,
                         ::testing::Values(Translation{"Defaults", {}}, Translation{"Cut", Cut()}),
                         [](const auto& info) { return std::string(info.param.what); });

// The format beside the map: one feature per type, named after its value,
// areas softly filled with a darker outline, lines in a clear colour.
TEST_F(MapImportTest, FormatNamesTheTypes) {
    test::WriteDataset(dir / "places.geojson", "GeoJSON", Places());
    ASSERT_EQ(Import("places.geojson", "places", {"kind", 1, "", false}), 1);
    EXPECT_EQ(summary.translation.outputFile, "places.mpb");
    EXPECT_EQ(summary.formatFile, "places.okf");
    EXPECT_EQ(summary.types, 3u);
    EXPECT_EQ(summary.counts.features, 5);
    EXPECT_EQ(summary.counts.imported, 5);
    EXPECT_EQ(test::TempDir::Read(dir / "places.okf"),
              "[Features]\r\n"
              "; feature no = name,plot,line style,line width,line colour,fill pattern,fill colour\r\n"
              "F1 = town : 1 31 100 180 1 0 232 221 184 99\r\n"
              "F2 = river : 1 200 50 40 1 0 199 224 183 99\r\n"
              "F3 = land : 1 134 103 88 1 0 244 188 160 99\r\n");

    // One type for all, named after the layer.
    ASSERT_EQ(Import("places.geojson", "all", {"", 7, "", false}), 1);
    EXPECT_EQ(test::TempDir::Read(dir / "all.okf").substr(97), "F7 = places : 1 127 121 101 1 0 232 221 184 99\r\n");
}

// A type's feature name is one line without ":", which ends a feature
// name in a format file.
TEST(TypeNameTest, OneLineWithoutColon) {
    EXPECT_EQ(TypeName(std::string("Zone: A\r\nB")), "Zone- A  B");
    EXPECT_EQ(TypeName(std::nullopt), "(no value)");
    EXPECT_EQ(TypeName(std::string()), "");
}

// Segment names: from the name field cut to 8 bytes (never inside a UTF-8
// character, a double quote made a single one), else the feature ids.
TEST_F(MapImportTest, SegmentNames) {
    test::FixtureLayer layer;
    layer.fields = {{"name", OFTString}};
    layer.features = {{"POINT (1 1)", {"Nørre Åby"}}, {"POINT (2 2)", {"\"Q\" 12345"}}, {"POINT (3 3)", {std::nullopt}}};
    test::WriteDataset(dir / "names.gpkg", "GPKG", layer);
    for (const bool named : {true, false}) {
        ASSERT_EQ(Import("names.gpkg", named ? "named" : "numbered", {"", 1, named ? "name" : "", false}), 1);
        Mapfile map;
        ASSERT_EQ(map.OpenInfile(named ? "named.mpb" : "numbered.mpb"), 1);
        std::vector<std::string> names;
        for (map.ReadDirectory(); !map.EndOfInFile(); map.ReadDirectory()) names.push_back(map.InSegment().name);
        EXPECT_EQ(names, named ? (std::vector<std::string>{"Nørre  ", "'Q' 1234", "        "})
                               : (std::vector<std::string>{"1       ", "2       ", "3       "}));
    }
}

// A pixel of the view where a place shows: the view is a 400 x 300 window
// whose 10000 logical units span 3 x scale world decimetres.
struct PaintedView {
    const char* projection;
    double originLon;
    double centreLon, centreLat;
    int32_t scale;
};

std::optional<LPoint> WorldOf(const PaintedView& v, double lon, double lat) {
    Projection projection(v.projection, Position(Latitude(0.0), Longitude(v.originLon)));
    constexpr double kRadiansPerDegree = 0.017453292519943295;
    double x = lon * kRadiansPerDegree, y = lat * kRadiansPerDegree;
    if (!projection.Forward(&x, &y, 1) || x == HUGE_VAL) return std::nullopt;
    return LPoint{SafeLong(x), SafeLong(y)};
}

QPoint PixelOf(const PaintedView& v, double lon, double lat) {
    const LPoint world = *WorldOf(v, lon, lat);
    const LPoint centre = *WorldOf(v, v.centreLon, v.centreLat);
    const double perLogical = 3.0 * v.scale / 10000;
    const double x = 5000 + (world.x - centre.x) / perLogical;
    const double y = -3750 + (world.y - centre.y) / perLogical;
    return {static_cast<int>(std::lround(x * 400 / 10000)), static_cast<int>(std::lround(-y * 300 / 7500))};
}

// Paints map.mpb with map.okf into a 400 x 300 image on a blue map box.
QImage Paint(const test::TempDir& dir, const PaintedView& v) {
    MapDocument doc;
    doc.mapLayerCount = 1;
    doc.mapLayers[0] = {"map.mpb", "map.okf"};
    std::istringstream("1 0 0 0 1 0 0 0 200 99") >> doc.mapBoxStyles[0];
    doc.centre = *WorldOf(v, v.centreLon, v.centreLat);
    doc.scale = v.scale;
    ViewSettings settings;
    settings.mapDirectory = dir.Path().string();
    MapView view(doc, settings);
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterDC dc(painter);
    view.Paint(dc, {0, 0, 400, 300});
    return image;
}

const QColor kSea(0, 0, 200);
const QColor kLand(232, 221, 184);  // the first type's fill

// A hole is a hole: the map box shows through it, the land around it is
// filled.
TEST_F(MapImportTest, HolesShowWhatLiesBeneath) {
    test::FixtureLayer layer;
    layer.features = {{"POLYGON ((-20 -20,20 -20,20 20,-20 20,-20 -20),(-5 -5,-5 5,5 5,5 -5,-5 -5),"
                       "(8 8,8 12,12 12,12 8,8 8))",
                       {}}};
    test::WriteDataset(dir / "holes.geojson", "GeoJSON", layer);
    ASSERT_EQ(Import("holes.geojson", "map"), 1);
    const PaintedView v{"MERC", 0, 0, 0, 20000000};
    const QImage image = Paint(dir, v);
    EXPECT_TRUE(messages.messages.empty());
    for (const auto& [lon, lat] : {std::pair{0.0, 0.0}, {3.0, -3.0}, {10.0, 10.0}})
        EXPECT_EQ(image.pixelColor(PixelOf(v, lon, lat)), kSea) << "hole at " << lon << ", " << lat;
    for (const auto& [lon, lat] : {std::pair{-12.0, 0.0}, {12.0, -2.0}, {0.0, 15.0}, {-15.0, -15.0}, {15.0, 6.0}})
        EXPECT_EQ(image.pixelColor(PixelOf(v, lon, lat)), kLand) << "land at " << lon << ", " << lat;
    EXPECT_EQ(image.pixelColor(PixelOf(v, 25.0, 0.0)), kSea);
}

// A multipolygon split at the 180 degree meridian, as GeoJSON has it, is
// land on both sides of it, with no seam, in a map centred there.
TEST_F(MapImportTest, MultipolygonAcross180Degrees) {
    test::FixtureLayer layer;
    layer.features = {{"MULTIPOLYGON (((175 -20,180 -20,180 -10,175 -10,175 -20)),"
                       "((-180 -20,-175 -20,-175 -10,-180 -10,-180 -20)))",
                       {}}};
    test::WriteDataset(dir / "fiji.geojson", "GeoJSON", layer);
    TranslatorSettings translator;
    translator.originLongitude = "180";
    ASSERT_EQ(Import("fiji.geojson", "map", {}, translator), 1);
    EXPECT_EQ(summary.translation.segmentsWritten, 2);
    const PaintedView v{"MERC", 180, 180, -15, 10000000};
    const QImage image = Paint(dir, v);
    for (double lon : {176.0, 179.0, 179.9, -179.9, -179.0, -176.0})
        EXPECT_EQ(image.pixelColor(PixelOf(v, lon, -15)), kLand) << lon;
    for (double lon : {172.0, -172.0}) EXPECT_EQ(image.pixelColor(PixelOf(v, lon, -15)), kSea) << lon;
    EXPECT_EQ(image.pixelColor(PixelOf(v, 179, -7)), kSea);
}

// A ring of 25000 points, a coastline longer than map files once held, is
// kept as one area and filled; with --max-points 10000 it is cut into tiles
// of at most that many points that fill the land without a gap (their cut
// edges are outlined with the feature's pen, as every area's edges are).
TEST_F(MapImportTest, ALongRingWholeOrInSeamlessTiles) {
    constexpr int kPoints = 25000;
    std::string wkt = "POLYGON ((";
    for (int i = 0; i <= kPoints; ++i) {
        const double angle = 2 * M_PI * (i % kPoints) / kPoints;
        wkt += (i ? "," : "") + std::to_string(20 * std::cos(angle)) + " " + std::to_string(20 * std::sin(angle));
    }
    test::FixtureLayer layer;
    layer.features = {{wkt + "))", {}}};
    test::WriteDataset(dir / "ring.gpkg", "GPKG", layer);
    const PaintedView v{"MERC", 0, 0, 0, 30000000};

    for (const int32_t maxPoints : {0, 10000}) {
        SCOPED_TRACE(maxPoints);
        TranslatorSettings translator;
        translator.maxPoints = maxPoints;
        ASSERT_EQ(Import("ring.gpkg", "map", {}, translator, ""), 1) << ::testing::PrintToString(messages.Texts());
        std::vector<int32_t> counts;
        Mapfile map;
        ASSERT_EQ(map.OpenInfile("map.mpb"), 1);
        for (map.ReadDirectory(); !map.EndOfInFile(); map.ReadDirectory()) counts.push_back(map.InSegment().count);
        map.CloseInfile();
        if (maxPoints == 0) {
            EXPECT_EQ(counts, std::vector<int32_t>{kPoints + 1});
        } else {
            EXPECT_GE(counts.size(), 3u);
            for (int32_t count : counts) EXPECT_LE(count, maxPoints);
        }

        // No pixel of a square well inside the ring is sea: a gap between
        // tiles would leave a line of it.
        const QImage image = Paint(dir, v);
        const QPoint from = PixelOf(v, -13, 13), to = PixelOf(v, 13, -13);
        int sea = 0;
        for (int y = from.y(); y <= to.y(); ++y)
            for (int x = from.x(); x <= to.x(); ++x) sea += image.pixelColor(x, y) == kSea;
        EXPECT_EQ(sea, 0);
        for (const auto& [lon, lat] : {std::pair{3.0, 18.0}, {-18.0, 3.0}, {14.0, -13.0}})
            EXPECT_EQ(image.pixelColor(PixelOf(v, lon, lat)), kLand) << lon << ", " << lat;
        for (const auto& [lon, lat] : {std::pair{0.0, 21.5}, {-21.5, 0.0}, {15.0, -15.0}})
            EXPECT_EQ(image.pixelColor(PixelOf(v, lon, lat)), kSea) << lon << ", " << lat;
        std::filesystem::remove(dir / "map.mpb");
        std::filesystem::remove(dir / "map.okf");
    }
}

// Faulty features are skipped, each with its message, and the rest
// written; with invalid geometry kept they are imported with a warning.
TEST_F(MapImportTest, FaultyFeaturesSkippedOrKept) {
    test::FixtureLayer layer;
    layer.name = "faults";
    layer.features = {{"POLYGON ((0 0,2 2,2 0,0 2,0 0))", {}},
                      {"POLYGON ((0 0,4 0,4 4,0 4,0 0),(1 1,2 2,1 1))", {}},
                      {"POLYGON ((5 5,6 5,6 6,5 5))", {}},
                      {"", {}}};
    test::WriteDataset(dir / "faults.geojson", "GeoJSON", layer);
    const std::string at = "Dataset faults.geojson, layer faults, feature ";

    ASSERT_EQ(Import("faults.geojson", "skipped"), 1);
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{at + "0: a ring crosses itself near 1 1; the feature is skipped",
                                        at + "1: a ring of 3 points (a ring needs at least 4); the feature is skipped"}));
    EXPECT_EQ(messages.messages[0].caption, "Error");
    EXPECT_EQ(summary.counts.skipped, 2);
    EXPECT_EQ(summary.counts.empty, 1);
    EXPECT_EQ(summary.counts.imported, 1);
    EXPECT_EQ(summary.translation.segmentsWritten, 1);

    messages.messages.clear();
    ASSERT_EQ(Import("faults.geojson", "kept", {"", 1, "", true}), 1);
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{at + "0: a ring crosses itself near 1 1; the ring is imported as it runs",
                                        at + "1: a ring of 3 points (a ring needs at least 4); the ring is left out"}));
    EXPECT_EQ(messages.messages[0].caption, "Warning");
    EXPECT_EQ(summary.counts.skipped, 0);
    EXPECT_EQ(summary.counts.kept, 2);
    EXPECT_EQ(summary.translation.segmentsWritten, 3);
}

// Imported on several threads, a dataset gives byte for byte the files and
// the messages of one thread: thousands of features, many cut by the
// region, and faulty ones along the way, skipped in their place.
TEST_F(MapImportTest, SameFilesOnAnyNumberOfThreads) {
    test::FixtureLayer layer;
    layer.fields = {{"kind", OFTString}};
    for (int i = 0; i < 3000; ++i) {
        // A zigzag line, or an area under a zigzag edge.
        const std::string x = std::to_string(i % 40 - 20), y = std::to_string(i % 70 - 35);
        std::string points;
        for (int k = 0; k < 12; ++k)
            points += (k ? "," : "") + x + "." + std::to_string(10 + k * 7) + " " + y + (k % 2 ? ".90" : ".70");
        std::string wkt = i % 2 ? "LINESTRING (" + points + ")"
                                : "POLYGON ((" + points + "," + x + ".87 " + y + ".10," + x + ".10 " + y + ".10," +
                                      x + ".10 " + y + ".70))";
        if (i % 1000 == 500) wkt = "POLYGON ((0 0,2 2,2 0,0 2,0 0))";
        layer.features.push_back({wkt, {i % 2 ? "line" : "area"}});
    }
    test::WriteDataset(dir / "many.geojson", "GeoJSON", layer);
    TranslatorSettings translator;
    translator.projectionName = "Miller Cylindrical";
    translator.west = "-10";
    translator.east = "15";
    translator.north = "30";
    translator.south = "-30";
    std::vector<std::string> maps, formats;
    std::vector<std::vector<Message>> shown;
    for (int threads : {1, 4}) {
        SCOPED_TRACE(threads);
        translator.threads = threads;
        messages.messages.clear();
        ASSERT_EQ(Import("many.geojson", "out", {"kind", 1, "", false}, translator), 1);
        EXPECT_EQ(summary.counts.skipped, 3);
        EXPECT_GT(summary.translation.pointsWritten, 10000);
        maps.push_back(test::TempDir::Read(dir / "out.mpb"));
        formats.push_back(test::TempDir::Read(dir / "out.okf"));
        shown.push_back(messages.messages);
        std::filesystem::remove(dir / "out.mpb");
        std::filesystem::remove(dir / "out.okf");
    }
    EXPECT_TRUE(maps[0] == maps[1]);
    EXPECT_EQ(formats[0], formats[1]);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(shown[0].size(), 3u);
}

// What stops an import writes nothing: not the map, not its format.
TEST_F(MapImportTest, StoppedImportsWriteNothing) {
    test::FixtureLayer many;
    many.fields = {{"kind", OFTInteger}};
    for (int i = 0; i < 101; ++i) many.features.push_back({"POINT (1 1)", {std::to_string(i)}});
    test::WriteDataset(dir / "many.gpkg", "GPKG", many);
    test::WriteDataset(dir / "places.geojson", "GeoJSON", Places());
    test::FixtureLayer metres;
    metres.crs = "";
    metres.features = {{"POINT (500000 4000000)", {}}, {"POINT (510000 4000000)", {}}};
    test::WriteDataset(dir / "metres.gpkg", "GPKG", metres);

    struct Row {
        const char* file;
        FeatureTyping typing;
        const char* where;
        std::string message;
    };
    const Row rows[] = {
        {"many.gpkg", {"kind", 1, "", false}, "",
         "Dataset many.gpkg, layer features, feature 101: the field kind has more than 100 distinct values, more "
         "than a map format holds feature types"},
        {"places.geojson", {}, "kind = 'lake'", "Dataset places.geojson, layer places: no feature to import (0 read, "
                                                "0 skipped, 0 without geometry)"},
        {"places.geojson", {"colour", 1, "", false}, "",
         "Dataset places.geojson, layer places has no field colour (its fields: name, kind)"},
        {"places.geojson", {"", 101, "", false}, "", "The feature type must be a whole number from 1 to 100"},
        {"metres.gpkg", {}, "",
         "Dataset metres.gpkg, layer features, feature 1: the point 500000 4e+06 is no longitude and latitude (the "
         "layer names no projected coordinate system)"},
    };
    for (const Row& row : rows) {
        messages.messages.clear();
        EXPECT_EQ(Import(row.file, "out", row.typing, {}, row.where), 0) << row.message;
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{row.message});
        EXPECT_FALSE(std::filesystem::exists(dir / "out.mpb"));
        EXPECT_FALSE(std::filesystem::exists(dir / "out.okf"));
    }

    // An existing format is asked about; No keeps it and writes no map.
    dir.Write("out.okf", "old");
    messages.messages.clear();
    messages.Answer({MessageResult::No});
    EXPECT_EQ(Import("places.geojson", "out"), 0);
    EXPECT_EQ(messages.messages.at(0).text, "File out.okf already exists - Replace?");
    EXPECT_EQ(test::TempDir::Read(dir / "out.okf"), "old");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.mpb"));
}

}  // namespace
}  // namespace okap
