#pragma once
// The display option dialog ("Map display options"): a document's details,
// its map box style and its grid settings, with the grid format files of the
// map files directory, whose looks the grid format editor changes.
//
// The dialog edits a working copy of the details, which OK copies into the
// document. The map box style and the grid format's styles are edited in the
// document itself, so those edits stay after Cancel too. The grid settings
// go in and out through DisplayOptionDialogTB; the Display options command
// (okapMDIChild::CMDisplayOptions) fills it and takes it back.

#include <QDialog>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/details.h"

class QLineEdit;
class QCheckBox;
class QListWidget;
class QRadioButton;

namespace okap {

class MapDocument;
class TXStyleListBox;
class okapMDIChild;

// What the grid's size and increment fields accept.
inline constexpr int kMaxGridField = 19;

// The grid settings as the dialog shows them.
struct DisplayOptionDialogTB {
    int32_t gridOn = 0;
    int32_t gridPosition = 0;  // "L", "M" or "T": 0, 1 or 2
    std::vector<std::string> gridFormats;  // the grid format files of the map files directory
    int gridFormatSelection = -1;          // the selected one, -1 for none
    std::string gridSize;       // degrees
    std::string gridIncrement;  // minor intervals per major one
    int32_t antialiasing = 0;   // "Smooth lines (antialiased)"
    friend bool operator==(const DisplayOptionDialogTB&, const DisplayOptionDialogTB&) = default;
};

// The dialog's grid settings from doc, the grid size written with 15
// significant digits; gridFormats lists the grid format files, of which the
// one naming the document's grid format file (letters compared without
// regard to case) is selected, else the first.
DisplayOptionDialogTB DisplayOptionDialogValues(const MapDocument& doc, std::vector<std::string> gridFormats);

// The grid size field as a number of degrees the grid can be drawn with: a
// finite number above 0. None for anything else.
std::optional<double> ReadGridSize(std::string_view text);
// The grid increment field as a whole number of minor intervals, at least
// 1. None for anything else.
std::optional<int> ReadGridIncrement(std::string_view text);

// The settings of a dialog ended with OK into doc: antialiasing; the grid on or off, the
// position, the selected grid format file (kept when none is selected) and
// the size and increment (each kept when its field is not one the grid can
// be drawn with).
void ApplyDisplayOptionDialogValues(const DisplayOptionDialogTB& values, MapDocument& doc);

class DisplayOptionDialog : public QDialog {
    Q_OBJECT
public:
    // Shows window's details and map box style and the grid settings of
    // values; the details are copied into the dialog's working table.
    DisplayOptionDialog(okapMDIChild& window, const DisplayOptionDialogTB& values);

    // The grid settings as they stand.
    DisplayOptionDialogTB Values() const;

    // The working table of details.
    const DetailTable& Details() const { return details; }
    int DetailCount() const { return detailCount; }

    // New: with none, the first detail; with some, a copy of the one under
    // the caret, inserted right after it and selected. Then the detail
    // editor opens on the new detail. With kMaxDetails details it says
    // "Sorry - maximum number of details reached" and changes nothing; with
    // no entry under the caret it does nothing.
    void HandleDetailNew();
    // Edit (or a double click on the details list): the detail editor on the
    // selected detail, the first when none is selected.
    void HandleDetailStyle();
    // Delete: removes the detail under the caret; nothing when there is none.
    void HandleDetailDelete();
    // A double click on the map box style list: the plot style editor on the
    // document's map box style.
    void HandleBoxStyle();
    // A double click on the grid format list: the grid format editor on the
    // selected file; after a save the list is read again with the saved file
    // selected.
    void HandleGridStyle();
    // OK: refuses a grid size or increment the grid cannot be drawn with,
    // saying why and keeping the dialog open; otherwise copies the working
    // details into the document and closes.
    void HandleSave();

    void accept() override { HandleSave(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs the detail editor on detail index and updates its list entry.
    void EditDetailAt(int index);
    // Fills the grid format list with the files of the current directory,
    // selecting the one named select (or, when none is, the one that was
    // selected before).
    void RefillGridFormats(const std::filesystem::path& select);

    okapMDIChild& window;
    DetailTable details;
    int detailCount = 0;
    QListWidget* detailList;
    TXStyleListBox* boxList;
    QCheckBox* smoothLines;
    QRadioButton* gridOn;
    QRadioButton* gridOff;
    QRadioButton* positions[3];
    QListWidget* gridFormatList;
    QLineEdit* gridSize;
    QLineEdit* gridIncrement;
};

}  // namespace okap
