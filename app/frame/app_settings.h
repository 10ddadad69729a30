#pragma once
// The process-wide settings that documents, views and dialogs read from the
// application object (okapApp derives from this; reach it through `app`).

#include <string>

namespace okap {

struct AppSettings {
    // Directory of the program and its help pages.
    std::string programPath;
    // Directory of map files, map, data and grid format files and the
    // symbol library.
    std::string mapPath;
    // Directory of data files.
    std::string dataPath;
    // Horizontal extent, in logical units, of a map copied to the clipboard
    // as a metafile.
    int metafileResolution = 0;
    // Print or preview operations under way.
    int printingCount = 0;
    // 1 while Copy Metafile draws into the metafile, else 0.
    int metafileCopying = 0;
};

}  // namespace okap
