#pragma once
// Reading an exported dataset back with GDAL itself, and writing the small
// text maps the export tests start from.

#include <gdal_priv.h>
#include <ogr_geometry.h>
#include <ogrsf_frmts.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/latlong.h"
#include "core/number_text.h"
#include "datasets/gdal_setup.h"
#include "datasets/geo_point.h"

namespace okap::test {

struct ReadFeature {
    std::string layer;
    std::unique_ptr<OGRGeometry> geometry;
    // Field values as text; a field without a value is missing.
    std::map<std::string, std::string> fields;
};

struct ReadDatasetResult {
    bool opened = false;
    std::vector<std::string> crsCodes;  // the authority code of each layer's CRS
    std::vector<ReadFeature> features;  // of every layer, in order
};

inline ReadDatasetResult ReadDataset(const std::filesystem::path& path) {
    UseGdal();
    ReadDatasetResult result;
    std::unique_ptr<GDALDataset> dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!dataset) return result;
    result.opened = true;
    for (OGRLayer* layer : dataset->GetLayers()) {
        const OGRSpatialReference* crs = layer->GetSpatialRef();
        const char* code = crs ? crs->GetAuthorityCode(nullptr) : nullptr;
        result.crsCodes.push_back(code ? code : "");
        for (const auto& feature : *layer) {
            ReadFeature read;
            read.layer = layer->GetName();
            if (const OGRGeometry* geometry = feature->GetGeometryRef()) read.geometry.reset(geometry->clone());
            for (int i = 0; i < feature->GetFieldCount(); ++i)
                if (feature->IsFieldSetAndNotNull(i))
                    read.fields[feature->GetFieldDefnRef(i)->GetNameRef()] = feature->GetFieldAsString(i);
            result.features.push_back(std::move(read));
        }
    }
    return result;
}

inline GeoPart RingPoints(const OGRLinearRing& ring) {
    GeoPart points;
    for (int i = 0; i < ring.getNumPoints(); ++i) points.push_back({ring.getX(i), ring.getY(i)});
    return points;
}

// One segment of a text map: points in degrees; the count is stored
// negative for a line.
struct TextMapSegment {
    std::string name;
    int type = 1;
    int kind = 3;
    GeoPart points;
};

inline std::string TextMap(const std::vector<TextMapSegment>& segments) {
    std::string text;
    for (const TextMapSegment& segment : segments) {
        const int count = static_cast<int>(segment.points.size());
        std::string name = segment.name;
        name.resize(8, ' ');
        text += "\"" + name + "\"," + std::to_string(segment.type) + "," +
                std::to_string(segment.kind == 2 ? -count : count) + "\r\n";
        for (GeoPoint p : segment.points) text += FormatGeneral(p.lon, 10) + "," + FormatGeneral(p.lat, 10) + "\r\n";
    }
    return text;
}

// A point in degrees as the map files hold it: in whole angle units.
inline GeoPoint InUnits(GeoPoint p) {
    return {static_cast<double>(Longitude(p.lon).GetLong() * kDegreesPerUnit),
            static_cast<double>(Latitude(p.lat).GetLong() * kDegreesPerUnit)};
}

}  // namespace okap::test
