#pragma once
// Cutting UTF-8 text to a number of bytes, as fixed-width fields (a face
// name, a segment name) hold it.

#include <string>
#include <string_view>

namespace okap {

// The longest start of text of at most maxBytes bytes that does not end
// inside a UTF-8 character.
inline std::string Utf8Prefix(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) return std::string(text);
    size_t length = maxBytes;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
    return std::string(text.substr(0, length));
}

}  // namespace okap
