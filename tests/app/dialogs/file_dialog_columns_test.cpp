// File dialogs open wide enough for their columns.

#include "app/dialogs/file_dialog_columns.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QHeaderView>
#include <QListView>
#include <QScreen>
#include <QTest>
#include <QTreeView>

#include "support/temp_dir.h"

namespace okap {
namespace {

// The content width of a column, which QTreeView keeps to itself.
int ContentWidth(const QAbstractItemView* view, int column) { return view->sizeHintForColumn(column); }

TEST(FileDialogColumnsTest, ColumnsAndPlacesShowTheirContentsOnceTheFolderIsRead) {
    test::TempDir dir;
    dir.Write("world-mercator.oki", std::string(900, 'x'));
    dir.Write("europe-miller.oki", std::string(90000, 'x'));
    QFileDialog dialog(nullptr, "Open", QString::fromStdString(dir.Path().string()), "OKAP Files (*.oki)");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.resize(420, 300);  // narrower than its columns, as Qt opens it on a small screen
    const QRect screen = dialog.screen()->availableGeometry();
    dialog.move(screen.right() - 430, screen.top());  // near the right edge
    ShowColumnsWhole(dialog);
    dialog.show();

    auto* files = dialog.findChild<QTreeView*>("treeView");
    ASSERT_NE(files, nullptr);
    QHeaderView* header = files->header();
    QTRY_COMPARE(files->model()->rowCount(files->rootIndex()), 2);
    // Size, type and date: as wide as what they show; the dialog grew with
    // them, so that the view holds them all.
    for (int column = 1; column < header->count(); ++column) {
        QTRY_VERIFY2(header->sectionSize(column) >= ContentWidth(files, column),
                     qPrintable(QString("column %1").arg(column)));
    }
    EXPECT_GT(dialog.width(), 420);
    EXPECT_TRUE(screen.contains(dialog.frameGeometry())) << "grown, it stays on the screen";
    EXPECT_GE(files->viewport()->width(), header->length());
    auto* places = dialog.findChild<QListView*>("sidebar");
    ASSERT_NE(places, nullptr);
    EXPECT_GE(places->viewport()->width(), ContentWidth(places, 0));
}

}  // namespace
}  // namespace okap
