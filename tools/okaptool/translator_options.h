#pragma once
// The map translator's fields as command-line options, shared by the
// commands that translate: translate and import.

#include <string>
#include <vector>

#include "mapfiles/translator.h"
#include "tools/okaptool/options.h"

namespace okap::tool {

// --projection, --origin-lon, --origin-lat, --resolution, --boundary,
// --west, --east, --north, --south and --max-points, with the dialog's initial values,
// and --threads.
std::vector<OptionDefinition> TranslatorOptionDefinitions();

// Reads those options into settings; false, after a message on standard
// error, for an unknown projection, an angle that is not a number, a
// wrong --max-points or a wrong --threads.
bool ReadTranslatorOptions(const Options& options, TranslatorSettings& settings);

// The help on those options: angles, the region and the projections.
std::string TranslatorOptionsHelp();

}  // namespace okap::tool
