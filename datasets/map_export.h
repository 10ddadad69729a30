#pragma once
// A map file, binary or text, exported as a dataset for other GIS programs
// (export_writer.h): every segment back in longitude and latitude
// (segment_geography.h) as one feature, a point segment as a point, a line
// as a line string, an area as a polygon with its holes.
//
// The features' fields: "name", the segment's name without its trailing
// blanks; "type", its feature type; and, when a map format file is given,
// "feature", the name the format gives that type (none for a type it does
// not name).

#include <filesystem>

#include "datasets/export_writer.h"

namespace okap {

// Exports map into output, whose extension chooses the format; formatFile,
// when not empty, names the features. Every failure is reported (caption
// "Error"); the output is then not written and an old one stays as it was.
// 1 on success.
int ExportMap(const std::filesystem::path& map, const std::filesystem::path& output,
              const std::filesystem::path& formatFile, ExportSummary* summary = nullptr,
              const ExportProgress& progress = {});

}  // namespace okap
