#pragma once
// Small datasets written with GDAL itself at run time: one layer of
// features given as WKT, with fields, in any format GDAL writes.

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "datasets/gdal_setup.h"

namespace okap::test {

struct FixtureField {
    std::string name;
    OGRFieldType type = OFTString;
};

struct FixtureFeature {
    std::string wkt;  // empty for a feature without geometry
    std::vector<std::optional<std::string>> values;  // one per field; none for null
    // A geometry that WKT cannot give (coordinates that are not numbers),
    // used instead of wkt.
    std::shared_ptr<const OGRGeometry> geometry = nullptr;
};

struct FixtureLayer {
    std::string name = "features";
    std::string crs = "EPSG:4326";  // as GDAL takes it from a user (a code or WKT); empty for none
    std::vector<FixtureField> fields;
    std::vector<FixtureFeature> features;
};

// Writes layer as a dataset of the GDAL driver named driver at path.
inline void WriteDataset(const std::filesystem::path& path, const char* driver, const FixtureLayer& layer) {
    UseGdal();
    GDALDriver* gdalDriver = GetGDALDriverManager()->GetDriverByName(driver);
    if (gdalDriver == nullptr) throw std::runtime_error(std::string("no GDAL driver ") + driver);
    GDALDatasetUniquePtr dataset(gdalDriver->Create(path.string().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) throw std::runtime_error("cannot create " + path.string() + ": " + CPLGetLastErrorMsg());
    OGRSpatialReference crs;
    if (!layer.crs.empty()) {
        crs.SetFromUserInput(layer.crs.c_str());
        crs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    }
    OGRLayer* out = dataset->CreateLayer(layer.name.c_str(), layer.crs.empty() ? nullptr : &crs, wkbUnknown, nullptr);
    if (out == nullptr) throw std::runtime_error("cannot create layer in " + path.string());
    for (const FixtureField& field : layer.fields) {
        OGRFieldDefn definition(field.name.c_str(), field.type);
        out->CreateField(&definition);
    }
    for (const FixtureFeature& feature : layer.features) {
        OGRFeature written(out->GetLayerDefn());
        for (size_t i = 0; i < feature.values.size(); ++i) {
            if (feature.values[i])
                written.SetField(static_cast<int>(i), feature.values[i]->c_str());
            else
                written.SetFieldNull(static_cast<int>(i));
        }
        if (feature.geometry) {
            written.SetGeometry(feature.geometry.get());
        } else if (!feature.wkt.empty()) {
            OGRGeometry* geometry = nullptr;
            if (OGRGeometryFactory::createFromWkt(feature.wkt.c_str(), nullptr, &geometry) != OGRERR_NONE)
                throw std::runtime_error("bad WKT " + feature.wkt);
            written.SetGeometryDirectly(geometry);
        }
        if (out->CreateFeature(&written) != OGRERR_NONE)
            throw std::runtime_error("cannot write a feature to " + path.string() + ": " + CPLGetLastErrorMsg());
    }
}

}  // namespace okap::test
