// okaptool export and export-data, run as a user runs them. The datasets'
// contents are checked in the dataset tests; here GeoJSON, which is text,
// shows what was written.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tools/okaptool_fixture.h"

namespace okap {
namespace {

using test::OkaptoolTest;
using test::Result;

constexpr const char* kMap = "\"ISLAND\",1,5\r\n10,10\r\n20,10\r\n20,20\r\n10,20\r\n10,10\r\n"
                             "\"RIVER\",2,-2\r\n0,0\r\n5,5\r\n";
constexpr const char* kFormat = "F1 = Land : 1 0 0 0 1 0 255 255 255 99\r\n";

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(OkaptoolTest, ExportHelpExplainsTheOptionsAndFormats) {
    for (const char* command : {"export", "export-data"}) {
        SCOPED_TRACE(command);
        Result r = Run({command, "--help"});
        EXPECT_EQ(r.status, 0);
        for (const char* part : {"--replace", ".geojson", ".gpkg", ".shp", ".fgb", "EPSG:4326"})
            EXPECT_TRUE(Holds(r.out, part)) << part;
    }
    Result r = Run({"export", "--help"});
    for (const char* part : {"--format-file", "RFC 7946", "0 to 360", "OUTPUT_areas.shp"})
        EXPECT_TRUE(Holds(r.out, part)) << part;
    r = Run({"--help"});
    EXPECT_TRUE(Holds(r.out, "export-data"));
}

TEST_F(OkaptoolTest, ExportAMapAndItsFeatureNames) {
    std::filesystem::create_directory(dir / "maps");
    dir.Write("maps/world.mpa", kMap);
    dir.Write("maps/world.okf", kFormat);
    Result r = Run({"export", "maps/world.mpa", "world.geojson", "--format-file", "maps/world.okf"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "world.geojson\n");
    EXPECT_EQ(r.err, "");
    const std::string json = test::TempDir::Read(dir / "world.geojson");
    EXPECT_TRUE(Holds(json, R"("name": "ISLAND", "type": 1, "feature": "Land")")) << json;
    EXPECT_TRUE(Holds(json, R"("name": "RIVER", "type": 2, "feature": null)")) << json;
    EXPECT_TRUE(Holds(json, R"("type": "Polygon")"));
    EXPECT_TRUE(Holds(json, R"("type": "LineString")"));

    // Areas and lines make two Shapefiles.
    r = Run({"export", "maps/world.mpa", "world.shp"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "world_areas.shp\nworld_lines.shp\n");
}

TEST_F(OkaptoolTest, ExportDataPoints) {
    dir.Write("cities.dat", "151.2 -33.9 17.5 45 \"Sydney\"\r\n-0.1 51.5 9\r\n");
    Result r = Run({"export-data", "cities.dat", "cities.geojson"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "cities.geojson\n");
    const std::string json = test::TempDir::Read(dir / "cities.geojson");
    EXPECT_TRUE(Holds(json, R"("value": 17.5, "angle": 45.0, "label": "Sydney")")) << json;
    EXPECT_TRUE(Holds(json, R"("value": 9.0, "angle": null, "label": null)")) << json;

    // A last line without a line break is left out, and the user told.
    dir.Write("cities.dat", "151.2 -33.9 17.5\r\n-0.1 51.5 9");
    r = Run({"export-data", "cities.dat", "cities.geojson", "--replace"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Holds(r.err, "the last line has no line break")) << r.err;
    EXPECT_FALSE(Holds(test::TempDir::Read(dir / "cities.geojson"), "51.5"));
}

TEST_F(OkaptoolTest, ExportFailuresSayWhyAndWriteNothing) {
    dir.Write("world.mpa", kMap);
    dir.Write("old.geojson", "old contents");
    dir.Write("bad.dat", "1 2\r\n");
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* err;  // part of standard error
    };
    const Row rows[] = {
        {{"export", "world.mpa"}, 2, "wrong number of arguments"},
        {{"export", "world.mpa", "x.geojson", "--bogus"}, 2, "unknown option --bogus"},
        {{"export", "none.mpb", "x.geojson"}, 1, "Error: Error opening input map file : none.mpb"},
        {{"export", "world.mpa", "x.kml"}, 1, "Error: Unknown export file type : x.kml"},
        {{"export", "world.mpa", "x.geojson", "--format-file", "none.okf"}, 1,
         "Error: Error opening map format file : none.okf"},
        {{"export", "world.mpa", "nodir/x.geojson"}, 1, "Error: Error creating export file : nodir/x.geojson"},
        {{"export", "world.mpa", "old.geojson"}, 1, "File old.geojson already exists - Replace? No: use --replace"},
        {{"export-data", "bad.dat", "x.geojson"}, 1, "Error: Unknown data file type : bad.dat line 1"},
        {{"export-data", "none.dat", "x.geojson"}, 1, "Error: Error opening data file : none.dat"},
        {{"export-data", "bad.dat", "old.geojson"}, 1, "No: use --replace"},
    };
    const std::vector<std::string> before = dir.Names();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.back());
        Result r = Run(row.args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_TRUE(Holds(r.err, row.err)) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(dir.Names(), before);
    }
    EXPECT_EQ(test::TempDir::Read(dir / "old.geojson"), "old contents");

    Result r = Run({"export", "world.mpa", "old.geojson", "--replace"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Holds(test::TempDir::Read(dir / "old.geojson"), "FeatureCollection"));
}

}  // namespace
}  // namespace okap
