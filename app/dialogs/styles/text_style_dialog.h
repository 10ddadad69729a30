#pragma once
// The text style editor ("Text style").

#include <QDialog>
#include <array>
#include <string>

#include "app/controls/font_list.h"

class QLineEdit;
class QListWidget;
class QRadioButton;
class QWidget;

namespace okap {

class TextStyle;
struct CustomColours;

// The justifications in the order of their values 0 to 2 (the dialog's list
// shows them sorted).
inline constexpr std::array<const char*, 3> kJustificationNames = {"Left", "Right", "Centre"};

// The font name stored when the dialog is closed with no font selected.
inline constexpr const char* kNoFontSelected = "Courier";

// The dialog's fields, in the order of its controls. A list's field is the
// selected name, empty when nothing is selected.
struct TextStyleDialogTB {
    std::string colour;
    std::string weight;
    std::string fontName;
    bool italic = false;  // "Italics On" checked, else "Italics Off"
    std::string justification;
    std::string size;
    bool mapSize = false;  // "Map" checked, else "Screen"
    std::string orientation;
    std::string offsetX;
    std::string offsetY;
    bool textOn = false;  // "Text On" checked, else "Text Off"
    friend bool operator==(const TextStyleDialogTB&, const TextStyleDialogTB&) = default;
};

// The fields for style. A justification outside 0 to 2 is shown as "Left";
// the font name is shown as it is (FontList).
TextStyleDialogTB TextStyleDialogValues(const TextStyle& style);

// Stores the fields in style; its font is not rebuilt. No font name (none
// selected) is stored as kNoFontSelected, a justification
// matching no name as "Left"; a number or colour that does not read back
// keeps the style's old value.
void ApplyTextStyleDialog(const TextStyleDialogTB& values, TextStyle& style);

// The custom colour table of the "Select colour" button, for the whole run.
CustomColours& TextColourTable();

class TextStyleDialog : public QDialog {
    Q_OBJECT
public:
    TextStyleDialog(const TextStyleDialogTB& values, QWidget* parent);

    TextStyleDialogTB Values() const;

    // OK: a field that does not read back (a colour that is not three
    // numbers, a weight that is not a whole number from 0 to 1000, a size,
    // orientation or offset that is not a number) is reported, and the
    // dialog stays open.
    void accept() override;

    // "Select colour": the colour chosen replaces the colour field's text.
    void HandleTextColour();

private:
    QLineEdit* colourEdit;
    QLineEdit* weightEdit;
    QListWidget* fontList;
    QRadioButton* italicsOnRadio;
    QListWidget* justificationList;
    QLineEdit* sizeEdit;
    QRadioButton* mapRadio;
    QLineEdit* orientationEdit;
    QLineEdit* offsetXEdit;
    QLineEdit* offsetYEdit;
    QRadioButton* textOnRadio;
};

// Shows style in the "Text style" dialog over parent. On OK stores the
// dialog's values in style (its font is not rebuilt: the caller calls
// SetFont when it next draws) and sets changed to 1; on Cancel sets it to 0
// and leaves style alone.
void SetTextStyle(QWidget* parent, TextStyle& style, int& changed);

}  // namespace okap
