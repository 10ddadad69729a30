#include "datasets/export_writer.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogr_feature.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>
#include <strings.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "datasets/gdal_setup.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"

namespace okap {

namespace fs = std::filesystem;

namespace {

struct FormatInfo {
    ExportFormat format;
    const char* extension;
    const char* driver;
};

constexpr FormatInfo kFormats[] = {{ExportFormat::GeoJson, ".geojson", "GeoJSON"},
                                   {ExportFormat::GeoPackage, ".gpkg", "GPKG"},
                                   {ExportFormat::Shapefile, ".shp", "ESRI Shapefile"},
                                   {ExportFormat::FlatGeobuf, ".fgb", "FlatGeobuf"}};

const FormatInfo& InfoOf(ExportFormat format) {
    return *std::find_if(std::begin(kFormats), std::end(kFormats),
                         [format](const FormatInfo& info) { return info.format == format; });
}

// The files of a Shapefile besides the .shp.
constexpr std::array<const char*, 5> kShapefileExtensions = {".shp", ".shx", ".dbf", ".prj", ".cpg"};
// The Shapefile of each kind when a map has more than one: the suffix of
// kPointKind, kLineKind and kAreaKind.
constexpr std::array<const char*, 3> kKindSuffixes = {"_points", "_lines", "_areas"};
constexpr std::array<OGRwkbGeometryType, 3> kKindGeometries = {wkbPoint, wkbLineString, wkbPolygon};

// Every file an output may consist of: the output itself, or for a
// Shapefile the files of OUTPUT.shp and of its per-kind Shapefiles.
std::vector<fs::path> OutputSet(const fs::path& output, ExportFormat format) {
    if (format != ExportFormat::Shapefile) return {output};
    std::vector<fs::path> set;
    const fs::path base = output.parent_path() / output.stem();
    for (const char* suffix : {"", kKindSuffixes[2], kKindSuffixes[1], kKindSuffixes[0]})
        for (const char* extension : kShapefileExtensions) set.push_back(base.string() + suffix + extension);
    return set;
}

std::string GdalMessage() {
    const char* text = CPLGetLastErrorMsg();
    return text != nullptr && *text != '\0' ? std::string(" (") + text + ")" : std::string();
}

// Texts go to every format as UTF-8. Older files may hold names in a
// single-byte Windows encoding, taken as Latin-1.
std::string Utf8(const std::string& text) {
    if (CPLIsUTF8(text.c_str(), static_cast<int>(text.size()))) return text;
    char* recoded = CPLRecode(text.c_str(), CPL_ENC_ISO8859_1, CPL_ENC_UTF8);
    std::string result = recoded;
    CPLFree(recoded);
    return result;
}

OGRLinearRing* MakeRing(const GeoPart& part, bool clockwise) {
    auto* ring = new OGRLinearRing;
    ring->setNumPoints(static_cast<int>(part.size()), FALSE);
    for (size_t i = 0; i < part.size(); ++i) ring->setPoint(static_cast<int>(i), part[i].lon, part[i].lat);
    if (part.size() >= 4 && ring->isClockwise() != clockwise) ring->reverseWindingOrder();
    return ring;
}

}  // namespace

std::optional<ExportFormat> ExportFormatFor(const fs::path& output) {
    const std::string extension = output.extension().string();
    for (const FormatInfo& info : kFormats)
        if (strcasecmp(extension.c_str(), info.extension) == 0) return info.format;
    return std::nullopt;
}

std::string ExportExtensions() { return ".geojson, .gpkg, .shp or .fgb"; }

std::string ExportFileFilter() {
    UseGdal();
    std::string filter;
    for (const FormatInfo& info : kFormats) {
        GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(info.driver);
        if (driver == nullptr) continue;  // this GDAL cannot write it
        const char* name = driver->GetMetadataItem(GDAL_DMD_LONGNAME);
        filter += std::string(filter.empty() ? "" : ";;") + (name ? name : info.driver) + " (*" + info.extension + ")";
    }
    return filter;
}

bool CheckExportFormat(const fs::path& output) {
    if (ExportFormatFor(output)) return true;
    ShowError("Unknown export file type : " + output.string() + " (use " + ExportExtensions() + ")");
    return false;
}

struct ExportWriter::Dataset {
    ExportFormat format = ExportFormat::GeoJson;
    fs::path output;
    fs::path temporary;  // the directory the dataset is written in
    GDALDataset* gdal = nullptr;
    OGRSpatialReference wgs84;
    std::vector<ExportField> fields;
    // The one layer, or a Shapefile's layer of each kind (index kind - 1).
    std::array<OGRLayer*, 3> layers{};
    bool inTransaction = false;

    ~Dataset() {
        if (gdal != nullptr) GDALClose(gdal);
        if (!temporary.empty()) {
            std::error_code ignored;
            fs::remove_all(temporary, ignored);
        }
    }

    int Fail(const std::string& what) {
        ShowError(what + " : " + output.string() + GdalMessage());
        return 0;
    }

    OGRLayer* CreateLayer(const std::string& name, OGRwkbGeometryType geometry) {
        CPLStringList options;
        if (format == ExportFormat::GeoJson) options.SetNameValue("RFC7946", "YES");
        if (format == ExportFormat::Shapefile) options.SetNameValue("ENCODING", "UTF-8");
        // A spatial index would sort the features along a curve; they keep
        // the order they are given, a map's drawing order.
        if (format == ExportFormat::FlatGeobuf) options.SetNameValue("SPATIAL_INDEX", "NO");
        OGRLayer* layer = gdal->CreateLayer(name.c_str(), &wgs84, geometry, options.List());
        if (layer == nullptr) return nullptr;
        for (const ExportField& field : fields) {
            const OGRFieldType type = field.type == ExportField::Type::Integer ? OFTInteger
                                      : field.type == ExportField::Type::Real  ? OFTReal
                                                                                : OFTString;
            OGRFieldDefn definition(field.name.c_str(), type);
            definition.SetWidth(field.width);
            if (layer->CreateField(&definition) != OGRERR_NONE) return nullptr;
        }
        return layer;
    }

    // The layer a feature of kind goes to, made when first needed.
    OGRLayer* LayerFor(int16_t kind) {
        if (format != ExportFormat::Shapefile) return layers[0];
        const size_t index = static_cast<size_t>(std::clamp<int>(kind, kPointKind, kAreaKind) - 1);
        if (layers[index] == nullptr) layers[index] = CreateLayer(kKindSuffixes[index] + 1, kKindGeometries[index]);
        return layers[index];
    }
};

ExportWriter::ExportWriter() = default;
ExportWriter::~ExportWriter() = default;

int ExportWriter::Open(const fs::path& output, std::vector<ExportField> fields) {
    UseGdal();
    dataset.reset();
    files.clear();
    if (!CheckExportFormat(output)) return 0;
    const std::optional<ExportFormat> format = ExportFormatFor(output);
    const std::vector<fs::path> set = OutputSet(output, *format);
    const auto existing = std::find_if(set.begin(), set.end(), [](const fs::path& file) {
        std::error_code error;
        return fs::exists(file, error);
    });
    if (existing != set.end() &&
        MessageBox("File " + existing->string() + " already exists - Replace?", "Query", MessageButtons::YesNo,
                   MessageIcon::Question) != MessageResult::Yes)
        return 0;

    auto made = std::make_unique<Dataset>();
    made->format = *format;
    made->output = output;
    made->fields = std::move(fields);
    made->wgs84.importFromEPSG(4326);
    made->wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);

    const fs::path directory = output.parent_path().empty() ? fs::path(".") : output.parent_path();
    std::string pattern = (directory / ("." + output.filename().string() + ".XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ShowError("Error creating export file : " + output.string() + " (" + std::strerror(errno) + ")");
        return 0;
    }
    made->temporary = pattern;

    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(InfoOf(*format).driver);
    // A Shapefile dataset is the directory its layers' files are made in.
    const fs::path target = *format == ExportFormat::Shapefile ? made->temporary : made->temporary / output.filename();
    CPLErrorReset();
    made->gdal = driver == nullptr ? nullptr : driver->Create(target.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
    if (made->gdal == nullptr) return made->Fail("Error creating export file");
    if (*format != ExportFormat::Shapefile) {
        made->layers[0] = made->CreateLayer(output.stem().string(), wkbUnknown);
        if (made->layers[0] == nullptr) return made->Fail("Error creating export file");
        // One transaction for the whole GeoPackage: a transaction per
        // feature would make a large export crawl.
        made->inTransaction = made->gdal->StartTransaction() == OGRERR_NONE;
    }
    dataset = std::move(made);
    return 1;
}

int ExportWriter::Add(int16_t kind, const std::vector<GeoPart>& parts, const std::vector<FieldValue>& values) {
    if (!dataset || parts.empty() || parts.front().empty()) return 0;
    OGRLayer* layer = dataset->LayerFor(kind);
    if (layer == nullptr) return dataset->Fail("Error creating export file");

    OGRFeature feature(layer->GetLayerDefn());
    for (size_t i = 0; i < values.size(); ++i) {
        const int field = static_cast<int>(i);
        if (const auto* number = std::get_if<int64_t>(&values[i]))
            feature.SetField(field, static_cast<GIntBig>(*number));
        else if (const auto* real = std::get_if<double>(&values[i]))
            feature.SetField(field, *real);
        else if (const auto* text = std::get_if<std::string>(&values[i]))
            feature.SetField(field, Utf8(*text).c_str());
        else
            // Every feature has every field, null where it has no value.
            feature.SetFieldNull(field);
    }

    const GeoPart& first = parts.front();
    if (kind == kPointKind) {
        feature.SetGeometryDirectly(new OGRPoint(first.front().lon, first.front().lat));
    } else if (kind == kLineKind) {
        auto* line = new OGRLineString;
        line->setNumPoints(static_cast<int>(first.size()), FALSE);
        for (size_t i = 0; i < first.size(); ++i) line->setPoint(static_cast<int>(i), first[i].lon, first[i].lat);
        feature.SetGeometryDirectly(line);
    } else {
        // Shapefiles turn outer rings clockwise, simple features
        // anticlockwise; holes the other way.
        const bool outerClockwise = dataset->format == ExportFormat::Shapefile;
        auto* polygon = new OGRPolygon;
        for (size_t i = 0; i < parts.size(); ++i)
            polygon->addRingDirectly(MakeRing(parts[i], i == 0 ? outerClockwise : !outerClockwise));
        feature.SetGeometryDirectly(polygon);
    }
    CPLErrorReset();
    if (layer->CreateFeature(&feature) != OGRERR_NONE) return dataset->Fail("Error writing export file");
    return 1;
}

int ExportWriter::Commit() {
    if (!dataset) return 0;
    Dataset& d = *dataset;
    if (d.format == ExportFormat::Shapefile && std::none_of(d.layers.begin(), d.layers.end(),
                                                            [](OGRLayer* layer) { return layer != nullptr; })) {
        // A map with no features still gets its (empty) Shapefile.
        d.layers[0] = d.CreateLayer(d.output.stem().string(), wkbUnknown);
        if (d.layers[0] == nullptr) return d.Fail("Error creating export file");
    }
    CPLErrorReset();
    if (d.inTransaction && d.gdal->CommitTransaction() != OGRERR_NONE) return d.Fail("Error writing export file");
    d.inTransaction = false;
    GDALClose(d.gdal);
    d.gdal = nullptr;
    if (CPLGetLastErrorType() == CE_Failure || CPLGetLastErrorType() == CE_Fatal)
        return d.Fail("Error writing export file");

    // Where each written file goes.
    std::vector<std::pair<fs::path, fs::path>> moves;
    const fs::path directory = d.output.parent_path();
    if (d.format != ExportFormat::Shapefile) {
        moves.emplace_back(d.temporary / d.output.filename(), d.output);
    } else {
        const auto layerCount = std::count_if(d.layers.begin(), d.layers.end(),
                                              [](OGRLayer* layer) { return layer != nullptr; });
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(d.temporary, error)) {
            const fs::path file = entry.path();
            std::string stem = d.output.stem().string();
            if (layerCount > 1) stem += "_" + file.stem().string();
            moves.emplace_back(file, directory / (stem + file.extension().string()));
        }
        // The .shp files last, so that a reader never finds a new .shp
        // beside old attribute files.
        std::stable_partition(moves.begin(), moves.end(),
                              [](const auto& move) { return move.first.extension() != ".shp"; });
    }
    for (const auto& [from, to] : moves) {
        std::error_code error;
        fs::rename(from, to, error);
        if (error) {
            ShowError("Error writing export file : " + to.string() + " (" + error.message() + ")");
            return 0;
        }
        if (d.format != ExportFormat::Shapefile || to.extension() == ".shp") files.push_back(to);
    }
    // The rest of the old output, such as the Shapefile of a kind the map
    // no longer has, goes with it.
    for (const fs::path& file : OutputSet(d.output, d.format)) {
        if (std::any_of(moves.begin(), moves.end(), [&](const auto& move) { return move.second == file; })) continue;
        std::error_code ignored;
        fs::remove(file, ignored);
    }
    std::sort(files.begin(), files.end());
    dataset.reset();
    return 1;
}

}  // namespace okap
