#pragma once
// Reading and writing the values of the one-line text forms of the styles
// and of the files that hold them.
//
// Numbers are converted without the stream's number facets, so neither the
// process locale nor a locale imbued on the stream can turn a decimal point
// into a comma. A failed conversion sets failbit on the stream and leaves
// the value as it was; callers inspect the stream state.

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "platform/colour.h"

namespace okap {

// One line without its end, LF or CR LF alike.
std::istream& ReadLine(std::istream& is, std::string& line);

// The next blank-delimited word as a whole decimal integer (an optional
// sign, digits, nothing else), within the 32-bit range.
std::istream& ReadInt(std::istream& is, int32_t& value);

// The next blank-delimited word as a whole finite decimal number.
std::istream& ReadNumber(std::istream& is, double& value);

// The colour read from its three components: red and blue keep their low
// 8 bits and green its low 16 bits, so a green above 255 spills into the
// blue byte, as the files have always been read.
Colour ColourFromComponents(int32_t red, int32_t green, int32_t blue);

// Writes "red green blue" with single blanks between.
void WriteColour(std::ostream& os, Colour colour);

}  // namespace okap
