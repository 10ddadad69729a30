#pragma once

#include <filesystem>

namespace okap {

// Where the program keeps okap.ini: $XDG_CONFIG_HOME/okap/okap.ini, or
// ~/.config/okap/okap.ini when XDG_CONFIG_HOME is unset or empty.
std::filesystem::path ConfigFilePath();

// Where the program keeps what it writes about its own runs, such as the
// diagnostic log: $XDG_STATE_HOME/okap, or ~/.local/state/okap when
// XDG_STATE_HOME is unset or empty.
std::filesystem::path StateDirectory();

}  // namespace okap
