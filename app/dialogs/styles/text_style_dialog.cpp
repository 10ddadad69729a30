#include "app/dialogs/styles/text_style_dialog.h"

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
#include <algorithm>
#include <optional>
#include <vector>

#include "app/dialogs/styles/colour_chooser.h"
#include "app/dialogs/dialog_fields.h"
#include "app/dialogs/modal_dialog.h"
#include "core/number_text.h"
#include "styles/text_style.h"

namespace okap {

namespace {

// The longest texts the fields take.
constexpr int kColourLength = 19;
constexpr int kWeightLength = 19;
constexpr int kSizeLength = 19;
constexpr int kOrientationLength = 19;
constexpr int kOffsetLength = 9;

void ReadNumberInto(const std::string& text, double& value) {
    if (std::optional<double> number = ReadNumberField(text)) value = *number;
}

bool IsWeight(const std::string& text) {
    const std::optional<int32_t> weight = ReadIntField(text);
    return weight && *weight >= 0 && *weight <= 1000;
}

}  // namespace

TextStyleDialogTB TextStyleDialogValues(const TextStyle& style) {
    TextStyleDialogTB values;
    values.colour = ColourText(style.colour);
    values.weight = RightAligned(FormatInt(style.weight), 4);
    values.fontName = style.fontName;
    values.italic = style.italic != 0;
    values.justification =
        style.justification >= 0 && style.justification < static_cast<int32_t>(kJustificationNames.size())
            ? kJustificationNames[static_cast<size_t>(style.justification)]
            : kJustificationNames[0];
    values.size = FormatFixed(style.size, 6, 10);
    values.mapSize = style.sizeBasis == kSizeMap;
    values.orientation = FormatFixed(style.orientation, 6, 6);
    values.offsetX = FormatFixed(style.offsetX, 6, 6);
    values.offsetY = FormatFixed(style.offsetY, 6, 6);
    values.textOn = style.on != 0;
    return values;
}

void ApplyTextStyleDialog(const TextStyleDialogTB& values, TextStyle& style) {
    if (std::optional<Colour> colour = ReadColourText(values.colour)) style.colour = *colour;
    if (IsWeight(values.weight)) style.weight = *ReadIntField(values.weight);
    style.fontName = values.fontName.empty() ? kNoFontSelected : values.fontName;
    style.italic = values.italic ? 1 : 0;
    style.justification = kJustifyLeft;
    for (size_t i = 0; i < kJustificationNames.size(); ++i) {
        if (values.justification == kJustificationNames[i]) style.justification = static_cast<int32_t>(i);
    }
    ReadNumberInto(values.size, style.size);
    style.sizeBasis = values.mapSize ? kSizeMap : kSizeScreen;
    ReadNumberInto(values.orientation, style.orientation);
    ReadNumberInto(values.offsetX, style.offsetX);
    ReadNumberInto(values.offsetY, style.offsetY);
    style.on = values.textOn ? 1 : 0;
}

CustomColours& TextColourTable() {
    static CustomColours table;
    return table;
}

TextStyleDialog::TextStyleDialog(const TextStyleDialogTB& values, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Text style");

    auto* font = new QGroupBox("Font and colour", this);
    fontList = FontList(values.fontName, 8, "fontName", font);
    weightEdit = FieldEdit(values.weight, kWeightLength, "weight", font);
    const RadioPair italics =
        MakeRadioPair("&Italics On", "italicsOn", "Ita&lics Off", "italicsOff", values.italic, font);
    italicsOnRadio = italics.first;
    colourEdit = FieldEdit(values.colour, kColourLength, "colour", font);
    QPushButton* colourButton = Button("&Select colour", "colourButton", font);
    connect(colourButton, &QPushButton::clicked, this, &TextStyleDialog::HandleTextColour);
    auto* fontForm = new QFormLayout(font);
    fontForm->addRow("&Font name", fontList);
    fontForm->addRow("&Weight", weightEdit);
    fontForm->addRow("", italics.row);
    AddColourRow(fontForm, "&Colour", colourEdit, colourButton);

    auto* placing = new QGroupBox("Size and placing", this);
    sizeEdit = FieldEdit(values.size, kSizeLength, "size", placing);
    const RadioPair basis = MakeRadioPair("Sc&reen", "screen", "&Map", "map", !values.mapSize, placing);
    mapRadio = basis.second;
    justificationList = NameList({kJustificationNames.begin(), kJustificationNames.end()}, values.justification,
                                 true, 3, "justification", placing);
    orientationEdit = FieldEdit(values.orientation, kOrientationLength, "orientation", placing);
    offsetXEdit = FieldEdit(values.offsetX, kOffsetLength, "offsetX", placing);
    offsetYEdit = FieldEdit(values.offsetY, kOffsetLength, "offsetY", placing);
    auto* placingForm = new QFormLayout(placing);
    placingForm->addRow("Si&ze (points or degrees)", sizeEdit);
    placingForm->addRow("", basis.row);
    placingForm->addRow("&Justification", justificationList);
    placingForm->addRow("&Orientation (degrees)", orientationEdit);
    placingForm->addRow("Offset &X", offsetXEdit);
    placingForm->addRow("Offset &Y", offsetYEdit);

    const RadioPair text = MakeRadioPair("&Text On", "textOn", "T&ext Off", "textOff", values.textOn, this);
    textOnRadio = text.first;

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TextStyleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TextStyleDialog::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(font, 1);
    groups->addWidget(placing, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(text.row);
    layout->addWidget(buttons);
}

TextStyleDialogTB TextStyleDialog::Values() const {
    TextStyleDialogTB values;
    values.colour = TextOf(colourEdit);
    values.weight = TextOf(weightEdit);
    values.fontName = SelectedFontName(fontList);
    values.italic = italicsOnRadio->isChecked();
    values.justification = SelectedName(justificationList);
    values.size = TextOf(sizeEdit);
    values.mapSize = mapRadio->isChecked();
    values.orientation = TextOf(orientationEdit);
    values.offsetX = TextOf(offsetXEdit);
    values.offsetY = TextOf(offsetYEdit);
    values.textOn = textOnRadio->isChecked();
    return values;
}

void TextStyleDialog::accept() {
    if (!ReadColourText(TextOf(colourEdit)))
        return RefuseField(colourEdit, "The colour must be three whole numbers: red, green and blue.");
    if (!IsWeight(TextOf(weightEdit)))
        return RefuseField(weightEdit, "The weight must be a whole number from 0 to 1000.");
    const std::pair<QLineEdit*, const char*> numbers[] = {
        {sizeEdit, "The size must be a number."},
        {orientationEdit, "The orientation must be a number of degrees."},
        {offsetXEdit, "Offset X must be a number."},
        {offsetYEdit, "Offset Y must be a number."}};
    for (const auto& [edit, message] : numbers) {
        if (!ReadNumberField(TextOf(edit))) return RefuseField(edit, message);
    }
    QDialog::accept();
}

void TextStyleDialog::HandleTextColour() { ChooseColourInto(this, colourEdit, TextColourTable()); }

void SetTextStyle(QWidget* parent, TextStyle& style, int& changed) {
    changed = 0;
    TextStyleDialog dialog(TextStyleDialogValues(style), parent);
    if (ExecModal(dialog) != QDialog::Accepted) return;
    changed = 1;
    ApplyTextStyleDialog(dialog.Values(), style);
}

}  // namespace okap
