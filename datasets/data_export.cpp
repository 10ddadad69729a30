#include "datasets/data_export.h"

#include <fstream>
#include <string>

#include "core/latlong.h"
#include "data/data_line.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "styles/text_form.h"

namespace okap {

int ExportData(const std::filesystem::path& dataFile, const std::filesystem::path& output, ExportSummary* summary) {
    if (!CheckExportFormat(output)) return 0;
    std::ifstream in(dataFile, std::ios::binary);
    if (!in) {
        ShowError("Error opening data file : " + dataFile.string());
        return 0;
    }
    ExportWriter writer;
    if (!writer.Open(output, {{"value", ExportField::Type::Real},
                              {"angle", ExportField::Type::Real},
                              {"label", ExportField::Type::Text}}))
        return 0;

    ExportSummary done;
    std::string line;
    std::vector<FieldValue> values(3);
    for (int64_t number = 1; ReadLine(in, line); ++number) {
        const std::string where = " : " + dataFile.string() + " line " + std::to_string(number);
        // The data layers leave a last line without a line break unused.
        if (!in.good()) {
            if (!line.empty()) ++done.skipped;
            break;
        }
        DataLine numbers;
        if (!ReadDataLine(line, numbers)) {
            ShowError("Unknown data file type" + where);
            return 0;
        }
        values[0] = numbers.value;
        values[1] = numbers.hasAngle ? FieldValue{numbers.angle} : FieldValue{};
        values[2] = FieldValue{};
        if (numbers.hasLabel) {
            std::optional<std::string> label = DataLabel(line);
            if (!label) {
                ShowError("Error reading a data label" + where);
                return 0;
            }
            values[2] = std::move(*label);
        }
        // Placed as the data layers place it.
        const Position position(Latitude(numbers.latitude), Longitude(numbers.longitude));
        const GeoPart point = {{position.Long.GetDegrees(), position.Lat.GetDegrees()}};
        if (!writer.Add(kPointKind, {point}, values)) return 0;
        ++done.features;
    }
    if (!writer.Commit()) return 0;
    done.points = done.features;
    done.files = writer.Files();
    if (summary != nullptr) *summary = done;
    return 1;
}

}  // namespace okap
