#include "datasets/dataset_contents.h"

#include <ogrsf_frmts.h>

#include <algorithm>
#include <unordered_set>

#include "datasets/dataset_open.h"
#include "datasets/dataset_source.h"

namespace okap {

std::optional<std::vector<LayerSummary>> DatasetLayers(const std::string& dataset) {
    GDALDatasetUniquePtr opened = OpenVectorDataset(dataset);
    if (!opened) return std::nullopt;
    std::vector<LayerSummary> layers;
    for (OGRLayer* layer : opened->GetLayers()) {
        // Counting may read the whole layer; a dataset that cannot count
        // says -1, as the summary does.
        layers.push_back({layer->GetName(), OGRGeometryTypeToName(wkbFlatten(layer->GetGeomType())),
                          std::max<int64_t>(-1, layer->GetFeatureCount(TRUE))});
    }
    return layers;
}

std::optional<std::vector<FieldSummary>> LayerFields(const LayerChoice& choice) {
    DatasetLayer layer;
    if (!layer.Open({choice.dataset, choice.layer, ""})) return std::nullopt;
    return layer.Fields();
}

std::optional<ValuePreview> FieldValues(const LayerChoice& choice, const std::string& field, size_t count) {
    DatasetLayer layer;
    if (!layer.Open(choice)) return std::nullopt;
    const std::optional<int> index = layer.Field(field);
    if (!index) return std::nullopt;
    ValuePreview preview;
    std::unordered_set<std::string> seen;
    while (layer.Next()) {
        if (!layer.HasGeometry()) continue;
        const std::optional<std::string> value = layer.Text(*index);
        if (!seen.insert(TypeKey(value)).second) continue;
        if (preview.values.size() == count) {
            preview.more = true;
            break;
        }
        preview.values.push_back(TypeName(value));
    }
    if (layer.ReadFailed()) return std::nullopt;
    return preview;
}

}  // namespace okap
