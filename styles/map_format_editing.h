#pragma once
// Making and changing map format files: the file halves of the map style
// dialog ("Map file and display style") and the feature editor ("Map Display
// Settings"). The dialogs call these around their own controls and pass the
// current format and map file names (gformatfile, gmapfile) in.
//
// Every message has caption "Error". "Map file path does not exist" and
// "Error opening map format file : " also set badclient; "Error opening map
// file " does not: it follows the map file's own message, and a dialog's
// failure to open a map file must not cost the view its next paint.
//
// The feature editor:
//   SetupWindow   -> FillFeatureList, then the caret on the first entry
//   OK            -> EnterMapDirectory (failure: the dialog stays open), the
//                    save dialog (kMapFormatFilter, FormatSaveStartName), then SaveFeatureList with the
//                    chosen path; the dialog closes with OK when it returns 1
// The map style dialog's format list: ListFittingFormats.

#include <string>
#include <string_view>
#include <vector>

#include "styles/map_format.h"

namespace okap {

inline constexpr const char* kMapFormatFilter = "Map Format Files (*.okf)|*.okf|";

// Makes the map files directory current. On failure shows "Map file path
// does not exist", sets badclient and returns 0.
int EnterMapDirectory(std::string_view mapPath);

// Fills the feature editor's list. For an existing format (formatName not
// "new000") every feature line of that file, in file order, sets
// styles[number - 1] and gives the entry "%3d name", selected when the
// feature is plotted. For a new format the features are the segment types
// (1 to 100) of the map file mapName: every style is reset (black solid
// line of width 1, white solid fill) and plotted only when its type occurs,
// and each plotted feature in number order gives the entry
// "%3d New feature name", selected. Both files are opened in the map files
// directory mapPath.
// Returns 1 with entries replaced; 0 after reporting a failure, with
// entries and styles as they were.
int FillFeatureList(std::string_view mapPath, const std::string& formatName, const std::string& mapName,
                    FeatureStyles& styles, std::vector<FeatureEntry>& entries);

// The map style dialog's list of format files that fit a map file.
struct FormatFileList {
    std::vector<std::string> names;
    int selected = -1;  // index into names, -1 when nothing is selected
};

// Lists the "*.okf" files of the map files directory mapPath, in directory
// order and with their names as on disk, whose feature numbers are exactly
// the segment types (1 to 100) of the map file mapName. Selects the entry
// equal to formatName (letter case aside when no entry matches exactly),
// else the first. Returns 1; 0 after reporting a failure: when the map file
// cannot be read the list is left as it was, when a format file cannot be
// opened the list holds the files found to fit until then, none selected.
int ListFittingFormats(std::string_view mapPath, const std::string& mapName, const std::string& formatName,
                       FormatFileList& list);

// The save dialog's starting name: the current format name, or "new000.okf"
// for a format not yet saved.
std::string FormatSaveStartName(const std::string& formatName);

// What follows the last "/" or "\" of a chosen path: the bare file name that
// the layer table stores. A backslash is taken as a separator too, for
// names typed the old way.
std::string BareFileName(std::string_view chosen);

// Saves the feature list to the path the save dialog returned (empty when
// the user cancelled: nothing is written). On success formatName (the
// current format name) becomes the chosen file's bare name. Returns 1 when
// the feature editor may close with OK; 0 after "Error opening map format
// file : " with the current format name, which is then unchanged, as is
// any file that was there.
int SaveFeatureList(const std::string& chosen, const std::vector<FeatureEntry>& entries, const FeatureStyles& styles,
                    std::string& formatName);

}  // namespace okap
