#include "app/dialogs/display/map_option_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_fields.h"
#include "app/dialogs/layers/format_save_dialog.h"
#include "app/frame/mdi_child.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "app/dialogs/styles/plot_style_dialog.h"
#include "app/controls/style_list_box.h"
#include "styles/map_format_editing.h"

namespace okap {

namespace {

constexpr int kFeatureListId = 28038;

}  // namespace

bool RunMapOptionDialog(okapMDIChild& window) {
    FeatureStyles& styles = window.Document().featureStyles;
    std::vector<FeatureEntry> entries;
    // Without its features the dialog would offer to save an empty format
    // over the one it could not read.
    if (!FillFeatureList(app->mapPath, gformatfile, gmapfile, styles, entries)) return false;
    MapOptionDialog dialog(styles, entries, &window);
    return ExecModal(dialog) == QDialog::Accepted;
}

MapOptionDialog::MapOptionDialog(FeatureStyles& styles, const std::vector<FeatureEntry>& entries, QWidget* parent)
    : QDialog(parent), styles(styles) {
    setWindowTitle("Map Display Settings");

    list = new TXStyleListBox(this, styles, kFeatureListId);
    list->setMinimumSize(360, 260);
    for (const FeatureEntry& entry : entries) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.text), list);
        item->setSelected(entry.selected);
    }
    if (list->count() > 0) list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    connect(list, &QListWidget::itemSelectionChanged, this, &MapOptionDialog::FollowSelection);
    connect(list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        // The first click of a double click has switched the entry's
        // selection, and so its feature's plot flag; a double click asks to
        // edit the feature, not to switch it.
        item->setSelected(!item->isSelected());
        HandlePlotStyle();
    });

    QPushButton* edit = Button("&Edit", "button10", this);
    connect(edit, &QPushButton::clicked, this, &MapOptionDialog::HandlePlotStyle);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &MapOptionDialog::HandlePlotSave);
    connect(buttons, &QDialogButtonBox::rejected, this, &MapOptionDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(edit);
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Buddy("Map &features", list));
    layout->addWidget(list, 1);
    layout->addLayout(bottom);
}

std::vector<FeatureEntry> MapOptionDialog::Entries() const {
    std::vector<FeatureEntry> entries;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        entries.push_back({item->text().toStdString(), item->isSelected()});
    }
    return entries;
}

PlotStyle* MapOptionDialog::EntryStyle(int row) const {
    const std::optional<int32_t> number = EntryFeatureNumber(list->item(row)->text().toStdString());
    if (!number || !IsFeatureNumber(*number)) return nullptr;
    return &styles[static_cast<size_t>(*number - 1)];
}

void MapOptionDialog::FollowSelection() {
    if (following) return;
    for (int row = 0; row < list->count(); ++row) {
        if (PlotStyle* style = EntryStyle(row)) style->plot = list->item(row)->isSelected() ? 1 : 0;
    }
    // The samples of switched-off features are crossed.
    list->viewport()->update();
}

void MapOptionDialog::SelectPlotted() {
    following = true;
    for (int row = 0; row < list->count(); ++row) {
        if (const PlotStyle* style = EntryStyle(row)) list->item(row)->setSelected(style->plot != 0);
    }
    following = false;
}

void MapOptionDialog::HandlePlotStyle() {
    const int row = list->currentRow();
    if (row < 0) return;
    // The style editor rewrites the entry; its selection must not be read
    // as the user's until it is made to match the edited plot flag.
    following = true;
    SetPlotStyle(this, *list);
    following = false;
    SelectPlotted();
    list->setCurrentRow(row, QItemSelectionModel::NoUpdate);
}

void MapOptionDialog::HandlePlotSave() {
    if (!EnterMapDirectory(app->mapPath)) return;
    const std::string chosen = AskSaveName(this, kMapFormatFilter, FormatSaveStartName(gformatfile));
    if (SaveFeatureList(chosen, Entries(), styles, gformatfile)) accept();
}

}  // namespace okap
