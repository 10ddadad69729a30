#pragma once
// The features of a dataset layer as the segments of a map file, for the
// translator: polygons become areas (holes joined by bridges), lines lines,
// points point segments, each part of a multi-geometry a segment of its
// own. Feature types come from one number for all or from the distinct
// values of a field, names from a field or from the feature ids.
//
// A feature whose geometry is faulty is reported ("Dataset D, layer L,
// feature F: ...", caption "Error") and skipped, or, when invalid geometry
// is to be kept, imported without its short rings and with crossing rings
// as they run (reported with caption "Warning"). Features without geometry
// are skipped and only counted.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "datasets/dataset_layer.h"
#include "mapfiles/segment_source.h"

namespace okap {

struct FeatureTyping {
    std::string typeField;  // each distinct value a type 1, 2, 3 ...; empty to give all features type
    int type = 1;
    std::string nameField;  // segment names from this field; empty to name them by feature id
    bool keepInvalid = false;
};

// A feature type of the import: its number, the field value (or layer name)
// it stands for, and the kinds of segments that have it.
struct ImportedType {
    int number = 1;
    std::string value;
    bool areas = false;
    bool lines = false;
    bool points = false;
};

struct ImportCounts {
    int64_t features = 0;  // read from the layer
    int64_t imported = 0;
    int64_t empty = 0;    // without geometry
    int64_t skipped = 0;  // for faulty geometry
    int64_t kept = 0;     // imported in spite of faulty geometry
};

// The end of the message on a feature skipped for faulty geometry.
inline constexpr const char* kFeatureSkipped = "; the feature is skipped";

// "N features: N imported, N skipped, N without geometry" (the kept ones
// when there are any).
std::string FeatureCountText(const ImportCounts& counts);

// What a value stands for where a feature name is shown: "(no value)" for
// none, ":" (which ends a format file's feature name) and control
// characters made harmless.
std::string TypeName(const std::optional<std::string>& value);

// The key that tells a field's values apart as types: a null apart from
// every value, the empty text included.
std::string TypeKey(const std::optional<std::string>& value);

class DatasetSource : public SegmentSource {
public:
    // The layer must be open and outlive the source.
    DatasetSource(DatasetLayer& layer, FeatureTyping typing);

    // Looks up the fields and checks the type; 1 when reading may start, 0
    // after a reported failure.
    int Prepare();

    Read Next(SourceSegment& segment) override;
    double Progress() const override { return layer.Progress(); }

    // The types given out so far, in the order of their numbers.
    const std::vector<ImportedType>& Types() const { return types; }
    const ImportCounts& Counts() const { return counts; }

private:
    // Reads features until one with shapes to hand out; false at the end
    // or after a failure (failed is then set).
    bool NextFeature();
    // The type of the current feature, none after reporting that there are
    // more values than types.
    std::optional<int> TypeOfFeature();

    DatasetLayer& layer;
    FeatureTyping typing;
    std::optional<int> typeField;
    std::optional<int> nameField;
    std::vector<ImportedType> types;
    std::unordered_map<std::string, size_t> typeOfValue;  // index into types
    ImportCounts counts;

    FeatureShapes current;
    size_t nextShape = 0;
    size_t currentType = 0;  // index into types
    std::string currentName;
    bool failed = false;
};

}  // namespace okap
