#include "app/controls/owner_draw_list_box.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include "app/controls/owner_draw.h"
#include "platform/qpainter_dc.h"

namespace okap {

namespace {

// Hands every entry to the list's own drawing, through a device context
// over the view's painter.
class OwnerDrawDelegate : public QStyledItemDelegate {
public:
    explicit OwnerDrawDelegate(OwnerDrawListBox& list) : QStyledItemDelegate(&list), list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QRect& r = option.rect;
        {
            QPainterDC dc(*painter);
            UseWidgetLook(dc, list);
            list.ODADrawEntire(dc, TBox{{r.left(), r.top()}, {r.left() + r.width(), r.top() + r.height()}},
                               index.row());
        }
        if (option.state & QStyle::State_HasFocus) DrawFocusFrame(*painter, list, option, r);
    }

private:
    OwnerDrawListBox& list;
};

}  // namespace

OwnerDrawListBox::OwnerDrawListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new OwnerDrawDelegate(*this));
}

std::string OwnerDrawListBox::EntryText(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? entry->text().toStdString() : std::string();
}

void OwnerDrawListBox::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    if (losingFocus) return;
    losingFocus = true;
    for (const QListWidgetItem* entry : selectedItems()) viewport()->update(visualItemRect(entry));
    emit FocusLost();
    losingFocus = false;
}

}  // namespace okap
