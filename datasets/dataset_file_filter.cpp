#include "datasets/dataset_file_filter.h"

#include <gdal_priv.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <utility>
#include <vector>

#include "datasets/gdal_setup.h"

namespace okap {

namespace {

// "*.a *.b" of the blank-separated extensions.
std::string Patterns(const std::string& extensions) {
    std::istringstream words(extensions);
    std::string patterns;
    for (std::string word; words >> word;) patterns += (patterns.empty() ? "*." : " *.") + word;
    return patterns;
}

}  // namespace

std::string DatasetFileFilter() {
    UseGdal();
    std::vector<std::pair<std::string, std::string>> drivers;  // long name, patterns
    std::set<std::string> everyExtension;
    GDALDriverManager* manager = GetGDALDriverManager();
    for (int i = 0; i < manager->GetDriverCount(); ++i) {
        GDALDriver* driver = manager->GetDriver(i);
        if (driver->GetMetadataItem(GDAL_DCAP_VECTOR) == nullptr) continue;
        const char* extensions = driver->GetMetadataItem(GDAL_DMD_EXTENSIONS);
        if (extensions == nullptr) extensions = driver->GetMetadataItem(GDAL_DMD_EXTENSION);
        const std::string patterns = extensions ? Patterns(extensions) : "";
        if (patterns.empty()) continue;
        const char* name = driver->GetMetadataItem(GDAL_DMD_LONGNAME);
        drivers.emplace_back(name ? name : driver->GetDescription(), patterns);
        std::istringstream words(patterns);
        for (std::string word; words >> word;) everyExtension.insert(word);
    }
    std::sort(drivers.begin(), drivers.end());
    std::string all;
    for (const std::string& pattern : everyExtension) all += (all.empty() ? "" : " ") + pattern;
    std::string filter = "Vector datasets (" + all + ")";
    for (const auto& [name, patterns] : drivers) filter += ";;" + name + " (" + patterns + ")";
    return filter + ";;All files (*)";
}

}  // namespace okap
