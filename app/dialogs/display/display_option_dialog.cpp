#include "app/dialogs/display/display_option_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <span>

#include "app/dialogs/styles/detail_style_dialog.h"
#include "app/dialogs/dialog_fields.h"
#include "app/dialogs/display/grid_option_dialog.h"
#include "app/frame/mdi_child.h"
#include "app/dialogs/styles/plot_style_dialog.h"
#include "app/controls/style_list_box.h"
#include "core/number_text.h"
#include "platform/directory_search.h"
#include "platform/message_box.h"
#include "styles/grid_format.h"
#include "view/map_document.h"

namespace okap {

namespace {

constexpr int kBoxStyleListId = 28030;

}  // namespace

DisplayOptionDialogTB DisplayOptionDialogValues(const MapDocument& doc, std::vector<std::string> gridFormats) {
    DisplayOptionDialogTB values;
    values.gridOn = doc.gridOn != 0;
    values.gridPosition = doc.gridPosition;
    values.gridSize = FormatGeneral(doc.gridSize, 15);
    values.gridIncrement = FormatInt(doc.gridIncrement);
    values.antialiasing = doc.antialiasing != 0;
    const int named = FindName(gridFormats, doc.gridFormatFile);
    if (named >= 0) {
        values.gridFormatSelection = named;
    } else if (!gridFormats.empty()) {
        values.gridFormatSelection = 0;
    }
    values.gridFormats = std::move(gridFormats);
    return values;
}

std::optional<double> ReadGridSize(std::string_view text) {
    const std::optional<double> size = ReadWholeDouble(text);
    if (!size || !(*size > 0.0)) return std::nullopt;
    return size;
}

std::optional<int> ReadGridIncrement(std::string_view text) {
    const std::optional<int32_t> value = ReadIntField(text);
    if (!value || *value < 1) return std::nullopt;
    return *value;
}

void ApplyDisplayOptionDialogValues(const DisplayOptionDialogTB& values, MapDocument& doc) {
    if (std::optional<double> size = ReadGridSize(values.gridSize)) doc.gridSize = *size;
    if (std::optional<int> increment = ReadGridIncrement(values.gridIncrement)) doc.gridIncrement = *increment;
    doc.gridOn = values.gridOn ? 1 : 0;
    const int selection = values.gridFormatSelection;
    if (selection >= 0 && selection < static_cast<int>(values.gridFormats.size())) {
        doc.gridFormatFile = values.gridFormats[static_cast<size_t>(selection)];
    }
    doc.gridPosition = values.gridPosition;
    doc.antialiasing = values.antialiasing ? 1 : 0;
}

DisplayOptionDialog::DisplayOptionDialog(okapMDIChild& window, const DisplayOptionDialogTB& values)
    : QDialog(&window), window(window) {
    setWindowTitle("Map display options");
    MapDocument& doc = window.Document();
    details = doc.details;
    detailCount = std::clamp(doc.detailCount, 0, kMaxDetails);

    // The details, with New, Edit and Delete.
    detailList = new QListWidget(this);
    detailList->setObjectName("details");
    for (int i = 0; i < detailCount; ++i) {
        detailList->addItem(QString::fromStdString(DetailListEntry(details[static_cast<size_t>(i)])));
    }
    if (detailCount > 0) detailList->setCurrentRow(0);
    detailList->setMinimumWidth(340);
    detailList->installEventFilter(this);
    connect(detailList, &QListWidget::itemDoubleClicked, this, &DisplayOptionDialog::HandleDetailStyle);
    QLabel* detailLabel = Buddy("Map deta&ils", detailList);
    QPushButton* newButton = Button("Ne&w", "new", this);
    QPushButton* editButton = Button("&Edit", "edit", this);
    QPushButton* deleteButton = Button("&Delete", "delete", this);
    connect(newButton, &QPushButton::clicked, this, &DisplayOptionDialog::HandleDetailNew);
    connect(editButton, &QPushButton::clicked, this, &DisplayOptionDialog::HandleDetailStyle);
    connect(deleteButton, &QPushButton::clicked, this, &DisplayOptionDialog::HandleDetailDelete);
    auto* detailButtons = new QHBoxLayout;
    detailButtons->addWidget(newButton);
    detailButtons->addWidget(editButton);
    detailButtons->addWidget(deleteButton);
    detailButtons->addStretch();

    // The map box style: its one entry draws the document's first style.
    boxList = new TXStyleListBox(this, std::span<PlotStyle>(doc.mapBoxStyles), kBoxStyleListId);
    boxList->addItem("  1 Map box");
    boxList->setCurrentRow(0);
    boxList->setMaximumHeight(boxList->sizeHintForRow(0) + 2 * boxList->frameWidth() + 8);
    boxList->installEventFilter(this);
    connect(boxList, &QListWidget::itemDoubleClicked, this, &DisplayOptionDialog::HandleBoxStyle);
    QLabel* boxLabel = Buddy("Map &box display styles", boxList);

    auto* detailsColumn = new QVBoxLayout;
    detailsColumn->addWidget(detailLabel);
    detailsColumn->addWidget(detailList);
    detailsColumn->addLayout(detailButtons);
    detailsColumn->addSpacing(8);
    detailsColumn->addWidget(boxLabel);
    detailsColumn->addWidget(boxList);
    smoothLines = new QCheckBox("S&mooth lines (antialiased)", this);
    smoothLines->setObjectName("smoothLines");
    smoothLines->setToolTip("Draws lines and edges smooth on screen, in pictures and in print");
    smoothLines->setChecked(values.antialiasing != 0);
    detailsColumn->addWidget(smoothLines);

    // The grid.
    const RadioPair onOff = MakeRadioPair("On", "gridOn", "Off", "gridOff", values.gridOn, this);
    gridOn = onOff.first;
    gridOff = onOff.second;

    auto* positionGroup = new QButtonGroup(this);
    auto* positionRow = new QHBoxLayout;
    const char* positionTexts[] = {"&L", "&M", "&T"};
    const char* positionTips[] = {"Under the map layers", "Between the map and data layers", "Over the data layers"};
    for (int i = 0; i < 3; ++i) {
        positions[i] = new QRadioButton(positionTexts[i], this);
        positions[i]->setObjectName(QString("position%1").arg(i));
        positions[i]->setToolTip(positionTips[i]);
        positionGroup->addButton(positions[i], i);
        positionRow->addWidget(positions[i]);
    }
    positionRow->addStretch();
    positions[values.gridPosition >= 0 && values.gridPosition < 3 ? values.gridPosition : 0]->setChecked(true);

    gridFormatList = new QListWidget(this);
    gridFormatList->setObjectName("gridFormats");
    for (const std::string& name : values.gridFormats) gridFormatList->addItem(QString::fromStdString(name));
    if (values.gridFormatSelection >= 0) gridFormatList->setCurrentRow(values.gridFormatSelection);
    gridFormatList->setToolTip("Double click (or Enter) edits the grid format");
    gridFormatList->installEventFilter(this);
    connect(gridFormatList, &QListWidget::itemDoubleClicked, this, &DisplayOptionDialog::HandleGridStyle);

    gridSize = FieldEdit(values.gridSize, kMaxGridField, "gridSize", this);
    gridIncrement = FieldEdit(values.gridIncrement, kMaxGridField, "gridIncrement", this);

    auto* grid = new QGroupBox("&Grid", this);
    auto* gridForm = new QFormLayout(grid);
    gridForm->addRow(onOff.row);
    gridForm->addRow("Position", positionRow);
    gridForm->addRow("&Style", gridFormatList);
    gridForm->addRow("Si&ze (deg)", gridSize);
    gridForm->addRow("Mino&r inc", gridIncrement);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DisplayOptionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DisplayOptionDialog::reject);

    auto* columns = new QHBoxLayout;
    columns->addLayout(detailsColumn);
    columns->addWidget(grid);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
}

DisplayOptionDialogTB DisplayOptionDialog::Values() const {
    DisplayOptionDialogTB values;
    values.gridOn = gridOn->isChecked() ? 1 : 0;
    for (int i = 0; i < 3; ++i) {
        if (positions[i]->isChecked()) values.gridPosition = i;
    }
    for (int i = 0; i < gridFormatList->count(); ++i) {
        values.gridFormats.push_back(gridFormatList->item(i)->text().toStdString());
    }
    values.gridFormatSelection = SelectedRow(gridFormatList);
    values.gridSize = TextOf(gridSize);
    values.gridIncrement = TextOf(gridIncrement);
    values.antialiasing = smoothLines->isChecked() ? 1 : 0;
    return values;
}

void DisplayOptionDialog::EditDetailAt(int index) {
    std::string& detail = details[static_cast<size_t>(index)];
    if (EditDetail(this, window, detail)) {
        detailList->item(index)->setText(QString::fromStdString(DetailListEntry(detail)));
    }
}

void DisplayOptionDialog::HandleDetailNew() {
    const int caret = detailList->currentRow();
    if (detailCount > 0 && detailCount < kMaxDetails && caret < 0) return;
    const int index = NewDetail(details, detailCount, caret);
    if (index < 0) return;
    detailList->insertItem(index, QString::fromStdString(DetailListEntry(details[static_cast<size_t>(index)])));
    detailList->setCurrentRow(index);
    EditDetailAt(index);
}

void DisplayOptionDialog::HandleDetailStyle() {
    const int index = DetailToEdit(detailCount, SelectedRow(detailList));
    if (index < 0) return;
    EditDetailAt(index);
}

void DisplayOptionDialog::HandleDetailDelete() {
    const int caret = detailList->currentRow();
    if (caret < 0 || caret >= detailCount) return;
    DeleteDetail(details, detailCount, caret);
    delete detailList->takeItem(caret);
    // The caret stays on a detail, so that the buttons go on working.
    if (detailCount > 0) detailList->setCurrentRow(std::min(caret, detailCount - 1));
}

void DisplayOptionDialog::HandleBoxStyle() {
    if (boxList->currentRow() < 0) return;
    SetPlotStyle(this, *boxList);
}

void DisplayOptionDialog::HandleGridStyle() {
    const int row = SelectedRow(gridFormatList);
    if (row < 0) return;
    const std::string name = gridFormatList->item(row)->text().toStdString();
    if (std::optional<std::filesystem::path> saved = EditGridFormat(this, window, name)) RefillGridFormats(*saved);
}

void DisplayOptionDialog::RefillGridFormats(const std::filesystem::path& select) {
    const QString before = QString::fromStdString(SelectedName(gridFormatList));
    const std::vector<std::string> names = GridFormatFiles();
    gridFormatList->clear();
    for (const std::string& name : names) gridFormatList->addItem(QString::fromStdString(name));

    // A file saved in another directory is not one of the list's, even when
    // it has the name of one.
    std::error_code error;
    const bool here = std::filesystem::equivalent(select.parent_path(), std::filesystem::current_path(), error);
    int row = here ? FindGridFormatEntry(names, select) : -1;
    if (row < 0 && !before.isEmpty()) {
        const QList<QListWidgetItem*> same = gridFormatList->findItems(before, Qt::MatchExactly);
        if (!same.isEmpty()) row = gridFormatList->row(same.constFirst());
    }
    if (row >= 0) gridFormatList->setCurrentRow(row);
}

void DisplayOptionDialog::HandleSave() {
    const DisplayOptionDialogTB values = Values();
    if (!ReadGridSize(values.gridSize)) {
        ShowError("Grid size must be a number of degrees above 0");
        gridSize->setFocus();
        return;
    }
    if (!ReadGridIncrement(values.gridIncrement)) {
        ShowError("Minor inc must be a whole number of 1 or more");
        gridIncrement->setFocus();
        return;
    }
    MapDocument& doc = window.Document();
    doc.details = details;
    doc.detailCount = detailCount;
    QDialog::accept();
}

bool DisplayOptionDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a list does what a double click does, rather than closing
    // the dialog.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == detailList) {
                HandleDetailStyle();
                return true;
            }
            if (watched == boxList) {
                HandleBoxStyle();
                return true;
            }
            if (watched == gridFormatList) {
                HandleGridStyle();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace okap
