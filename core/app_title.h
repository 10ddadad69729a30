#pragma once
// The program's name, as the caption of the messages that speak for the
// application as a whole (an unreadable document, for one), and its version.

namespace okap {

inline constexpr const char* kAppTitle = "OKAP";
inline constexpr const char* kAppVersion = "1.15";

}  // namespace okap
