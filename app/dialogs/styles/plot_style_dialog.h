#pragma once
// The plot style editor ("Plot style"): SetPlotStyle edits the style of
// the entry under a style list's caret.

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "styles/plot_style.h"

class QLineEdit;
class QListWidget;
class QRadioButton;
class QWidget;

namespace okap {

class TXStyleListBox;
struct CustomColours;

// The line types in the order of their values 0 to 6.
inline constexpr std::array<const char*, 7> kLineTypeNames = {"Solid", "Dash", "Dot", "DashDot", "DashDotDot",
                                                               "Null", "InsideFrame"};

// The fill patterns as the dialog lists them, with their values.
struct FillPatternName {
    const char* name;
    int32_t value;
};
inline constexpr std::array<FillPatternName, 8> kFillPatternNames = {{{"Solid", kFillSolid},
                                                                      {"Null", kFillNull},
                                                                      {"BDiagonal", 3},
                                                                      {"Cross", 4},
                                                                      {"DiagCross", 5},
                                                                      {"FDiagonal", 2},
                                                                      {"Horizontal", 0},
                                                                      {"Vertical", 1}}};

// The dialog's fields, in the order of its controls. A list's field is the
// selected name, empty when nothing is selected.
struct PlotStyleDialogTB {
    std::string name;
    std::string id;  // read-only: the entry's number
    std::string lineColour;
    std::string thickness;
    std::string lineType;
    std::string fillColour;
    std::string fillPattern;
    bool plotOn = false;  // "Plot On" checked, else "Plot Off"
    friend bool operator==(const PlotStyleDialogTB&, const PlotStyleDialogTB&) = default;
};

// The fields for style, shown as entry number `number` named name. A line
// type outside 0 to 6 and a fill pattern the list does not hold are shown as
// "Solid".
PlotStyleDialogTB PlotStyleDialogValues(const PlotStyle& style, int32_t number, std::string_view name);

// Stores the fields in style and rebuilds its pen and brush. A line type or
// fill pattern matching no name is stored as "Solid"; a colour or thickness
// that does not read back keeps the style's old value.
void ApplyPlotStyleDialog(const PlotStyleDialogTB& values, PlotStyle& style);

// The list entry for the fields: the id right-aligned in 3 characters, a
// blank and the name.
std::string PlotStyleEntryText(const PlotStyleDialogTB& values);

// The custom colour tables of the line and fill colour buttons, one each for
// the whole run.
CustomColours& LineColourTable();
CustomColours& FillColourTable();

class PlotStyleDialog : public QDialog {
    Q_OBJECT
public:
    PlotStyleDialog(const PlotStyleDialogTB& values, QWidget* parent);

    PlotStyleDialogTB Values() const;

    // OK: a colour that is not three numbers or a thickness that is not a
    // whole number from 0 up is reported, and the dialog stays open.
    void accept() override;

    // "Select colour": the colour chosen replaces the field's text.
    void HandleLineColour();
    void HandleFillColour();

private:
    QLineEdit* nameEdit;
    QLineEdit* idEdit;
    QLineEdit* lineColourEdit;
    QLineEdit* thicknessEdit;
    QListWidget* lineTypeList;
    QLineEdit* fillColourEdit;
    QListWidget* fillPatternList;
    QRadioButton* plotOnRadio;
};

// Edits the style that the entry under list's caret draws: shows it in the
// "Plot style" dialog over parent and, on OK, stores the dialog's values in
// the style, rebuilds its pen and brush, rewrites the entry with the
// (possibly renamed) name and repaints the list. Cancel changes nothing;
// with no entry under the caret, or one whose number names no style of the
// list, nothing is shown.
void SetPlotStyle(QWidget* parent, TXStyleListBox& list);

}  // namespace okap
