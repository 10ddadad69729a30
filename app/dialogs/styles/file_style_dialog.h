#pragma once
// What the two file-and-style dialogs ("Map file and display style", "Data
// file and display style") share: a drop-down list of files, a drop-down
// list of format files (display styles) with the buttons New and Edit that
// make and change format files, the program's logo, and OK and Cancel. OK
// needs a choice in both lists.

#include <QDialog>

#include "app/controls/layer_list.h"

class QComboBox;
class QPushButton;

namespace okap {

class okapMDIChild;

class FileStyleDialog : public QDialog {
    Q_OBJECT
public:
    const ListData& Files() const { return files; }
    const ListData& Styles() const { return styles; }

    virtual void HandleNew() = 0;
    virtual void HandleEdit() = 0;

protected:
    FileStyleDialog(const QString& title, const QString& fileLabel, const ListData& files, const ListData& styles,
                    okapMDIChild& window, QWidget* parent);

    // Replaces the list of format files and its selection.
    void SetStyles(ListData list);
    // Another file was chosen.
    virtual void FileChanged() {}

    okapMDIChild& window;

private:
    // Shows a list in its drop-down list, and whether OK applies.
    void Show(QComboBox* box, const ListData& list);

    ListData files;
    ListData styles;
    QComboBox* fileBox;
    QComboBox* styleBox;
    QPushButton* okButton;
};

}  // namespace okap
