#pragma once
// The data format editor ("Data Display Settings"): the legend settings and
// the symbol classes of a data format file, made new for a data file or
// read from an existing format file, and saved through a save dialog.

#include <QDialog>
#include <array>
#include <optional>
#include <string>

#include "data/datafile.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace okap {

class TFButton;
class TXStyleListBox;
class TXSymbolListBox;
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

// The dialog over the format half of data, whose data file is open (New and
// Auto take the data range from it). The classes are edited in data as the
// buttons are pressed; the legend's plot styles and the texts are taken
// only by OK.
class DataOptionDialog : public QDialog {
    Q_OBJECT
public:
    DataOptionDialog(okapMDIChild& window, Datafile& data, const DataOptionTexts& texts, QWidget* parent = nullptr);

    TXSymbolListBox& ClassList() const { return *classList; }
    TXStyleListBox& StyleList() const { return *styleList; }
    // Auto's method and class count.
    QComboBox& MethodBox() const { return *methodBox; }
    QSpinBox& CountBox() const { return *countBox; }
    // The legend texts as they stand.
    DataOptionTexts Texts() const;

    // The class buttons. Each works on the class under the list's caret
    // and does nothing when there is none (New makes the first class of a
    // format without classes).
    void HandleNew();
    void HandleEdit();
    void HandleDelete();
    // Auto: as many classes as the class count asks, split by the method
    // chosen beside it, which the format then keeps.
    void HandleAuto();
    // The legend's plot styles (double click, or the button under the list)
    // and the legend name's text style.
    void HandlePlotStyle();
    void HandleTextStyle();
    // OK: refuses texts the format file could not hold, with the dialog
    // left open; otherwise stores the legend's plot styles and "Avoid label
    // overlaps" in data and closes.
    void HandleOk();

private:
    // The class list again from data: one entry per class, its label,
    // selected when the class is plotted; the caret on row caret.
    void FillClassList(int caret);

    okapMDIChild& window;
    Datafile& data;
    // The legend border and the symbol join line, as the style list shows
    // them.
    std::array<PlotStyle, 2> legendStyles;

    TXSymbolListBox* classList;
    TXStyleListBox* styleList;
    QComboBox* methodBox;
    QSpinBox* countBox;
    QLineEdit* positionEdit;
    QLineEdit* columnsEdit;
    QRadioButton* titleOn;
    QRadioButton* titleOff;
    QLineEdit* nameEdit;
    TFButton* nameStyleButton;
    QRadioButton* legendOn;
    QRadioButton* legendOff;
    QCheckBox* avoidOverlaps;
};

}  // namespace okap
