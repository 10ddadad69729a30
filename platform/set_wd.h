#pragma once
// Making a configured directory current. Every command that opens a map,
// format, symbol or data file makes its directory current first and then
// opens the file by its bare name.

#include <string_view>

namespace okap {

// Changes to dir, with trailing blanks removed. Returns 0 on success and 1
// on failure; callers show their own message.
int SetWD(std::string_view dir);

}  // namespace okap
