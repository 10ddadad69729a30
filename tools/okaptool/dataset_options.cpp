#include "tools/okaptool/dataset_options.h"

#include <iostream>

namespace okap::tool {

std::vector<OptionDefinition> DatasetOptionDefinitions() {
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

}  // namespace okap::tool
