#include "app/dialogs/display/grid_option_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <initializer_list>
#include <span>
#include <tuple>

#include "app/dialogs/dialog_fields.h"
#include "app/controls/font_button.h"
#include "app/dialogs/layers/format_save_dialog.h"
#include "app/frame/mdi_child.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "app/dialogs/styles/plot_style_dialog.h"
#include "app/controls/style_list_box.h"
#include "app/dialogs/styles/text_style_dialog.h"
#include "core/latlong.h"

namespace okap {

namespace {

constexpr int kStyleListId = 28058;
constexpr int kStyleButtonId = 28060;

// A group box titled title holding widgets two to a row, in the order given.
QGroupBox* TwoColumns(const char* title, std::initializer_list<QWidget*> widgets, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QGridLayout(group);
    int place = 0;
    for (QWidget* widget : widgets) {
        layout->addWidget(widget, place / 2, place % 2);
        ++place;
    }
    return group;
}

}  // namespace

GridOptionDialog::GridOptionDialog(QWidget* parent, okapMDIChild& window, const GridOptionDialogTB& values)
    : QDialog(parent), labelStyle(window.Document().gridLabelStyle) {
    setWindowTitle("Grid display options");
    MapDocument& doc = window.Document();

    styleList = new TXStyleListBox(this, std::span<PlotStyle>(doc.gridStyles), kStyleListId);
    styleList->addItems({"  1 Major grid", "  2 Minor grid"});
    styleList->setCurrentRow(0);
    styleList->setMinimumWidth(260);
    styleList->setMaximumHeight(styleList->sizeHintForRow(0) * 2 + 2 * styleList->frameWidth() + 8);
    styleList->installEventFilter(this);
    connect(styleList, &QListWidget::itemDoubleClicked, this, &GridOptionDialog::HandleLineStyle);
    QLabel* styleLabel = Buddy("Grid line &display styles", styleList);

    std::tie(ticksOn, ticksOff) = ExclusiveRadios("On", "ticksOn", "Off", "ticksOff", values.ticksOn, this);
    std::tie(ticksIn, ticksOut) = ExclusiveRadios("&In", "ticksIn", "O&ut", "ticksOut", values.ticksIn, this);
    QGroupBox* ticks = TwoColumns("Tic&ks", {ticksOn, ticksOff, ticksIn, ticksOut}, this);

    left = CheckBox("&Left", "left", values.left, this);
    top = CheckBox("&Top", "top", values.top, this);
    right = CheckBox("&Right", "right", values.right, this);
    bottom = CheckBox("&Bottom", "bottom", values.bottom, this);
    QGroupBox* axes = TwoColumns("Axes", {left, top, right, bottom}, this);

    std::tie(labelsOn, labelsOff) = ExclusiveRadios("On", "labelsOn", "Off", "labelsOff", values.labelsOn, this);
    format = new QComboBox(this);
    format->setObjectName("format");
    for (const char* name : PositionFormat) format->addItem(name);
    format->setCurrentIndex(values.labelFormat >= 0 && values.labelFormat < format->count() ? values.labelFormat : 0);
    sample = new TFButton(this, window, labelStyle, "Text", kStyleButtonId);
    sample->setMinimumSize(160, 60);
    connect(sample, &QPushButton::clicked, this, &GridOptionDialog::HandleLabelStyle);
    QGroupBox* labels = TwoColumns(
        "L&abels", {labelsOn, labelsOff, Buddy("&Format", format), format, Buddy("&Style", sample), sample}, this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &GridOptionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GridOptionDialog::reject);

    auto* switches = new QHBoxLayout;
    switches->addWidget(ticks);
    switches->addWidget(axes);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(styleLabel);
    layout->addWidget(styleList);
    layout->addLayout(switches);
    layout->addWidget(labels);
    layout->addWidget(buttons);
}

GridOptionDialogTB GridOptionDialog::Values() const {
    GridOptionDialogTB values;
    values.ticksOn = ticksOn->isChecked() ? 1 : 0;
    values.ticksIn = ticksIn->isChecked() ? 1 : 0;
    values.left = left->isChecked() ? 1 : 0;
    values.top = top->isChecked() ? 1 : 0;
    values.right = right->isChecked() ? 1 : 0;
    values.bottom = bottom->isChecked() ? 1 : 0;
    values.labelsOn = labelsOn->isChecked() ? 1 : 0;
    values.labelFormat = format->currentIndex();
    return values;
}

void GridOptionDialog::HandleLineStyle() {
    if (styleList->currentRow() < 0) return;
    SetPlotStyle(this, *styleList);
}

void GridOptionDialog::HandleLabelStyle() {
    labelStyle.on = labelsOn->isChecked() ? 1 : 0;
    int changed = 0;
    SetTextStyle(this, labelStyle, changed);
    if (!changed) return;
    (labelStyle.on ? labelsOn : labelsOff)->setChecked(true);
    sample->update();
}

bool GridOptionDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter edits the style under the caret, as a double click does, rather
    // than closing the dialog.
    if (watched == styleList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            HandleLineStyle();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<std::filesystem::path> EditGridFormat(QWidget* parent, okapMDIChild& window, const std::string& name) {
    MapDocument& doc = window.Document();
    // Lines that cannot be read keep the document's styles.
    GridFormat format;
    format.majorStyle = doc.gridStyles[0];
    format.minorStyle = doc.gridStyles[1];
    format.labelStyle = doc.gridLabelStyle;
    if (!LoadGridFormatForEditing(app->mapPath, name, format)) return std::nullopt;
    doc.gridStyles[0] = format.majorStyle;
    doc.gridStyles[1] = format.minorStyle;
    doc.gridLabelStyle = format.labelStyle;

    GridOptionDialog dialog(parent, window, GridOptionDialogValues(format));
    if (ExecModal(dialog) != QDialog::Accepted) return std::nullopt;

    if (!MapPathIsCurrent()) return std::nullopt;
    const std::string chosen = AskSaveName(parent, kGridFormatFilter, name);
    if (chosen.empty()) return std::nullopt;
    const std::filesystem::path path = chosen;

    // The styles as the editor left them, with the dialog's switches.
    format.majorStyle = doc.gridStyles[0];
    format.minorStyle = doc.gridStyles[1];
    format.labelStyle = doc.gridLabelStyle;
    ApplyGridOptionDialogValues(dialog.Values(), format);
    doc.gridLabelStyle.on = format.labelStyle.on;
    if (!SaveGridFormat(path, name, format)) return std::nullopt;
    return path;
}

}  // namespace okap
