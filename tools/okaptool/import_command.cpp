// okaptool import: a layer of a vector dataset into a map file and its map
// format, through the map translator.

#include <filesystem>
#include <iostream>
#include <string>

#include "core/number_text.h"
#include "datasets/map_import.h"
#include "platform/message_box.h"
#include "styles/map_format.h"
#include "tools/okaptool/commands.h"
#include "tools/okaptool/dataset_options.h"
#include "tools/okaptool/options.h"
#include "tools/okaptool/replace_answer.h"
#include "tools/okaptool/terminal_progress.h"
#include "tools/okaptool/translator_options.h"

namespace okap::tool {

int RunImport(int argc, char** argv) {
    std::vector<OptionDefinition> definitions = DatasetOptionDefinitions();
    definitions.push_back({"type-field", "FIELD", "each distinct value of FIELD a feature type 1, 2, 3 ... in order", ""});
    definitions.push_back({"type", "N", "the feature type of every feature, 1 to 100", "1"});
    definitions.push_back({"name-field", "FIELD", "segment names from FIELD (8 characters)", "the feature ids"});
    definitions.push_back({"keep-invalid", "",
                     "import rings that cross themselves as they run and leave out rings of fewer than 4 points, "
                     "instead of skipping their features",
                     ""});
    for (OptionDefinition& definition : TranslatorOptionDefinitions()) definitions.push_back(std::move(definition));
    definitions.push_back({"maps", "DIR", "map file directory, where OUTPUT is written", "the current directory"});
    definitions.push_back({"replace", "", "replace existing output files (without it, they are refused)", ""});
    Options options("okaptool import SOURCE OUTPUT [OPTIONS]", definitions);
    if (!options.Parse(argc, argv, 2, 2)) return 2;
    if (options.HelpAsked()) {
        options.PrintHelp();
        std::cout
            << "\nImports a layer of the vector dataset SOURCE (any GDAL reads: Shapefile, GeoPackage,\n"
               "GeoJSON, TopoJSON, KML, GML, FlatGeobuf, CSV with a WKT column or X/Y columns such as\n"
               "lon and lat, ...) into the map file OUTPUT in the map directory, translated exactly as a\n"
               "text map of the same points would be, and writes the map format OUTPUT.okf beside it:\n"
               "one feature per type, named after its value, each in a colour of its own. OUTPUT is\n"
               "named as okaptool translate names it (8 characters, .mpb or .mpa).\n"
               "Coordinates are transformed from the layer's coordinate system to longitude and\n"
               "latitude; a layer without one is taken to be in longitude and latitude. Polygons\n"
               "become areas (their holes joined to them by bridges that are not drawn), each part\n"
               "of a multi-polygon an area; lines become lines and points point segments. Z and M\n"
               "values are dropped, curves made of straight pieces. Features without geometry are\n"
               "skipped and counted.\n"
               "\n"
               "The import stops and writes nothing for a dataset GDAL cannot open, an unknown\n"
               "layer or field, a filter GDAL refuses, a coordinate system that cannot be\n"
               "transformed, a point beyond longitude and latitude in a layer without a projected\n"
               "coordinate system, more than 100 distinct type values, or no feature to import.\n"
               "It skips a feature with faulty geometry (a coordinate that is not a finite number\n"
               "or cannot be transformed, a ring of fewer than 4 points, a ring that crosses\n"
               "itself), naming it in a message, writes the rest and ends with status 1 (see\n"
               "--keep-invalid).\n"
            << TranslatorOptionsHelp()
            << "\nOn success the names of the map file and the map format are printed, and a count of\n"
               "the features on standard error. The exit status is 0 when every feature was\n"
               "imported, 1 when the import failed or skipped features, 2 for wrong arguments.\n";
        return 0;
    }

    MapImportSettings settings;
    if (!ReadDatasetOptions(options, settings.source)) return 2;
    if (!ReadTranslatorOptions(options, settings.translator)) return 2;
    if (options.Has("type-field") && options.Has("type")) {
        std::cerr << "okaptool: use --type-field or --type, not both\n";
        return 2;
    }
    settings.typing.typeField = options.Value("type-field").value_or("");
    if (std::optional<std::string> type = options.Value("type")) {
        const std::optional<double> number = ReadWholeDouble(*type);
        if (!number || *number != static_cast<int>(*number) || *number < 1 || *number > kMaxFeatures) {
            std::cerr << "okaptool: --type needs a whole number from 1 to " << kMaxFeatures << ", not '" << *type
                      << "'\n";
            return 2;
        }
        settings.typing.type = static_cast<int>(*number);
    }
    settings.typing.nameField = options.Value("name-field").value_or("");
    settings.typing.keepInvalid = options.Has("keep-invalid");

    TerminalProgress progress("Importing");
    AnswerReplaceWith(options.Has("replace"));
    progress.ClearBeforeMessages();
    // The map directory is put before OUTPUT rather than made current, so
    // that SOURCE stays relative to the current directory.
    settings.translator.outputName = options.Operands()[1];
    if (std::optional<std::string> maps = options.Value("maps")) {
        std::error_code error;
        if (!std::filesystem::is_directory(*maps, error)) {
            ShowError("Map file path does not exist");
            return 1;
        }
        settings.translator.outputName = (std::filesystem::path(*maps) / options.Operands()[1]).string();
    }

    MapImportSummary summary;
    const int ok = ImportMap(settings, progress.Callback(), &summary);
    progress.Clear();
    if (!ok) return 1;
    std::cout << summary.translation.outputFile << '\n' << summary.formatFile << '\n';
    std::cerr << "okaptool: " << FeatureCountText(summary.counts) << "; " << summary.types << " feature type"
              << (summary.types == 1 ? "" : "s") << ", " << summary.translation.segmentsWritten
              << (summary.translation.segmentsWritten == 1 ? " segment, " : " segments, ")
              << summary.translation.pointsWritten << " points written\n";
    return summary.counts.skipped == 0 ? 0 : 1;
}

}  // namespace okap::tool
