// okaptool import-data: the point features of a dataset layer with a
// numeric value into a data file and its data format.

#include <filesystem>
#include <iostream>
#include <string>

#include "core/number_text.h"
#include "datasets/data_import.h"
#include "tools/okaptool/commands.h"
#include "tools/okaptool/dataset_options.h"
#include "tools/okaptool/options.h"
#include "tools/okaptool/replace_answer.h"
#include "tools/okaptool/terminal_progress.h"

namespace okap::tool {

int RunImportData(int argc, char** argv) {
    std::vector<OptionDefinition> definitions = DatasetOptionDefinitions();
    definitions.push_back({"value-field", "FIELD", "the numeric field whose values are drawn (required)", ""});
    definitions.push_back({"label-field", "FIELD", "label each point with FIELD", "no labels"});
    definitions.push_back({"maps", "DIR", "map file directory, where OUTPUT.okd is written", "the current directory"});
    definitions.push_back({"data", "DIR", "data file directory, where OUTPUT.dat is written", "the current directory"});
    definitions.push_back({"replace", "", "replace existing output files (without it, they are refused)", ""});
    Options options("okaptool import-data SOURCE OUTPUT.dat --value-field FIELD [OPTIONS]", definitions);
    if (!options.Parse(argc, argv, 2, 2)) return 2;
    if (options.HelpAsked()) {
        options.PrintHelp();
        std::cout
            << "\nImports the features of a layer of the vector dataset SOURCE (any GDAL reads) as a\n"
               "data layer: the data file OUTPUT.dat in the data directory, one line per point (each\n"
               "point of a multi-point; for a polygon feature the centroid of its largest polygon)\n"
               "with the value of --value-field and, with --label-field, a label; and the data format\n"
               "OUTPUT.okd in the map directory: five classes of graded circles splitting the range\n"
               "of the values in equal steps (one class when all values are equal), and a legend.\n"
               "The circle is added to the map directory's symbol library okap.sym when it lacks one\n"
               "(the library is made when there is none); the entries already there stay as they are.\n"
               "Coordinates are transformed to longitude and latitude as okaptool import does.\n"
               "\n"
               "The import stops and writes nothing for a dataset GDAL cannot open, an unknown layer\n"
               "or field, a value field that is not numeric, a filter GDAL refuses, a coordinate\n"
               "system that cannot be transformed, a point beyond longitude and latitude in a layer\n"
               "without a projected coordinate system, or no data point to import. It skips a feature\n"
               "without a value or with faulty geometry (only lines, a coordinate that is not a\n"
               "finite number or cannot be transformed), naming it in a message, writes the rest and\n"
               "ends with status 1.\n"
               "\n"
               "On success the names of the data file and the data format are printed, and the\n"
               "counts on standard error. The exit status is 0 when every feature was imported, 1\n"
               "when the import failed or skipped features, 2 for wrong arguments.\n";
        return 0;
    }

    DataImportSettings settings;
    if (!ReadDatasetOptions(options, settings.source)) return 2;
    settings.output = options.Operands()[1];
    const std::optional<std::string> valueField = options.Value("value-field");
    if (!valueField || valueField->empty()) {
        std::cerr << "okaptool: import-data needs --value-field FIELD\n";
        return 2;
    }
    settings.valueField = *valueField;
    settings.labelField = options.Value("label-field").value_or("");
    settings.mapDirectory = options.Value("maps").value_or(".");
    settings.dataDirectory = options.Value("data").value_or(".");

    TerminalProgress progress("Importing");
    AnswerReplaceWith(options.Has("replace"));
    progress.ClearBeforeMessages();

    DataImportSummary summary;
    const int ok = ImportData(settings, progress.Callback(), &summary);
    progress.Clear();
    if (!ok) return 1;
    std::cout << summary.dataFile << '\n' << summary.formatFile << '\n';
    std::cerr << "okaptool: " << FeatureCountText(summary.counts) << "; " << summary.points << " points, values "
              << FormatGeneral(summary.minimum) << " to " << FormatGeneral(summary.maximum) << " in "
              << summary.classes << " classes of " << summary.symbol << "\n";
    return summary.counts.skipped == 0 ? 0 : 1;
}

}  // namespace okap::tool
