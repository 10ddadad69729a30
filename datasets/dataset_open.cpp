#include "datasets/dataset_open.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include <cpl_error.h>
#include <cpl_string.h>

#include "datasets/gdal_setup.h"
#include "platform/message_box.h"

namespace okap {

namespace {

// A CSV file gets its geometry from a WKT column (found by GDAL itself) or
// from longitude and latitude columns of the usual names, and numbers in
// its columns are read as numbers.
CPLStringList OpenOptionsFor(const std::string& path) {
    CPLStringList options;
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".csv") {
        options.AddString("X_POSSIBLE_NAMES=x,lon,long,lng,longitude,easting");
        options.AddString("Y_POSSIBLE_NAMES=y,lat,latitude,northing");
        options.AddString("KEEP_GEOM_COLUMNS=NO");
        options.AddString("AUTODETECT_TYPE=YES");
    }
    return options;
}

}  // namespace

std::string GdalReason() {
    const std::string reason = CPLGetLastErrorMsg();
    return reason.empty() ? "" : " (" + reason + ")";
}

GDALDatasetUniquePtr OpenVectorDataset(const std::string& path) {
    UseGdal();
    CPLErrorReset();
    const CPLStringList options = OpenOptionsFor(path);
    GDALDatasetUniquePtr dataset(
        GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, options.List(), nullptr));
    if (!dataset) {
        ShowError("Error opening dataset : " + path + GdalReason());
    } else if (dataset->GetLayerCount() == 0) {
        ShowError("Dataset " + path + " holds no vector layer");
        dataset.reset();
    }
    return dataset;
}

}  // namespace okap
