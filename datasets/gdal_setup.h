#pragma once
// The GDAL library behind the dataset import and export. Nothing outside
// datasets/ includes GDAL's headers: the rest of the program reaches
// datasets through this folder's functions.

#include <string>

namespace okap {

// Registers GDAL's drivers, once for the whole process, and quiets GDAL's
// own printing of errors (the dataset functions report through the
// program's messages). Every dataset function calls it first.
void UseGdal();

// The version of GDAL in use, as GDAL writes it ("3.6.2").
std::string GdalVersion();

}  // namespace okap
