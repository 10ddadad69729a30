#include "platform/config_location.h"

#include <cstdlib>

namespace okap {

namespace {

// The folder an XDG base directory variable names, or fallback under the
// home directory when it is unset or empty.
std::filesystem::path BaseDirectory(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / fallback;
}

}  // namespace

std::filesystem::path ConfigFilePath() { return BaseDirectory("XDG_CONFIG_HOME", ".config") / "okap" / "okap.ini"; }

std::filesystem::path StateDirectory() { return BaseDirectory("XDG_STATE_HOME", ".local/state") / "okap"; }

}  // namespace okap
