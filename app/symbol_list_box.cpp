#include "app/symbol_list_box.h"

namespace okap {

TXSymbolListBox::TXSymbolListBox(QWidget* parent, Datafile& data, int id) : QListWidget(parent), data(data) {
    setObjectName(QString("list%1").arg(id));
    setSelectionMode(QAbstractItemView::MultiSelection);
}

}  // namespace okap
