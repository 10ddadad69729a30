#include "datasets/data_export.h"

#include <cmath>
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
        // Placed as the data layers place it: a longitude beyond 360
        // degrees and a latitude beyond 90 are folded as they fold them.
        // Others keep the numbers as written, not rounded to angle units.
        const double lon = std::abs(numbers.longitude) <= 360.0 ? numbers.longitude
                                                                 : Longitude(numbers.longitude).GetDegrees();
        const double lat = std::abs(numbers.latitude) <= 90.0 ? numbers.latitude
                                                               : Latitude(numbers.latitude).GetDegrees();
        const GeoPart point = {{lon, lat}};
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
