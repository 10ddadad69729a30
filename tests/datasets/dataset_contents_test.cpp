// What a dataset shows before an import: its layers, a layer's fields, the
// distinct values of a field, and the file filters of the dialogs.

#include "datasets/dataset_contents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "datasets/dataset_file_filter.h"
#include "datasets/dataset_fixture.h"
#include "datasets/export_writer.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"

namespace okap {
namespace {

// Countries by continent: values repeat, one is null and one is the empty
// text, and one feature has no geometry.
test::FixtureLayer Countries() {
    test::FixtureLayer layer;
    layer.name = "countries";
    layer.fields = {{"name", OFTString}, {"continent", OFTString}, {"pop", OFTReal}, {"rank", OFTInteger}};
    const char* square = "POLYGON ((0 0,1 0,1 1,0 1,0 0))";
    layer.features = {{square, {"France", "Europe", "67.8", "2"}},
                      {"", {"Nowhere", "Atlantis", "0", "9"}},  // without geometry: no type
                      {square, {"Chile", "South America", "19.5", "3"}},
                      {square, {"Spain", "Europe", "47.4", "2"}},
                      {square, {"Mystery", std::nullopt, "1", "5"}},
                      {square, {"Blank", "", "2", "5"}},
                      {square, {"Kenya", "Africa", "54", "3"}}};
    return layer;
}

class DatasetContentsTest : public ::testing::Test {
protected:
    DatasetContentsTest() { test::WriteDataset(path, "GeoJSON", Countries()); }

    test::TempDir dir;
    std::string path = (dir / "countries.geojson").string();
    MessageRecorder messages;
};

TEST_F(DatasetContentsTest, ListsTheLayersOfAGeoPackageWithTheirGeometryAndCount) {
    const std::string gpkg = (dir / "two.gpkg").string();
    test::WriteDataset(gpkg, "GPKG", Countries());
    {
        // A second layer added to the same file.
        GDALDatasetUniquePtr dataset(GDALDataset::Open(gpkg.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE));
        ASSERT_TRUE(dataset);
        OGRSpatialReference crs;
        crs.importFromEPSG(4326);
        OGRLayer* cities = dataset->CreateLayer("cities", &crs, wkbPoint, nullptr);
        for (const char* wkt : {"POINT (2.35 48.85)", "POINT (-70.6 -33.4)"}) {
            OGRFeature feature(cities->GetLayerDefn());
            OGRGeometry* geometry = nullptr;
            OGRGeometryFactory::createFromWkt(wkt, nullptr, &geometry);
            feature.SetGeometryDirectly(geometry);
            ASSERT_EQ(cities->CreateFeature(&feature), OGRERR_NONE);
        }
    }
    const auto layers = DatasetLayers(gpkg);
    ASSERT_TRUE(layers) << ::testing::PrintToString(messages.Texts());
    // The fixture makes its layer of any geometry; GeoPackage keeps that.
    EXPECT_EQ(*layers, (std::vector<LayerSummary>{{"countries", "Unknown (any)", 7}, {"cities", "Point", 2}}));
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DatasetContentsTest, ADatasetThatCannotBeOpenedIsReported) {
    dir.Write("broken.geojson", "{ this is not json");
    for (const std::string& file : {(dir / "broken.geojson").string(), (dir / "missing.shp").string()}) {
        messages.messages.clear();
        EXPECT_FALSE(DatasetLayers(file));
        ASSERT_EQ(messages.messages.size(), 1u) << file;
        EXPECT_EQ(messages.messages[0].caption, "Error");
        EXPECT_EQ(messages.messages[0].text.rfind("Error opening dataset : " + file, 0), 0u) << messages.messages[0].text;
    }
}

TEST_F(DatasetContentsTest, ListsTheFieldsOfALayerAndWhetherTheyAreNumeric) {
    const auto fields = LayerFields({path, "", ""});
    ASSERT_TRUE(fields) << ::testing::PrintToString(messages.Texts());
    EXPECT_EQ(*fields, (std::vector<FieldSummary>{
                           {"name", false}, {"continent", false}, {"pop", true}, {"rank", true}}));
    EXPECT_FALSE(LayerFields({path, "rivers", ""}));
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Dataset " + path + " has no layer rivers (its layers: countries)"});
}

TEST_F(DatasetContentsTest, PreviewsTheDistinctValuesAsTheImportNumbersThem) {
    const struct {
        std::string field;
        std::string where;
        size_t count;
        std::vector<std::string> values;
        bool more;
    } cases[] = {
        // The feature without geometry gets no type; a null and the empty
        // text are two values.
        {"continent", "", 10, {"Europe", "South America", "(no value)", "", "Africa"}, false},
        {"continent", "", 5, {"Europe", "South America", "(no value)", "", "Africa"}, false},
        {"continent", "", 2, {"Europe", "South America"}, true},
        {"continent", "rank = 3", 1, {"South America"}, true},
        {"rank", "", 10, {"2", "3", "5"}, false},
        {"continent", "rank > 100", 10, {}, false},
    };
    for (const auto& c : cases) {
        const auto preview = FieldValues({path, "", c.where}, c.field, c.count);
        ASSERT_TRUE(preview) << c.field << " where " << c.where;
        EXPECT_EQ(preview->values, c.values) << c.field << " where " << c.where << ", " << c.count;
        EXPECT_EQ(preview->more, c.more) << c.field << " where " << c.where << ", " << c.count;
    }
    EXPECT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());

    EXPECT_FALSE(FieldValues({path, "", ""}, "region", 10));
    EXPECT_FALSE(FieldValues({path, "", "no_such_field = 1"}, "continent", 10));
    const std::vector<std::string> texts = messages.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Dataset " + path + ", layer countries has no field region (its fields: name, continent, pop, rank)");
    EXPECT_EQ(texts[1].rfind("Dataset " + path + ", layer countries: the filter no_such_field = 1 is refused", 0), 0u)
        << texts[1];
}

// The entries of a filter.
std::vector<std::string> Entries(const std::string& filter) {
    std::vector<std::string> entries;
    for (size_t start = 0;;) {
        const size_t end = filter.find(";;", start);
        entries.push_back(filter.substr(start, end - start));
        if (end == std::string::npos) return entries;
        start = end + 2;
    }
}

TEST(DatasetFileFilterTest, OffersEveryVectorFormatGdalHasAndAllFiles) {
    const std::vector<std::string> entries = Entries(DatasetFileFilter());
    ASSERT_GT(entries.size(), 5u);
    // Each entry a name and its patterns, as the file dialog parses them.
    const std::regex entry(R"(.+ \((\*\.[^ ()*]+)( \*\.[^ ()*]+)*\))");
    for (size_t i = 0; i + 1 < entries.size(); ++i) EXPECT_TRUE(std::regex_match(entries[i], entry)) << entries[i];
    EXPECT_EQ(entries.back(), "All files (*)");
    // The first entry takes every format's extensions.
    ASSERT_EQ(entries.front().rfind("Vector datasets (", 0), 0u);
    std::istringstream words(entries.front().substr(17, entries.front().size() - 18));
    const std::vector<std::string> all{std::istream_iterator<std::string>(words), {}};
    for (const char* pattern : {"*.shp", "*.gpkg", "*.geojson", "*.topojson", "*.kml", "*.gml", "*.fgb", "*.csv"}) {
        EXPECT_NE(std::find(all.begin(), all.end(), pattern), all.end()) << pattern;
    }
    EXPECT_NE(std::find(entries.begin(), entries.end(), "ESRI Shapefile (*.shp *.dbf *.shz *.shp.zip)"), entries.end())
        << DatasetFileFilter();
}

TEST(DatasetFileFilterTest, TheExportFilterListsTheFormatsExportWrites) {
    EXPECT_EQ(ExportFileFilter(), "GeoJSON (*.geojson);;GeoPackage (*.gpkg);;ESRI Shapefile (*.shp);;FlatGeobuf (*.fgb)");
    for (const std::string& entry : Entries(ExportFileFilter())) {
        const std::string extension = entry.substr(entry.find("(*") + 2, entry.size() - entry.find("(*") - 3);
        EXPECT_TRUE(ExportFormatFor("out" + extension)) << entry;
    }
}

}  // namespace
}  // namespace okap
