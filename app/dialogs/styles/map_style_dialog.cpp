#include "app/dialogs/styles/map_style_dialog.h"

#include "app/dialogs/display/map_option_dialog.h"
#include "app/frame/okap_app.h"
#include "styles/map_format.h"
#include "styles/map_format_editing.h"

namespace okap {

MapStyleDialog::MapStyleDialog(const MapStyleDialogTB& transfer, okapMDIChild& window, QWidget* parent)
    : FileStyleDialog("Map file and display style", "Map &file", transfer.mapFiles, transfer.styles, window,
                      parent) {
    SetupWindow();
}

void MapStyleDialog::SetupWindow() {
    gformatfile = Styles().Selection();
    HandleList();
}

void MapStyleDialog::HandleList() {
    if (!Files().HasSelection()) return;
    FormatFileList list{Styles().names, Styles().selected};
    ListFittingFormats(app->mapPath, Files().Selection(), gformatfile, list);
    SetStyles({list.names, list.selected});
}

void MapStyleDialog::HandleNew() {
    if (!Files().HasSelection()) return;
    gformatfile = kNewFormatName;
    gmapfile = Files().Selection();
    if (RunMapOptionDialog(window)) HandleList();
}

void MapStyleDialog::HandleEdit() {
    if (!Styles().HasSelection()) return;
    gformatfile = Styles().Selection();
    if (RunMapOptionDialog(window)) HandleList();
}

}  // namespace okap
