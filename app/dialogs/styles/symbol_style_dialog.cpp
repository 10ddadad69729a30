#include "app/dialogs/styles/symbol_style_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>

#include "app/dialogs/dialog_fields.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "app/dialogs/styles/plot_style_dialog.h"
#include "app/controls/style_list_box.h"
#include "core/number_text.h"
#include "styles/symbol.h"
#include "styles/symbol_library.h"
#include "styles/text_style.h"

namespace okap {

namespace {

constexpr int kStyleListId = 28258;
constexpr int kSizeLength = 19;

}  // namespace

SymbolStyleDialogTB SymbolStyleDialogValues(const std::vector<std::string>& names, const Symbol& symbol,
                                            const PlotStyle& plot) {
    SymbolStyleDialogTB values;
    values.names = names;
    values.symbolName = symbol.name;
    values.mapSize = symbol.sizeBasis != kSizeScreen;
    values.size = FormatFixed(symbol.size, 6, 10);
    values.plotOn = plot.plot != 0;
    return values;
}

SymbolStyleDialog::SymbolStyleDialog(const SymbolStyleDialogTB& values, const PlotStyle& plot, QWidget* parent)
    : QDialog(parent), displayStyle(plot) {
    setWindowTitle("Symbol style");

    styleList = new TXStyleListBox(this, {&displayStyle, 1}, kStyleListId);
    styleList->addItem(kDisplayStyleEntry);
    styleList->setCurrentRow(0);
    styleList->setFixedHeight(styleList->sizeHintForRow(0) + 2 * styleList->frameWidth());
    connect(styleList, &QListWidget::itemDoubleClicked, this, &SymbolStyleDialog::HandlePlotStyle);
    // The keyboard's way to the plot style editor.
    QPushButton* editStyle = Button("&Edit display style", "editDisplayStyle", this);
    connect(editStyle, &QPushButton::clicked, this, &SymbolStyleDialog::HandlePlotStyle);

    nameList = NameList(values.names, values.symbolName, true, 8, "symbolName", this);
    const RadioPair basis = MakeRadioPair("&Screen", "screen", "&Map", "map", !values.mapSize, this);
    mapRadio = basis.second;
    sizeEdit = FieldEdit(values.size, kSizeLength, "size", this);
    const RadioPair plotSwitch = MakeRadioPair("&Plot On", "plotOn", "Plot O&ff", "plotOff", values.plotOn, this);
    plotOnRadio = plotSwitch.first;
    plotOffRadio = plotSwitch.second;

    auto* form = new QFormLayout;
    AddRowWithButton(form, "&Display style", styleList, editStyle);
    form->addRow("Symbol &name", nameList);
    form->addRow("Size basis", basis.row);
    form->addRow("Si&ze (points or degrees)", sizeEdit);
    form->addRow("", plotSwitch.row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SymbolStyleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SymbolStyleDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

SymbolStyleDialogTB SymbolStyleDialog::Values() const {
    SymbolStyleDialogTB values;
    for (int i = 0; i < nameList->count(); ++i) values.names.push_back(nameList->item(i)->text().toStdString());
    values.symbolName = SelectedName(nameList);
    values.mapSize = mapRadio->isChecked();
    values.size = TextOf(sizeEdit);
    values.plotOn = plotOnRadio->isChecked();
    return values;
}

void SymbolStyleDialog::accept() {
    if (!ReadNumberField(TextOf(sizeEdit))) return RefuseField(sizeEdit, "The size must be a number.");
    QDialog::accept();
}

void SymbolStyleDialog::HandlePlotStyle() {
    // The editor works on the entry under the caret: the only one.
    styleList->setCurrentRow(0);
    displayStyle.plot = plotOnRadio->isChecked() ? 1 : 0;
    SetPlotStyle(this, *styleList);
    (displayStyle.plot != 0 ? plotOnRadio : plotOffRadio)->setChecked(true);
}

void SetSymbolStyle(QWidget* parent, const std::vector<std::string>& names, Symbol& symbol, PlotStyle& plot,
                    int& changed) {
    changed = 0;
    SymbolStyleDialog dialog(SymbolStyleDialogValues(names, symbol, plot), plot, parent);
    if (ExecModal(dialog) != QDialog::Accepted) return;
    changed = 1;
    const SymbolStyleDialogTB values = dialog.Values();
    // The look was settled by the plot style editor's own OK; the plot flag
    // is the one shown here, and is taken below with the size.
    const int32_t plotFlag = plot.plot;
    plot = dialog.DisplayStyle();
    plot.plot = plotFlag;

    const std::string name = values.symbolName.substr(0, kMaxSymbolName);
    if (!ReadSymbolOutline(app->mapPath, name, symbol)) return;
    symbol.sizeBasis = values.mapSize ? kSizeMap : kSizeScreen;
    if (std::optional<double> size = ReadNumberField(values.size)) symbol.size = *size;
    plot.plot = values.plotOn ? 1 : 0;
}

}  // namespace okap
