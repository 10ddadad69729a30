#include "tools/okaptool/commands.h"

namespace okap::tool {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"project", "convert positions to world coordinates of a projection and back", RunProject},
        {"translate", "translate a map file: re-project, thin and cut to a region", RunTranslate},
        {"info", "show the header and segment directory of a map file", RunInfo},
        {"render", "draw a map document into a PNG, SVG or PDF file", RunRender},
        {"import", "import a layer of a GIS dataset as a map file and its map format", RunImport},
        {"import-data", "import point features with a value as a data file and its data format", RunImportData},
        {"export", "export a map file as GeoJSON, GeoPackage, Shapefile or FlatGeobuf", RunExport},
        {"export-data", "export a data file's points as GeoJSON, GeoPackage, Shapefile or FlatGeobuf", RunExportData},
    };
    return commands;
}

}  // namespace okap::tool
