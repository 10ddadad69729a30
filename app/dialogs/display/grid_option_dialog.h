#pragma once
// The grid format editor ("Grid display options"): the grid's line styles,
// ticks, labelled sides, label format and label style, and EditGridFormat,
// which reads a grid format file, runs the editor and saves the result
// through a save dialog.

#include <QDialog>
#include <filesystem>
#include <optional>
#include <string>

#include "styles/grid_format.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace okap {

class TFButton;
class TXStyleListBox;
class okapMDIChild;

class GridOptionDialog : public QDialog {
    Q_OBJECT
public:
    // Shows values over parent. The style list draws and edits the
    // document's two grid line styles and the "Style" button its grid label
    // style: those edits go into the document at once.
    GridOptionDialog(QWidget* parent, okapMDIChild& window, const GridOptionDialogTB& values);

    // The buttons and the format box as they stand.
    GridOptionDialogTB Values() const;

    // A double click (or Enter) on the style list: the plot style editor on
    // the entry under the caret.
    void HandleLineStyle();
    // The "Style" button: the text style editor on the label style, its on
    // flag taken from the labels "On"/"Off" first; the buttons follow the
    // edited flag.
    void HandleLabelStyle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TextStyle& labelStyle;
    TXStyleListBox* styleList;
    QRadioButton* ticksOn;
    QRadioButton* ticksOff;
    QRadioButton* ticksIn;
    QRadioButton* ticksOut;
    QCheckBox* left;
    QCheckBox* top;
    QCheckBox* right;
    QCheckBox* bottom;
    QRadioButton* labelsOn;
    QRadioButton* labelsOff;
    QComboBox* format;
    TFButton* sample;
};

// Edits the grid format file name of the map files directory over parent:
// reads it into the document's grid line styles and label style (keeping
// their values for lines that cannot be read), runs the editor and, on OK,
// asks for a file name in the map files directory, starting with name, and
// writes the format there. Returns the path written; none when reading or
// writing failed (after a message) or the user cancelled. The style edits
// stay in the document either way.
std::optional<std::filesystem::path> EditGridFormat(QWidget* parent, okapMDIChild& window, const std::string& name);

}  // namespace okap
