#pragma once
// Reading and writing the values of the one-line text forms of the styles
// and of the files that hold them.
//
// Values are read as a stream reads them: white space is skipped, the
// number is taken as far as it goes, and what follows it (text glued to it,
// such as the ";" of "98;") stays in the stream for the next read. Numbers
// are converted without the stream's number facets, so neither the process
// locale nor a locale imbued on the stream can turn a decimal point into a
// comma. A failed conversion sets failbit on the stream and leaves the value
// as it was; callers inspect the stream state.

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "platform/colour.h"

namespace okap {

// One line without its end, LF or CR LF alike. A line longer than the
// longest a text map may hold (LineReader::kMaxLineLength), which no file
// of the program holds (a file without line ends, or no text file at all),
// fails as a missing line does, with the end of the file not reached,
// rather than take memory without end.
std::istream& ReadLine(std::istream& is, std::string& line);

// The last ReadLine on is stopped at such a line.
bool LineTooLong(const std::istream& is);

// A decimal integer (an optional sign and digits) within the 32-bit range.
std::istream& ReadInt(std::istream& is, int32_t& value);

// A finite decimal number: an optional sign, digits with an optional point,
// an optional exponent.
std::istream& ReadNumber(std::istream& is, double& value);

// Red, green and blue into colour as ColourFromComponents combines them. A
// component that cannot be read keeps its value in colour; colour is left
// alone when none can.
std::istream& ReadColour(std::istream& is, Colour& colour);

// Ends the reading of a style's text form whose first value was read: the
// values read have been applied and the rest stay as they were, as a stream
// leaves them, so the form counts as read and the failure of a later value
// is cleared. A form whose first value cannot be read stays failed.
void EndStyleForm(std::istream& is);

// The colour read from its three components: red and blue keep their low
// 8 bits and green its low 16 bits, so a green above 255 spills into the
// blue byte, as the files have always been read.
Colour ColourFromComponents(int32_t red, int32_t green, int32_t blue);

// Writes "red green blue" with single blanks between.
void WriteColour(std::ostream& os, Colour colour);

}  // namespace okap
