#include "app/dialogs/styles/plot_style_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>
#include <vector>

#include "app/dialogs/styles/colour_chooser.h"
#include "app/dialogs/dialog_fields.h"
#include "app/dialogs/modal_dialog.h"
#include "app/controls/style_list_box.h"
#include "core/number_text.h"
#include "styles/map_format.h"

namespace okap {

namespace {

// The longest texts the fields take.
constexpr int kNameLength = 99;
constexpr int kIdLength = 4;
constexpr int kColourLength = 19;
constexpr int kThicknessLength = 9;

std::vector<std::string> LineTypeNames() { return {kLineTypeNames.begin(), kLineTypeNames.end()}; }

std::vector<std::string> FillPatternNames() {
    std::vector<std::string> names;
    for (const FillPatternName& pattern : kFillPatternNames) names.emplace_back(pattern.name);
    return names;
}

}  // namespace

PlotStyleDialogTB PlotStyleDialogValues(const PlotStyle& style, int32_t number, std::string_view name) {
    PlotStyleDialogTB values;
    values.name = std::string(name);
    values.id = FormatInt(number).substr(0, 3);
    values.lineColour = ColourText(style.lineColour);
    values.thickness = RightAligned(FormatInt(style.lineWidth), 3);
    values.lineType = style.lineType >= 0 && style.lineType < static_cast<int32_t>(kLineTypeNames.size())
                          ? kLineTypeNames[static_cast<size_t>(style.lineType)]
                          : kLineTypeNames[0];
    values.fillColour = ColourText(style.fillColour);
    values.fillPattern = kFillPatternNames[0].name;
    for (const FillPatternName& pattern : kFillPatternNames) {
        if (pattern.value == style.fillPattern) values.fillPattern = pattern.name;
    }
    values.plotOn = style.plot != 0;
    return values;
}

void ApplyPlotStyleDialog(const PlotStyleDialogTB& values, PlotStyle& style) {
    if (std::optional<Colour> colour = ReadColourText(values.lineColour)) style.lineColour = *colour;
    if (std::optional<int32_t> width = ReadIntField(values.thickness); width && *width >= 0) style.lineWidth = *width;
    style.lineType = 0;
    for (size_t i = 0; i < kLineTypeNames.size(); ++i) {
        if (values.lineType == kLineTypeNames[i]) style.lineType = static_cast<int32_t>(i);
    }
    if (std::optional<Colour> colour = ReadColourText(values.fillColour)) style.fillColour = *colour;
    style.fillPattern = kFillSolid;
    for (const FillPatternName& pattern : kFillPatternNames) {
        if (values.fillPattern == pattern.name) style.fillPattern = pattern.value;
    }
    style.SetPen();
    style.SetBrush();
    style.plot = values.plotOn ? 1 : 0;
}

std::string PlotStyleEntryText(const PlotStyleDialogTB& values) {
    return RightAligned(values.id, 3) + ' ' + values.name;
}

CustomColours& LineColourTable() {
    static CustomColours table;
    return table;
}

CustomColours& FillColourTable() {
    static CustomColours table;
    return table;
}

PlotStyleDialog::PlotStyleDialog(const PlotStyleDialogTB& values, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Plot style");

    nameEdit = FieldEdit(values.name, kNameLength, "name", this);
    idEdit = FieldEdit(values.id, kIdLength, "id", this);
    idEdit->setReadOnly(true);
    idEdit->setMaximumWidth(idEdit->fontMetrics().horizontalAdvance("0000") + 16);
    auto* top = new QFormLayout;
    top->addRow("&Name", nameEdit);
    top->addRow("I&d", idEdit);

    auto* line = new QGroupBox("Line", this);
    lineColourEdit = FieldEdit(values.lineColour, kColourLength, "lineColour", line);
    QPushButton* lineColourButton = Button("&Select colour", "lineColourButton", line);
    connect(lineColourButton, &QPushButton::clicked, this, &PlotStyleDialog::HandleLineColour);
    thicknessEdit = FieldEdit(values.thickness, kThicknessLength, "thickness", line);
    lineTypeList = NameList(LineTypeNames(), values.lineType, false, 7, "lineType", line);
    auto* lineForm = new QFormLayout(line);
    AddColourRow(lineForm, "&Colour", lineColourEdit, lineColourButton);
    lineForm->addRow("&Thickness", thicknessEdit);
    lineForm->addRow("T&ype", lineTypeList);

    auto* fill = new QGroupBox("Fill", this);
    fillColourEdit = FieldEdit(values.fillColour, kColourLength, "fillColour", fill);
    QPushButton* fillColourButton = Button("S&elect colour", "fillColourButton", fill);
    connect(fillColourButton, &QPushButton::clicked, this, &PlotStyleDialog::HandleFillColour);
    fillPatternList = NameList(FillPatternNames(), values.fillPattern, false, 8, "fillPattern", fill);
    auto* fillForm = new QFormLayout(fill);
    AddColourRow(fillForm, "Co&lour", fillColourEdit, fillColourButton);
    fillForm->addRow("&Pattern", fillPatternList);

    const RadioPair plot = MakeRadioPair("Plot &On", "plotOn", "Plot O&ff", "plotOff", values.plotOn, this);
    plotOnRadio = plot.first;

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PlotStyleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PlotStyleDialog::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(line, 1);
    groups->addWidget(fill, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    layout->addLayout(plot.row);
    layout->addWidget(buttons);
}

PlotStyleDialogTB PlotStyleDialog::Values() const {
    return {TextOf(nameEdit),
            TextOf(idEdit),
            TextOf(lineColourEdit),
            TextOf(thicknessEdit),
            SelectedName(lineTypeList),
            TextOf(fillColourEdit),
            SelectedName(fillPatternList),
            plotOnRadio->isChecked()};
}

void PlotStyleDialog::accept() {
    if (!ReadColourText(TextOf(lineColourEdit))) {
        return RefuseField(lineColourEdit, "The line colour must be three whole numbers: red, green and blue.");
    }
    if (std::optional<int32_t> width = ReadIntField(TextOf(thicknessEdit)); !width || *width < 0) {
        return RefuseField(thicknessEdit, "The thickness must be a whole number from 0 up.");
    }
    if (!ReadColourText(TextOf(fillColourEdit))) {
        return RefuseField(fillColourEdit, "The fill colour must be three whole numbers: red, green and blue.");
    }
    QDialog::accept();
}

void PlotStyleDialog::HandleLineColour() { ChooseColourInto(this, lineColourEdit, LineColourTable()); }

void PlotStyleDialog::HandleFillColour() { ChooseColourInto(this, fillColourEdit, FillColourTable()); }

void SetPlotStyle(QWidget* parent, TXStyleListBox& list) {
    QListWidgetItem* entry = list.currentItem();
    if (entry == nullptr) return;
    const std::string text = entry->text().toStdString();
    const std::optional<int32_t> number = EntryFeatureNumber(text);
    const std::span<PlotStyle> styles = list.Styles();
    if (!number || *number < 1 || static_cast<size_t>(*number) > styles.size()) return;
    PlotStyle& style = styles[static_cast<size_t>(*number - 1)];

    PlotStyleDialog dialog(PlotStyleDialogValues(style, *number, EntryFeatureName(text)), parent);
    if (ExecModal(dialog) != QDialog::Accepted) return;
    const PlotStyleDialogTB values = dialog.Values();
    // The entry keeps its place, its selection (which marks a plotted
    // feature in the feature lists) and the caret; only its text changes.
    entry->setText(QString::fromStdString(PlotStyleEntryText(values)));
    ApplyPlotStyleDialog(values, style);
    list.viewport()->update();
}

}  // namespace okap
