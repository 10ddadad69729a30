#pragma once
// The settings of a first start, when there is no okap.ini yet.

#include <filesystem>

#include "app/dialogs/configure_dialog.h"

namespace okap {

// The sample workspace that scripts/setup-samples.sh makes by default.
inline constexpr const char* kSampleWorkspace = "okap-samples";

// Settings that let the program work at once. The program path is the
// folder of the installed help pages, <prefix>/share/okap beside the
// program's <prefix>/bin, when it holds them, else programDirectory (the
// help pages are built into the program). Maps and data come from the
// sample workspace (~/okap-samples): when there is none, the installed
// samples (<prefix>/share/okap/samples) are copied there first. Without
// either, from the folders "maps" and "data" of an "OKAP" folder in the
// user's documents, which are made here. A metafile resolution of 1000 and
// no PostScript modification.
ACDialogTB FirstStartSettings(const std::filesystem::path& programDirectory);

}  // namespace okap
