#pragma once
// The data format editor ("Data Display Settings"): the legend settings and
// the symbol classes of a data format file, made new for a data file or
// read from an existing format file, and saved through a save dialog.

#include <optional>
#include <string>

namespace okap {

class okapMDIChild;

// New: a format made from nothing for the data file dataName (in the data
// files directory). Edit: the format file formatName (in the map files
// directory) with dataName. Each runs the editor over window and, on OK,
// saves through the save dialog. Return the path chosen in the save dialog
// when a file was written, none otherwise (the caller then refills its
// format list and selects the saved file).
std::optional<std::string> NewDataFormat(okapMDIChild& window, const std::string& dataName);
std::optional<std::string> EditDataFormat(okapMDIChild& window, const std::string& dataName,
                                          const std::string& formatName);

}  // namespace okap
