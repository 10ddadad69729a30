#pragma once
// Details: free texts placed on the map view, such as a title or a source
// note. A document keeps each as one string of the form
//
//   Text "<text>" <x> <y> <TextStyle text form>
//
// where x and y are fractions of the view's width and height measured from
// its top-left corner, y downwards, kept as the user typed them. The text
// style form ends with a blank. Only details that start with "Text" are
// drawn, and only while their style is on.
//
// The display option dialog edits a working copy of a document's table of
// details; the list operations below are its New, Edit and Delete buttons
// (HandleDetailNew, HandleDetailStyle, HandleDetailDelete) without the
// widgets, and DetailStyleDialogValues / ApplyDetailStyleDialogValues are
// the two ends of the detail editor (DetailStyleDialog).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "styles/text_style.h"

namespace okap {

inline constexpr int kMaxDetails = 15;
using DetailTable = std::array<std::string, kMaxDetails>;

// What the detail editor's edits accept.
inline constexpr size_t kMaxDetailText = 99;
inline constexpr size_t kMaxDetailPosition = 19;

// "Text ", the text in double quotes, a blank, the position, a blank and the
// style's text form.
std::string MakeDetail(std::string_view text, std::string_view position, const TextStyle& style);

// Takes a detail apart: the text runs from the seventh character (after
// "Text " and the opening quote) to the next double quote; after that quote
// come x, y and the text style. Returns 1 when x, y and the style were all
// read; text is always set, and what could not be read keeps its value.
int ReadDetail(std::string_view detail, std::string& text, double& x, double& y, TextStyle& style);

// The detail's entry in the dialog's list: the string up to and including
// its closing double quote (the whole string when it has none).
std::string DetailListEntry(std::string_view detail);

// The New button. With kMaxDetails details shows "Sorry - maximum number of
// details reached" and returns -1, changing nothing. With none, makes the
// first detail, "New Text" at "0.50 0.05" in the default text style. With
// some, inserts a copy of the detail under the caret right after it.
// Returns the index of the new detail, which the editor then opens on. A
// caret outside the list counts as the first entry, as a list box reports
// its caret when none has the focus.
int NewDetail(DetailTable& details, int& count, int caret);

// The Delete button: removes the detail under the caret (the first when the
// caret is outside the list), moving the later ones down. Nothing with no
// details.
void DeleteDetail(DetailTable& details, int& count, int caret);

// The Edit button: the index of the detail to edit, the selected one or the
// first when none is selected; -1 with no details.
int DetailToEdit(int count, int selection);

// The detail editor's values ("Detail Settings").
struct DetailStyleDialogTB {
    std::string text;      // at most kMaxDetailText characters in the dialog
    std::string position;  // x and y as typed, at most kMaxDetailPosition characters
    int32_t textOn = 1;    // "Text On" rather than "Text Off"
    friend bool operator==(const DetailStyleDialogTB&, const DetailStyleDialogTB&) = default;
};

// The editor's starting values: reads detail into its text, its position
// (shown as x, a blank, y and a blank in general notation with 6
// significant digits) and scratch, the document's working detail style.
DetailStyleDialogTB DetailStyleDialogValues(std::string_view detail, TextStyle& scratch);

// The editor ended with OK: sets scratch's on flag from the values and
// returns the rebuilt detail, with the position as typed.
std::string ApplyDetailStyleDialogValues(const DetailStyleDialogTB& values, TextStyle& scratch);

}  // namespace okap
