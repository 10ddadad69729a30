// Reading a layer of a dataset: the formats, the coordinate systems, the
// geometry kinds and the faults, each with the message a user sees.

#include "datasets/dataset_layer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/latlong.h"
#include "datasets/dataset_fixture.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"

namespace okap {
namespace {

LPoint At(double lon, double lat) { return {Longitude(lon).GetLong(), Latitude(lat).GetLong()}; }

// Two fields and two squares, written in each format.
test::FixtureLayer Squares() {
    test::FixtureLayer layer;
    layer.fields = {{"name", OFTString}, {"pop", OFTReal}};
    layer.features = {{"POLYGON ((10 40,11 40,11 41,10 41,10 40))", {"North", "12.5"}},
                      {"POLYGON ((-20 -30,-19 -30,-19 -29,-20 -29,-20 -30))", {"South", "3"}}};
    return layer;
}

std::vector<LPoint> Sorted(std::vector<LPoint> points) {
    std::sort(points.begin(), points.end(), [](LPoint a, LPoint b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    return points;
}

struct Format {
    const char* driver;
    const char* file;
    bool keepsFields;  // KML holds the name apart from the other fields
};

class DatasetFormatTest : public ::testing::TestWithParam<Format> {};

// Every format gives the same areas (a writer may turn a ring round or
// start it elsewhere), in longitude and latitude.
TEST_P(DatasetFormatTest, EveryFormatGivesTheSameAreas) {
    test::TempDir dir;
    const std::string path = (dir / GetParam().file).string();
    test::WriteDataset(path, GetParam().driver, Squares());
    MessageRecorder messages;
    DatasetLayer layer;
    ASSERT_EQ(layer.Open({path, "", ""}), 1) << ::testing::PrintToString(messages.Texts());
    const std::vector<std::vector<LPoint>> expected = {
        {At(10, 40), At(11, 40), At(11, 41), At(10, 41), At(10, 40)},
        {At(-20, -30), At(-19, -30), At(-19, -29), At(-20, -29), At(-20, -30)}};
    const char* names[] = {"North", "South"};
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_TRUE(layer.Next());
        const FeatureShapes shapes = layer.Shapes(DatasetLayer::Want::Shapes);
        ASSERT_EQ(shapes.shapes.size(), 1u);
        EXPECT_EQ(shapes.shapes[0].kind, 3);
        EXPECT_EQ(shapes.shapes[0].points.front(), shapes.shapes[0].points.back());
        EXPECT_EQ(Sorted(shapes.shapes[0].points), Sorted(expected[i]));
        if (GetParam().keepsFields) {
            const std::optional<int> name = layer.Field("name");
            ASSERT_TRUE(name);
            EXPECT_EQ(layer.Text(*name), names[i]);
        }
    }
    EXPECT_FALSE(layer.Next());
    EXPECT_EQ(layer.Progress(), 1.0);
    EXPECT_TRUE(messages.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Formats, DatasetFormatTest,
                         ::testing::Values(Format{"ESRI Shapefile", "squares.shp", true},
                                           Format{"GPKG", "squares.gpkg", true},
                                           Format{"GeoJSON", "squares.geojson", true},
                                           Format{"FlatGeobuf", "squares.fgb", true}, Format{"GML", "squares.gml", true},
                                           Format{"KML", "squares.kml", false}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             return name.substr(name.find('.') + 1);
                         });

// Positions in UTM zone 33 north come out in longitude and latitude,
// longitude first. Expected values from PROJ's cs2cs EPSG:32633 EPSG:4326.
TEST(DatasetLayerTest, ProjectedCoordinatesBecomeLongitudeAndLatitude) {
    test::TempDir dir;
    test::FixtureLayer layer;
    layer.crs = "EPSG:32633";
    layer.features = {{"POINT (500000 5000000)", {}}, {"LINESTRING (500000 5000000,600000 5500000)", {}}};
    test::WriteDataset(dir / "utm.gpkg", "GPKG", layer);
    DatasetLayer read;
    ASSERT_EQ(read.Open({(dir / "utm.gpkg").string(), "", ""}), 1);
    ASSERT_TRUE(read.Next());
    FeatureShapes shapes = read.Shapes(DatasetLayer::Want::Shapes);
    ASSERT_EQ(shapes.shapes.size(), 1u);
    EXPECT_EQ(shapes.shapes[0].kind, 1);
    EXPECT_EQ(shapes.shapes[0].points, std::vector<LPoint>{At(15.0, 45.1534771834)});
    ASSERT_TRUE(read.Next());
    shapes = read.Shapes(DatasetLayer::Want::Shapes);
    ASSERT_EQ(shapes.shapes.size(), 1u);
    EXPECT_EQ(shapes.shapes[0].kind, 2);
    EXPECT_EQ(shapes.shapes[0].points, (std::vector<LPoint>{At(15.0, 45.1534771834), At(16.38516863, 49.6442568624)}));
}

// Each part of a multi-geometry is a shape of its own; Z and M go, curves
// become straight pieces, a hole is bridged into its area.
TEST(DatasetLayerTest, GeometryKinds) {
    test::TempDir dir;
    test::FixtureLayer layer;
    layer.features = {
        {"MULTIPOINT ZM ((1 2 3 4),(5 6 7 8))", {}},
        {"MULTILINESTRING ((0 0,1 1),(2 2,3 3,4 4))", {}},
        {"MULTIPOLYGON (((0 0,4 0,4 4,0 4,0 0),(1 1,1 3,3 3,3 1,1 1)),((10 10,11 10,11 11,10 10)))", {}},
        {"CIRCULARSTRING (0 0,1 1,2 0)", {}},
        {"GEOMETRYCOLLECTION (POINT (7 7),LINESTRING (8 8,9 9))", {}}};
    test::WriteDataset(dir / "kinds.gpkg", "GPKG", layer);
    DatasetLayer read;
    ASSERT_EQ(read.Open({(dir / "kinds.gpkg").string(), "", ""}), 1);

    const auto kinds = [&] {
        EXPECT_TRUE(read.Next());
        std::vector<std::pair<int, size_t>> found;
        const FeatureShapes shapes = read.Shapes(DatasetLayer::Want::Shapes);
        EXPECT_TRUE(shapes.defects.empty());
        for (const Shape& shape : shapes.shapes) found.emplace_back(shape.kind, shape.points.size());
        return found;
    };
    using Kinds = std::vector<std::pair<int, size_t>>;
    EXPECT_EQ(kinds(), (Kinds{{1, 1}, {1, 1}}));
    EXPECT_EQ(kinds(), (Kinds{{2, 2}, {2, 3}}));
    // 4 + 4 points of the rings, the two ends of the bridge again, closed.
    EXPECT_EQ(kinds(), (Kinds{{3, 11}, {3, 4}}));
    const Kinds arc = kinds();
    ASSERT_EQ(arc.size(), 1u);
    EXPECT_EQ(arc[0].first, 2);
    EXPECT_GT(arc[0].second, 3u);
    EXPECT_EQ(kinds(), (Kinds{{1, 1}, {2, 2}}));
}

// A line whose second point has no latitude.
std::shared_ptr<OGRGeometry> NotANumberLine() {
    auto line = std::make_shared<OGRLineString>();
    line->addPoint(0.0, 0.0);
    line->addPoint(1.0, std::nan(""));
    return line;
}

// Faults of a feature's geometry: what is fatal, what could be kept.
TEST(DatasetLayerTest, GeometryFaults) {
    test::TempDir dir;
    test::FixtureLayer layer;
    layer.crs = "";
    layer.features = {{"POLYGON ((0 0,2 2,2 0,0 2,0 0))", {}},
                      {"POLYGON ((0 0,4 0,4 4,0 4,0 0),(1 1,2 2,1 1))", {}},
                      {"", {}, NotANumberLine()},
                      {"POINT (500000 4000000)", {}},
                      {"", {}},
                      {"LINESTRING EMPTY", {}}};
    test::WriteDataset(dir / "faults.gpkg", "GPKG", layer);
    DatasetLayer read;
    ASSERT_EQ(read.Open({(dir / "faults.gpkg").string(), "", ""}), 1);
    struct Expected {
        bool fatal;
        const char* text;
        size_t shapes;
    };
    const Expected expected[] = {{false, "a ring crosses itself near 1 1", 1},
                                 {false, "a ring of 3 points (a ring needs at least 4)", 1},
                                 {true, "a coordinate is not a finite number", 0},
                                 {true,
                                  "the point 500000 4e+06 is no longitude and latitude (the layer names no projected "
                                  "coordinate system)",
                                  0}};
    for (const Expected& e : expected) {
        ASSERT_TRUE(read.Next());
        const FeatureShapes shapes = read.Shapes(DatasetLayer::Want::Shapes);
        ASSERT_EQ(shapes.defects.size(), 1u) << e.text;
        EXPECT_EQ(shapes.defects[0].fatal, e.fatal);
        EXPECT_EQ(shapes.defects[0].text, e.text);
        EXPECT_EQ(shapes.shapes.size(), e.shapes) << e.text;
        // Only a layer's coordinates in the wrong system stop an import.
        EXPECT_EQ(shapes.StoppingDefect() != nullptr, std::string(e.text).starts_with("the point")) << e.text;
    }
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(read.Next());
        EXPECT_TRUE(read.Shapes(DatasetLayer::Want::Shapes).empty);
    }
}

// Places of data points: the points themselves, else the centroid of the
// largest polygon.
TEST(DatasetLayerTest, PlacesOfDataPoints) {
    test::TempDir dir;
    test::FixtureLayer layer;
    layer.features = {{"MULTIPOINT ((1 2),(3 4))", {}},
                      {"MULTIPOLYGON (((0 0,1 0,1 1,0 1,0 0)),((10 10,14 10,14 14,10 14,10 10)))", {}},
                      {"LINESTRING (0 0,1 1)", {}}};
    test::WriteDataset(dir / "places.geojson", "GeoJSON", layer);
    DatasetLayer read;
    ASSERT_EQ(read.Open({(dir / "places.geojson").string(), "", ""}), 1);
    const auto places = [&] {
        EXPECT_TRUE(read.Next());
        std::vector<std::pair<double, double>> found;
        for (const Place& p : read.Shapes(DatasetLayer::Want::Places).places) found.emplace_back(p.longitude, p.latitude);
        return found;
    };
    using Places = std::vector<std::pair<double, double>>;
    EXPECT_EQ(places(), (Places{{1, 2}, {3, 4}}));
    EXPECT_EQ(places(), (Places{{12, 12}}));
    ASSERT_TRUE(read.Next());
    const FeatureShapes line = read.Shapes(DatasetLayer::Want::Places);
    EXPECT_TRUE(line.HasFatalDefect());
    EXPECT_EQ(line.defects.at(0).text, "it has no point or area to place a data point at");
}

// CSV files: geometry from a WKT column or from longitude and latitude
// columns, numbers in columns read as numbers.
TEST(DatasetLayerTest, CsvWithWktOrCoordinateColumns) {
    test::TempDir dir;
    dir.Write("wkt.csv", "WKT,name,pop\n\"POINT (10 20)\",Alpha,5\n");
    dir.Write("xy.csv", "name,lon,lat,pop\nAlpha,10,20,5\n");
    for (const char* file : {"wkt.csv", "xy.csv"}) {
        SCOPED_TRACE(file);
        DatasetLayer read;
        ASSERT_EQ(read.Open({(dir / file).string(), "", ""}), 1);
        MessageRecorder messages;
        const std::optional<int> pop = read.Field("pop");
        ASSERT_TRUE(pop);
        EXPECT_TRUE(read.RequireNumeric(*pop));
        ASSERT_TRUE(read.Next());
        EXPECT_EQ(read.Number(*pop), 5.0);
        const FeatureShapes shapes = read.Shapes(DatasetLayer::Want::Shapes);
        ASSERT_EQ(shapes.shapes.size(), 1u);
        EXPECT_EQ(shapes.shapes[0].points, std::vector<LPoint>{At(10, 20)});
        EXPECT_TRUE(messages.messages.empty());
    }
}

// What stops an import before any feature is read: one message each,
// naming the dataset and layer.
TEST(DatasetLayerTest, LayerFaultsAreReported) {
    test::TempDir dir;
    test::WriteDataset(dir / "squares.gpkg", "GPKG", Squares());
    test::FixtureLayer local = Squares();
    local.crs = R"(ENGCRS["Plant grid",EDATUM["Plant"],CS[Cartesian,2],AXIS["x",east,LENGTHUNIT["metre",1]],)"
                R"(AXIS["y",north,LENGTHUNIT["metre",1]]])";
    test::WriteDataset(dir / "plant.gpkg", "GPKG", local);
    dir.Write("junk.geojson", "{ not json");
    const std::string squares = (dir / "squares.gpkg").string();
    const std::string plant = (dir / "plant.gpkg").string();
    const std::string junk = (dir / "junk.geojson").string();

    struct Row {
        LayerChoice choice;
        std::string message;  // its start
    };
    const Row rows[] = {
        {{junk, "", ""}, "Error opening dataset : " + junk},
        {{(dir / "missing.shp").string(), "", ""}, "Error opening dataset : " + (dir / "missing.shp").string()},
        {{squares, "roads", ""}, "Dataset " + squares + " has no layer roads (its layers: features)"},
        {{squares, "", "nosuch = 3"}, "Dataset " + squares + ", layer features: the filter nosuch = 3 is refused"},
        {{plant, "", ""}, "Dataset " + plant + ", layer features: its coordinate system Plant grid cannot be "
                          "transformed to longitude and latitude"},
    };
    for (const Row& row : rows) {
        MessageRecorder messages;
        DatasetLayer layer;
        EXPECT_EQ(layer.Open(row.choice), 0) << row.message;
        ASSERT_EQ(messages.messages.size(), 1u) << row.message;
        EXPECT_EQ(messages.messages[0].caption, "Error");
        EXPECT_EQ(messages.messages[0].text.substr(0, row.message.size()), row.message);
    }

    MessageRecorder messages;
    DatasetLayer layer;
    ASSERT_EQ(layer.Open({squares, "features", "pop > 5"}), 1);
    EXPECT_FALSE(layer.Field("nope"));
    const std::optional<int> name = layer.Field("name");
    ASSERT_TRUE(name);
    EXPECT_FALSE(layer.RequireNumeric(*name));
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Dataset " + squares + ", layer features has no field nope (its fields: name, pop)",
                                        "Dataset " + squares + ", layer features: the field name is not numeric (String)"}));
    // The filter holds for the first square only.
    ASSERT_TRUE(layer.Next());
    EXPECT_EQ(layer.Text(*name), "North");
    EXPECT_FALSE(layer.Next());
}

}  // namespace
}  // namespace okap
