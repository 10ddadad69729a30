#include "app/dialogs/styles/detail_style_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "app/dialogs/dialog_fields.h"
#include "app/controls/font_button.h"
#include "app/frame/mdi_child.h"
#include "app/dialogs/modal_dialog.h"
#include "app/dialogs/styles/text_style_dialog.h"
#include "core/number_text.h"
#include "data/scale_units.h"
#include "platform/message_box.h"
#include "styles/text_style.h"

namespace okap {

namespace {

constexpr int kStyleButtonId = 28284;

// The kinds the editor offers, in the order of its list; a detail of
// another kind adds its own word after them, so that it keeps it.
struct KindEntry {
    const char* name;
    std::string_view word;
    const char* position;  // where a new detail of the kind goes
};
constexpr KindEntry kKinds[] = {
    {"Text", kTextKindWord, "0.50 0.05"},
    {"Scale bar", kScaleBarKindWord, "0.50 0.93"},
    {"North arrow", kNorthArrowKindWord, "0.94 0.10"},
};
constexpr int kScaleBarRow = 1;
constexpr int kNorthArrowRow = 2;

// The next blank-separated word of text from pos on, or an empty view at
// the end.
std::string_view NextWord(std::string_view text, size_t& pos) {
    const size_t start = text.find_first_not_of(" \t", pos);
    if (start == std::string_view::npos) {
        pos = text.size();
        return {};
    }
    const size_t end = std::min(text.find_first_of(" \t", start), text.size());
    pos = end;
    return text.substr(start, end - start);
}

}  // namespace

bool ReadDetailPosition(std::string_view position, double& x, double& y) {
    size_t pos = 0;
    const std::optional<double> first = ReadWholeDouble(NextWord(position, pos));
    const std::optional<double> second = ReadWholeDouble(NextWord(position, pos));
    if (!first || !second || !NextWord(position, pos).empty()) return false;
    x = *first;
    y = *second;
    return true;
}

DetailStyleDialog::DetailStyleDialog(QWidget* parent, okapMDIChild& window, TextStyle& style,
                                     const DetailStyleDialogTB& values)
    : QDialog(parent), style(style) {
    setWindowTitle("Detail Settings");

    kindBox = new QComboBox(this);
    kindBox->setObjectName("kind");
    for (const KindEntry& kind : kKinds) kindBox->addItem(kind.name, QString::fromUtf8(kind.word));
    int kindRow = -1;
    for (int i = 0; i < kindBox->count(); ++i)
        if (kindBox->itemData(i).toString().toStdString() == values.kind) kindRow = i;
    if (kindRow < 0) {
        kindBox->addItem(QString::fromStdString(values.kind), QString::fromStdString(values.kind));
        kindRow = kindBox->count() - 1;
    }
    kindBox->setCurrentIndex(kindRow);

    unitBox = new QComboBox(this);
    unitBox->setObjectName("unit");
    for (const ScaleUnit& unit : kScaleUnits) unitBox->addItem(QString::fromUtf8(unit.name), QString::fromUtf8(unit.word));
    const bool scaleBar = kindRow == kScaleBarRow;
    unitBox->setCurrentIndex(scaleBar ? std::max(0, unitBox->findData(QString::fromStdString(values.text))) : 0);

    textEdit = FieldEdit(scaleBar ? std::string() : values.text, static_cast<int>(kMaxDetailText), "text", this);
    textEdit->setMinimumWidth(320);
    positionEdit = FieldEdit(values.position, static_cast<int>(kMaxDetailPosition), "position", this);
    positionEdit->setToolTip("x and y as fractions of the view's width and height from its top-left corner");

    sample = new TFButton(this, window, style, "Text", kStyleButtonId);
    sample->setMinimumSize(200, 70);
    connect(sample, &QPushButton::clicked, this, &DetailStyleDialog::HandleTextStyle);

    const RadioPair onOff = MakeRadioPair("Text O&n", "textOn", "Text O&ff", "textOff", values.textOn, this);
    textOn = onOff.first;
    textOff = onOff.second;

    form = new QFormLayout;
    form->addRow("&Kind", kindBox);
    form->addRow("&Text", textEdit);
    form->addRow("&Unit", unitBox);
    form->addRow("&Position", positionEdit);
    form->addRow("&Style", sample);
    form->addRow("", onOff.row);
    ShowKindFields();
    connect(kindBox, &QComboBox::currentIndexChanged, this, &DetailStyleDialog::HandleKind);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DetailStyleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DetailStyleDialog::reject);
    layout->addWidget(buttons);
}

DetailStyleDialogTB DetailStyleDialog::Values() const {
    const bool scaleBar = kindBox->currentIndex() == kScaleBarRow;
    return {kindBox->currentData().toString().toStdString(),
            scaleBar ? unitBox->currentData().toString().toStdString() : TextOf(textEdit), TextOf(positionEdit),
            textOn->isChecked() ? 1 : 0};
}

void DetailStyleDialog::ShowKindFields() {
    const int kind = kindBox->currentIndex();
    form->setRowVisible(unitBox, kind == kScaleBarRow);
    form->setRowVisible(textEdit, kind != kScaleBarRow);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(textEdit)))
        label->setText(kind == kNorthArrowRow ? "&Letter" : "&Text");
}

void DetailStyleDialog::HandleKind() {
    const int kind = kindBox->currentIndex();
    ShowKindFields();
    double x = 0.0, y = 0.0;
    if (kind < static_cast<int>(std::size(kKinds)) && ReadDetailPosition(TextOf(positionEdit), x, y)) {
        for (const KindEntry& entry : kKinds) {
            double newX = 0.0, newY = 0.0;
            ReadDetailPosition(entry.position, newX, newY);
            if (x == newX && y == newY) positionEdit->setText(kKinds[kind].position);
        }
    }
    if (kind == kNorthArrowRow && (TextOf(textEdit).empty() || TextOf(textEdit) == "New Text")) textEdit->setText("N");
}

void DetailStyleDialog::HandleTextStyle() {
    style.on = textOn->isChecked() ? 1 : 0;
    int changed = 0;
    SetTextStyle(this, style, changed);
    if (!changed) return;
    (style.on ? textOn : textOff)->setChecked(true);
    sample->update();
}

void DetailStyleDialog::accept() {
    const DetailStyleDialogTB values = Values();
    double x = 0.0, y = 0.0;
    if (kindBox->currentIndex() != kScaleBarRow && values.text.find('"') != std::string::npos) {
        ShowError("The text cannot hold a double quote");
        textEdit->setFocus();
        return;
    }
    if (!ReadDetailPosition(values.position, x, y)) {
        ShowError("Position must be two numbers, x and y, such as 0.5 0.05");
        positionEdit->setFocus();
        return;
    }
    QDialog::accept();
}

bool EditDetail(QWidget* parent, okapMDIChild& window, std::string& detail) {
    TextStyle& style = window.Document().detailStyle;
    DetailStyleDialog dialog(parent, window, style, DetailStyleDialogValues(detail, style));
    if (ExecModal(dialog) != QDialog::Accepted) return false;
    detail = ApplyDetailStyleDialogValues(dialog.Values(), style);
    return true;
}

}  // namespace okap
