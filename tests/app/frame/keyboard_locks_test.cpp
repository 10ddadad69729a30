#include "app/frame/keyboard_locks.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace okap {
namespace {

void Led(const test::TempDir& dir, const std::string& name, const char* brightness) {
    std::filesystem::create_directories(dir / name);
    dir.Write(name + "/brightness", brightness);
}

TEST(KeyboardLocksTest, ReadsTheLedsOfEveryKeyboard) {
    test::TempDir leds;
    EXPECT_EQ(LockLedState(KeyboardLock::Caps, leds.Path()), std::nullopt);  // no LEDs at all

    Led(leds, "input3::capslock", "0\n");
    Led(leds, "input3::numlock", "1\n");
    Led(leds, "input7::capslock", "0\n");
    Led(leds, "input9::scrolllock", "");  // unreadable value: ignored
    Led(leds, "phy0-led", "1\n");
    EXPECT_EQ(LockLedState(KeyboardLock::Caps, leds.Path()), false);
    EXPECT_EQ(LockLedState(KeyboardLock::Num, leds.Path()), true);
    EXPECT_EQ(LockLedState(KeyboardLock::Scroll, leds.Path()), std::nullopt);

    // One lit keyboard is enough.
    Led(leds, "input7::capslock", "255\n");
    EXPECT_EQ(LockLedState(KeyboardLock::Caps, leds.Path()), true);
}

}  // namespace
}  // namespace okap
