#pragma once
// Numbers to and from text, independent of the process locale.
//
// The file formats and read-outs use C's "%lf", "%.*lf" and "%g" forms with a
// decimal point. The GUI library sets the process locale from the user's
// environment, so printf and scanf could switch to a decimal comma; these
// helpers never do.

#include <optional>
#include <string>
#include <string_view>

namespace okap {

// Reads a number the way scanf's "%lf" does: leading blanks skipped, an
// optional sign, digits with an optional point and exponent. Text after the
// number is ignored. Empty when the text starts with no number.
std::optional<double> ReadDouble(std::string_view text);

// The text as one number, blanks around it allowed; empty when anything
// else is in it or the number is not finite.
std::optional<double> ReadWholeDouble(std::string_view text);

// printf("%*.*f", width, precision, value): right-aligned in at least width
// characters.
std::string FormatFixed(double value, int precision = 6, int width = 0);

// printf("%.*g", significant, value): the stream's general notation.
std::string FormatGeneral(double value, int significant = 6);

// General notation with 6 significant digits, or as many more as it takes
// to read back as the same value.
std::string FormatShortest(double value);

// printf("%0*d", width, value) for width > 0, else "%d".
std::string FormatInt(long long value, int width = 0);

}  // namespace okap
