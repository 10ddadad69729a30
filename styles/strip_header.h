#pragma once
// The value part of a key line of a format file or the symbol library.

#include <string>

namespace okap {

// Replaces line by the text after its first "=", with blanks and tabs
// removed at both ends; a line without "=" is only trimmed. Keys are never
// compared: readers take their lines by position.
void StripHeader(std::string& line);

}  // namespace okap
