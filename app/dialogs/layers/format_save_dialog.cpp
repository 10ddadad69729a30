#include "app/dialogs/layers/format_save_dialog.h"

#include <QDir>
#include <QFileDialog>

#include "app/dialogs/file_dialog_columns.h"
#include "app/dialogs/modal_dialog.h"

namespace okap {

namespace {

// The Qt form of a filter kept the old way, "Description (*.ext)|*.ext|"
// (description and pattern pairs, each ended by "|"): the descriptions
// joined by ";;". The pattern of the first pair gives the default suffix:
// the extension without its "*.".
struct SaveFilter {
    std::string nameFilter;
    std::string defaultSuffix;
};

SaveFilter QtSaveFilter(std::string_view filter) {
    SaveFilter result;
    bool description = true;
    size_t start = 0;
    for (size_t bar = filter.find('|'); bar != std::string_view::npos; bar = filter.find('|', start)) {
        const std::string_view part = filter.substr(start, bar - start);
        if (description) {
            if (!result.nameFilter.empty()) result.nameFilter += ";;";
            result.nameFilter += part;
        } else if (result.defaultSuffix.empty() && part.starts_with("*.")) {
            result.defaultSuffix = part.substr(2);
        }
        description = !description;
        start = bar + 1;
    }
    return result;
}

}  // namespace

std::string AskSaveName(QWidget* parent, std::string_view filter, const std::string& startName) {
    const SaveFilter qtFilter = QtSaveFilter(filter);
    QFileDialog dialog(parent, "Save As", QDir::currentPath(), QString::fromStdString(qtFilter.nameFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The extension in the letter case the filter shows, so that the file
    // saved is listed by the filter on a file system that tells cases apart.
    dialog.setDefaultSuffix(QString::fromStdString(qtFilter.defaultSuffix));
    dialog.selectFile(QString::fromStdString(startName));
    ShowColumnsWhole(dialog);
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst().toStdString();
}

}  // namespace okap
