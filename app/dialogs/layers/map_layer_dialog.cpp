#include "app/dialogs/layers/map_layer_dialog.h"

#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPalette>
#include <optional>

#include "app/dialogs/dialog_fields.h"
#include "app/dialogs/layers/map_file_projection.h"
#include "app/dialogs/styles/map_style_dialog.h"
#include "app/frame/mdi_child.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "core/globals.h"
#include "core/number_text.h"
#include "core/projection.h"
#include "mapfiles/mapfile.h"
#include "platform/directory_search.h"
#include "platform/message_box.h"
#include "styles/map_format_editing.h"

namespace okap {

namespace {

// Names the map files left out of a listing, once for all of them.
void ReportUnreadableMapFiles(const std::vector<std::string>& names) {
    if (names.empty()) return;
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    ShowStatus(QString::fromStdString("Skipped map files whose header cannot be read: " + list));
}

// Not a FieldEdit: the projection fields only show what the base map layer
// says, start empty (ShowProjection fills them) and cannot be typed into.
QLineEdit* ReadOnlyField(const char* name, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setMaxLength(maxLength);
    // On the dialog's own colour, so that they do not invite typing.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
    return edit;
}

}  // namespace

MapLayerDialog::MapLayerDialog(const MapLayerDialogTB& transfer, okapMDIChild& window)
    : LayerDialog("Map layer options", "Map &layers", transfer.layers, kMaxMapLayers, window) {
    auto* group = new QGroupBox("Base map projection", this);
    // The widths of the texts the dialog shows, terminators aside.
    typeEdit = ReadOnlyField("projectionType", 49, group);
    longitudeEdit = ReadOnlyField("originLongitude", 29, group);
    latitudeEdit = ReadOnlyField("originLatitude", 29, group);
    offsetEdit = ReadOnlyField("projectionOffset", 1, group);
    auto* form = new QFormLayout(group);
    form->addRow("&Projection", typeEdit);
    form->addRow("Origin lon&gitude", longitudeEdit);
    form->addRow("Origin la&titude", latitudeEdit);
    form->addRow("Longitude o&ffset mode", offsetEdit);
    AddBelowList(group);
    ShowProjection(transfer.projectionType, transfer.originLongitude, transfer.originLatitude,
                   transfer.projectionOffset);
    SetupWindow();
}

void MapLayerDialog::SetupWindow() {
    if (Count() >= 1 && !layers.names.empty()) SetProjection(SplitLayerEntry(layers.names.front()).file);
}

int& MapLayerDialog::Count() { return window.Document().mapLayerCount; }

MapLayerDialogTB MapLayerDialog::Transfer() const {
    return {layers, TextOf(typeEdit), TextOf(longitudeEdit), TextOf(latitudeEdit), TextOf(offsetEdit)};
}

void MapLayerDialog::ShowProjection(const std::string& type, const std::string& longitude,
                                    const std::string& latitude, const std::string& offset) {
    typeEdit->setText(QString::fromStdString(type));
    longitudeEdit->setText(QString::fromStdString(longitude));
    latitudeEdit->setText(QString::fromStdString(latitude));
    offsetEdit->setText(QString::fromStdString(offset));
}

void MapLayerDialog::SetProjection(const std::string& mapfile) {
    if (!EnterMapDirectory(app->mapPath)) return;
    const std::optional<MapProjection> projection = ReadMapProjection(mapfile);
    if (!projection) return;
    baseIndex = ProjectionIndex(projection->code);
    baseOrigin = projection->origin;
    baseOffset = projection->offset;
    ShowProjection(Projections[static_cast<size_t>(baseIndex)], baseOrigin.Long.GetString(),
                   baseOrigin.Lat.GetString(), FormatInt(baseOffset));
}

void MapLayerDialog::HandleNew() {
    if (NewFromSelection("Sorry - maximum number of map layers reached")) return;
    if (!EnterMapDirectory(app->mapPath)) return;
    const std::optional<std::string> map = FirstFile("*.mpb", "No map files (.mpb) in current map file path");
    if (!map) return;
    const std::optional<std::string> format =
        FirstFile("*.okf", "No map format (.okf) files in current map file path");
    if (!format) return;
    AddFirst({*map, *format});
    firstLayer = true;
    HandleEdit();
    firstLayer = false;
    SetProjection(SplitLayerEntry(layers.Selection()).file);
}

void MapLayerDialog::HandleEdit() {
    if (Count() <= 0 || !layers.HasSelection()) return;
    const okapFileInfo current = SplitLayerEntry(layers.Selection());
    if (!EnterMapDirectory(app->mapPath)) return;

    // Only the map files that share the base projection are offered. One
    // whose header cannot be read is not, and is named in the status bar
    // rather than in a message box of its own, so that one broken file
    // does not stop every document's Edit.
    std::vector<std::string> offered;
    std::vector<std::string> unreadable;
    for (const std::string& name : FindFiles("*.mpb")) {
        if (!firstLayer) {
            const std::optional<MapProjection> projection = HeaderProjectionUnshown(name);
            if (!projection) {
                unreadable.push_back(name);
                continue;
            }
            if (projection->code != Projection_Codes[static_cast<size_t>(baseIndex)] ||
                !(projection->origin == baseOrigin) || projection->offset != baseOffset) {
                continue;
            }
        }
        offered.push_back(name);
    }
    ReportUnreadableMapFiles(unreadable);
    MapStyleDialogTB choice{ListSelecting(std::move(offered), current.file),
                            ListSelecting(FindFiles("*.okf"), current.format)};

    MapStyleDialog dialog(choice, window, this);
    if (ExecModal(dialog) != QDialog::Accepted) return;
    choice = dialog.Transfer();
    if (!choice.mapFiles.HasSelection() || !choice.styles.HasSelection()) return;
    ReplaceSelection({choice.mapFiles.Selection(), choice.styles.Selection()});
}

void MapLayerDialog::HandleDelete() {
    LayerDialog::HandleDelete();
    if (layers.names.empty()) ShowProjection(" ", " ", " ", " ");
}

}  // namespace okap
