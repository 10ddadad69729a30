#pragma once
// The map format editor ("Map Display Settings"): the features of a map
// format file with their plot styles.

#include <QDialog>
#include <vector>

#include "styles/map_format.h"

namespace okap {

class TXStyleListBox;
class okapMDIChild;

// Edits the current format gformatfile ("new000" for a new format, whose
// features come from the segment types of gmapfile) over window. OK saves
// the format through a save dialog and gformatfile becomes the saved file's
// name. Returns true when the dialog ended with OK. When the feature list
// cannot be made (its message has been shown) no dialog is shown and
// nothing is saved.
bool RunMapOptionDialog(okapMDIChild& window);

// The dialog over a feature style table (the document's working copy).
// Selected entries are the plotted features: selecting or deselecting an
// entry in the list switches its feature's plot flag, and editing a style
// marks its entry by the plot flag it was given.
class MapOptionDialog : public QDialog {
    Q_OBJECT
public:
    // Lists entries; the caret starts on the first.
    MapOptionDialog(FeatureStyles& styles, const std::vector<FeatureEntry>& entries, QWidget* parent = nullptr);

    TXStyleListBox& List() const { return *list; }
    // The list as it stands, in list order.
    std::vector<FeatureEntry> Entries() const;

    // The Edit button and a double click: the plot style dialog on the
    // feature under the caret (nothing when there is none).
    void HandlePlotStyle();
    // OK: asks for the file name and saves; the dialog closes when the
    // format was saved or the save dialog cancelled, and stays open after a
    // failure.
    void HandlePlotSave();

private:
    // The plot flag of each entry's feature from the entry's selection, and
    // the other way round.
    void FollowSelection();
    void SelectPlotted();
    PlotStyle* EntryStyle(int row) const;

    FeatureStyles& styles;
    TXStyleListBox* list;
    bool following = false;  // set while the selection is being made to match
};

}  // namespace okap
