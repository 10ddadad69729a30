#include "app/frame/keyboard_locks.h"

#include <fstream>
#include <string>
#include <system_error>

namespace okap {

std::optional<bool> LockLedState(KeyboardLock lock, const std::filesystem::path& ledFolder) {
    const char* suffix = lock == KeyboardLock::Caps ? "::capslock" : lock == KeyboardLock::Num ? "::numlock"
                                                                                              : "::scrolllock";
    std::optional<bool> state;
    std::error_code error;
    // Each keyboard has its own LED (input3::capslock, input7::capslock ...).
    for (const auto& entry : std::filesystem::directory_iterator(ledFolder, error)) {
        std::string name = entry.path().filename().string();
        if (!name.ends_with(suffix)) continue;
        std::ifstream in(entry.path() / "brightness");
        std::string brightness;
        if (!std::getline(in, brightness) || brightness.empty()) continue;
        state = state.value_or(false) || brightness.find_first_not_of("0 \r") != std::string::npos;
    }
    return state;
}

}  // namespace okap
