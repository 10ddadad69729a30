#include "app/dialogs/layers/layer_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/dialogs/dialog_fields.h"
#include "app/frame/mdi_child.h"
#include "platform/message_box.h"

namespace okap {

LayerDialog::LayerDialog(const QString& title, const QString& listLabel, const ListData& layers, int capacity,
                         okapMDIChild& window)
    : QDialog(&window), window(window), layers(layers), capacity(capacity) {
    setWindowTitle(title);

    list = new QListWidget(this);
    list->setObjectName("layerList");
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumWidth(320);
    auto* label = new QLabel(listLabel, this);
    label->setBuddy(list);

    newButton = Button("&New", "new", this);
    editButton = Button("&Edit", "edit", this);
    deleteButton = Button("&Delete", "delete", this);
    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(newButton);
    buttonColumn->addWidget(editButton);
    buttonColumn->addWidget(deleteButton);
    buttonColumn->addStretch();

    auto* listRow = new QHBoxLayout;
    listRow->addWidget(list, 1);
    listRow->addLayout(buttonColumn);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(listRow, 1);
    layout->addWidget(buttons);

    connect(newButton, &QPushButton::clicked, this, [this] { HandleNew(); });
    connect(editButton, &QPushButton::clicked, this, [this] { HandleEdit(); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { HandleDelete(); });
    connect(list, &QListWidget::itemDoubleClicked, this, [this] { HandleEdit(); });
    connect(list, &QListWidget::currentRowChanged, this, [this](int row) {
        this->layers.selected = row;
        RefreshList();
    });
    RefreshList();
}

void LayerDialog::RefreshList() {
    {
        const QSignalBlocker blocker(list);
        if (list->count() != static_cast<int>(layers.names.size())) {
            list->clear();
            for (size_t i = 0; i < layers.names.size(); ++i) list->addItem(QString());
        }
        for (int i = 0; i < list->count(); ++i) {
            list->item(i)->setText(QString::fromStdString(layers.names[static_cast<size_t>(i)]));
        }
        list->setCurrentRow(layers.HasSelection() ? layers.selected : -1);
        if (!layers.HasSelection()) list->clearSelection();
    }
    // New and Edit work on the selected entry once there is a list.
    newButton->setEnabled(layers.names.empty() || layers.HasSelection());
    editButton->setEnabled(layers.HasSelection());
    deleteButton->setEnabled(layers.HasSelection());
}

void LayerDialog::AddBelowList(QWidget* widget) { layout->insertWidget(layout->count() - 1, widget); }

bool LayerDialog::NewFromSelection(std::string_view fullMessage) {
    int& count = Count();
    if (count >= capacity) {
        ShowError(fullMessage);
        return true;
    }
    if (count <= 0) return false;
    if (!layers.HasSelection()) return true;
    // The copy is drawn right after the layer it was copied from.
    const auto below = layers.names.begin() + layers.selected + 1;
    layers.names.insert(below, layers.Selection());
    ++layers.selected;
    ++count;
    RefreshList();
    HandleEdit();
    return true;
}

void LayerDialog::AddFirst(const okapFileInfo& layer) {
    layers.names.push_back(LayerEntryText(layer));
    layers.selected = static_cast<int>(layers.names.size()) - 1;
    Count() = 1;
    RefreshList();
}

void LayerDialog::ReplaceSelection(const okapFileInfo& layer) {
    if (!layers.HasSelection()) return;
    layers.names[static_cast<size_t>(layers.selected)] = LayerEntryText(layer);
    RefreshList();
}

void LayerDialog::HandleDelete() {
    if (!layers.HasSelection()) return;
    layers.names.erase(layers.names.begin() + layers.selected);
    layers.selected = -1;
    --Count();
    RefreshList();
}

}  // namespace okap
