#pragma once
// Opening a vector dataset with GDAL, shared by the readers of datasets/.
// Not for use outside this folder: it hands out GDAL's own objects.

#include <gdal_priv.h>

#include <string>

namespace okap {

// GDAL's own words on its last failure, as a tail for a message: " (...)",
// or nothing when GDAL said nothing.
std::string GdalReason();

// Opens path read-only as a vector dataset (a CSV file with its geometry
// from a WKT column or from longitude and latitude columns). Null after
// reporting, with caption "Error", a dataset GDAL cannot open or one with
// no vector layer.
GDALDatasetUniquePtr OpenVectorDataset(const std::string& path);

}  // namespace okap
