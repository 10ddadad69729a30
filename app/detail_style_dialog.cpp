#include "app/detail_style_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "app/dialog_fields.h"
#include "app/font_button.h"
#include "app/mdi_child.h"
#include "app/modal_dialog.h"
#include "app/text_style_dialog.h"
#include "core/number_text.h"
#include "platform/message_box.h"
#include "styles/text_style.h"

namespace okap {

namespace {

constexpr int kStyleButtonId = 28284;

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

    textEdit = FieldEdit(values.text, static_cast<int>(kMaxDetailText), "text", this);
    textEdit->setMinimumWidth(320);
    positionEdit = FieldEdit(values.position, static_cast<int>(kMaxDetailPosition), "position", this);
    positionEdit->setToolTip("x and y as fractions of the view's width and height from its top-left corner");

    sample = new TFButton(this, window, style, "Text", kStyleButtonId);
    sample->setMinimumSize(200, 70);
    connect(sample, &QPushButton::clicked, this, &DetailStyleDialog::HandleTextStyle);

    const RadioPair onOff = MakeRadioPair("Text O&n", "textOn", "Text O&ff", "textOff", values.textOn, this);
    textOn = onOff.first;
    textOff = onOff.second;

    auto* form = new QFormLayout;
    form->addRow("&Text", textEdit);
    form->addRow("&Position", positionEdit);
    form->addRow("&Style", sample);
    form->addRow("", onOff.row);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DetailStyleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DetailStyleDialog::reject);
    layout->addWidget(buttons);
}

DetailStyleDialogTB DetailStyleDialog::Values() const {
    return {TextOf(textEdit), TextOf(positionEdit), textOn->isChecked() ? 1 : 0};
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
    if (values.text.find('"') != std::string::npos) {
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
