#pragma once
// The settings of a first start, when there is no okap.ini yet.

#include <filesystem>

#include "app/dialogs/configure_dialog.h"

namespace okap {

// The sample workspace that scripts/setup-samples.sh makes by default.
inline constexpr const char* kSampleWorkspace = "okap-samples";

// Settings that let the program work at once: the program path is
// programDirectory (the help pages are built into the program); maps and
// data come from the sample workspace (~/okap-samples) when it exists, else
// from the folders "maps" and "data" of an "OKAP" folder in the user's
// documents, which are made here. A metafile resolution of 1000 and no
// PostScript modification.
ACDialogTB FirstStartSettings(const std::filesystem::path& programDirectory);

}  // namespace okap
