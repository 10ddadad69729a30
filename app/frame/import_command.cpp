#include "app/frame/import_command.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>
#include <optional>

#include "app/dialogs/translator/import_dialog.h"
#include "app/dialogs/layers/map_file_projection.h"
#include "app/frame/map_window.h"
#include "app/frame/mdi_child.h"
#include "app/frame/mdi_client.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "core/number_text.h"
#include "core/projection.h"
#include "platform/message_box.h"

namespace okap {

namespace {

namespace fs = std::filesystem;

// The projection of a document's base map; none without map layers or when
// its header cannot be read.
std::optional<MapProjection> BaseProjection(okapMDIChild* child) {
    if (child == nullptr || child->Document().mapLayerCount == 0) return std::nullopt;
    return HeaderProjectionUnshown((fs::path(app->mapPath) / child->Document().mapLayers[0].file).string());
}

// What the import wrote, for the question where it goes.
std::string ImportedText(const MapImportSummary& summary) {
    const auto counted = [](int64_t n, const char* one, const char* many) {
        return FormatInt(n) + ' ' + (n == 1 ? one : many);
    };
    return "Imported " + FeatureCountText(summary.counts) + ".\n" +
           counted(static_cast<int64_t>(summary.types), "feature type", "feature types") + ", " +
           counted(summary.translation.segmentsWritten, "segment", "segments") + " and " +
           counted(summary.translation.pointsWritten, "point", "points") + " written to " +
           fs::path(summary.translation.outputFile).filename().string() + " with its map format " +
           fs::path(summary.formatFile).filename().string() + ".";
}

}  // namespace

void AddImportedLayer(okapMDIChild& child, const std::string& map, const std::string& format) {
    MapDocument& document = child.Document();
    if (document.mapLayerCount >= kMaxMapLayers) {
        ShowError("Sorry - maximum number of map layers reached");
        return;
    }
    document.mapLayers[static_cast<size_t>(document.mapLayerCount++)] = {map, format};
    // A map's first base map is shown whole.
    if (document.mapLayerCount == 1) {
        child.CMMapFullScale();
    } else {
        child.View()->Repaint();
    }
}

void RunImport(QWidget* parent, okapMDIClient& client) {
    if (!MapPathIsCurrent()) return;
    okapMDIChild* active = client.ActiveChild();
    MapImportSettings settings;
    settings.translator.outputName = "";
    const std::optional<MapProjection> base = BaseProjection(active);
    if (base) {
        settings.translator.projectionName = Projections[static_cast<size_t>(ProjectionIndex(base->code))];
        settings.translator.originLongitude = base->origin.Long.GetString();
        settings.translator.originLatitude = base->origin.Lat.GetString();
    }
    ImportDialog dialog(settings, app->mapPath, parent);
    if (ExecModal(dialog) != QDialog::Accepted) return;

    const MapImportSummary& summary = dialog.Summary();
    const std::string map = fs::path(summary.translation.outputFile).filename().string();
    const std::string format = fs::path(summary.formatFile).filename().string();
    // The map can join the active document when it would be its base map
    // or shares the base map's projection.
    std::string text = ImportedText(summary);
    bool canAdd = false;
    if (active != nullptr) {
        const std::optional<MapProjection> imported =
            HeaderProjectionUnshown((fs::path(app->mapPath) / map).string());
        canAdd = active->Document().mapLayerCount == 0 || (base && imported && *base == *imported);
        if (!canAdd)
            text += "\n\nIts projection is not that of the base map of " + active->Document().title +
                    ": it can open in a new document.";
    }
    QMessageBox question(QMessageBox::Question, "Import", QString::fromStdString(text), QMessageBox::NoButton,
                         parent);
    QPushButton* add = nullptr;
    if (canAdd) {
        add = question.addButton("&Add to " + QFileInfo(QString::fromStdString(active->Document().title)).fileName(),
                                 QMessageBox::AcceptRole);
        add->setObjectName("addToDocument");
    }
    QPushButton* open = question.addButton("Open in a &new document", QMessageBox::AcceptRole);
    open->setObjectName("newDocument");
    question.addButton("&Close", QMessageBox::RejectRole)->setObjectName("close");
    question.setDefaultButton(add ? add : open);
    ExecModal(question);
    if (add != nullptr && question.clickedButton() == add) {
        AddImportedLayer(*active, map, format);
    } else if (question.clickedButton() == open) {
        AddImportedLayer(*client.NewDocument(), map, format);
    }
}

}  // namespace okap
