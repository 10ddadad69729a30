#pragma once
// The grid format file (.okg): how a map's latitude/longitude grid looks.
// The document holds the grid's spacing, position and on/off state itself;
// this file holds the line styles, the ticks, which map box sides carry
// labels, the label format and the label text style.
//
// The file is seven lines ending in CR LF:
//   Grid Format - OKAP version 1
//   Major grid style     = <PlotStyle>
//   Minor grid style     = <PlotStyle>
//   Ticks                = <on> <in>
//   Axes                 = <left> <right> <top> <bottom>
//   Label format         = <PositionFormat index>
//   Label text style     = <TextStyle>
// Readers take the lines by position: the first line is skipped unread and
// each value is the text after the first "=" of its line.
//
// Editing a grid format (the display option dialog's HandleGridStyle) is
// split here into its file halves, which the dialog calls around running
// the grid option dialog: LoadGridFormatForEditing, GridOptionDialogValues,
// ApplyGridOptionDialogValues, SaveGridFormat and GridFormatFiles with
// FindGridFormatEntry.

#include <array>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "styles/plot_style.h"
#include "styles/text_style.h"

namespace okap {

inline constexpr const char* kGridFormatExtension = ".okg";
// The save dialog's filter; its pattern gives the extension a typed name gets.
inline constexpr const char* kGridFormatFilter = "Grid Format Files (*.okg)|*.okg|";

// Axes in file order.
inline constexpr int kAxisLeft = 0;
inline constexpr int kAxisRight = 1;
inline constexpr int kAxisTop = 2;
inline constexpr int kAxisBottom = 3;

struct GridFormat {
    PlotStyle majorStyle;
    PlotStyle minorStyle;
    uint16_t ticksOn = 0;  // 1 = draw ticks
    uint16_t ticksIn = 0;  // 1 = ticks point into the map box, 0 = outwards
    std::array<uint16_t, 4> axes{};  // labels on the left, right, top, bottom sides (kAxis...)
    int32_t labelFormat = 0;         // index into PositionFormat; not range-checked
    TextStyle labelStyle;            // its on flag switches the labels
};

// The values of lines 2 to 7: major style, minor style, ticks, axes, label
// format, label text style. The label format is the fifth.
inline constexpr int kGridFormatValues = 6;
inline constexpr int kGridFormatLabelFormatValue = 5;

// Reads lines 2 to 7 of an open grid format file after skipping line 1.
// Each line is read on its own: a line that is missing, has no "=" or whose
// value cannot be read leaves its fields as they were and the later lines
// are still read. Returns 1 when all six values were read, else 0.
int ReadGridFormat(std::istream& is, GridFormat& format);

// The grid drawing's reading: lines 2 to 7 in order, stopping at the first
// line that is missing, has no "=" or whose value cannot be read. Returns
// how many values were read (kGridFormatValues when all were); only those
// fields are set, so a count of kGridFormatLabelFormatValue or more means
// the label format was read.
int ReadGridFormatValues(std::istream& is, GridFormat& format);

// The seven lines, each ending in CR LF.
void WriteGridFormat(std::ostream& os, const GridFormat& format);

// The grid option dialog's values ("Grid display options"). The axes are in
// the order of the dialog's check boxes: left, top, right, bottom.
struct GridOptionDialogTB {
    int32_t ticksOn = 0;   // "On" rather than "Off" beside "Ticks"
    int32_t ticksIn = 0;   // "In" rather than "Out"
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t labelsOn = 0;  // "On" rather than "Off" beside "Labels"
    int32_t labelFormat = 0;  // the selection in the format box, 0 to 4
    friend bool operator==(const GridOptionDialogTB&, const GridOptionDialogTB&) = default;
};

// The dialog's starting values; a label format outside 0 to 4 selects the
// first entry of the format box.
GridOptionDialogTB GridOptionDialogValues(const GridFormat& format);

// Puts the values of a dialog ended with OK into format: ticks and axes as
// 1 or 0, the label format as the format box's selection, and the label
// text style's on flag from the labels "On"/"Off".
void ApplyGridOptionDialogValues(const GridOptionDialogTB& values, GridFormat& format);

// Makes mapPath current and reads the grid format file name from it. The
// fields of lines that cannot be read keep the values format came with, so
// a caller seeds it with the document's styles. On failure shows "Map file
// path does not exist" or "Error opening grid format file", sets badclient
// and returns 0.
int LoadGridFormatForEditing(std::string_view mapPath, const std::string& name, GridFormat& format);

// Writes format to path, replacing any file there only once the new one is
// complete. On failure shows "Error opening grid format file : " followed
// by entryName (the list entry the user edited), sets badclient and returns
// 0; an existing file is then left as it was.
int SaveGridFormat(const std::filesystem::path& path, const std::string& entryName, const GridFormat& format);

// The grid format files of the current directory, as the grid format list
// shows them.
std::vector<std::string> GridFormatFiles();

// The index of the entry that names the file at path (the file just saved),
// or -1 when none does.
int FindGridFormatEntry(const std::vector<std::string>& names, const std::filesystem::path& path);

}  // namespace okap
