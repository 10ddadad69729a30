#pragma once
// The options of the commands that read a dataset: import and import-data.

#include <string>
#include <vector>

#include "datasets/dataset_layer.h"
#include "datasets/dataset_source.h"
#include "tools/okaptool/options.h"

namespace okap::tool {

// --layer and --where.
std::vector<OptionDefinition> DatasetOptionDefinitions();

// The dataset (the first operand, relative to the current directory), the
// layer and the filter.
// False, after a message, for an empty filter.
bool ReadDatasetOptions(const Options& options, LayerChoice& choice);

}  // namespace okap::tool
