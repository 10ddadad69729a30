#include "datasets/dataset_source.h"

#include <algorithm>

#include "core/utf8_prefix.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "styles/map_format.h"

namespace okap {

namespace {

// A text made fit for a one-line field: control characters (a line break
// in a field value) become blanks.
std::string OneLine(std::string text) {
    std::replace_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return text;
}

// A segment name: 8 bytes at most, without a double quote, which would end
// the name in a text map file.
std::string SegmentName(const std::string& text) {
    std::string name = OneLine(text);
    std::replace(name.begin(), name.end(), '"', '\'');
    return Utf8Prefix(name, 8);
}

}  // namespace

std::string FeatureCountText(const ImportCounts& counts) {
    std::string text = std::to_string(counts.features) + (counts.features == 1 ? " feature: " : " features: ") + std::to_string(counts.imported) +
                       " imported, " + std::to_string(counts.skipped) + " skipped, " + std::to_string(counts.empty) +
                       " without geometry";
    if (counts.kept > 0) text += ", " + std::to_string(counts.kept) + " with faulty geometry kept";
    return text;
}

std::string TypeName(const std::optional<std::string>& value) {
    if (!value) return "(no value)";
    std::string name = OneLine(*value);
    std::replace(name.begin(), name.end(), ':', '-');
    return name;
}

std::string TypeKey(const std::optional<std::string>& value) { return value ? "=" + *value : ""; }

DatasetSource::DatasetSource(DatasetLayer& layer, FeatureTyping typing) : layer(layer), typing(std::move(typing)) {}

int DatasetSource::Prepare() {
    if (!typing.typeField.empty()) {
        typeField = layer.Field(typing.typeField);
        if (!typeField) return 0;
    } else if (typing.type < 1 || typing.type > kMaxFeatures) {
        ShowError("The feature type must be a whole number from 1 to " + std::to_string(kMaxFeatures));
        return 0;
    }
    if (!typing.nameField.empty()) {
        nameField = layer.Field(typing.nameField);
        if (!nameField) return 0;
    }
    return 1;
}

std::optional<int> DatasetSource::TypeOfFeature() {
    if (!typeField) {
        if (types.empty()) types.push_back({typing.type, TypeName(layer.LayerName())});
        return 0;
    }
    const std::optional<std::string> value = layer.Text(*typeField);
    const std::string key = TypeKey(value);
    if (const auto found = typeOfValue.find(key); found != typeOfValue.end()) return static_cast<int>(found->second);
    if (types.size() == static_cast<size_t>(kMaxFeatures)) {
        ShowError(layer.FeatureText() + ": the field " + typing.typeField + " has more than " +
                  std::to_string(kMaxFeatures) + " distinct values, more than a map format holds feature types");
        return std::nullopt;
    }
    types.push_back({static_cast<int>(types.size()) + 1, TypeName(value)});
    typeOfValue.emplace(key, types.size() - 1);
    return static_cast<int>(types.size() - 1);
}

bool DatasetSource::NextFeature() {
    while (layer.Next()) {
        ++counts.features;
        current = layer.Shapes(DatasetLayer::Want::Shapes);
        nextShape = 0;
        if (current.empty) {
            ++counts.empty;
            continue;
        }
        if (const ShapeDefect* stop = current.StoppingDefect()) {
            ShowError(layer.FeatureText() + ": " + stop->text);
            failed = true;
            return false;
        }
        if (!current.defects.empty()) {
            // One message a feature, on the fault that decides its fate.
            const auto fatal = std::find_if(current.defects.begin(), current.defects.end(),
                                            [](const ShapeDefect& defect) { return defect.fatal; });
            const ShapeDefect& shown = fatal != current.defects.end() ? *fatal : current.defects.front();
            if (shown.fatal || !typing.keepInvalid) {
                ShowError(layer.FeatureText() + ": " + shown.text + kFeatureSkipped);
                ++counts.skipped;
                continue;
            }
            MessageBox(layer.FeatureText() + ": " + shown.text + "; " + shown.whenKept, "Warning", MessageButtons::Ok,
                       MessageIcon::Warning);
            ++counts.kept;
        }
        // A polygon of nothing but short rings leaves nothing.
        if (current.shapes.empty()) {
            ++counts.empty;
            continue;
        }
        const std::optional<int> type = TypeOfFeature();
        if (!type) {
            failed = true;
            return false;
        }
        currentType = static_cast<size_t>(*type);
        currentName = nameField ? SegmentName(layer.Text(*nameField).value_or(""))
                                : Utf8Prefix(std::to_string(layer.FeatureId()), 8);
        ++counts.imported;
        return true;
    }
    failed = layer.ReadFailed();
    return false;
}

SegmentSource::Read DatasetSource::Next(SourceSegment& segment) {
    if (failed) return Read::Failed;
    if (nextShape >= current.shapes.size() && !NextFeature()) {
        if (failed) return Read::Failed;
        // An empty map is of no use: nothing is written.
        if (counts.imported == 0) {
            ShowError(layer.LayerText() + ": no feature to import (" + std::to_string(counts.features) +
                      " read, " + std::to_string(counts.skipped) + " skipped, " + std::to_string(counts.empty) +
                      " without geometry)");
            failed = true;
            return Read::Failed;
        }
        return Read::End;
    }
    Shape& shape = current.shapes[nextShape++];
    ImportedType& type = types[currentType];
    type.areas |= shape.kind == kAreaKind;
    type.lines |= shape.kind == kLineKind;
    type.points |= shape.kind == kPointKind;
    segment.name = currentName;
    segment.type = static_cast<int16_t>(type.number);
    segment.kind = shape.kind;
    segment.points = std::move(shape.points);
    return Read::Segment;
}

}  // namespace okap
