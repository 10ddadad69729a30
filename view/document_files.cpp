#include "view/document_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/number_text.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {

namespace {

// One file: its path and, when it is there, its time of writing and size.
void AddFile(std::string& state, const std::string& directory, const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(directory) / name;
    state += path.string();
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    if (!error) {
        const auto size = std::filesystem::file_size(path, error);
        state += ' ' + FormatInt(static_cast<long long>(written.time_since_epoch().count()));
        if (!error) state += ' ' + FormatInt(static_cast<long long>(size));
    } else {
        state += " absent";
    }
    state += '\n';
}

}  // namespace

std::string DocumentFilesState(const MapDocument& document, const ViewSettings& settings) {
    std::string state;
    const int maps = std::clamp(document.mapLayerCount, 0, kMaxMapLayers);
    for (int i = 0; i < maps; ++i) {
        AddFile(state, settings.mapDirectory, document.mapLayers[static_cast<size_t>(i)].file);
        AddFile(state, settings.mapDirectory, document.mapLayers[static_cast<size_t>(i)].format);
    }
    const int data = std::clamp(document.dataLayerCount, 0, kMaxDataLayers);
    for (int i = 0; i < data; ++i) {
        AddFile(state, settings.dataDirectory, document.dataLayers[static_cast<size_t>(i)].file);
        AddFile(state, settings.mapDirectory, document.dataLayers[static_cast<size_t>(i)].format);
    }
    if (data > 0) AddFile(state, settings.mapDirectory, "okap.sym");
    if (document.gridOn) AddFile(state, settings.mapDirectory, document.gridFormatFile);
    return state;
}

}  // namespace okap
