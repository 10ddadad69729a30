#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace okap::tool {

// The four-letter code of a projection given by its display name
// ("Mercator Cylindrical") or its code ("MERC"), without regard to case.
std::optional<std::string> ProjectionCodeFor(std::string_view nameOrCode);

// One line per projection, "CODE  Display name", for help texts.
std::string ProjectionList();

}  // namespace okap::tool
