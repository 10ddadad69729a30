// okaptool export and export-data: a map file or a data file as a dataset
// for other GIS programs.

#include <iostream>
#include <string>

#include "datasets/data_export.h"
#include "datasets/map_export.h"
#include "tools/okaptool/commands.h"
#include "tools/okaptool/options.h"
#include "tools/okaptool/replace_answer.h"

namespace okap::tool {

namespace {

constexpr const char* kFormatsHelp =
    "The extension of OUTPUT chooses the format: .geojson (GeoJSON), .gpkg (GeoPackage),\n"
    ".shp (Shapefile) or .fgb (FlatGeobuf). Positions are WGS 84 longitude and latitude\n"
    "(EPSG:4326), written with the output.\n";

constexpr const char* kOutputHelp =
    "An existing OUTPUT is replaced only with --replace, and only by a complete new one:\n"
    "nothing is left behind when the export fails. On success the written files are\n"
    "printed. Messages go to standard error; the exit status is 0 on success, 1 when the\n"
    "export failed and 2 for wrong arguments.\n";

void PrintFiles(const ExportSummary& summary) {
    for (const std::filesystem::path& file : summary.files) std::cout << file.string() << '\n';
}

}  // namespace

int RunExport(int argc, char** argv) {
    Options options("okaptool export MAP OUTPUT [OPTIONS]",
                    {{"format-file", "FILE", "map format file (.okf) whose feature names are exported", ""},
                     {"replace", "", "replace an existing output (without it, one is refused)", ""}});
    if (!options.Parse(argc, argv, 2, 2)) return 2;
    if (options.HelpAsked()) {
        options.PrintHelp();
        std::cout
            << "\nExports the map file MAP (.mpb binary or .mpa text) for other GIS programs: every\n"
               "segment as a feature, points as points, lines as line strings and areas as\n"
               "polygons with their holes, with the fields name (the segment name), type (its\n"
               "feature type) and, with --format-file, feature (the name the format gives the\n"
               "type). MAP, OUTPUT and FILE are taken relative to the current directory.\n"
            << kFormatsHelp
            << "A binary map is converted back from its projection, each segment in one piece:\n"
               "a map made for a region beyond 180 degrees east (or west) keeps its longitudes\n"
               "from 0 to 360 (or -360 to 0), so that 170 to 190 stays one area. GeoJSON follows\n"
               "RFC 7946 instead: longitudes from -180 to 180, a feature that crosses the 180\n"
               "degree meridian cut there into parts. A text map keeps its longitudes as written.\n"
               "Outer rings and holes are turned as the format expects: anticlockwise outer\n"
               "rings, except in Shapefiles, where they run clockwise. A Shapefile holds one\n"
               "kind of geometry: a map of more than one kind is written as OUTPUT_areas.shp,\n"
               "OUTPUT_lines.shp and OUTPUT_points.shp (those it has), which together replace\n"
               "an older OUTPUT.shp or set.\n"
            << kOutputHelp;
        return 0;
    }
    AnswerReplaceWith(options.Has("replace"));
    ExportSummary summary;
    if (!ExportMap(options.Operands()[0], options.Operands()[1], options.Value("format-file").value_or(""),
                   &summary))
        return 1;
    if (summary.skipped > 0)
        std::cerr << "okaptool: " << summary.skipped
                  << " segment(s) left out: none of their points converts back to longitude and latitude\n";
    PrintFiles(summary);
    return 0;
}

int RunExportData(int argc, char** argv) {
    Options options("okaptool export-data DATA OUTPUT [OPTIONS]",
                    {{"replace", "", "replace an existing output (without it, one is refused)", ""}});
    if (!options.Parse(argc, argv, 2, 2)) return 2;
    if (options.HelpAsked()) {
        options.PrintHelp();
        std::cout << "\nExports the data file DATA (.dat) for other GIS programs: every point as the data\n"
                     "layers read it, with the fields value, angle and label (empty when the line has\n"
                     "none). A line the data layers cannot read stops the export with its line number.\n"
                     "A last line without a line break is left out, as the data layers leave it.\n"
                     "DATA and OUTPUT are taken relative to the current directory.\n"
                  << kFormatsHelp << kOutputHelp;
        return 0;
    }
    AnswerReplaceWith(options.Has("replace"));
    ExportSummary summary;
    if (!ExportData(options.Operands()[0], options.Operands()[1], &summary)) return 1;
    if (summary.skipped > 0)
        std::cerr << "okaptool: the last line has no line break and is left out, as the data layers leave it\n";
    PrintFiles(summary);
    return 0;
}

}  // namespace okap::tool
