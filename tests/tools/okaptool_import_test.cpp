// okaptool import and import-data, run as a user runs them on datasets
// written as files.

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

// A town, a river and two pieces of land, typed by kind.
constexpr char kPlaces[] = R"({"type": "FeatureCollection", "name": "places", "features": [
{"type": "Feature", "properties": {"name": "Alpha", "kind": "town", "pop": 12.5},
 "geometry": {"type": "Point", "coordinates": [10.5, 45.25]}},
{"type": "Feature", "properties": {"name": "Beta", "kind": "river", "pop": 3},
 "geometry": {"type": "LineString", "coordinates": [[11, 46], [12, 47.5]]}},
{"type": "Feature", "properties": {"name": "Gamma", "kind": "land", "pop": 40},
 "geometry": {"type": "Polygon", "coordinates": [[[0, 30], [4, 30], [4, 34], [0, 34], [0, 30]]]}},
{"type": "Feature", "properties": {"name": "Delta", "kind": "land", "pop": null},
 "geometry": {"type": "Polygon", "coordinates": [[[0, 0], [2, 2], [2, 0], [0, 2], [0, 0]]]}}
]})";

TEST_F(OkaptoolTest, ImportHelp) {
    for (const char* command : {"import", "import-data"}) {
        Result r = Run({command, "--help"});
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find("stops and writes nothing"), std::string::npos) << command;
        EXPECT_NE(r.out.find("It skips"), std::string::npos) << command;
        for (const char* option : {"--layer", "--where", "--maps", "--replace"})
            EXPECT_NE(r.out.find(option), std::string::npos) << command << option;
    }
    Result r = Run({"import", "--help"});
    for (const char* option : {"--type-field", "--type ", "--name-field", "--keep-invalid", "--projection", "--south"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
    r = Run({"--help"});
    EXPECT_NE(r.out.find("import-data"), std::string::npos);
}

TEST_F(OkaptoolTest, ImportSkipsFaultyFeaturesOrKeepsThem) {
    dir.Write("places.geojson", kPlaces);
    std::filesystem::create_directory(dir / "maps");
    Result r = Run({"import", "places.geojson", "places", "--maps", "maps", "--type-field", "kind", "--name-field",
                    "name", "--projection", "MILC"});
    // Delta's ring crosses itself: skipped, the rest written, status 1.
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "maps/places.mpb\nmaps/places.okf\n");
    EXPECT_NE(r.err.find("Error: Dataset places.geojson, layer places, feature 3: a ring crosses itself near 1 1; the "
                         "feature is skipped\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("okaptool: 4 features: 3 imported, 1 skipped, 0 without geometry; 3 feature types, 3 "
                         "segments, 8 points written\n"),
              std::string::npos)
        << r.err;
    // Standard error is no terminal: no percentages.
    EXPECT_EQ(r.err.find('%'), std::string::npos);
    r = Run({"info", "maps/places.mpb"});
    EXPECT_NE(r.out.find("projection: MILC\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Gamma\t3\tarea\t5"), std::string::npos) << r.out;

    r = Run({"import", "places.geojson", "places", "--maps", "maps", "--keep-invalid"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("File maps/places.mpb already exists - Replace? No: use --replace"), std::string::npos)
        << r.err;
    r = Run({"import", "places.geojson", "places", "--maps", "maps", "--keep-invalid", "--replace", "--type", "4"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Warning: Dataset places.geojson, layer places, feature 3: a ring crosses itself near 1 1; "
                         "the ring is imported as it runs\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(test::TempDir::Read(dir / "maps/places.okf").substr(97, 15), "F4 = places : 1");
}

TEST_F(OkaptoolTest, ImportDataWritesTheDataFileAndItsFormat) {
    dir.Write("places.geojson", kPlaces);
    std::filesystem::create_directories(dir / "maps");
    std::filesystem::create_directories(dir / "data");
    Result r = Run({"import-data", "places.geojson", "towns.dat", "--value-field", "pop", "--label-field", "name",
                    "--maps", "maps", "--data", "data", "--where", "kind <> 'river'"});
    // Delta has no value: skipped.
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "data/towns.dat\nmaps/towns.okd\n");
    EXPECT_NE(r.err.find("okaptool: 3 features: 2 imported, 1 skipped, 0 without geometry; 2 points, values 12.5 to "
                         "40 in 5 classes of circle\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(test::TempDir::Read(dir / "data/towns.dat"), "10.5 45.25 12.5 \"Alpha\"\r\n2 32 40 \"Gamma\"\r\n");
    EXPECT_NE(test::TempDir::Read(dir / "maps/towns.okd").find("Symbol5 high value = 40\r\n"), std::string::npos);
    EXPECT_NE(test::TempDir::Read(dir / "maps/okap.sym").find("symbol  = circle"), std::string::npos);
}

TEST_F(OkaptoolTest, ImportWrongArgumentsAndFailures) {
    dir.Write("places.geojson", kPlaces);
    dir.Write("broken.geojson", "{\"type\": ");
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* err;  // part of standard error
    };
    const Row rows[] = {
        {{"import", "places.geojson"}, 2, "wrong number of arguments"},
        {{"import", "places.geojson", "x", "--type", "1", "--type-field", "kind"}, 2, "not both"},
        {{"import", "places.geojson", "x", "--type", "0"}, 2, "--type needs a whole number from 1 to 100"},
        {{"import", "places.geojson", "x", "--where", ""}, 2, "--where needs an expression"},
        {{"import", "places.geojson", "x", "--projection", "Gnomonic"}, 2, "unknown projection 'Gnomonic'"},
        {{"import-data", "places.geojson", "x"}, 2, "import-data needs --value-field FIELD"},
        {{"import", "broken.geojson", "x"}, 1, "Error: Error opening dataset : broken.geojson"},
        {{"import", "places.geojson", "x", "--layer", "roads"}, 1,
         "Error: Dataset places.geojson has no layer roads (its layers: places)"},
        {{"import", "places.geojson", "x", "--maps", "nowhere"}, 1, "Error: Map file path does not exist"},
        {{"import-data", "places.geojson", "x", "--value-field", "name"}, 1,
         "Error: Dataset places.geojson, layer places: the field name is not numeric (String)"},
        {{"import-data", "places.geojson", "x", "--value-field", "pop", "--data", "nowhere"}, 1,
         "Error: Data file path does not exist"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.back());
        Result r = Run(row.args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"broken.geojson", "places.geojson"}));
}

}  // namespace
}  // namespace okap
