#include "datasets/gdal_setup.h"

#include <gtest/gtest.h>

#include <gdal.h>

namespace okap {
namespace {

// The drivers the import promises are there once GDAL is in use.
TEST(GdalSetupTest, TheDriversOfTheImportAreRegistered) {
    UseGdal();
    for (const char* driver : {"ESRI Shapefile", "GPKG", "GeoJSON", "TopoJSON", "KML", "GML", "FlatGeobuf", "CSV"})
        EXPECT_NE(GDALGetDriverByName(driver), nullptr) << driver;
    EXPECT_FALSE(GdalVersion().empty());
}

}  // namespace
}  // namespace okap
