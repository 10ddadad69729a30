#include "app/style_list_box.h"

namespace okap {

TXStyleListBox::TXStyleListBox(QWidget* parent, std::span<PlotStyle> styles, int id)
    : QListWidget(parent), styles(styles) {
    setObjectName(QString("list%1").arg(id));
    setSelectionMode(QAbstractItemView::MultiSelection);
}

}  // namespace okap
