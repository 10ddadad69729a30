#pragma once
// The class editor of a data format ("Data Display Settings"): the value
// range, symbol, label and label style of one symbol class.

#include <QDialog>
#include <string>
#include <vector>

#include "data/datafile.h"

class QLineEdit;
class QRadioButton;

namespace okap {

class TFButton;
class TSButton;
class okapMDIChild;

// Edits class index of data in the class dialog over parent. OK stores the
// dialog's bounds, flags and label; Cancel leaves the class as it was, its
// symbol and styles too. Returns true after OK.
bool EditDataClass(okapMDIChild& window, Datafile& data, int index, QWidget* parent);

// The dialog over class index of data. Its symbol and label style are
// edited in data as their buttons are pressed (so the samples show them);
// bounds, flags and label are taken by OK.
class DataStyleDialog : public QDialog {
    Q_OBJECT
public:
    // Reads the symbol library's names for the symbol choice (a failure is
    // reported and leaves the names read until then).
    DataStyleDialog(okapMDIChild& window, Datafile& data, int index, QWidget* parent = nullptr);

    // The fields as they stand.
    DataClassTexts Texts() const;
    const std::vector<std::string>& SymbolNames() const { return symbolNames; }

    // The symbol sample button: the symbol choice on the class's symbol and
    // plot style; the symbol's On/Off follows the plot flag chosen.
    void HandleSymbolStyle();
    // The label sample button: the text style dialog on the class's label
    // style; the label's On/Off follows the style's on flag.
    void HandleTextStyle();
    // OK: refuses bounds that are not numbers, with the dialog left open;
    // otherwise stores the fields in the class and closes.
    void HandleOk();

private:
    DataClass& Class() const { return data.classes[static_cast<size_t>(index)]; }

    Datafile& data;
    int index;
    std::vector<std::string> symbolNames;

    QLineEdit* lowEdit;
    QLineEdit* highEdit;
    QRadioButton* symbolOn;
    QRadioButton* symbolOff;
    TSButton* symbolButton;
    QRadioButton* labelOn;
    QRadioButton* labelOff;
    QLineEdit* labelEdit;
    TFButton* labelStyleButton;
};

}  // namespace okap
