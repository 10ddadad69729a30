#pragma once
// One line of a data file: longitude, latitude and value, an optional angle,
// all separated by white space, and an optional label in double quotes. The
// numbers are read from the part of the line before its first double quote;
// the label runs from that quote to the next, and what follows is ignored.

#include <optional>
#include <string>
#include <string_view>

namespace okap {

struct DataLine {
    double longitude = 0.0;
    double latitude = 0.0;
    double value = 0.0;
    bool hasAngle = false;
    double angle = 0.0;
    bool hasLabel = false;  // the line holds a double quote
};

// The numbers of line into numbers. False, the line bad, when the first
// three are not all finite numbers; a fourth that is one is the angle.
bool ReadDataLine(std::string_view line, DataLine& numbers);

// The text between the line's first two double quotes; none when the line
// has no quote or its label is not closed.
std::optional<std::string> DataLabel(std::string_view line);

}  // namespace okap
