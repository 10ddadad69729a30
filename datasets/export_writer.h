#pragma once
// Writing a vector dataset for other GIS programs: GeoJSON, GeoPackage,
// Shapefile or FlatGeobuf, chosen by the output's extension, in WGS 84
// longitude and latitude (EPSG:4326).
//
// Like every writer of the program it never leaves a partial output: the
// dataset is written into a temporary directory beside the output and moved
// into place only when it is complete. An existing output is replaced only
// when the user agrees.
//
// Features keep the order they are added in (a map's drawing order). How
// each format gets them:
// - GeoJSON follows RFC 7946: longitudes from -180 to 180, a feature that
//   crosses the 180 degree meridian cut there into a multi-part feature,
//   outer rings anticlockwise.
// - GeoPackage and FlatGeobuf keep the longitudes they are given (beyond
//   180 degrees for a map of the Pacific), outer rings anticlockwise and
//   holes clockwise, as simple features are.
// - Shapefile keeps the longitudes too, with outer rings clockwise and holes
//   anticlockwise, as Shapefiles are. A Shapefile holds one kind of
//   geometry: features of more than one kind go to one Shapefile per kind,
//   OUTPUT_areas.shp, OUTPUT_lines.shp and OUTPUT_points.shp, instead of
//   OUTPUT.shp. These files, with their .shx, .dbf, .prj and .cpg, make one
//   output: all of them are replaced together.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "datasets/geo_point.h"

namespace okap {

enum class ExportFormat { GeoJson, GeoPackage, Shapefile, FlatGeobuf };

// What an export wrote, for the caller to show.
struct ExportSummary {
    // The output's files: the output, or each Shapefile's .shp.
    std::vector<std::filesystem::path> files;
    int64_t features = 0;
    int64_t points = 0;
    // What was left out: segments with no point that converts back, or the
    // last line of a data file when it has no line break (the data layers
    // do not use it either).
    int64_t skipped = 0;
};

// Called as the export goes on with the share done, 0 to 1. Returning
// false stops the export with no message and no output.
using ExportProgress = std::function<bool(double fraction)>;

// The format of an output by its extension, without regard to case; none
// for any other extension.
std::optional<ExportFormat> ExportFormatFor(const std::filesystem::path& output);

// The extensions ExportFormatFor knows, for messages: ".geojson, .gpkg,
// .shp or .fgb".
std::string ExportExtensions();

// For a save dialog: "Long name (*.ext)" of each format whose driver GDAL
// has (the driver's long name), joined by ";;" in the order of
// ExportFormat, as Qt's file dialogs take it.
std::string ExportFileFilter();

// True when output has the extension of a format; otherwise reports
// "Unknown export file type" and gives false.
bool CheckExportFormat(const std::filesystem::path& output);

struct ExportField {
    enum class Type { Integer, Real, Text };
    std::string name;
    Type type = Type::Text;
    int width = 0;  // of a text field; 0 leaves it to the format
};

// A feature's value of one field; monostate for none.
using FieldValue = std::variant<std::monostate, int64_t, double, std::string>;

class ExportWriter {
public:
    ExportWriter();
    ~ExportWriter();
    ExportWriter(const ExportWriter&) = delete;
    ExportWriter& operator=(const ExportWriter&) = delete;

    // Starts the dataset for output (its format by its extension): asks
    // whether to replace an output that exists, then makes the temporary
    // dataset whose features have fields. 1 on success; 0 after a reported
    // failure, or when the user would not replace the output.
    int Open(const std::filesystem::path& output, std::vector<ExportField> fields);

    // Adds a feature of kind (kPointKind, kLineKind, kAreaKind) made of
    // parts (an area's rings, outer first, each closed; a line's or a
    // point's one run) with one value per field. 1 on success.
    int Add(int16_t kind, const std::vector<GeoPart>& parts, const std::vector<FieldValue>& values);

    // Completes the dataset and puts its files in place of the old output.
    // 1 on success; 0 after a reported failure, with the old output as it
    // was.
    int Commit();

    // The files Commit put in place.
    const std::vector<std::filesystem::path>& Files() const { return files; }

private:
    struct Dataset;
    std::unique_ptr<Dataset> dataset;
    std::vector<std::filesystem::path> files;
};

}  // namespace okap
