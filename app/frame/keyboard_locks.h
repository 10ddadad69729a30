#pragma once
// The state of the keyboard's lock keys. Qt reports lock-key presses but not
// the lock state itself, so the state comes from the keyboard LEDs the
// kernel shows under /sys/class/leds, where they can be read.

#include <filesystem>
#include <optional>

namespace okap {

enum class KeyboardLock { Caps, Num, Scroll };

// True when an LED of that lock is lit, false when such LEDs exist and all
// are dark, nothing when none can be read (a remote or virtual display).
std::optional<bool> LockLedState(KeyboardLock lock,
                                 const std::filesystem::path& ledFolder = "/sys/class/leds");

}  // namespace okap
