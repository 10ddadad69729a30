#pragma once
// The file name filter of the program's dialog that opens a dataset, in
// the form Qt's file dialogs take: entries "Name (*.a *.b)" joined by ";;".
// (The export's is ExportFileFilter.)

#include <string>

namespace okap {

// For choosing a dataset to read: "Vector datasets" with every extension
// first, then one entry for each vector driver GDAL has that names its
// extensions (its long name and those extensions), by name, and last "All
// files (*)".
std::string DatasetFileFilter();

}  // namespace okap
