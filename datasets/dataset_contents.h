#pragma once
// What a vector dataset holds, for choosing what to import: its layers,
// the fields of a layer and the first distinct values of a field. Each
// failure (a dataset GDAL cannot open, an unknown layer or field, a filter
// GDAL refuses) is reported with caption "Error", as the import reports it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "datasets/dataset_layer.h"

namespace okap {

struct LayerSummary {
    std::string name;
    std::string geometry;  // the kind of geometry as GDAL names it ("Polygon", "Unknown (any)", ...)
    int64_t features = -1;  // -1 when the dataset cannot tell
    friend bool operator==(const LayerSummary&, const LayerSummary&) = default;
};

// The layers of dataset in their order; none after a reported failure.
std::optional<std::vector<LayerSummary>> DatasetLayers(const std::string& dataset);

// The fields of the chosen layer (its filter is not needed); none after a
// reported failure.
std::optional<std::vector<FieldSummary>> LayerFields(const LayerChoice& choice);

// The distinct values of a field as an import by that field gives them
// types: over the features that pass the filter and have a geometry, in
// order of first appearance, as type names (TypeName).
struct ValuePreview {
    std::vector<std::string> values;  // the first ones, at most the count asked for
    bool more = false;                // the field has more values than these
};

// Reads the layer until it has count + 1 values or reaches its end; none
// after a reported failure.
std::optional<ValuePreview> FieldValues(const LayerChoice& choice, const std::string& field, size_t count);

}  // namespace okap
