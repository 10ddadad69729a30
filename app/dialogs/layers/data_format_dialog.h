#pragma once
// The data file and display style dialog ("Data file and display style"):
// one data file and one data format file for a data layer. New and Edit open
// the data format editor; a format it saves is then chosen in the list.

#include <string>

#include "app/dialogs/styles/file_style_dialog.h"

namespace okap {

struct DataFormatDialogTB {
    ListData dataFiles;
    ListData styles;
};

class DataFormatDialog : public FileStyleDialog {
    Q_OBJECT
public:
    DataFormatDialog(const DataFormatDialogTB& transfer, okapMDIChild& window, QWidget* parent = nullptr);

    DataFormatDialogTB Transfer() const { return {Files(), Styles()}; }

    // A new format for the selected data file.
    void HandleNew() override;
    // The selected format with the selected data file.
    void HandleEdit() override;

private:
    // The data format files of the map files directory again, the one just
    // saved at path chosen selected.
    void Refill(const std::string& chosen);
};

}  // namespace okap
