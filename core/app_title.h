#pragma once
// The program's name, as the caption of the messages that speak for the
// application as a whole (an unreadable document, for one).

namespace okap {

inline constexpr const char* kAppTitle = "OKAP";

}  // namespace okap
