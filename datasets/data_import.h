#pragma once
// A dataset layer imported as a data layer: a data file (OUTPUT.dat, in the
// data directory) of one line per point feature, or per polygon feature at
// the centroid of its largest polygon, with the value of a numeric field
// and, if asked for, a label from another field; and a data format
// (OUTPUT.okd, in the map directory) with graded circles in classes of
// natural breaks and a legend, so that the layer draws at once.
// The circle's outline is put into the map directory's okap.sym where that
// library lacks it (see import_symbol.h).

#include <cstdint>
#include <functional>
#include <string>

#include "datasets/dataset_layer.h"
#include "datasets/dataset_source.h"

namespace okap {

struct DataImportSettings {
    LayerChoice source;
    std::string valueField;
    std::string labelField;  // empty for no labels
    std::string output;      // the data file's name; ".dat" is added when it has none
    std::string mapDirectory;
    std::string dataDirectory;
};

struct DataImportSummary {
    std::string dataFile;
    std::string formatFile;
    int64_t points = 0;
    double minimum = 0.0;
    double maximum = 0.0;
    int32_t classes = 0;
    std::string symbol;
    ImportCounts counts;
};

// Called now and then with the share of the layer read, 0 to 1; false
// stops the import, which then writes nothing.
using ImportProgress = std::function<bool(double fraction)>;

// Imports; 1 when the data file and its format were written, 0 after a
// reported failure, which writes nothing (an existing file of either name
// is asked about with a "Replace?" question, caption "Query", first).
// Features without a value or with faulty geometry are reported and
// skipped; the rest is written.
int ImportData(const DataImportSettings& settings, const ImportProgress& progress = {},
               DataImportSummary* summary = nullptr);

}  // namespace okap
