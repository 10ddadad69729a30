#include "app/dialogs/styles/data_style_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_fields.h"
#include "app/controls/font_button.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "app/controls/symbol_button.h"
#include "app/dialogs/styles/symbol_style_dialog.h"
#include "app/dialogs/styles/text_style_dialog.h"
#include "styles/symbol_library.h"

namespace okap {

namespace {

constexpr int kBoundLength = 14;
constexpr int kLabelLength = 24;
constexpr int kSymbolButtonId = 28236;
constexpr int kLabelStyleButtonId = 28244;

}  // namespace

bool EditDataClass(okapMDIChild& window, Datafile& data, int index, QWidget* parent) {
    if (index < 0 || index >= data.ClassCount()) return false;
    DataClass& dataClass = data.classes[static_cast<size_t>(index)];
    // The sample buttons edit the class itself; Cancel puts it back.
    const DataClass saved = dataClass;
    DataStyleDialog dialog(window, data, index, parent);
    if (ExecModal(dialog) == QDialog::Accepted) return true;
    dataClass = saved;
    return false;
}

DataStyleDialog::DataStyleDialog(okapMDIChild& window, Datafile& data, int index, QWidget* parent)
    : QDialog(parent), data(data), index(index) {
    setWindowTitle("Data Display Settings");
    ReadSymbolNames(app->mapPath, symbolNames);
    const DataClassTexts texts = data.ClassTexts(index);

    lowEdit = FieldEdit(texts.low, kBoundLength, "low", this);
    highEdit = FieldEdit(texts.high, kBoundLength, "high", this);
    auto* range = new QGroupBox("Range", this);
    auto* rangeForm = new QFormLayout(range);
    rangeForm->addRow(Buddy("&Low", lowEdit), lowEdit);
    rangeForm->addRow(Buddy("&High", highEdit), highEdit);

    auto* symbol = new QGroupBox("Symbol", this);
    const RadioPair symbolRadios = MakeRadioPair("&On", "symbolOn", "O&ff", "symbolOff", texts.symbolOn, symbol);
    symbolOn = symbolRadios.first;
    symbolOff = symbolRadios.second;
    symbolButton = new TSButton(symbol, window, data, index, kSymbolButtonId);
    symbolButton->setFixedSize(56, 56);
    symbolButton->setAutoDefault(false);
    connect(symbolButton, &QPushButton::clicked, this, &DataStyleDialog::HandleSymbolStyle);
    auto* symbolForm = new QFormLayout(symbol);
    symbolForm->addRow(symbolRadios.row);
    symbolForm->addRow(Buddy("&Style", symbolButton), symbolButton);

    auto* label = new QGroupBox("Label", this);
    const RadioPair labelRadios = MakeRadioPair("O&n", "labelOn", "Off", "labelOff", texts.labelOn, label);
    labelOn = labelRadios.first;
    labelOff = labelRadios.second;
    labelEdit = FieldEdit(texts.label, kLabelLength, "label", label);
    labelStyleButton = new TFButton(label, window, Class().textStyle, "Text", kLabelStyleButtonId);
    labelStyleButton->setFixedSize(140, 56);
    labelStyleButton->setAutoDefault(false);
    connect(labelStyleButton, &QPushButton::clicked, this, &DataStyleDialog::HandleTextStyle);
    auto* labelForm = new QFormLayout(label);
    labelForm->addRow(labelRadios.row);
    labelForm->addRow(Buddy("&Text", labelEdit), labelEdit);
    labelForm->addRow(Buddy("St&yle", labelStyleButton), labelStyleButton);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DataStyleDialog::HandleOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &DataStyleDialog::reject);

    auto* columns = new QHBoxLayout;
    columns->addWidget(symbol);
    columns->addWidget(label, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(range);
    layout->addLayout(columns);
    layout->addWidget(buttons);
}

DataClassTexts DataStyleDialog::Texts() const {
    return {TextOf(lowEdit), TextOf(highEdit), symbolOn->isChecked() ? 1 : 0, labelOn->isChecked() ? 1 : 0,
            TextOf(labelEdit)};
}

void DataStyleDialog::HandleSymbolStyle() {
    DataClass& dataClass = Class();
    int changed = 0;
    SetSymbolStyle(this, symbolNames, dataClass.symbol, dataClass.plotStyle, changed);
    if (!changed) return;
    (dataClass.plotStyle.plot ? symbolOn : symbolOff)->setChecked(true);
    symbolButton->update();
}

void DataStyleDialog::HandleTextStyle() {
    TextStyle& style = Class().textStyle;
    int changed = 0;
    SetTextStyle(this, style, changed);
    if (!changed) return;
    style.SetFont();
    (style.on ? labelOn : labelOff)->setChecked(true);
    labelStyleButton->update();
}

void DataStyleDialog::HandleOk() {
    const DataClassTexts texts = Texts();
    // A bound that is no number would be written as the old value or not at
    // all; the user is asked to correct it instead.
    if (!ReadNumberField(texts.low)) return RefuseField(lowEdit, "The low value must be a number");
    if (!ReadNumberField(texts.high)) return RefuseField(highEdit, "The high value must be a number");
    data.SetClass(index, texts);
    accept();
}

}  // namespace okap
