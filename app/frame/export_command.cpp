#include "app/frame/export_command.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QRegularExpression>
#include <QScopeGuard>
#include <filesystem>
#include <optional>
#include <vector>

#include "app/dialogs/file_dialog_columns.h"
#include "app/frame/mdi_child.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "app/frame/wait_cursor.h"
#include "app/frame/work_progress.h"
#include "core/globals.h"
#include "core/number_text.h"
#include "datasets/map_export.h"
#include "platform/message_box.h"

namespace okap {

namespace {

namespace fs = std::filesystem;

constexpr const char* kAllLayers = "All map layers";

// "coast.mpb (world.okf)".
QString LayerEntry(const okapFileInfo& layer) {
    return QString::fromStdString(layer.file + " (" + layer.format + ")");
}

// The layers to export: the one chosen, or all; none when the user cancels.
std::optional<std::vector<okapFileInfo>> ChooseLayers(QWidget* parent, const MapDocument& document) {
    const std::vector<okapFileInfo> layers(document.mapLayers.begin(),
                                           document.mapLayers.begin() + document.mapLayerCount);
    if (layers.size() == 1) return layers;
    QStringList entries;
    for (const okapFileInfo& layer : layers) entries << LayerEntry(layer);
    entries << kAllLayers;
    QInputDialog dialog(parent);
    dialog.setWindowTitle("Export");
    dialog.setLabelText("&Map layer to export:");
    dialog.setComboBoxItems(entries);
    dialog.setComboBoxEditable(false);
    if (ExecModal(dialog) != QDialog::Accepted) return std::nullopt;
    const qsizetype chosen = entries.indexOf(dialog.textValue());
    if (chosen < 0 || chosen == entries.size() - 1) return layers;
    return std::vector<okapFileInfo>{layers[static_cast<size_t>(chosen)]};
}

// The extension of a filter entry "Name (*.ext)": ".ext".
QString FilterExtension(const QString& filter) {
    const QRegularExpressionMatch match = QRegularExpression(R"(\(\*(\.[^ )]+)\))").match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

// The output file chosen in a save dialog; none when the user cancels. A
// name typed without an extension gets the chosen format's.
std::optional<fs::path> ChooseOutput(QWidget* parent, const QString& title, const QString& proposed) {
    static QString folder = QDir::homePath();
    QFileDialog dialog(parent, title, QDir(folder).filePath(proposed), QString::fromStdString(ExportFileFilter()));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The export itself asks before it replaces a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const auto useSuffixOf = [&dialog](const QString& filter) { dialog.setDefaultSuffix(FilterExtension(filter).mid(1)); };
    useSuffixOf(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, useSuffixOf);
    ShowColumnsWhole(dialog);
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString file = dialog.selectedFiles().constFirst();
    folder = QFileInfo(file).absolutePath();
    return fs::path(file.toStdString());
}

}  // namespace

void RunExport(QWidget* parent, okapMDIChild& child) {
    const MapDocument& document = child.Document();
    if (document.mapLayerCount == 0) return;
    const std::optional<std::vector<okapFileInfo>> layers = ChooseLayers(parent, document);
    if (!layers) return;
    const bool all = layers->size() > 1;
    const QString firstStem = QFileInfo(QString::fromStdString(layers->front().file)).completeBaseName();
    const std::optional<fs::path> chosen =
        ChooseOutput(parent, all ? "Export all map layers, each named after its map file" : "Export " + LayerEntry(layers->front()),
                     firstStem + ".geojson");
    if (!chosen || !CheckExportFormat(*chosen)) return;

    WaitCursor wait;
    const int previousBadclient = badclient;
    const auto keepBadclient = qScopeGuard([previousBadclient] { badclient = previousBadclient; });
    const fs::path maps(app->mapPath);
    std::vector<std::string> written;
    int64_t features = 0;
    for (const okapFileInfo& layer : *layers) {
        const fs::path output =
            all ? chosen->parent_path() / (fs::path(layer.file).stem().string() + chosen->extension().string()) : *chosen;
        WorkProgress progress(parent, "Export", QString::fromStdString("Exporting " + layer.file));
        ExportSummary summary;
        const int done = ExportMap(maps / layer.file, output, maps / layer.format, &summary, progress.Callback());
        progress.Close();
        if (!done) break;
        features += summary.features;
        for (const fs::path& file : summary.files) written.push_back(file.string());
    }
    if (written.empty()) return;
    std::string text = "Export done: " + FormatInt(features) + (features == 1 ? " feature" : " features") +
                       " written to";
    for (const std::string& file : written) text += "\n" + file;
    MessageBox(text, "Export", MessageButtons::Ok, MessageIcon::Information);
}

}  // namespace okap
