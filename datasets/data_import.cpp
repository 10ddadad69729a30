#include "datasets/data_import.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <sstream>
#include <utility>
#include <vector>

#include "core/number_text.h"
#include "core/utf8_prefix.h"
#include "data/datafile.h"
#include "datasets/import_styles.h"
#include "datasets/import_symbol.h"
#include "platform/message_box.h"
#include "platform/safe_file_writer.h"
#include "styles/symbol_library.h"

namespace okap {

namespace {

constexpr char kLineEnd[] = "\r\n";
// Classes of a new import: few enough to tell apart at a glance.
constexpr int32_t kImportClasses = 5;
// The most characters the data option dialog holds for a legend name.
constexpr size_t kLegendNameLength = 39;

// A label as a data line holds it, between double quotes: without a
// double quote of its own and on one line.
std::string LabelText(std::string text) {
    std::replace_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    std::replace(text.begin(), text.end(), '"', '\'');
    return text;
}

// False when the file exists and the user does not want it replaced.
bool MayWrite(const std::filesystem::path& path) {
    std::error_code error;
    return !std::filesystem::exists(path, error) ||
           MessageBox("File " + path.string() + " already exists - Replace?", "Query", MessageButtons::YesNo,
                      MessageIcon::Question) == MessageResult::Yes;
}

std::optional<std::string> ReadWhole(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Graded circles from small and light to large and dark, labelled at their
// right when labels were imported, and a legend at the lower left. The
// classes are natural breaks of the values: counts and sizes are mostly
// skewed, and equal steps would put nearly every point in the first class.
DataFormat ImportFormat(std::span<const double> values, double min, double max, const DataImportSettings& settings,
                        const std::string& symbol) {
    DataFormat format;
    format.legend = 1;
    format.legendName = Utf8Prefix(LabelText(settings.valueField), kLegendNameLength);
    format.legendNameStyle.colour = Colour::Rgb(40, 40, 40);
    format.legendNameStyle.size = 8.0;
    format.legendNameStyle.weight = 700;
    format.legendBorderStyle.plot = 1;
    format.legendBorderStyle.lineColour = Colour::Rgb(90, 90, 90);
    format.legendBorderStyle.fillColour = Colour::Rgb(255, 255, 255);
    format.legendBorderPosition = {0.01, 0.70, 0.19, 0.98};
    format.avoidLabelOverlaps = 1;

    format.symbolCount = min == max ? 1 : kImportClasses;
    const size_t count = static_cast<size_t>(format.symbolCount);
    for (size_t i = 0; i < count; ++i) {
        DataClass& dataClass = format.classes[i];
        dataClass.symbol.name = symbol;
        dataClass.symbol.sizeBasis = kSizeScreen;
        dataClass.symbol.size = count == 1 ? 7.0 : 4.0 + 8.0 * static_cast<double>(i) / static_cast<double>(count - 1);
        dataClass.plotStyle.plot = 1;
        dataClass.plotStyle.lineColour = Colour::Rgb(80, 30, 30);
        dataClass.plotStyle.fillColour = DataClassFill(i, count);
        dataClass.textStyle.on = settings.labelField.empty() ? 0 : 1;
        dataClass.textStyle.colour = Colour::Rgb(40, 40, 40);
        dataClass.textStyle.size = 7.0;
        dataClass.textStyle.offsetX = 0.6;
        dataClass.textStyle.weight = 400;
        dataClass.textStyle.justification = kJustifyLeft;
    }
    format.classMethod = ClassMethod::NaturalBreaks;
    format.Classify(values);
    return format;
}

// The files an import writes, each replacing its target only once all are
// complete.
class ImportFiles {
public:
    std::ostream* Open(const std::filesystem::path& path) {
        writers.push_back({path, std::make_unique<SafeFileWriter>(path)});
        if (!writers.back().second->IsOpen()) {
            ShowError("Error opening : " + path.string());
            return nullptr;
        }
        return &writers.back().second->Stream();
    }
    bool Commit() {
        for (const auto& [path, writer] : writers) {
            if (!writer->Commit()) {
                ShowError("Error writing : " + path.string());
                return false;
            }
        }
        return true;
    }

private:
    std::vector<std::pair<std::filesystem::path, std::unique_ptr<SafeFileWriter>>> writers;
};

}  // namespace

int ImportData(const DataImportSettings& settings, const ImportProgress& progress, DataImportSummary* summary) {
    std::error_code error;
    if (!std::filesystem::is_directory(settings.dataDirectory, error)) {
        ShowError("Data file path does not exist");
        return 0;
    }
    if (!std::filesystem::is_directory(settings.mapDirectory, error)) {
        ShowError("Map file path does not exist");
        return 0;
    }
    std::filesystem::path output(settings.output);
    if (output.extension() != ".dat") output += ".dat";
    const std::filesystem::path dataPath = std::filesystem::path(settings.dataDirectory) / output;
    const std::filesystem::path mapDirectory(settings.mapDirectory);
    const std::filesystem::path formatPath = mapDirectory / output.filename().replace_extension(".okd");
    if (!MayWrite(dataPath) || !MayWrite(formatPath)) return 0;

    DatasetLayer layer;
    if (!layer.Open(settings.source)) return 0;
    const std::optional<int> valueField = layer.Field(settings.valueField);
    if (!valueField || !layer.RequireNumeric(*valueField)) return 0;
    std::optional<int> labelField;
    if (!settings.labelField.empty() && !(labelField = layer.Field(settings.labelField))) return 0;

    ImportFiles files;
    std::ostream* data = files.Open(dataPath);
    if (data == nullptr) return 0;
    DataImportSummary done;
    double min = 0.0, max = 0.0;
    std::vector<double> values;
    while (layer.Next()) {
        ++done.counts.features;
        const FeatureShapes shapes = layer.Shapes(DatasetLayer::Want::Places);
        if (shapes.empty) {
            ++done.counts.empty;
            continue;
        }
        if (const ShapeDefect* stop = shapes.StoppingDefect()) {
            ShowError(layer.FeatureText() + ": " + stop->text);
            return 0;
        }
        const std::optional<double> value = layer.Number(*valueField);
        const std::string fault = shapes.HasFatalDefect() ? shapes.defects.front().text
                                  : !value ? "it has no value in the field " + settings.valueField
                                           : "";
        if (!fault.empty()) {
            ShowError(layer.FeatureText() + ": " + fault + "; the feature is skipped");
            ++done.counts.skipped;
            continue;
        }
        const std::string label =
            labelField ? " \"" + LabelText(layer.Text(*labelField).value_or("")) + "\"" : std::string();
        for (const Place& place : shapes.places) {
            *data << FormatGeneral(place.longitude, 10) << ' ' << FormatGeneral(place.latitude, 10) << ' '
                  << FormatShortest(*value) << label << kLineEnd;
        }
        values.insert(values.end(), shapes.places.size(), *value);
        min = done.points == 0 ? *value : std::min(min, *value);
        max = done.points == 0 ? *value : std::max(max, *value);
        done.points += static_cast<int64_t>(shapes.places.size());
        ++done.counts.imported;
        if (progress && !progress(layer.Progress())) return 0;
    }
    if (layer.ReadFailed()) return 0;
    if (done.points == 0) {
        ShowError(layer.LayerText() + ": no data point to import (" + std::to_string(done.counts.features) +
                  " features read, " + std::to_string(done.counts.skipped) + " skipped, " +
                  std::to_string(done.counts.empty) + " without geometry)");
        return 0;
    }

    const ImportSymbol symbol = ChooseImportSymbol(ReadWhole(mapDirectory / kSymbolLibrary));
    const DataFormat format = ImportFormat(values, min, max, settings, symbol.name);
    DataOptionTexts texts = OptionTexts(format);
    std::ostream* formatFile = files.Open(formatPath);
    if (formatFile == nullptr) return 0;
    *formatFile << DataFormatText(format, texts);
    if (symbol.library) {
        std::ostream* library = files.Open(mapDirectory / kSymbolLibrary);
        if (library == nullptr) return 0;
        *library << *symbol.library;
    }
    if (!files.Commit()) return 0;

    done.dataFile = dataPath.string();
    done.formatFile = formatPath.string();
    done.minimum = min;
    done.maximum = max;
    done.classes = format.symbolCount;
    done.symbol = symbol.name;
    if (summary != nullptr) *summary = std::move(done);
    return 1;
}

}  // namespace okap
