#pragma once
// Details: things placed on the map view, such as a title, a source note,
// a scale bar or a north arrow. A document keeps each as one string of the
// form
//
//   <Kind> "<text>" <x> <y> <TextStyle text form>
//
// where x and y are fractions of the view's width and height measured from
// its top-left corner, y downwards, kept as the user typed them. The text
// style form ends with a blank. The kind word says what is drawn: "Text"
// the text itself, "Scale" a scale bar whose text is its unit word (see
// scale_units.h), "North" a north arrow whose text is the letter at its
// tip. Programs that know only "Text" skip the other kinds, and a detail of
// a kind this program does not know is kept but not drawn; every detail is
// drawn only while its style is on.
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

enum class DetailKind { Text, ScaleBar, NorthArrow, Other };

inline constexpr std::string_view kTextKindWord = "Text";
inline constexpr std::string_view kScaleBarKindWord = "Scale";
inline constexpr std::string_view kNorthArrowKindWord = "North";

// The kind word a detail starts with: its leading run of letters.
std::string_view DetailKindWord(std::string_view detail);
DetailKind KindOfDetail(std::string_view detail);
// The word written for a kind; "Text" for Other, which has none of its own.
std::string_view KindWord(DetailKind kind);

// The kind word, a blank, the text in double quotes, a blank, the position,
// a blank and the style's text form.
std::string MakeDetail(std::string_view text, std::string_view position, const TextStyle& style,
                       std::string_view kindWord = kTextKindWord);

// Takes a detail apart: the text runs from after the kind word, its blank
// and the opening quote ("Text \"" is six characters) to the next double
// quote; after that quote come x, y and the text style. Returns 1 when x, y
// and the style were all read; text is always set, and what could not be
// read keeps its value.
int ReadDetail(std::string_view detail, std::string& text, double& x, double& y, TextStyle& style);

// The detail's entry in the dialog's list: the string up to and including
// its closing double quote (the whole string when it has none), which shows
// its kind and text.
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
    std::string kind{kTextKindWord};  // the kind word, kept as read for a kind the dialog does not offer
    std::string text;      // at most kMaxDetailText characters in the dialog; a scale bar's unit word
    std::string position;  // x and y as typed, at most kMaxDetailPosition characters
    int32_t textOn = 1;    // "Text On" rather than "Text Off"
    friend bool operator==(const DetailStyleDialogTB&, const DetailStyleDialogTB&) = default;
};

// The editor's starting values: reads detail into its kind, its text, its position
// (shown as x, a blank, y and a blank in general notation with 6
// significant digits) and scratch, the document's working detail style.
DetailStyleDialogTB DetailStyleDialogValues(std::string_view detail, TextStyle& scratch);

// The editor ended with OK: sets scratch's on flag from the values and
// returns the rebuilt detail, with the position as typed.
std::string ApplyDetailStyleDialogValues(const DetailStyleDialogTB& values, TextStyle& scratch);

}  // namespace okap
