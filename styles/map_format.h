#pragma once
// The map format file (.okf): how each feature of a map layer is drawn and
// what it is called. Every segment of a map file carries a segment type; the
// feature of that number gives its name and its PlotStyle, whose plot flag
// decides whether segments of that type are drawn at all.
//
// The file is lines ending in CR LF:
//   [Features]
//   ; feature no = name,plot,line style,line width,line colour,fill pattern,fill colour
//   F7 = Coastline : 1 0 0 0 1 0 255 255 255 99
//   ...
// one feature line per feature: "F", the number, " = ", the name, " : ", the
// PlotStyle text form. The comment names the values in an older order than
// the text form has; it is written as it stands and never read.
//
// Readers take every line whose first character is "F" as a feature line and
// ignore all others, so the header and the comment may be missing or appear
// anywhere. A feature number outside 1 to 100 names no entry of a feature
// style table: such lines are ignored.
//
// The editing flows of the format dialogs are in map_format_editing.h.

#include <array>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "styles/plot_style.h"

namespace okap {

inline constexpr const char* kMapFormatExtension = ".okf";
inline constexpr const char* kMapFormatHeader = "[Features]";
inline constexpr const char* kMapFormatComment =
    "; feature no = name,plot,line style,line width,line colour,fill pattern,fill colour";

// Feature numbers run from 1 to kMaxFeatures; feature n uses entry n - 1 of
// a feature style table.
inline constexpr int kMaxFeatures = 100;
using FeatureStyles = std::array<PlotStyle, kMaxFeatures>;

// The current format name: the format file being edited, "new000"
// (kNewFormatName) for one not yet saved. Set by the map style dialog, read
// by the feature editor and updated by saving.
extern std::string gformatfile;
// The map file the current format is made for; a new format takes its
// features from this file's segment types.
extern std::string gmapfile;

inline constexpr const char* kNewFormatName = "new000";

// Line rules.

bool IsFeatureLine(std::string_view line);
bool IsFeatureNumber(int32_t number);

// The feature number as the map drawing reads it: "%d" applied to the five
// characters after the "F" (leading blanks skipped, an optional sign,
// digits). None when the line is no feature line or no number is there.
std::optional<int32_t> DrawingFeatureNumber(std::string_view line);

// The feature number as the feature editor and the format list read it: a
// decimal integer at the start of the text between the "F" and the first
// "=" (the rest of the line when there is none), leading blanks skipped.
std::optional<int32_t> FeatureNumber(std::string_view line);

// The text after the first ":", from which the PlotStyle is read; empty when
// the line has no ":".
std::string_view FeatureStyleText(std::string_view line);

// The name: from two characters after the first "=" to one character before
// the first ":", i.e. between "= " and " :", blanks inside and at its end
// kept. Empty when the line has no such span.
std::string FeatureName(std::string_view line);

// Reads the PlotStyle of a feature line into style (which also rebuilds its
// pen and brush). False, with style as it was, when the style text cannot
// be read.
bool ReadFeatureStyle(std::string_view line, PlotStyle& style);

// Feature list entries: the number right-aligned in 3 characters, a blank,
// the name, so that the name starts at the fifth character.
std::string FeatureEntryText(int32_t number, std::string_view name);
// The integer at the start of an entry; none when there is none.
std::optional<int32_t> EntryFeatureNumber(std::string_view entry);
// The entry's text from its fifth character: the name.
std::string_view EntryFeatureName(std::string_view entry);

// One line of the feature editor's list.
struct FeatureEntry {
    std::string text;
    bool selected = false;  // the feature is plotted
    friend bool operator==(const FeatureEntry&, const FeatureEntry&) = default;
};

// Reading for the map drawing.

// Reads every feature line of a format file into styles[number - 1]. Entries
// the file does not name keep their values, so a table shared by several
// layers keeps what earlier layers' files gave the others.
void ReadFeatureStyles(std::istream& is, FeatureStyles& styles);

// The names of the features of a format file by number, blanks at their end
// removed; of two lines with one number the first counts.
std::map<int32_t, std::string> ReadFeatureNames(std::istream& is);

// Opens the format file name (relative to the current directory) and reads
// it with ReadFeatureStyles. When it cannot be opened, shows "Error opening
// map format file", sets badclient and returns 0.
int LoadFeatureStyles(const std::string& name, FeatureStyles& styles);

// Writing.

// The header, the comment and one feature line for each entry in list order,
// each line ending in CR LF. An entry's style is styles[number - 1]; an
// entry that does not start with a number from 1 to 100 is not written.
void WriteMapFormat(std::ostream& os, const std::vector<FeatureEntry>& entries, const FeatureStyles& styles);

// Writes the format to path, replacing an existing file only once the new
// one is complete. On failure shows "Error opening map format file : "
// followed by formatName (the current format name), sets badclient and
// returns 0; an existing file is then left as it was.
int SaveMapFormat(const std::filesystem::path& path, const std::vector<FeatureEntry>& entries,
                  const FeatureStyles& styles, const std::string& formatName);

}  // namespace okap
