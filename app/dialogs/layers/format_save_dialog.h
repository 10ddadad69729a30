#pragma once
// The save dialog of the format editors: asks where a map, data or grid
// format file is to be written.

#include <string>
#include <string_view>

class QWidget;

namespace okap {

// Runs a save dialog over parent in the current directory, showing the
// files of filter and starting with startName; a name typed without an
// extension gets the filter's. Asks before replacing an existing file.
// Returns the chosen path, empty when the user cancelled.
std::string AskSaveName(QWidget* parent, std::string_view filter, const std::string& startName);

}  // namespace okap
