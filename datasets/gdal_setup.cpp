#include "datasets/gdal_setup.h"

#include <cpl_error.h>
#include <gdal.h>
#include <ogr_api.h>

#include <mutex>

namespace okap {

void UseGdal() {
    static std::once_flag once;
    std::call_once(once, [] {
        GDALAllRegister();
        // Errors are read with CPLGetLastErrorMsg where they matter and
        // reported as the program's messages, not printed by GDAL.
        CPLSetErrorHandler(CPLQuietErrorHandler);
    });
}

std::string GdalVersion() { return GDALVersionInfo("RELEASE_NAME"); }

}  // namespace okap
