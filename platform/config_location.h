#pragma once

#include <filesystem>

namespace okap {

// Where the program keeps okap.ini: $XDG_CONFIG_HOME/okap/okap.ini, or
// ~/.config/okap/okap.ini when XDG_CONFIG_HOME is unset or empty.
std::filesystem::path ConfigFilePath();

}  // namespace okap
