#pragma once
// The detail editor ("Detail Settings"): one detail's kind (a text, a scale
// bar or a north arrow), its text (a scale bar's unit instead, a north
// arrow's letter), its position as fractions of the view and its text
// style, shown on a sample button.

#include <QDialog>
#include <string>
#include <string_view>

#include "data/details.h"

class QComboBox;
class QFormLayout;
class QLineEdit;
class QRadioButton;

namespace okap {

class TFButton;
class TextStyle;
class okapMDIChild;

// The position field as the drawing reads it: x and y, two finite numbers
// and nothing else. False for anything else.
bool ReadDetailPosition(std::string_view position, double& x, double& y);

class DetailStyleDialog : public QDialog {
    Q_OBJECT
public:
    // Shows values over parent; style is the document's working detail style
    // (not owned), which the sample button shows and the style editor edits.
    DetailStyleDialog(QWidget* parent, okapMDIChild& window, TextStyle& style, const DetailStyleDialogTB& values);

    // The fields as they stand.
    DetailStyleDialogTB Values() const;

    // The sample button: edits the style with the text style editor, its on
    // flag taken from "Text On"/"Text Off" first; the buttons follow the
    // edited flag.
    void HandleTextStyle();

    // A change of kind: shows the unit or the text field and, while the
    // position is still that of a new detail, moves it to where a detail of
    // the kind usually goes; a north arrow's letter starts as "N".
    void HandleKind();

    // OK: refuses a text holding a double quote (it would end the text in
    // the detail string and spoil what follows) and a position that is not
    // two numbers, saying why and keeping the dialog open.
    void accept() override;

private:
    // Shows the fields of the chosen kind.
    void ShowKindFields();

    TextStyle& style;
    QFormLayout* form;
    QComboBox* kindBox;
    QComboBox* unitBox;
    QLineEdit* textEdit;
    QLineEdit* positionEdit;
    TFButton* sample;
    QRadioButton* textOn;
    QRadioButton* textOff;
};

// Edits detail with the editor over parent: its style is read into the
// document's working detail style, and on OK the detail is rebuilt from the
// fields and that style. Returns true on OK; Cancel leaves detail alone.
bool EditDetail(QWidget* parent, okapMDIChild& window, std::string& detail);

}  // namespace okap
