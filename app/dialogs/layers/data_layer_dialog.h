#pragma once
// The data layer dialog ("Data layer options"): the document's data layers,
// each a data file drawn with a data format file, in drawing order. New
// copies the selected layer below itself, or, on an empty list, starts with
// the first data file and data format file found.

#include "app/dialogs/layers/layer_dialog.h"

namespace okap {

struct DataLayerDialogTB {
    ListData layers;
};

class DataLayerDialog : public LayerDialog {
    Q_OBJECT
public:
    DataLayerDialog(const DataLayerDialogTB& transfer, okapMDIChild& window);

    DataLayerDialogTB Transfer() const { return {layers}; }

    void HandleNew() override;
    // Offers every data file (data files directory) and every data format
    // file (map files directory), and puts the choice in place of the
    // selected entry.
    void HandleEdit() override;

private:
    int& Count() override;
};

}  // namespace okap
