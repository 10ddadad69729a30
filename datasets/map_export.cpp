#include "datasets/map_export.h"

#include <fstream>
#include <map>
#include <string_view>

#include "datasets/segment_geography.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "styles/map_format.h"
#include "styles/text_form.h"

namespace okap {

namespace {

using FeatureNames = std::map<int32_t, std::string>;

std::string WithoutTrailing(std::string text, std::string_view characters) {
    text.erase(text.find_last_not_of(characters) + 1);
    return text;
}

// The names of the features of a map format file. False after reporting a
// file that cannot be read or names no feature.
bool FeatureNamesOf(const std::filesystem::path& file, FeatureNames& names) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        ShowError("Error opening map format file : " + file.string());
        return false;
    }
    names = ReadFeatureNames(in);
    if (names.empty()) {
        ShowError("No features in map format file : " + file.string());
        return false;
    }
    return true;
}

}  // namespace

int ExportMap(const std::filesystem::path& mapName, const std::filesystem::path& output,
              const std::filesystem::path& formatFile, ExportSummary* summary, const ExportProgress& progress) {
    if (!CheckExportFormat(output)) return 0;
    const bool withFeatures = !formatFile.empty();
    FeatureNames names;
    if (withFeatures && !FeatureNamesOf(formatFile, names)) return 0;

    Mapfile map;
    if (!map.OpenInfile(mapName.string())) return 0;
    SegmentGeography geography(map.InHeader());
    if (!geography.Valid()) return 0;

    std::vector<ExportField> fields = {{"name", ExportField::Type::Text, 8},
                                       {"type", ExportField::Type::Integer}};
    if (withFeatures) fields.push_back({"feature", ExportField::Type::Text});
    ExportWriter writer;
    if (!writer.Open(output, fields)) return 0;

    ExportSummary done;
    std::vector<LPoint> points;
    std::vector<FieldValue> values(fields.size());
    for (;;) {
        if (!map.ReadDirectory()) return 0;
        if (map.EndOfInFile()) break;
        if (!map.ReadSegmentPoints(points)) return 0;
        const Mapfile::Segment& segment = map.InSegment();
        const std::vector<GeoPart> parts = geography.Parts(points, segment.kind);
        if (parts.empty()) {
            ++done.skipped;
        } else {
            values[0] = WithoutTrailing(segment.name, std::string_view(" \0", 2));
            values[1] = int64_t{segment.type};
            if (withFeatures) {
                const auto name = names.find(segment.type);
                values[2] = name == names.end() ? FieldValue{} : FieldValue{name->second};
            }
            // What is left of a line or an area may be a single point, as
            // the translator makes it one.
            const int16_t kind = parts.front().size() == 1 ? kPointKind : segment.kind;
            if (!writer.Add(kind, parts, values)) return 0;
            ++done.features;
            for (const GeoPart& part : parts) done.points += static_cast<int64_t>(part.size());
        }
        if (progress && !progress(map.InputProgress())) return 0;
    }
    map.CloseInfile();
    if (!writer.Commit()) return 0;
    done.files = writer.Files();
    if (summary != nullptr) *summary = done;
    return 1;
}

}  // namespace okap
