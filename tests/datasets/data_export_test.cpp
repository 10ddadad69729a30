#include "datasets/data_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/globals.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"
#include "tests/datasets/dataset_reading.h"

namespace okap {
namespace {

class DataExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        std::filesystem::current_path(dir.Path());
    }

    test::TempDir dir;
    MessageRecorder messages;
};

// Every point with its value, angle and label, each of the last two only
// where the line has it; placed as the data layers place it (a latitude of
// 100 degrees folds to -80, as they fold it), the numbers as written.
// The last line has no line break and is left out, as the data layers
// leave it.
TEST_F(DataExportTest, EveryPointWithValueAngleAndLabel) {
    dir.Write("cities.dat",
              "151.2 -33.9 17.5\r\n"
              "151.2 -33.9 17.5 45 \"Sydney\" and more\r\n"
              "-0.1 51.5 9 \"London\"\n"
              "190 100 1\r\n"
              "1 2 3");
    for (const char* output : {"cities.gpkg", "cities.geojson", "cities.shp", "cities.fgb"}) {
        SCOPED_TRACE(output);
        ExportSummary summary;
        ASSERT_EQ(ExportData("cities.dat", output, &summary), 1) << messages.Texts().at(0);
        EXPECT_EQ(summary.features, 4);
        EXPECT_EQ(summary.skipped, 1);
        EXPECT_EQ(summary.files, std::vector<std::filesystem::path>{output});
        test::ReadDatasetResult read = test::ReadDataset(output);
        EXPECT_EQ(read.crsCodes, std::vector<std::string>{"4326"});
        ASSERT_EQ(read.features.size(), 4u);
        struct Expected {
            double lon, lat;
            const char* value;
            const char* angle;  // null: none
            const char* label;
        };
        // GeoJSON keeps its longitudes from -180 to 180.
        const double farEast = std::string(output).ends_with(".geojson") ? -170.0 : 190.0;
        const Expected expected[] = {{151.2, -33.9, "17.5", nullptr, nullptr},
                                     {151.2, -33.9, "17.5", "45", "Sydney"},
                                     {-0.1, 51.5, "9", nullptr, "London"},
                                     {farEast, -80, "1", nullptr, nullptr}};
        for (size_t i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            const test::ReadFeature& feature = read.features[i];
            ASSERT_EQ(wkbFlatten(feature.geometry->getGeometryType()), wkbPoint);
            EXPECT_NEAR(feature.geometry->toPoint()->getX(), expected[i].lon, 1e-9);
            EXPECT_NEAR(feature.geometry->toPoint()->getY(), expected[i].lat, 1e-9);
            EXPECT_EQ(std::stod(feature.fields.at("value")), std::stod(expected[i].value));
            if (expected[i].angle)
                EXPECT_EQ(std::stod(feature.fields.at("angle")), std::stod(expected[i].angle));
            else
                EXPECT_EQ(feature.fields.count("angle"), 0u);
            if (expected[i].label)
                EXPECT_EQ(feature.fields.at("label"), expected[i].label);
            else
                EXPECT_EQ(feature.fields.count("label"), 0u);
        }
    }
}

// A line the data layers cannot read stops the export with its number, and
// nothing is written.
TEST_F(DataExportTest, AnUnreadableLineIsNamedAndNothingWritten) {
    dir.Write("twonumbers.dat", "1 2 3\r\n1 2\r\n");
    dir.Write("openlabel.dat", "1 2 3 \"Open\r\n");
    struct Row {
        const char* data;
        const char* output;
        const char* message;
    };
    const Row rows[] = {
        {"twonumbers.dat", "out.gpkg", "Unknown data file type : twonumbers.dat line 2"},
        {"openlabel.dat", "out.gpkg", "Error reading a data label : openlabel.dat line 1"},
        {"nothere.dat", "out.gpkg", "Error opening data file : nothere.dat"},
        {"twonumbers.dat", "out.csv", "Unknown export file type : out.csv (use .geojson, .gpkg, .shp or .fgb)"},
    };
    const std::vector<std::string> before = dir.Names();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.data);
        messages.messages.clear();
        EXPECT_EQ(ExportData(row.data, row.output), 0);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{row.message});
        EXPECT_EQ(messages.messages.at(0).caption, "Error");
        EXPECT_EQ(dir.Names(), before);
    }
}

}  // namespace
}  // namespace okap
