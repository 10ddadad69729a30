#pragma once
// One layer of a vector dataset that GDAL opens (Shapefile, GeoPackage,
// GeoJSON, TopoJSON, KML, GML, FlatGeobuf, CSV with a WKT column or X/Y
// columns, ...), read feature by feature: only the current feature is held,
// so memory does not grow with the dataset. Geometries come out in
// longitude and latitude (longitude first, whatever the order of the
// layer's coordinate system), as the shapes of feature_shapes.h.
//
// Failures that concern the whole layer (the dataset, the layer, a field,
// the attribute filter, the coordinate system) are reported as they are
// found with caption "Error", each message naming the dataset and layer.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "datasets/feature_shapes.h"

namespace okap {

struct LayerChoice {
    std::string dataset;  // the path GDAL opens
    std::string layer;    // a layer name; empty for the first layer
    std::string where;    // an attribute filter in OGR's SQL dialect; empty for none
};

// A field of a layer: its name and whether it holds numbers.
struct FieldSummary {
    std::string name;
    bool numeric = false;
    friend bool operator==(const FieldSummary&, const FieldSummary&) = default;
};

class DatasetLayer {
public:
    DatasetLayer();
    ~DatasetLayer();
    DatasetLayer(const DatasetLayer&) = delete;
    DatasetLayer& operator=(const DatasetLayer&) = delete;

    // Opens the dataset, picks the layer, applies the filter and prepares
    // the transformation to longitude and latitude. A layer without a
    // coordinate system is taken to hold longitudes and latitudes. 1 on
    // success, 0 after a reported failure.
    int Open(const LayerChoice& choice);

    // The index of the field called name, or none after reporting that the
    // layer has no such field (the message lists the fields it has).
    std::optional<int> Field(const std::string& name) const;
    // Whether the field holds numbers (integer or real); if not, reports
    // that it does not.
    bool RequireNumeric(int field) const;
    // The layer's fields in their order.
    std::vector<FieldSummary> Fields() const;

    // Moves to the next feature; false at the end of the layer, or when
    // the dataset cannot be read further (reported, and ReadFailed set).
    bool Next();
    bool ReadFailed() const { return readFailed; }
    // The current feature's id (its number in the layer where the dataset
    // gives it none).
    int64_t FeatureId() const { return featureId; }
    // The current feature's field as text or as a number; none when it is
    // not set or null (or, as a number, not a finite number).
    std::optional<std::string> Text(int field) const;
    std::optional<double> Number(int field) const;
    // Whether the current feature has a geometry that is not empty.
    bool HasGeometry() const;
    // The current feature's geometry in longitude and latitude: as the
    // shapes of a map file, or as the places of data points.
    enum class Want { Shapes, Places };
    FeatureShapes Shapes(Want want) const;

    // "Dataset D, layer L" and "Dataset D, layer L, feature F" (the current
    // feature), for the start of a message.
    std::string LayerText() const;
    std::string FeatureText() const;
    const std::string& LayerName() const { return layerName; }

    // The share of the layer's features read so far, 0 to 1.
    double Progress() const;

private:
    int Fail(const std::string& text) const;

    struct Gdal;  // the GDAL objects, kept out of this header
    std::unique_ptr<Gdal> gdal;
    std::string datasetName;
    std::string layerName;
    int64_t featureCount = 0;
    int64_t featuresRead = 0;
    int64_t featureId = -1;
    bool readFailed = false;
    bool projected = false;  // the layer's coordinate system is a projected one
};

}  // namespace okap
