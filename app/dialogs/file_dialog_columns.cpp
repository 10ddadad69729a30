#include "app/dialogs/file_dialog_columns.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QListView>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeView>
#include <algorithm>

namespace okap {

namespace {

// A file name longer than this many average characters is left cut, so that
// one long name does not push the other columns out of the dialog.
constexpr int kLongestNameShown = 48;

// The width the list of places needs to show its names; 0 when it has none.
int PlacesWidthWanted(QListView* places) {
    if (!places || !places->model() || places->model()->rowCount() == 0) return 0;
    return places->sizeHintForColumn(0) + 2 * places->frameWidth() + places->verticalScrollBar()->sizeHint().width();
}

void Widen(QFileDialog& dialog) {
    auto* files = dialog.findChild<QTreeView*>("treeView");
    if (!files) return;
    QHeaderView* header = files->header();
    // The tree view hides the content widths its base class offers.
    const QAbstractItemView* view = files;
    const int longestName = files->fontMetrics().averageCharWidth() * kLongestNameShown;
    for (int column = 0; column < header->count(); ++column) {
        int wanted = std::max(view->sizeHintForColumn(column), header->sectionSizeHint(column));
        if (column == 0) wanted = std::min(wanted, longestName);
        if (header->sectionSize(column) < wanted) header->resizeSection(column, wanted);
    }
    const int filesWanted = header->length() + 2 * files->frameWidth() + files->verticalScrollBar()->sizeHint().width();
    int missing = std::max(0, filesWanted - files->width());

    auto* places = dialog.findChild<QListView*>("sidebar");
    auto* splitter = dialog.findChild<QSplitter*>("splitter");
    const int placesWanted = PlacesWidthWanted(places);
    const bool placesCut = places && splitter && places->width() < placesWanted;
    if (placesCut) missing += placesWanted - places->width();
    if (missing == 0) return;

    const QScreen* screen = dialog.screen();
    const QRect free = screen ? screen->availableGeometry() : QRect();
    const int decoration = dialog.frameGeometry().width() - dialog.width();
    int width = dialog.width() + missing;
    if (screen) width = std::min(width, free.width() - decoration);
    const int growth = width - dialog.width();
    if (growth <= 0) return;
    const QList<int> sizes = splitter ? splitter->sizes() : QList<int>();
    dialog.resize(width, dialog.height());
    // Grown to the right, it is moved back onto the screen where it ran off.
    if (screen) {
        const int overhang = dialog.frameGeometry().right() - free.right();
        if (overhang > 0) dialog.move(std::max(free.left(), dialog.x() - overhang), dialog.y());
    }
    // The places get what they need; the files the rest.
    if (placesCut && sizes.size() == 2) {
        const int total = sizes[0] + sizes[1] + growth;
        splitter->setSizes({placesWanted, std::max(0, total - placesWanted)});
    }
}

}  // namespace

void ShowColumnsWhole(QFileDialog& dialog) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!model) return;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog, [&dialog] { Widen(dialog); });
}

}  // namespace okap
