#include "app/controls/font_list.h"

#include <QFontDatabase>
#include <QListWidget>
#include <algorithm>
#include <sstream>

#include "platform/font_match.h"
#include "styles/text_style.h"

namespace okap {

namespace {

// Where an entry keeps its font name; its text may add the family drawn.
constexpr int kNameRole = Qt::UserRole;

// The face a font name asks the system for: cut to a face name's length, as
// the drawing cuts it.
std::string RequestedFace(const std::string& name) {
    TextStyle style;
    style.fontName = name;
    style.SetFont();
    return style.fontRequest.face;
}

// Whether a style naming name draws with it and writes and reads it back
// unchanged.
bool CanBeStyleFontName(const std::string& name) {
    if (name.empty() || RequestedFace(name) != name) return false;
    TextStyle style;
    style.fontName = name;
    std::stringstream text;
    text << style;
    TextStyle read;
    return static_cast<bool>(text >> read) && read.fontName == name;
}

void AddEntry(QListWidget* list, const std::string& name, const std::vector<std::string>& systemFamilies) {
    QString text = QString::fromStdString(name);
    if (!std::binary_search(systemFamilies.begin(), systemFamilies.end(), name)) {
        const std::string drawn = DrawnFamily(RequestedFace(name));
        if (drawn != name) text += QString::fromUtf8(" \u2192 ") + QString::fromStdString(drawn);
    }
    auto* item = new QListWidgetItem(text, list);
    item->setData(kNameRole, QString::fromStdString(name));
}

}  // namespace

std::vector<std::string> SystemFontFamilies() {
    std::vector<std::string> families;
    for (const QString& family : QFontDatabase::families()) {
        const std::string name = family.toStdString();
        if (QFontDatabase::isPrivateFamily(family) || !CanBeStyleFontName(name)) continue;
        if (std::find(kFontNames.begin(), kFontNames.end(), name) != kFontNames.end()) continue;
        families.push_back(name);
    }
    std::sort(families.begin(), families.end());
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

QListWidget* FontList(const std::string& selected, int visibleRows, const char* objectName, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(objectName);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    const std::vector<std::string> families = SystemFontFamilies();
    const bool known = std::find(kFontNames.begin(), kFontNames.end(), selected) != kFontNames.end() ||
                       std::binary_search(families.begin(), families.end(), selected);
    if (!known && !selected.empty()) AddEntry(list, selected, families);
    for (const char* name : kFontNames) AddEntry(list, name, families);
    for (const std::string& name : families) AddEntry(list, name, families);
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->data(kNameRole).toString().toStdString() == selected && !selected.empty()) {
            list->setCurrentRow(row);
            break;
        }
    }
    const int rowHeight = list->sizeHintForRow(0);
    list->setFixedHeight(visibleRows * rowHeight + 2 * list->frameWidth());
    return list;
}

std::string SelectedFontName(const QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? std::string() : items.front()->data(kNameRole).toString().toStdString();
}

}  // namespace okap
