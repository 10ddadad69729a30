#include "app/dialogs/dialog_fields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <sstream>

#include "app/dialogs/styles/colour_chooser.h"
#include "app/controls/colour_swatch.h"
#include "core/number_text.h"
#include "platform/message_box.h"
#include "styles/text_form.h"

namespace okap {

std::string ColourText(Colour colour) {
    return RightAligned(FormatInt(colour.Red()), 3) + ' ' + RightAligned(FormatInt(colour.Green()), 3) + ' ' +
           RightAligned(FormatInt(colour.Blue()), 3);
}

std::optional<Colour> ReadColourText(std::string_view text) {
    std::istringstream is{std::string(text)};
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    if (!ReadInt(ReadInt(ReadInt(is, red), green), blue)) return std::nullopt;
    std::string rest;
    if (is >> rest) return std::nullopt;
    return ColourFromComponents(red, green, blue);
}

std::optional<int32_t> ReadIntField(std::string_view text) {
    std::istringstream is{std::string(text)};
    int32_t value = 0;
    if (!ReadInt(is, value)) return std::nullopt;
    std::string rest;
    if (is >> rest) return std::nullopt;
    return value;
}

std::optional<double> ReadNumberField(std::string_view text) { return ReadWholeDouble(text); }

std::string RightAligned(std::string text, size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

QLineEdit* FieldEdit(const std::string& text, int maxLength, const char* objectName, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    const QString shown = QString::fromStdString(text);
    edit->setMaxLength(std::max(maxLength, static_cast<int>(shown.size())));
    edit->setText(shown);
    return edit;
}

QListWidget* NameList(const std::vector<std::string>& names, const std::string& selected, bool sorted,
                      int visibleRows, const char* objectName, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(objectName);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const std::string& name : names) list->addItem(QString::fromStdString(name));
    if (sorted) list->sortItems();
    const QList<QListWidgetItem*> matches = list->findItems(QString::fromStdString(selected), Qt::MatchExactly);
    if (!matches.isEmpty()) list->setCurrentItem(matches.front());
    const int rowHeight = list->count() > 0 ? list->sizeHintForRow(0) : list->fontMetrics().height();
    list->setFixedHeight(visibleRows * rowHeight + 2 * list->frameWidth());
    return list;
}

std::string SelectedName(const QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? std::string() : items.front()->text().toStdString();
}

int SelectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.front());
}

std::string TextOf(const QLineEdit* edit) { return edit->text().toStdString(); }

QLabel* Buddy(const char* text, QWidget* field) {
    auto* label = new QLabel(text, field->parentWidget());
    label->setBuddy(field);
    return label;
}

QPushButton* Button(const char* text, const char* objectName, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* CheckBox(const char* text, const char* objectName, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(objectName);
    box->setChecked(checked);
    return box;
}

std::pair<QRadioButton*, QRadioButton*> ExclusiveRadios(const char* firstText, const char* firstName,
                                                        const char* secondText, const char* secondName,
                                                        bool firstChecked, QWidget* parent) {
    auto* first = new QRadioButton(firstText, parent);
    first->setObjectName(firstName);
    auto* second = new QRadioButton(secondText, parent);
    second->setObjectName(secondName);
    auto* group = new QButtonGroup(parent);
    group->addButton(first);
    group->addButton(second);
    (firstChecked ? first : second)->setChecked(true);
    return {first, second};
}

RadioPair MakeRadioPair(const char* firstText, const char* firstName, const char* secondText,
                        const char* secondName, bool firstChecked, QWidget* parent) {
    const auto [first, second] = ExclusiveRadios(firstText, firstName, secondText, secondName, firstChecked, parent);
    RadioPair pair{first, second, new QHBoxLayout};
    pair.row->addWidget(pair.first);
    pair.row->addWidget(pair.second);
    pair.row->addStretch();
    return pair;
}

void RefuseField(QLineEdit* edit, std::string_view message) {
    ShowError(message);
    edit->setFocus();
    edit->selectAll();
}

void AddRowWithButton(QFormLayout* form, const char* label, QWidget* field, QPushButton* button) {
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(button);
    form->addRow(Buddy(label, field), row);
}

void AddColourRow(QFormLayout* form, const char* label, QLineEdit* field, QPushButton* button) {
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(new ColourSwatch(field, field->parentWidget()));
    row->addWidget(button);
    form->addRow(Buddy(label, field), row);
}

void ChooseColourInto(QWidget* parent, QLineEdit* edit, CustomColours& table) {
    const Colour start = ReadColourText(TextOf(edit)).value_or(Colour::Rgb(0, 0, 0));
    if (std::optional<Colour> colour = ChooseColour(parent, table, start))
        edit->setText(QString::fromStdString(ColourText(*colour)));
}

}  // namespace okap
