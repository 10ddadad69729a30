#pragma once
// The header line of a segment in a text map file.
//
// As written: a double quote, the 8-character name, a double quote, ",",
// the type, ",", then the signed point count left-aligned in a field of ten
// blanks. Two forms are read, told apart by the number of commas after the
// closing quote:
//   "COASTLIN",12,-57     name, type and count;
//   "12COAST",5           the type's two digits and the name quoted
//                         together, then the count.
// The count is negative for a line (see Mapfile's kinds).

#include <cstdint>
#include <string>
#include <string_view>

namespace okap {

struct TextHeader {
    std::string name;  // 8 characters, blank-padded
    int16_t type = 0;
    int32_t count = 0;  // as stored: negative for a line
};

enum class TextHeaderError { None, Type, Count };

// Reads a header line (any line holding a double quote). A type that is not
// a number in the range of a 16-bit type gives Type; a count that is not a
// number whose magnitude fits 32 bits gives Count.
TextHeaderError ParseTextHeader(std::string_view line, TextHeader& header);

// The header line up to its count field: quote, name, quote, ",", type, ",".
// In the name a double quote is written as an apostrophe and a line end as
// a blank, so that the line reads back.
std::string TextHeaderStart(std::string_view name, int type);

// Width of the count field that follows TextHeaderStart.
inline constexpr int kCountFieldWidth = 10;

}  // namespace okap
