#pragma once
// A data file (.dat) exported as a point dataset for other GIS programs
// (export_writer.h): every point as the data layers read it, longitude
// folded into -360 to 360 and latitude into -90 to 90, with the fields
// "value", "angle" (none when the line has no angle) and "label" (none when
// it has no label).

#include <filesystem>

#include "datasets/export_writer.h"

namespace okap {

// Exports dataFile into output, whose extension chooses the format. A line
// that the data layers cannot read ("Unknown data file type", "Error reading
// a data label") is reported with its number, and nothing is written. 1 on
// success.
int ExportData(const std::filesystem::path& dataFile, const std::filesystem::path& output,
               ExportSummary* summary = nullptr);

}  // namespace okap
