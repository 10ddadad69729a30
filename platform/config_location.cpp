#include "platform/config_location.h"

#include <cstdlib>

namespace okap {

std::filesystem::path ConfigFilePath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (xdg && *xdg) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && *home ? home : ".") / ".config";
    }
    return base / "okap" / "okap.ini";
}

}  // namespace okap
