// Importing point features with values as a data layer: the data file, the
// data format with its Auto classes and legend, the symbol library, and
// the layer drawn at once.

#include "datasets/data_import.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/projection.h"
#include "data/datafile.h"
#include "datasets/dataset_fixture.h"
#include "platform/message_box.h"
#include "platform/qpainter_dc.h"
#include "support/temp_dir.h"
#include "view/map_document.h"
#include "view/map_layer_fixture.h"
#include "view/map_view.h"

namespace okap {
namespace {

class DataImportTest : public ::testing::Test {
protected:
    DataImportTest() {
        ResetGlobals();
        std::filesystem::create_directories(dir / "maps");
        std::filesystem::create_directories(dir / "data");
    }
    ~DataImportTest() override { ResetGlobals(); }

    int Import(const std::string& file, const std::string& output, const std::string& valueField,
               const std::string& labelField = "") {
        DataImportSettings settings;
        settings.source = {(dir / file).string(), "", ""};
        settings.valueField = valueField;
        settings.labelField = labelField;
        settings.output = output;
        settings.mapDirectory = (dir / "maps").string();
        settings.dataDirectory = (dir / "data").string();
        summary = DataImportSummary{};
        return ImportData(settings, {}, &summary);
    }

    test::TempDir dir;
    MessageRecorder messages;
    DataImportSummary summary;
};

// Four cities, one without a value, and a country whose largest part
// gives its place.
test::FixtureLayer Cities() {
    test::FixtureLayer layer;
    layer.name = "cities";
    layer.fields = {{"name", OFTString}, {"pop", OFTReal}};
    layer.features = {{"POINT (2.35 48.85)", {"Paris", "10"}},
                      {"POINT (-0.13 51.5)", {"London \"Town\"", "50"}},
                      {"POINT (13.4 52.52)", {"Berlin", "30"}},
                      {"POINT (12.5 41.9)", {"Rome", std::nullopt}},
                      {"MULTIPOLYGON (((0 0,1 0,1 1,0 0)),((4 40,6 40,6 42,4 42,4 40)))", {"Land", "20"}}};
    return layer;
}

TEST_F(DataImportTest, DataFileFormatAndLibrary) {
    test::WriteDataset(dir / "cities.gpkg", "GPKG", Cities());
    ASSERT_EQ(Import("cities.gpkg", "cities", "pop", "name"), 1);
    const std::string rome = "Dataset " + (dir / "cities.gpkg").string() +
                             ", layer cities, feature 4: it has no value in the field pop; the feature is skipped";
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{rome});
    EXPECT_EQ(summary.dataFile, (dir / "data/cities.dat").string());
    EXPECT_EQ(summary.formatFile, (dir / "maps/cities.okd").string());
    EXPECT_EQ(summary.points, 4);
    EXPECT_EQ(summary.counts.skipped, 1);
    EXPECT_EQ(summary.symbol, "circle");
    EXPECT_EQ(test::TempDir::Read(dir / "data/cities.dat"),
              "2.35 48.85 10 \"Paris\"\r\n"
              "-0.13 51.5 50 \"London 'Town'\"\r\n"
              "13.4 52.52 30 \"Berlin\"\r\n"
              "5 41 20 \"Land\"\r\n");

    // The format reads back: five classes by natural breaks, a class for
    // each of the four values and the spare one in the widest gap, graded
    // circles from the library just made, a legend titled after the field.
    Projection view("MERC", Position());
    Datafile format(view, (dir / "maps").string(), (dir / "data").string());
    ASSERT_EQ(format.ReadFormat("cities.okd"), 1) << ::testing::PrintToString(messages.Texts());
    EXPECT_EQ(format.legend, 1);
    EXPECT_EQ(format.legendName, "pop");
    ASSERT_EQ(format.symbolCount, 5);
    EXPECT_EQ(format.classMethod, ClassMethod::NaturalBreaks);
    const char* labels[] = {"10-20", "20-30", "30-40", "40-50", "50-50"};
    for (int i = 0; i < 5; ++i) {
        const DataClass& c = format.classes[static_cast<size_t>(i)];
        EXPECT_EQ(c.label, labels[i]);
        EXPECT_EQ(c.symbol.name, "circle");
        EXPECT_EQ(c.symbol.valid, 1);
        EXPECT_EQ(c.symbol.size, 4.0 + 2.0 * i);
        EXPECT_EQ(c.plotStyle.plot, 1);
        EXPECT_EQ(c.textStyle.on, 1);
    }
    EXPECT_EQ(format.classes[4].highValue, 50.0);

    // Again without labels into a library that has other symbols: the
    // circle is added after them, the labels are off.
    dir.Write("maps/okap.sym", "symbol  = dot\r\npoints  = 2\r\n0 0\r\n1 1\r\n");
    ASSERT_EQ(Import("cities.gpkg", "bare.dat", "pop"), 1);
    EXPECT_EQ(test::TempDir::Read(dir / "data/bare.dat").substr(0, 17), "2.35 48.85 10\r\n-0");
    const std::string library = test::TempDir::Read(dir / "maps/okap.sym");
    EXPECT_EQ(library.substr(0, 33), "symbol  = dot\r\npoints  = 2\r\n0 0\r\n");
    EXPECT_NE(library.find("1 1\r\nsymbol  = circle\r\npoints  = 37\r\n"), std::string::npos);
    ASSERT_EQ(format.ReadFormat("bare.okd"), 1);
    EXPECT_EQ(format.classes[0].textStyle.on, 0);
}

// The imported layer draws at once on a map: its circles in their class
// colours, the legend's title.
TEST_F(DataImportTest, TheLayerDraws) {
    test::WriteDataset(dir / "cities.gpkg", "GPKG", Cities());
    ASSERT_EQ(Import("cities.gpkg", "cities", "pop", "name"), 1);
    messages.messages.clear();
    std::filesystem::current_path(dir / "maps");
    dir.Write("maps/world.mpb", test::BuildMap(test::MapOf({})));
    dir.Write("maps/world.okf", "");

    MapDocument doc;
    doc.mapLayerCount = 1;
    doc.mapLayers[0] = {"world.mpb", "world.okf"};
    doc.dataLayerCount = 1;
    doc.dataLayers[0] = {"cities.dat", "cities.okd"};
    std::istringstream("1 0 0 0 1 0 0 0 200 99") >> doc.mapBoxStyles[0];
    // Europe, 3 x 20000000 dm wide.
    Projection mercator("MERC", Position());
    double x = 8 * 0.017453292519943295, y = 47 * 0.017453292519943295;
    ASSERT_TRUE(mercator.Forward(&x, &y, 1));
    doc.centre = {static_cast<int32_t>(x), static_cast<int32_t>(y)};
    doc.scale = 20000000;
    ViewSettings settings;
    settings.mapDirectory = (dir / "maps").string();
    settings.dataDirectory = (dir / "data").string();
    MapView view(doc, settings);
    // Large enough for the smallest circles to show their fill.
    QImage image(1600, 1200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QPainterDC dc(painter);
        view.Paint(dc, {0, 0, 1600, 1200});
    }
    EXPECT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());
    int lightest = 0, darkest = 0;
    for (int py = 0; py < image.height(); ++py) {
        for (int px = 0; px < image.width(); ++px) {
            lightest += image.pixelColor(px, py) == QColor(250, 204, 160);
            darkest += image.pixelColor(px, py) == QColor(150, 20, 30);
        }
    }
    EXPECT_GT(lightest, 4) << "Paris";
    EXPECT_GT(darkest, 10) << "London";
}

// What stops a data import writes nothing.
TEST_F(DataImportTest, StoppedImportsWriteNothing) {
    test::FixtureLayer lines = Cities();
    lines.features = {{"LINESTRING (0 0,1 1)", {"Road", "3"}}};
    test::WriteDataset(dir / "cities.gpkg", "GPKG", Cities());
    test::WriteDataset(dir / "lines.gpkg", "GPKG", lines);
    const std::string cities = "Dataset " + (dir / "cities.gpkg").string() + ", layer cities";
    const std::string roads = "Dataset " + (dir / "lines.gpkg").string() + ", layer cities";
    struct Row {
        const char* file;
        const char* value;
        const char* label;
        std::vector<std::string> messages;
    };
    const Row rows[] = {
        {"cities.gpkg", "name", "", {cities + ": the field name is not numeric (String)"}},
        {"cities.gpkg", "people", "", {cities + " has no field people (its fields: name, pop)"}},
        {"cities.gpkg", "pop", "title", {cities + " has no field title (its fields: name, pop)"}},
        {"lines.gpkg", "pop", "", {roads + ", feature 1: it has no point or area to place a data point at; the "
                                            "feature is skipped",
                                   roads + ": no data point to import (1 features read, 1 skipped, 0 without geometry)"}},
    };
    for (const Row& row : rows) {
        messages.messages.clear();
        EXPECT_EQ(Import(row.file, "out", row.value, row.label), 0);
        EXPECT_EQ(messages.Texts(), row.messages);
        EXPECT_FALSE(std::filesystem::exists(dir / "data/out.dat"));
        EXPECT_FALSE(std::filesystem::exists(dir / "maps/out.okd"));
        EXPECT_FALSE(std::filesystem::exists(dir / "maps/okap.sym"));
    }

    // An existing data file is asked about; No keeps it.
    dir.Write("data/out.dat", "old");
    messages.messages.clear();
    messages.Answer({MessageResult::No});
    EXPECT_EQ(Import("cities.gpkg", "out.dat", "pop"), 0);
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"File " + (dir / "data/out.dat").string() + " already exists - Replace?"});
    EXPECT_EQ(test::TempDir::Read(dir / "data/out.dat"), "old");
    EXPECT_FALSE(std::filesystem::exists(dir / "maps/out.okd"));
}

}  // namespace
}  // namespace okap
