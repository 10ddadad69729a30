#include "app/controls/layer_list.h"

#include <algorithm>

#include "core/globals.h"
#include "platform/directory_search.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"

namespace okap {

std::string LayerEntryText(const okapFileInfo& layer) { return layer.file + " [" + layer.format + "]"; }

okapFileInfo SplitLayerEntry(std::string_view entry) {
    const size_t open = entry.find('[');
    if (open == std::string_view::npos) return {std::string(entry), ""};
    const size_t close = entry.find(']', open + 1);
    const size_t formatEnd = close == std::string_view::npos ? entry.size() : close;
    return {std::string(entry.substr(0, open == 0 ? 0 : open - 1)),
            std::string(entry.substr(open + 1, formatEnd - open - 1))};
}

ListData LayerList(std::span<const okapFileInfo> layers, int count) {
    ListData list;
    const size_t n = std::min(layers.size(), static_cast<size_t>(std::max(count, 0)));
    for (size_t i = 0; i < n; ++i) list.names.push_back(LayerEntryText(layers[i]));
    list.selected = list.names.empty() ? -1 : 0;
    return list;
}

int StoreLayerList(const ListData& list, std::span<okapFileInfo> layers) {
    const size_t n = std::min(layers.size(), list.names.size());
    for (size_t i = 0; i < n; ++i) layers[i] = SplitLayerEntry(list.names[i]);
    return static_cast<int>(n);
}

ListData ListSelecting(std::vector<std::string> names, const std::string& name) {
    ListData list{std::move(names), -1};
    list.selected = FindName(list.names, name);
    if (list.selected < 0 && !list.names.empty()) list.selected = 0;
    return list;
}

std::optional<std::string> FirstFile(std::string_view pattern, std::string_view message) {
    const std::vector<std::string> names = FindFiles(pattern);
    if (names.empty()) {
        ShowError(message);
        badclient = 1;
        return std::nullopt;
    }
    return names.front();
}

int EnterDataDirectory(std::string_view dataPath) {
    if (SetWD(dataPath) == 0) return 1;
    ShowError("Data file path does not exist");
    badclient = 1;
    return 0;
}

}  // namespace okap
