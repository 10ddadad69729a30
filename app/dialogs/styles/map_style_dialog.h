#pragma once
// The map file and display style dialog ("Map file and display style"): one
// map file and one map format file for a map layer. The style list offers
// only the format files that fit the chosen map file, that is those whose
// features are exactly the segment types the map file holds; New and Edit
// open the format editor, after which the list is made again.

#include "app/dialogs/styles/file_style_dialog.h"

namespace okap {

struct MapStyleDialogTB {
    ListData mapFiles;
    ListData styles;
};

class MapStyleDialog : public FileStyleDialog {
    Q_OBJECT
public:
    // The style selected in transfer becomes the current format name
    // (gformatfile), and the style list is made for the selected map file.
    MapStyleDialog(const MapStyleDialogTB& transfer, okapMDIChild& window, QWidget* parent = nullptr);

    MapStyleDialogTB Transfer() const { return {Files(), Styles()}; }

    // A new format for the selected map file.
    void HandleNew() override;
    // The selected format; nothing when none is selected.
    void HandleEdit() override;
    // The format files that fit the selected map file, the current format
    // name selected (else the first).
    void HandleList();

private:
    void SetupWindow();
    void FileChanged() override { HandleList(); }
};

}  // namespace okap
