#include "app/style_dialog_fields.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <algorithm>
#include <sstream>

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

std::string TextOf(const QLineEdit* edit) { return edit->text().toStdString(); }

QLabel* Buddy(const char* text, QWidget* field) {
    auto* label = new QLabel(text, field->parentWidget());
    label->setBuddy(field);
    return label;
}

RadioPair MakeRadioPair(const char* firstText, const char* firstName, const char* secondText,
                        const char* secondName, bool firstChecked, QWidget* parent) {
    RadioPair pair{new QRadioButton(firstText, parent), new QRadioButton(secondText, parent), new QHBoxLayout};
    pair.first->setObjectName(firstName);
    pair.second->setObjectName(secondName);
    auto* group = new QButtonGroup(parent);
    group->addButton(pair.first);
    group->addButton(pair.second);
    (firstChecked ? pair.first : pair.second)->setChecked(true);
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

}  // namespace okap
