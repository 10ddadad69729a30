#pragma once
// The lists of the layer dialogs. A layer list shows a document's map (or
// data) layers as entries of the file name, a blank and the format file name
// in square brackets: the map file world.mpb drawn with coast.okf is the
// entry "world.mpb [coast.okf]". The file-and-style dialogs choose one file
// and one format file from drop-down lists of the names found in the
// configured directories, as they are on disk.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "view/map_document.h"

namespace okap {

// The strings of a list and the index of the selected one.
struct ListData {
    std::vector<std::string> names;
    int selected = -1;  // -1: none selected

    bool HasSelection() const { return selected >= 0 && selected < static_cast<int>(names.size()); }
    // The selected string; empty when none is selected.
    std::string Selection() const { return HasSelection() ? names[static_cast<size_t>(selected)] : std::string(); }

    friend bool operator==(const ListData&, const ListData&) = default;
};

std::string LayerEntryText(const okapFileInfo& layer);
// An entry split back: the file is what comes before the first "[" less the
// blank in front of it, the format what lies between that "[" and the
// first "]" after it (the rest of the entry when there is none).
okapFileInfo SplitLayerEntry(std::string_view entry);

// The first count layers of a table as a list, the first entry selected.
ListData LayerList(std::span<const okapFileInfo> layers, int count);
// Stores the list's entries into the table in list order (as many as it
// holds) and returns how many were stored.
int StoreLayerList(const ListData& list, std::span<okapFileInfo> layers);

// The names with name selected, or the first when name is not among them.
ListData ListSelecting(std::vector<std::string> names, const std::string& name);

// The first file matching pattern in the current directory; when there is
// none, shows message, sets badclient and gives none.
std::optional<std::string> FirstFile(std::string_view pattern, std::string_view message);

// Makes the data files directory current. On failure shows "Data file path
// does not exist", sets badclient and returns 0.
int EnterDataDirectory(std::string_view dataPath);

}  // namespace okap
