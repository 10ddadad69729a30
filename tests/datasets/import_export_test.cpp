// A dataset imported as a map file and exported again gives back its
// geometry within the map file's resolution, in every projection: holes as
// holes, lines and points where they were, and the feature names of the
// format the import wrote.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/projection.h"
#include "datasets/map_export.h"
#include "datasets/map_import.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"
#include "tests/datasets/dataset_fixture.h"
#include "tests/datasets/dataset_reading.h"

namespace okap {
namespace {

// Each point of got lies within tolerance degrees of the point of want at
// the same place in the ring, whichever point the ring starts at.
void ExpectSameRing(GeoPart got, GeoPart want, double tolerance) {
    ASSERT_EQ(got.size(), want.size());
    ASSERT_GE(got.size(), 1u);
    // Rings start where they like and may run either way: match the first
    // point, then walk both ways.
    size_t start = 0;
    while (start < want.size() &&
           (std::abs(want[start].lon - got[0].lon) > tolerance || std::abs(want[start].lat - got[0].lat) > tolerance))
        ++start;
    ASSERT_LT(start, want.size()) << got[0].lon << ", " << got[0].lat;
    const size_t n = want.size() > 1 && want.front().lon == want.back().lon && want.front().lat == want.back().lat
                         ? want.size() - 1
                         : want.size();
    bool forward = true, backward = true;
    for (size_t i = 0; i < n; ++i) {
        const GeoPoint g = got[i];
        const GeoPoint f = want[(start + i) % n], b = want[(start + n - i) % n];
        forward = forward && std::abs(g.lon - f.lon) <= tolerance && std::abs(g.lat - f.lat) <= tolerance;
        backward = backward && std::abs(g.lon - b.lon) <= tolerance && std::abs(g.lat - b.lat) <= tolerance;
    }
    EXPECT_TRUE(forward || backward);
}

GeoPart LinePoints(const OGRLineString& line) {
    GeoPart points;
    for (int i = 0; i < line.getNumPoints(); ++i) points.push_back({line.getX(i), line.getY(i)});
    return points;
}

TEST(ImportExportTest, TheGeometryComesBackWithinTheResolution) {
    ResetGlobals();
    test::TempDir dir;
    std::filesystem::current_path(dir.Path());
    MessageRecorder messages;

    const GeoPart outer = {{10, 10}, {20, 10}, {20, 20}, {10, 20}, {10, 10}};
    const GeoPart hole = {{13, 13}, {13, 16}, {16, 16}, {16, 13}, {13, 13}};
    const GeoPart river = {{0, 0}, {5.125, 5.5}, {10, 0.25}};
    test::FixtureLayer layer;
    layer.fields = {{"name", OFTString}, {"kind", OFTString}};
    layer.features = {
        {"POLYGON ((10 10,20 10,20 20,10 20,10 10),(13 13,13 16,16 16,16 13,13 13))", {"ISLAND", "land"}},
        {"LINESTRING (0 0,5.125 5.5,10 0.25)", {"RIVER", "river"}},
        {"POINT (30 40)", {"TOWN", "town"}}};
    test::WriteDataset(dir / "in.geojson", "GeoJSON", layer);

    for (const char* code : {"MERC", "LAMB", "ORTH", "TEXT"}) {
        SCOPED_TRACE(code);
        MapImportSettings settings;
        settings.source = {"in.geojson", "", ""};
        settings.typing = {"kind", 1, "name", false};
        for (size_t i = 0; i < Projection_Codes.size(); ++i)
            if (Projection_Codes[i] == code) settings.translator.projectionName = Projections[i];
        settings.translator.originLongitude = "15";
        settings.translator.originLatitude = code == std::string("ORTH") ? "15" : "0";
        settings.translator.outputName = "map";
        ASSERT_EQ(ImportMap(settings), 1) << ::testing::PrintToString(messages.Texts());
        const std::string map = code == std::string("TEXT") ? "map.mpa" : "map.mpb";
        ASSERT_EQ(ExportMap(map, "out.gpkg", "map.okf"), 1) << ::testing::PrintToString(messages.Texts());

        const test::ReadDatasetResult read = test::ReadDataset(dir / "out.gpkg");
        ASSERT_EQ(read.features.size(), 3u);
        // A map file holds positions to a decimetre or so.
        constexpr double kTolerance = 1e-5;
        const OGRPolygon* island = read.features[0].geometry->toPolygon();
        ASSERT_EQ(island->getNumInteriorRings(), 1);
        ExpectSameRing(test::RingPoints(*island->getExteriorRing()), outer, kTolerance);
        ExpectSameRing(test::RingPoints(*island->getInteriorRing(0)), hole, kTolerance);
        const GeoPart line = LinePoints(*read.features[1].geometry->toLineString());
        ASSERT_EQ(line.size(), river.size());
        for (size_t i = 0; i < line.size(); ++i) {
            EXPECT_NEAR(line[i].lon, river[i].lon, kTolerance);
            EXPECT_NEAR(line[i].lat, river[i].lat, kTolerance);
        }
        const OGRPoint* town = read.features[2].geometry->toPoint();
        EXPECT_NEAR(town->getX(), 30, kTolerance);
        EXPECT_NEAR(town->getY(), 40, kTolerance);
        EXPECT_EQ(read.features[0].fields.at("feature"), "land");
        EXPECT_EQ(read.features[1].fields.at("feature"), "river");
        EXPECT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());
        for (const char* file : {"map.mpb", "map.mpa", "map.okf", "out.gpkg"}) std::filesystem::remove(dir / file);
    }
}

}  // namespace
}  // namespace okap
