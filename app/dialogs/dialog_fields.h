#pragma once
// The texts and controls the dialogs are made of: the texts of number and
// colour fields and reading them back, and the edits, lists, buttons and
// rows that the dialogs share.
//
// A field that does not read back is refused when OK is pressed (the dialog
// names the field and stays open); the functions that store a dialog's
// values keep a style's old value for such a field.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/colour.h"

class QCheckBox;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace okap {

struct CustomColours;

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
// Its row; -1 when none is selected.
int SelectedRow(const QListWidget* list);

std::string TextOf(const QLineEdit* edit);

// A label beside field (in field's parent) whose mnemonic moves to field:
// for a form row whose field is a layout, or a label outside a form.
QLabel* Buddy(const char* text, QWidget* field);

// A push button named objectName that Enter does not press: Enter in a
// dialog means OK, whichever button has the focus.
QPushButton* Button(const char* text, const char* objectName, QWidget* parent);

// A check box named objectName, checked when checked is set.
QCheckBox* CheckBox(const char* text, const char* objectName, bool checked, QWidget* parent);

// Two radio buttons that exclude each other (and no others); firstChecked
// says which one is checked.
std::pair<QRadioButton*, QRadioButton*> ExclusiveRadios(const char* firstText, const char* firstName,
                                                        const char* secondText, const char* secondName,
                                                        bool firstChecked, QWidget* parent);

// The same two, side by side in row.
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

// field with button beside it, as a row of form under a label whose
// mnemonic moves to field; field takes the row's spare width.
void AddRowWithButton(QFormLayout* form, const char* label, QWidget* field, QPushButton* button);

// A colour field's row of form: field, a swatch of its colour (ColourSwatch)
// and button, under a label whose mnemonic moves to field.
void AddColourRow(QFormLayout* form, const char* label, QLineEdit* field, QPushButton* button);

// The colour chooser over parent with the custom colours of table, opening
// at the colour edit names (black when its text is not a colour); the
// colour chosen goes into edit as its ColourText.
void ChooseColourInto(QWidget* parent, QLineEdit* edit, CustomColours& table);

}  // namespace okap
