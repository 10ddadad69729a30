#include "app/dialogs/layers/data_format_dialog.h"

#include <optional>

#include "app/dialogs/display/data_option_dialog.h"
#include "app/frame/okap_app.h"
#include "platform/directory_search.h"
#include "styles/map_format_editing.h"

namespace okap {

DataFormatDialog::DataFormatDialog(const DataFormatDialogTB& transfer, okapMDIChild& window, QWidget* parent)
    : FileStyleDialog("Data file and display style", "Data &file", transfer.dataFiles, transfer.styles, window,
                      parent) {}

void DataFormatDialog::HandleNew() {
    if (!Files().HasSelection()) return;
    if (const std::optional<std::string> chosen = NewDataFormat(window, Files().Selection())) Refill(*chosen);
}

void DataFormatDialog::HandleEdit() {
    if (!Files().HasSelection() || !Styles().HasSelection()) return;
    if (const std::optional<std::string> chosen = EditDataFormat(window, Files().Selection(), Styles().Selection())) {
        Refill(*chosen);
    }
}

void DataFormatDialog::Refill(const std::string& chosen) {
    if (!EnterMapDirectory(app->mapPath)) return;
    std::vector<std::string> names = FindFiles("*.okd");
    // A format saved outside the map files directory is not in the list:
    // the choice there stays.
    const std::string saved = BareFileName(chosen);
    const std::string selected = FindName(names, saved) >= 0 ? saved : Styles().Selection();
    SetStyles(ListSelecting(std::move(names), selected));
}

}  // namespace okap
