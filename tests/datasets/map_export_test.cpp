#include "datasets/map_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/bridges.h"
#include "core/globals.h"
#include "core/projection.h"
#include "mapfiles/translator.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"
#include "tests/datasets/dataset_reading.h"
#include "tests/mapfiles/map_fixtures.h"

namespace okap {
namespace {

using test::ReadDataset;

constexpr double kRadiansPerDegree = 0.017453292519943295;
using test::TextMapSegment;

// A square island from 10 to 20 degrees east and north with a square lake
// from 13 to 16 degrees, held as one outline whose hole is joined by a
// bridge, as the map files hold it.
GeoPart IslandOutline() {
    const auto units = [](std::vector<GeoPoint> points) {
        std::vector<LPoint> ring;
        for (GeoPoint p : points)
            ring.push_back(
                {static_cast<int32_t>(p.lon * kUnitsPerDegree), static_cast<int32_t>(p.lat * kUnitsPerDegree)});
        return ring;
    };
    GeoPart outline;
    for (LPoint p : BridgeHoles(units({{10, 10}, {20, 10}, {20, 20}, {10, 20}, {10, 10}}),
                                {units({{13, 13}, {13, 16}, {16, 16}, {16, 13}, {13, 13}})}))
        outline.push_back({p.x / kUnitsPerDegree, p.y / kUnitsPerDegree});
    return outline;
}

const GeoPart kIslandOuter = {{10, 10}, {20, 10}, {20, 20}, {10, 20}, {10, 10}};
const GeoPart kIslandHole = {{13, 13}, {13, 16}, {16, 16}, {16, 13}, {13, 13}};
const GeoPart kRiver = {{0, 0}, {5, 5}, {10, 0}};
const GeoPart kTown = {{30, 40}};

std::vector<TextMapSegment> SampleSegments() {
    return {{"ISLAND", 1, 3, IslandOutline()}, {"RIVER", 2, 2, kRiver}, {"TOWN", 3, 1, kTown}};
}

// The features of types 1 and 2 are named, the second with blanks at its
// end; type 3 has no feature.
constexpr const char* kFormat =
    "[Features]\r\nF1 = Land : 1 0 0 0 1 0 255 255 255 99\r\nF2 = River   : 1 0 0 0 1 0 255 255 255 98\r\n";

const test::ReadFeature* Named(const test::ReadDatasetResult& read, const std::string& name) {
    for (const test::ReadFeature& feature : read.features) {
        auto it = feature.fields.find("name");
        if (it != feature.fields.end() && it->second == name) return &feature;
    }
    return nullptr;
}

// Every point of got lies within tolerance degrees of a point of want, and
// both have as many points: the same ring, whichever point it starts at
// and whichever way it runs.
void ExpectSameRing(const GeoPart& got, const GeoPart& want, double tolerance = 1e-6) {
    ASSERT_EQ(got.size(), want.size());
    for (GeoPoint p : got) {
        const bool found = std::any_of(want.begin(), want.end(), [&](GeoPoint q) {
            return std::abs(p.lon - q.lon) <= tolerance && std::abs(p.lat - q.lat) <= tolerance;
        });
        EXPECT_TRUE(found) << p.lon << ", " << p.lat;
    }
}

class MapExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        std::filesystem::current_path(dir.Path());
        dir.Write("m.mpa", test::TextMap(SampleSegments()));
        dir.Write("m.okf", kFormat);
    }

    // Translates m.mpa into name.mpb, or fails the test.
    void Translate(const std::string& name, const std::string& projection, double originLon = 0.0,
                   double originLat = 0.0, const std::string& input = "m.mpa") {
        TranslatorSettings settings;
        settings.inputName = input;
        settings.outputName = name;
        settings.projectionName = projection;
        settings.originLongitude = FormatGeneral(originLon);
        settings.originLatitude = FormatGeneral(originLat);
        ASSERT_EQ(TranslateMap(settings), 1) << messages.Texts().at(0);
    }

    test::TempDir dir;
    MessageRecorder messages;
};

// Each format gets every segment as a feature with its fields, WGS 84 as
// its CRS, and the island's rings turned as the format expects.
TEST_F(MapExportTest, EveryFormatHoldsTheFeaturesTheirFieldsAndRings) {
    struct Row {
        const char* output;
        std::vector<const char*> files;  // what Files() reports
        bool outerClockwise;
    };
    const Row rows[] = {{"out.geojson", {"out.geojson"}, false},
                        {"out.gpkg", {"out.gpkg"}, false},
                        {"out.fgb", {"out.fgb"}, false},
                        {"out.shp", {"out_areas.shp", "out_lines.shp", "out_points.shp"}, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.output);
        ExportSummary summary;
        ASSERT_EQ(ExportMap("m.mpa", row.output, "m.okf", &summary), 1) << messages.Texts().at(0);
        EXPECT_TRUE(messages.messages.empty());
        EXPECT_EQ(summary.features, 3);
        EXPECT_EQ(summary.points, 5 + 5 + 3 + 1);
        std::vector<std::filesystem::path> files;
        for (const char* file : row.files) files.emplace_back(file);
        EXPECT_EQ(summary.files, files);

        test::ReadDatasetResult read;
        for (const std::filesystem::path& file : files) {
            test::ReadDatasetResult one = ReadDataset(file);
            ASSERT_TRUE(one.opened);
            read.crsCodes.insert(read.crsCodes.end(), one.crsCodes.begin(), one.crsCodes.end());
            for (test::ReadFeature& feature : one.features) read.features.push_back(std::move(feature));
        }
        ASSERT_EQ(read.features.size(), 3u);
        for (const std::string& code : read.crsCodes) EXPECT_EQ(code, "4326");
        if (files.size() == 1) {
            // In the map's order, which is its drawing order.
            for (size_t i = 0; i < 3; ++i) EXPECT_EQ(read.features[i].fields.at("name"), SampleSegments()[i].name);
        }

        const test::ReadFeature* island = Named(read, "ISLAND");
        ASSERT_NE(island, nullptr);
        EXPECT_EQ(island->fields.at("type"), "1");
        EXPECT_EQ(island->fields.at("feature"), "Land");
        ASSERT_EQ(wkbFlatten(island->geometry->getGeometryType()), wkbPolygon);
        const auto* polygon = island->geometry->toPolygon();
        ASSERT_EQ(polygon->getNumInteriorRings(), 1);
        EXPECT_EQ(polygon->getExteriorRing()->isClockwise(), row.outerClockwise);
        EXPECT_EQ(polygon->getInteriorRing(0)->isClockwise(), !row.outerClockwise);
        ExpectSameRing(test::RingPoints(*polygon->getExteriorRing()), kIslandOuter);
        ExpectSameRing(test::RingPoints(*polygon->getInteriorRing(0)), kIslandHole);

        const test::ReadFeature* river = Named(read, "RIVER");
        ASSERT_NE(river, nullptr);
        EXPECT_EQ(river->fields.at("feature"), "River");
        ASSERT_EQ(wkbFlatten(river->geometry->getGeometryType()), wkbLineString);
        const auto* line = river->geometry->toLineString();
        ASSERT_EQ(line->getNumPoints(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(line->getX(i), kRiver[static_cast<size_t>(i)].lon, 1e-6);
            EXPECT_NEAR(line->getY(i), kRiver[static_cast<size_t>(i)].lat, 1e-6);
        }

        const test::ReadFeature* town = Named(read, "TOWN");
        ASSERT_NE(town, nullptr);
        EXPECT_EQ(town->fields.count("feature"), 0u) << "type 3 has no feature";
        ASSERT_EQ(wkbFlatten(town->geometry->getGeometryType()), wkbPoint);
        EXPECT_NEAR(town->geometry->toPoint()->getX(), 30.0, 1e-6);
        EXPECT_NEAR(town->geometry->toPoint()->getY(), 40.0, 1e-6);
    }
    // Nothing but the outputs beside the inputs: no temporary files.
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{
                               "m.mpa", "m.okf", "out.fgb", "out.geojson", "out.gpkg", "out_areas.cpg",
                               "out_areas.dbf", "out_areas.prj", "out_areas.shp", "out_areas.shx", "out_lines.cpg",
                               "out_lines.dbf", "out_lines.prj", "out_lines.shp", "out_lines.shx", "out_points.cpg",
                               "out_points.dbf", "out_points.prj", "out_points.shp", "out_points.shx"}));
}

// Without a format file there is no feature field.
TEST_F(MapExportTest, WithoutAFormatFileNoFeatureField) {
    ASSERT_EQ(ExportMap("m.mpa", "out.gpkg", ""), 1);
    test::ReadDatasetResult read = ReadDataset("out.gpkg");
    ASSERT_EQ(read.features.size(), 3u);
    for (const test::ReadFeature& feature : read.features) EXPECT_EQ(feature.fields.count("feature"), 0u);
}

// An area that is nothing but spikes, as real coastlines have a few, has
// no rings once its bridges are split off: it is exported whole.
TEST_F(MapExportTest, ASliverAreaIsKeptWhole) {
    const GeoPart sliver = {{131, 43}, {131, 44}, {131, 43}, {132, 43}, {131, 43}};
    dir.Write("sliver.mpa", test::TextMap({{"SLIVER", 1, 3, sliver}}));
    ExportSummary summary;
    ASSERT_EQ(ExportMap("sliver.mpa", "sliver.gpkg", "", &summary), 1);
    EXPECT_EQ(summary.skipped, 0);
    test::ReadDatasetResult read = ReadDataset("sliver.gpkg");
    ASSERT_EQ(read.features.size(), 1u);
    EXPECT_EQ(test::RingPoints(*read.features[0].geometry->toPolygon()->getExteriorRing()), sliver);
}

// A Shapefile set is one output: a map of one kind replaces the per-kind
// files of an earlier export, and the other way round.
TEST_F(MapExportTest, AShapefileSetIsReplacedWhole) {
    dir.Write("lines.mpa", test::TextMap({{"RIVER", 2, 2, kRiver}}));
    ASSERT_EQ(ExportMap("m.mpa", "out.shp", ""), 1);
    messages.Answer({MessageResult::Yes});
    ExportSummary summary;
    ASSERT_EQ(ExportMap("lines.mpa", "out.shp", "", &summary), 1);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"File out_areas.shp already exists - Replace?"});
    EXPECT_EQ(summary.files, std::vector<std::filesystem::path>{"out.shp"});
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"lines.mpa", "m.mpa", "m.okf", "out.cpg", "out.dbf", "out.prj",
                                                     "out.shp", "out.shx"}));
    ASSERT_EQ(ReadDataset("out.shp").features.size(), 1u);

    messages.Answer({MessageResult::Yes});
    ASSERT_EQ(ExportMap("m.mpa", "out.shp", ""), 1);
    EXPECT_FALSE(std::filesystem::exists("out.shp"));
    EXPECT_TRUE(std::filesystem::exists("out_lines.shp"));
}

// A map translated into each projection and exported again gives the text
// map's points within the projection's resolution (one world unit, the
// truncation of a projected coordinate), the hole still a hole.
TEST_F(MapExportTest, TranslatedAndExportedAgainWithinTheResolution) {
    struct Row {
        const char* code;
        double originLon;
        double originLat;
    };
    const Row rows[] = {{"MERC", 0, 0},  {"PETE", 0, 0},  {"MILC", 0, 0},   {"EQIC", 10, 0},
                        {"UPST", 0, 90}, {"LAMB", 0, 0},  {"POLY", 15, 0},  {"ORTH", 15, 20}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        const size_t index = static_cast<size_t>(
            std::find(Projection_Codes.begin(), Projection_Codes.end(), std::string(row.code)) -
            Projection_Codes.begin());
        const std::string name = std::string("p") + row.code;
        Translate(name, Projections[index], row.originLon, row.originLat);
        ASSERT_EQ(ExportMap(name + ".mpb", name + ".gpkg", ""), 1) << messages.Texts().at(0);

        Projection projection(row.code, Position(Latitude(row.originLat), Longitude(row.originLon)));
        const auto world = [&](GeoPart part) {
            for (GeoPoint& p : part) {
                double x = p.lon * kRadiansPerDegree, y = p.lat * kRadiansPerDegree;
                projection.Forward(&x, &y, 1);
                p = {x, y};
            }
            return part;
        };
        const auto inUnits = [](GeoPart part) {
            for (GeoPoint& p : part) p = test::InUnits(p);
            return part;
        };
        test::ReadDatasetResult read = ReadDataset(name + ".gpkg");
        ASSERT_EQ(read.features.size(), 3u);
        const auto* polygon = Named(read, "ISLAND")->geometry->toPolygon();
        ASSERT_EQ(polygon->getNumInteriorRings(), 1);
        ExpectSameRing(world(test::RingPoints(*polygon->getExteriorRing())), world(inUnits(kIslandOuter)), 1.01);
        ExpectSameRing(world(test::RingPoints(*polygon->getInteriorRing(0))), world(inUnits(kIslandHole)), 1.01);
        const auto* line = Named(read, "RIVER")->geometry->toLineString();
        GeoPart river;
        for (int i = 0; i < line->getNumPoints(); ++i) river.push_back({line->getX(i), line->getY(i)});
        ExpectSameRing(world(river), world(inUnits(kRiver)), 1.01);
        const auto* town = Named(read, "TOWN")->geometry->toPoint();
        ExpectSameRing(world({{town->getX(), town->getY()}}), world(inUnits(kTown)), 1.01);
    }
}

double WestOf(const OGRGeometry& geometry) {
    OGREnvelope box;
    geometry.getEnvelope(&box);
    return box.MinX;
}

double EastOf(const OGRGeometry& geometry) {
    OGREnvelope box;
    geometry.getEnvelope(&box);
    return box.MaxX;
}

// A map made for a region beyond 180 degrees keeps each segment whole in
// the region's longitudes (0 to 360 east of 180, -360 to 0 west of -180),
// as its text map held them; GeoJSON cuts it at 180 degrees instead.
TEST_F(MapExportTest, BeyondTheMeridianSegmentsStayWholeExceptInGeoJson) {
    struct Row {
        double shift;  // of the longitudes around 180 degrees
        const char* west;
        const char* east;
    };
    const Row rows[] = {{0.0, "160", "200"}, {-360.0, "-200", "-160"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.west);
        const auto shifted = [&](GeoPart part) {
            for (GeoPoint& p : part) p.lon += row.shift;
            return part;
        };
        const GeoPart fiji = shifted({{170, -20}, {190, -20}, {190, -10}, {170, -10}, {170, -20}});
        const GeoPart cable = shifted({{175, 0}, {185, 1}});
        dir.Write("pacific.mpa", test::TextMap({{"FIJI", 1, 3, fiji}, {"CABLE", 2, 2, cable}}));
        TranslatorSettings settings;
        settings.inputName = "pacific.mpa";
        settings.outputName = "pacific";
        settings.originLongitude = "180";
        settings.west = row.west;
        settings.east = row.east;
        std::filesystem::remove("pacific.mpb");
        ASSERT_EQ(TranslateMap(settings), 1);

        for (const char* map : {"pacific.mpb", "pacific.mpa"}) {
            SCOPED_TRACE(map);
            std::filesystem::remove("pacific.gpkg");
            ASSERT_EQ(ExportMap(map, "pacific.gpkg", ""), 1);
            test::ReadDatasetResult read = ReadDataset("pacific.gpkg");
            ASSERT_EQ(read.features.size(), 2u);
            const OGRGeometry& area = *Named(read, "FIJI")->geometry;
            ASSERT_EQ(wkbFlatten(area.getGeometryType()), wkbPolygon);
            EXPECT_NEAR(WestOf(area), 170.0 + row.shift, 1e-5);
            EXPECT_NEAR(EastOf(area), 190.0 + row.shift, 1e-5);
            EXPECT_NEAR(area.toPolygon()->get_Area(), 200.0, 1e-3);
            const OGRGeometry& line = *Named(read, "CABLE")->geometry;
            EXPECT_NEAR(WestOf(line), 175.0 + row.shift, 1e-5);
            EXPECT_NEAR(EastOf(line), 185.0 + row.shift, 1e-5);
        }

        std::filesystem::remove("pacific.geojson");
        ASSERT_EQ(ExportMap("pacific.mpb", "pacific.geojson", ""), 1);
        test::ReadDatasetResult read = ReadDataset("pacific.geojson");
        const OGRGeometry& area = *Named(read, "FIJI")->geometry;
        ASSERT_EQ(wkbFlatten(area.getGeometryType()), wkbMultiPolygon);
        EXPECT_EQ(area.toMultiPolygon()->getNumGeometries(), 2);
        EXPECT_NEAR(area.toMultiPolygon()->get_Area(), 200.0, 1e-3);
        EXPECT_NEAR(WestOf(area), -180.0, 1e-5);
        EXPECT_NEAR(EastOf(area), 180.0, 1e-5);
        EXPECT_EQ(wkbFlatten(Named(read, "CABLE")->geometry->getGeometryType()), wkbMultiLineString);
    }
}

// Areas at the south pole come back closed along the pole's latitude, as
// geographic data hold them, where the projection makes the pole a point
// (whose longitude means nothing), where it makes it a line, and where the
// region stops short of it: one round the pole (a coast at 70 degrees
// south, closed over the pole) and one that reaches it (a coast from 20
// degrees east westwards to 180 degrees, back along the pole).
TEST_F(MapExportTest, AreasAtThePoleAreClosedAlongItsLatitude) {
    GeoPart round, sector;
    for (int lon = -180; lon <= 180; lon += 10) round.push_back({static_cast<double>(lon), -70.0});
    round.insert(round.end(), {{180, -90}, {-180, -90}, {-180, -70}});
    for (int lon = 20; lon >= -180; lon -= 10) sector.push_back({static_cast<double>(lon), -70.0});
    for (int lon = -180; lon <= 20; lon += 20) sector.push_back({static_cast<double>(lon), -90.0});
    sector.push_back({20, -70});
    dir.Write("south.mpa", test::TextMap({{"ROUND", 1, 3, round}, {"SECTOR", 1, 3, sector}}));
    struct Row {
        const char* projection;
        const char* originLat;
        const char* north;
        const char* south;
        double depth;      // degrees of latitude from 70 degrees south to the pole or the region's edge
        double tolerance;  // of the longitudes: a world unit of UPST is a metre
    };
    const Row rows[] = {{"Universal Polar Stereographic", "-90", "0", "-90", 20, 1e-4},
                        {"Equidistant Cylindrical", "0", "90", "-90", 20, 1e-5},
                        {"Mercator Cylindrical", "0", "90", "-80", 10, 1e-5}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.projection);
        TranslatorSettings settings;
        settings.inputName = "south.mpa";
        settings.outputName = "south";
        settings.projectionName = row.projection;
        settings.originLatitude = row.originLat;
        settings.north = row.north;
        settings.south = row.south;
        std::filesystem::remove("south.mpb");
        ASSERT_EQ(TranslateMap(settings), 1);
        std::filesystem::remove("south.gpkg");
        ASSERT_EQ(ExportMap("south.mpb", "south.gpkg", ""), 1);
        test::ReadDatasetResult read = ReadDataset("south.gpkg");
        ASSERT_EQ(read.features.size(), 2u);
        const struct {
            const char* name;
            double west, east;
        } expected[] = {{"ROUND", -180, 180}, {"SECTOR", -180, 20}};
        for (const auto& area : expected) {
            SCOPED_TRACE(area.name);
            const OGRGeometry& geometry = *Named(read, area.name)->geometry;
            ASSERT_EQ(wkbFlatten(geometry.getGeometryType()), wkbPolygon);
            EXPECT_NEAR(geometry.toPolygon()->get_Area(), (area.east - area.west) * row.depth, 0.5);
            EXPECT_NEAR(WestOf(geometry), area.west, row.tolerance);
            EXPECT_NEAR(EastOf(geometry), area.east, row.tolerance);
        }
    }
}

// Bad input gets one message, and nothing is written: an old output stays
// as it was and no temporary file is left.
TEST_F(MapExportTest, BadInputGetsOneMessageAndWritesNothing) {
    dir.Write("old.gpkg", "old contents");
    dir.Write("junk.mpb", "OKAP but nothing more");
    dir.Write("empty.okf", "no feature lines here\r\n");
    dir.Write("badtype.mpa", "\"COAST\",x,3\r\n1,2\r\n");
    // A directory record that claims more points than the file holds.
    test::MapLayout layout;
    layout.segments.push_back({"HUGE    ", 1, 0x7FFFFFFF, {{1, 2}, {3, 4}}, {}, {}});
    dir.Write("huge.mpb", test::BuildMap(layout));
    struct Row {
        const char* map;
        const char* output;
        const char* format;
        const char* message;
    };
    const Row rows[] = {
        {"nothere.mpb", "old.gpkg", "", "Error opening input map file : nothere.mpb"},
        {"junk.mpb", "old.gpkg", "", "Input file is not an OKAP map file"},
        {"m.txt", "old.gpkg", "", "Incorrect input map file type : txt"},
        {"badtype.mpa", "old.gpkg", "", "Can not read a type code from input text map file"},
        {"huge.mpb", "old.gpkg", "", "Unexpected end of input file"},
        {"m.mpa", "old.kml", "", "Unknown export file type : old.kml (use .geojson, .gpkg, .shp or .fgb)"},
        {"m.mpa", "old.gpkg", "nothere.okf", "Error opening map format file : nothere.okf"},
        {"m.mpa", "old.gpkg", "empty.okf", "No features in map format file : empty.okf"},
        {"m.mpa", "nodir/out.gpkg", "", "Error creating export file : nodir/out.gpkg (No such file or directory)"},
    };
    const std::vector<std::string> before = dir.Names();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        messages.messages.clear();
        // Replacing the old output is agreed to; the failure must keep it.
        messages.Answer({MessageResult::Yes});
        EXPECT_EQ(ExportMap(row.map, row.output, row.format), 0);
        std::vector<Message> errors;
        for (const Message& message : messages.messages)
            if (message.caption == "Error") errors.push_back(message);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0].text, row.message);
        EXPECT_EQ(dir.Names(), before);
        EXPECT_EQ(test::TempDir::Read(dir / "old.gpkg"), "old contents");
    }
}

// An output that exists is replaced only when the user agrees; a stopped
// export writes nothing.
TEST_F(MapExportTest, ReplacingAsksAndStoppingWritesNothing) {
    dir.Write("old.gpkg", "old contents");
    messages.Answer({MessageResult::No});
    EXPECT_EQ(ExportMap("m.mpa", "old.gpkg", ""), 0);
    const Message question{"File old.gpkg already exists - Replace?", "Query", MessageButtons::YesNo,
                           MessageIcon::Question};
    EXPECT_EQ(messages.messages, std::vector<Message>{question});
    EXPECT_EQ(test::TempDir::Read(dir / "old.gpkg"), "old contents");

    messages.Answer({MessageResult::Yes});
    int calls = 0;
    EXPECT_EQ(ExportMap("m.mpa", "old.gpkg", "", nullptr, [&](double) { return ++calls < 2; }), 0);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(test::TempDir::Read(dir / "old.gpkg"), "old contents");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"m.mpa", "m.okf", "old.gpkg"}));

    messages.Answer({MessageResult::Yes});
    ASSERT_EQ(ExportMap("m.mpa", "old.gpkg", ""), 1);
    EXPECT_EQ(ReadDataset("old.gpkg").features.size(), 3u);
}

}  // namespace
}  // namespace okap
