#include "app/printing/preview_page.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/printing/print_out.h"
#include "platform/message_box.h"

namespace okap {

namespace {

// Room for the sheet's shadow, right and below, in pixels.
constexpr int kShadow = 3;

}  // namespace

PreviewPage::PreviewPage(APXPrintOut& printout, TSize pageExtent, QWidget* parent)
    : QWidget(parent), printout(printout), pageExtent(pageExtent) {
    setObjectName("previewPage");
}

QRect PreviewPage::PaperRect() const {
    if (pageExtent.cx <= 0 || pageExtent.cy <= 0) return {};
    const double scale = std::min(static_cast<double>(width() - kShadow) / pageExtent.cx,
                                  static_cast<double>(height() - kShadow) / pageExtent.cy);
    if (scale <= 0.0) return {};
    const QSize paper(static_cast<int>(pageExtent.cx * scale), static_cast<int>(pageExtent.cy * scale));
    return {QPoint((width() - kShadow - paper.width()) / 2, 0), paper};
}

void PreviewPage::Refresh() {
    Render();
    update();
}

void PreviewPage::Render() {
    const QRect paper = PaperRect();
    const double ratio = devicePixelRatioF();
    QImage image(paper.size() * ratio, QImage::Format_RGB32);
    std::vector<Message> messages;
    if (!image.isNull()) {
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        MessageRecorder held;
        {
            // The sheet stands for the page: the map is drawn for a device
            // of the sheet's size, so that a line the printer draws finer
            // than a pixel of the sheet shows one pixel wide, as on screen.
            QPainter painter(&image);
            printout.PrintPage(1, painter, {paper.width(), paper.height()});
        }
        messages = std::move(held.messages);
    }
    picture = std::move(image);
    // A message box must not run inside the paint that asked for the page.
    if (!messages.empty()) {
        QTimer::singleShot(0, this, [messages] {
            for (const Message& m : messages) MessageBox(m.text, m.caption, m.buttons, m.icon);
        });
    }
}

void PreviewPage::paintEvent(QPaintEvent*) {
    const QRect paper = PaperRect();
    if (paper.isEmpty()) return;
    if (picture.isNull() || picture.deviceIndependentSize().toSize() != paper.size()) Render();
    QPainter painter(this);
    painter.fillRect(paper.translated(kShadow, kShadow), Qt::black);
    painter.drawImage(paper.topLeft(), picture);
    painter.setPen(Qt::black);
    painter.drawRect(paper.adjusted(0, 0, -1, -1));
}

void PreviewPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Drawn again at the new size by the next paint.
    picture = QImage();
}

}  // namespace okap
