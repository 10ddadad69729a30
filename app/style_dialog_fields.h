#pragma once
// The texts that the style dialogs show in their number and colour fields,
// and reading them back.
//
// A field that does not read back is refused when OK is pressed (the dialog
// names the field and stays open); the functions that store a dialog's
// values keep a style's old value for such a field.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/colour.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QWidget;

namespace okap {

// Red, green and blue, each right-aligned in 3 characters, separated by one
// blank: "255   0   0" for pure red, "  0   0   0" for black.
std::string ColourText(Colour colour);

// Three decimal integers separated by blanks, nothing else, combined as the
// style files combine them (red and blue keep their low 8 bits, green its
// low 16). None when the text is not three integers.
std::optional<Colour> ReadColourText(std::string_view text);

// A whole decimal integer in the 32-bit range, blanks around it allowed.
std::optional<int32_t> ReadIntField(std::string_view text);

// A finite decimal number, blanks around it allowed.
std::optional<double> ReadNumberField(std::string_view text);

// text with blanks in front up to width characters.
std::string RightAligned(std::string text, size_t width);

// The controls the dialogs are made of.

// An edit named objectName showing text, taking up to maxLength typed
// characters; a longer text handed in is still shown whole, so that opening
// a dialog and pressing OK never cuts a value.
QLineEdit* FieldEdit(const std::string& text, int maxLength, const char* objectName, QWidget* parent);

// A list named objectName of names (sorted when sorted is set), with the
// entry equal to selected selected and under the caret; none when no entry
// is equal. Its height shows visibleRows entries.
QListWidget* NameList(const std::vector<std::string>& names, const std::string& selected, bool sorted,
                      int visibleRows, const char* objectName, QWidget* parent);

// The selected entry of a single-selection list; empty when none is.
std::string SelectedName(const QListWidget* list);

std::string TextOf(const QLineEdit* edit);

// A label for a row whose field is a layout: its mnemonic moves to field.
QLabel* Buddy(const char* text, QWidget* field);

// Two radio buttons that exclude each other (and no others), side by side
// in row; firstChecked says which one is checked.
struct RadioPair {
    QRadioButton* first;
    QRadioButton* second;
    QHBoxLayout* row;
};
RadioPair MakeRadioPair(const char* firstText, const char* firstName, const char* secondText,
                        const char* secondName, bool firstChecked, QWidget* parent);

// Refuses the text of edit when OK is pressed: shows message (caption
// "Error") and puts the caret into the field with its text selected.
void RefuseField(QLineEdit* edit, std::string_view message);

}  // namespace okap
