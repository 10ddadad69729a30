#pragma once
// What the two layer dialogs ("Map layer options", "Data layer options")
// share: the list of a document's layers as "file [format]" entries with the
// buttons New, Edit and Delete (a double click edits too), and OK and
// Cancel. The document's layer count follows the entries as they are added
// and deleted while the dialog is open; the command that runs the dialog
// writes the layer table from the list, and only after OK.

#include <QDialog>
#include <string_view>

#include "app/controls/layer_list.h"

class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace okap {

class okapMDIChild;

class LayerDialog : public QDialog {
    Q_OBJECT
public:
    // The list as it stands: entries and selection.
    const ListData& Layers() const { return layers; }

    virtual void HandleNew() = 0;
    virtual void HandleEdit() = 0;
    // Deletes the selected entry and counts it off the document; nothing
    // when none is selected.
    virtual void HandleDelete();

protected:
    // layers start the list; capacity is the size of the document's table.
    LayerDialog(const QString& title, const QString& listLabel, const ListData& layers, int capacity,
                okapMDIChild& window);

    // The document's count of the layers listed.
    virtual int& Count() = 0;

    // New with layers present: at capacity shows fullMessage; otherwise
    // copies the selected entry below itself, selects and counts the copy
    // and edits it (nothing without a selection). Returns false only when
    // the document has no layers yet, which each dialog handles its own way.
    bool NewFromSelection(std::string_view fullMessage);
    // The first layer of an empty list: added, selected and counted.
    void AddFirst(const okapFileInfo& layer);
    // The selected entry becomes layer.
    void ReplaceSelection(const okapFileInfo& layer);

    // Puts a group of controls between the list and OK / Cancel.
    void AddBelowList(QWidget* widget);

    okapMDIChild& window;
    ListData layers;

private:
    // Shows the entries and the selection, and which buttons apply to them.
    void RefreshList();

    const int capacity;
    QListWidget* list;
    QPushButton* newButton;
    QPushButton* editButton;
    QPushButton* deleteButton;
    QVBoxLayout* layout;
};

}  // namespace okap
