#include "app/dialogs/layers/data_layer_dialog.h"

#include <QDialog>
#include <optional>

#include "app/dialogs/layers/data_format_dialog.h"
#include "app/frame/mdi_child.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "platform/directory_search.h"
#include "styles/map_format_editing.h"

namespace okap {

DataLayerDialog::DataLayerDialog(const DataLayerDialogTB& transfer, okapMDIChild& window)
    : LayerDialog("Data layer options", "Data &layers", transfer.layers, kMaxDataLayers, window) {}

int& DataLayerDialog::Count() { return window.Document().dataLayerCount; }

void DataLayerDialog::HandleNew() {
    if (NewFromSelection("Sorry - maximum number of data layers reached")) return;
    if (!EnterDataDirectory(app->dataPath)) return;
    const std::optional<std::string> data = FirstFile("*.dat", "No data files (.dat) in current data file path");
    if (!data) return;
    if (!EnterMapDirectory(app->mapPath)) return;
    const std::optional<std::string> format =
        FirstFile("*.okd", "No data format (.okd) files in current map file path");
    if (!format) return;
    AddFirst({*data, *format});
    HandleEdit();
}

void DataLayerDialog::HandleEdit() {
    if (Count() <= 0 || !layers.HasSelection()) return;
    const okapFileInfo current = SplitLayerEntry(layers.Selection());
    if (!EnterDataDirectory(app->dataPath)) return;
    ListData dataFiles = ListSelecting(FindFiles("*.dat"), current.file);
    // Data format files live with the map files.
    if (!EnterMapDirectory(app->mapPath)) return;
    DataFormatDialogTB choice{std::move(dataFiles), ListSelecting(FindFiles("*.okd"), current.format)};

    DataFormatDialog dialog(choice, window, this);
    if (ExecModal(dialog) != QDialog::Accepted) return;
    choice = dialog.Transfer();
    if (!choice.dataFiles.HasSelection() || !choice.styles.HasSelection()) return;
    ReplaceSelection({choice.dataFiles.Selection(), choice.styles.Selection()});
}

}  // namespace okap
