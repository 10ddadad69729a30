#include "app/dialogs/display/data_option_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "app/dialogs/styles/data_style_dialog.h"
#include "app/dialogs/dialog_fields.h"
#include "app/controls/font_button.h"
#include "app/dialogs/layers/format_save_dialog.h"
#include "app/frame/mdi_child.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "app/dialogs/styles/plot_style_dialog.h"
#include "app/controls/style_list_box.h"
#include "app/controls/symbol_list_box.h"
#include "app/dialogs/styles/text_style_dialog.h"
#include "platform/message_box.h"

namespace okap {

namespace {

constexpr char kDataFormatFilter[] = "Data Format Files (*.okd)|*.okd|";
constexpr char kNewDataFormatName[] = "new000.okd";

constexpr int kClassListId = 28192;
constexpr int kStyleListId = 28180;
constexpr int kNameStyleButtonId = 28186;
constexpr int kPositionLength = 24;
constexpr int kColumnsLength = 2;
constexpr int kNameLength = 39;
// The class count Auto offers for a format without classes.
constexpr int kDefaultClassCount = 5;

// Writes the format edited with texts to the file the user chooses in the
// map files directory. The chosen path when the file was written.
std::optional<std::string> SaveDataFormat(okapMDIChild& window, Datafile& data, const DataOptionTexts& texts,
                                          const std::string& startName) {
    if (!MapPathIsCurrent()) return std::nullopt;
    const std::string chosen = AskSaveName(&window, kDataFormatFilter, startName);
    if (chosen.empty() || !data.WriteFormat(chosen, texts)) return std::nullopt;
    return chosen;
}

std::optional<std::string> EditAndSave(okapMDIChild& window, Datafile& data, const DataOptionTexts& texts,
                                       const std::string& startName) {
    DataOptionDialog dialog(window, data, texts, &window);
    if (ExecModal(dialog) != QDialog::Accepted) return std::nullopt;
    return SaveDataFormat(window, data, dialog.Texts(), startName);
}

// On the heap: the class tables are large.
std::unique_ptr<Datafile> MakeDatafile(okapMDIChild& window) {
    return std::make_unique<Datafile>(window.Document().projection, app->mapPath, app->dataPath);
}

}  // namespace

std::optional<std::string> NewDataFormat(okapMDIChild& window, const std::string& dataName) {
    std::unique_ptr<Datafile> data = MakeDatafile(window);
    data->formatType = 0;
    if (!data->OpenInfile(dataName)) {
        ShowError("Error reading from data file " + dataName);
        return std::nullopt;
    }
    data->legendNameStyle.SetFont();
    data->avoidLabelOverlaps = 1;
    return EditAndSave(window, *data, DataOptionTexts{}, kNewDataFormatName);
}

std::optional<std::string> EditDataFormat(okapMDIChild& window, const std::string& dataName,
                                          const std::string& formatName) {
    std::unique_ptr<Datafile> data = MakeDatafile(window);
    if (!data->ReadFormat(formatName)) {
        ShowError("Error reading from format file " + formatName);
        return std::nullopt;
    }
    if (!data->OpenInfile(dataName)) {
        ShowError("Error reading from data file " + dataName);
        return std::nullopt;
    }
    return EditAndSave(window, *data, OptionTexts(*data), formatName);
}

DataOptionDialog::DataOptionDialog(okapMDIChild& window, Datafile& data, const DataOptionTexts& texts,
                                   QWidget* parent)
    : QDialog(parent), window(window), data(data), legendStyles{data.legendBorderStyle, data.symbolJoinStyle} {
    setWindowTitle("Data Display Settings");

    // The classes.
    classList = new TXSymbolListBox(this, data, kClassListId);
    classList->setMinimumSize(340, 240);
    // Auto's method, in the order of ClassMethod, and its class count.
    methodBox = new QComboBox(this);
    methodBox->setObjectName("classMethod");
    methodBox->addItems({"Equal intervals", "Quantiles", "Natural breaks"});
    methodBox->setCurrentIndex(static_cast<int>(data.classMethod));
    countBox = new QSpinBox(this);
    countBox->setObjectName("classCount");
    countBox->setRange(1, kMaxDataClasses);
    countBox->setValue(kDefaultClassCount);
    FillClassList(0);
    connect(classList, &QListWidget::itemDoubleClicked, this, &DataOptionDialog::HandleEdit);
    auto* newButton = Button("&New", "button8", this);
    auto* editButton = Button("&Edit", "button10", this);
    auto* deleteButton = Button("Dele&te", "button11", this);
    auto* autoButton = Button("&Auto", "button12", this);
    connect(newButton, &QPushButton::clicked, this, &DataOptionDialog::HandleNew);
    connect(editButton, &QPushButton::clicked, this, &DataOptionDialog::HandleEdit);
    connect(deleteButton, &QPushButton::clicked, this, &DataOptionDialog::HandleDelete);
    connect(autoButton, &QPushButton::clicked, this, &DataOptionDialog::HandleAuto);
    auto* classButtons = new QHBoxLayout;
    for (QPushButton* button : {newButton, editButton, deleteButton, autoButton}) classButtons->addWidget(button);
    classButtons->addStretch();
    auto* autoRow = new QHBoxLayout;
    autoRow->addWidget(Buddy("&Method", methodBox));
    autoRow->addWidget(methodBox);
    autoRow->addSpacing(8);
    autoRow->addWidget(Buddy("&Classes", countBox));
    autoRow->addWidget(countBox);
    autoRow->addStretch();
    auto* classes = new QVBoxLayout;
    classes->addWidget(Buddy("&Data display format", classList));
    classes->addWidget(classList, 1);
    classes->addLayout(classButtons);
    classes->addLayout(autoRow);
    avoidOverlaps = new QCheckBox("A&void label overlaps", this);
    avoidOverlaps->setObjectName("avoidLabelOverlaps");
    avoidOverlaps->setChecked(data.avoidLabelOverlaps != 0);
    classes->addWidget(avoidOverlaps);

    // The legend's plot styles.
    styleList = new TXStyleListBox(this, legendStyles, kStyleListId);
    styleList->addItems({"  1 Legend border", "  2 Symbol join line"});
    styleList->item(0)->setSelected(true);
    styleList->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    styleList->setFixedHeight(styleList->sizeHintForRow(0) * 2 + 2 * styleList->frameWidth() + 4);
    connect(styleList, &QListWidget::itemDoubleClicked, this, &DataOptionDialog::HandlePlotStyle);
    auto* styleButton = Button("C&hange style", "changeStyle", this);
    connect(styleButton, &QPushButton::clicked, this, &DataOptionDialog::HandlePlotStyle);
    auto* styleRow = new QHBoxLayout;
    styleRow->addStretch();
    styleRow->addWidget(styleButton);

    // The legend box.
    auto* legend = new QGroupBox("Legend", this);
    const RadioPair legendRadios =
        MakeRadioPair("Le&gend On", "legendOn", "&Legend Off", "legendOff", texts.legend, legend);
    legendOn = legendRadios.first;
    legendOff = legendRadios.second;
    positionEdit = FieldEdit(texts.position, kPositionLength, "position", legend);
    columnsEdit = FieldEdit(texts.columns, kColumnsLength, "columns", legend);
    columnsEdit->setMaximumWidth(columnsEdit->fontMetrics().horizontalAdvance("0000") + 16);
    auto* legendForm = new QFormLayout(legend);
    legendForm->addRow(legendRadios.row);
    legendForm->addRow(Buddy("Pos&ition", positionEdit), positionEdit);
    legendForm->addRow(Buddy("Col&umns", columnsEdit), columnsEdit);

    // The legend's title.
    auto* title = new QGroupBox("Legend name", this);
    const RadioPair titleRadios = MakeRadioPair("&On", "titleOn", "O&ff", "titleOff", texts.titleOn, title);
    titleOn = titleRadios.first;
    titleOff = titleRadios.second;
    nameEdit = FieldEdit(texts.legendName, kNameLength, "legendName", title);
    nameStyleButton = new TFButton(title, window, data.legendNameStyle, "Text", kNameStyleButtonId);
    nameStyleButton->setFixedSize(140, 56);
    nameStyleButton->setAutoDefault(false);
    connect(nameStyleButton, &QPushButton::clicked, this, &DataOptionDialog::HandleTextStyle);
    auto* titleForm = new QFormLayout(title);
    titleForm->addRow("Name", titleRadios.row);
    titleForm->addRow(Buddy("Te&xt", nameEdit), nameEdit);
    titleForm->addRow(Buddy("&Style", nameStyleButton), nameStyleButton);

    auto* settings = new QVBoxLayout;
    settings->addWidget(Buddy("&Plot styles", styleList));
    settings->addWidget(styleList);
    settings->addLayout(styleRow);
    settings->addWidget(legend);
    settings->addWidget(title);
    settings->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DataOptionDialog::HandleOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &DataOptionDialog::reject);

    auto* columns = new QHBoxLayout;
    columns->addLayout(classes, 1);
    columns->addSpacing(12);
    columns->addLayout(settings);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
}

DataOptionTexts DataOptionDialog::Texts() const {
    DataOptionTexts texts;
    texts.legend = legendOn->isChecked() ? 1 : 0;
    texts.titleOn = titleOn->isChecked() ? 1 : 0;
    texts.legendName = TextOf(nameEdit);
    texts.position = TextOf(positionEdit);
    texts.columns = TextOf(columnsEdit);
    return texts;
}

void DataOptionDialog::FillClassList(int caret) {
    classList->clear();
    for (int32_t i = 0; i < data.ClassCount(); ++i) {
        const DataClass& dataClass = data.classes[static_cast<size_t>(i)];
        auto* item = new QListWidgetItem(QString::fromStdString(dataClass.label), classList);
        item->setSelected(dataClass.plotStyle.plot != 0);
    }
    if (classList->count() > 0) {
        classList->setCurrentRow(std::clamp(caret, 0, classList->count() - 1), QItemSelectionModel::NoUpdate);
        countBox->setValue(classList->count());
    }
}

void DataOptionDialog::HandleNew() {
    int added = 0;
    if (data.NewClass(classList->currentRow(), added)) FillClassList(added);
}

void DataOptionDialog::HandleEdit() {
    const int caret = classList->currentRow();
    if (EditDataClass(window, data, caret, this)) FillClassList(caret);
}

void DataOptionDialog::HandleDelete() {
    const int caret = classList->currentRow();
    if (data.DeleteClass(caret)) FillClassList(caret);
}

void DataOptionDialog::HandleAuto() {
    const ClassMethod was = data.classMethod;
    data.classMethod = static_cast<ClassMethod>(methodBox->currentIndex());
    if (data.AutoClasses(countBox->value())) {
        FillClassList(classList->currentRow());
    } else {
        data.classMethod = was;
    }
}

void DataOptionDialog::HandlePlotStyle() {
    const int row = styleList->currentRow();
    if (row < 0) return;
    SetPlotStyle(this, *styleList);
    styleList->setCurrentRow(row, QItemSelectionModel::NoUpdate);
}

void DataOptionDialog::HandleTextStyle() {
    TextStyle& style = data.legendNameStyle;
    int changed = 0;
    SetTextStyle(this, style, changed);
    if (!changed) return;
    style.SetFont();
    (style.on ? titleOn : titleOff)->setChecked(true);
    nameStyleButton->update();
}

void DataOptionDialog::HandleOk() {
    const DataOptionTexts texts = Texts();
    // The file keeps these as typed and the legend is drawn from them as
    // read back: what would not read back is refused here, and so is a
    // column count with more than its number (the file would read 1 of
    // "1.", but that is not what was typed).
    std::array<double, 4> position{};
    if (!ReadLegendPosition(texts.position, position))
        return RefuseField(positionEdit, "The legend position must be four numbers: left, top, right and bottom");
    if (!ReadIntField(texts.columns))
        return RefuseField(columnsEdit, "The number of legend columns must be a whole number");
    data.legendBorderStyle = legendStyles[0];
    data.symbolJoinStyle = legendStyles[1];
    data.avoidLabelOverlaps = avoidOverlaps->isChecked() ? 1 : 0;
    accept();
}

}  // namespace okap
