#pragma once
// A dataset layer imported as a map layer: its features translated into a
// map file by the map translator, exactly as the equivalent text map would
// be (projection, thinning, region, boundary points), and a map format
// file of the same name beside it (OUTPUT.okf next to OUTPUT.mpb) with one
// feature per type, each with a style of its own, so that it draws at once.

#include <cstdint>
#include <string>

#include "datasets/dataset_layer.h"
#include "datasets/dataset_source.h"
#include "mapfiles/translator.h"

namespace okap {

struct MapImportSettings {
    LayerChoice source;
    FeatureTyping typing;
    // The translation; its input name is the dataset's. The output name
    // may start with the map directory; else it is taken in the current
    // directory.
    TranslatorSettings translator;
};

struct MapImportSummary {
    TranslationSummary translation;
    std::string formatFile;
    size_t types = 0;
    ImportCounts counts;
};

// Imports; 1 when the map file and its format were written, 0 after a
// reported failure, which writes neither (an existing file of either name
// is asked about with the translator's "Replace?" question first). Features
// skipped for faulty geometry are reported and counted in the summary; the
// rest is written.
int ImportMap(const MapImportSettings& settings, const TranslateProgress& progress = {},
              MapImportSummary* summary = nullptr);

}  // namespace okap
