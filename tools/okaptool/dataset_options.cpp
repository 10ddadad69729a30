#include "tools/okaptool/dataset_options.h"

#include <iostream>

namespace okap::tool {

std::vector<OptionSpec> DatasetOptionSpecs() {
    return {{"layer", "NAME", "the layer of SOURCE to import", "the first"},
            {"where", "EXPR", "import only the features for which the attribute filter EXPR holds (OGR SQL)", ""}};
}

bool ReadDatasetOptions(const Options& options, LayerChoice& choice) {
    choice.dataset = options.Operands()[0];
    choice.layer = options.Value("layer").value_or("");
    choice.where = options.Value("where").value_or("");
    if (options.Has("where") && choice.where.empty()) {
        std::cerr << "okaptool: --where needs an expression\n";
        return false;
    }
    return true;
}

std::string FeatureCountText(const ImportCounts& counts) {
    std::string text = std::to_string(counts.features) + (counts.features == 1 ? " feature: " : " features: ") + std::to_string(counts.imported) +
                       " imported, " + std::to_string(counts.skipped) + " skipped, " + std::to_string(counts.empty) +
                       " without geometry";
    if (counts.kept > 0) text += ", " + std::to_string(counts.kept) + " with faulty geometry kept";
    return text;
}

}  // namespace okap::tool
