#include "app/owner_draw_button.h"

#include <QPainter>
#include <QStyleOption>

#include "app/owner_draw.h"
#include "platform/qpainter_dc.h"

namespace okap {

void OwnerDrawButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    {
        QPainterDC dc(painter);
        UseWidgetLook(dc, *this);
        ODADrawEntire(dc);
    }
    if (hasFocus()) {
        QStyleOption option;
        option.initFrom(this);
        DrawFocusFrame(painter, *this, option, rect().adjusted(3, 3, -3, -3));
    }
}

}  // namespace okap
