#include "app/controls/owner_draw_button.h"

#include <QPainter>
#include <QStyleOption>
#include <QTimer>
#include <vector>

#include "app/controls/owner_draw.h"
#include "platform/message_box.h"
#include "platform/qpainter_dc.h"

namespace okap {

void OwnerDrawButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    std::vector<Message> messages;
    {
        MessageRecorder held;
        QPainterDC dc(painter);
        UseWidgetLook(dc, *this);
        ODADrawEntire(dc);
        messages = std::move(held.messages);
    }
    if (!messages.empty() && !messagesShown) {
        messagesShown = true;
        QTimer::singleShot(0, this, [messages] {
            for (const Message& m : messages) MessageBox(m.text, m.caption, m.buttons, m.icon);
        });
    }
    if (hasFocus()) {
        QStyleOption option;
        option.initFrom(this);
        DrawFocusFrame(painter, *this, option, rect().adjusted(3, 3, -3, -3));
    }
}

}  // namespace okap
