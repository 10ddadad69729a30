#include "app/printing/print_out.h"

#include <QPainter>
#include <QPrinter>
#include <utility>

#include "app/frame/map_window.h"
#include "platform/message_box.h"
#include "platform/qpainter_dc.h"

namespace okap {

namespace {

// A device context that reports the page's size as its device size, so that
// the map is drawn for the page whatever the painter's device reports (a
// high-density picture counts its pixels, not the units it is painted in).
class PageDC : public QPainterDC {
public:
    PageDC(QPainter& painter, TSize extent) : QPainterDC(painter), extent(extent) {}

    int GetDeviceCaps(DeviceCap cap) const override { return cap == DeviceCap::HorzRes ? extent.cx : extent.cy; }

private:
    TSize extent;
};

// The printing messages of the string table. Qt reports no more than that a
// job could not be started or finished, so the reason is always the general
// one.
constexpr const char* kPrintErrorCaption = "Print Error";
constexpr const char* kErrorDuringPrint = "Error encountered during print";

void ReportFailure(const QString& title) {
    const QString text = QString("'%1' not printed. %2.").arg(title, kErrorDuringPrint);
    MessageBox(text.toStdString(), kPrintErrorCaption, MessageButtons::Ok, MessageIcon::Stop);
}

}  // namespace

APXPrintOut::APXPrintOut(QString title, QPrinter& printer, okapWindow& window)
    : title(std::move(title)), printer(printer), window(window) {}

void APXPrintOut::PrintPage(int page, QPainter& painter, TSize pageExtent) {
    const TRect client = window.ClientRect();
    if (page != 1 || client.Width() <= 0 || pageExtent.cx <= 0 || pageExtent.cy <= 0) return;
    // The view fills the page's width; its height follows the window's
    // proportions.
    const double mapHeight = static_cast<double>(client.Height()) * pageExtent.cx / client.Width();
    painter.save();
    if (mapHeight > pageExtent.cy) {
        const double shrink = pageExtent.cy / mapHeight;
        painter.translate(pageExtent.cx * (1.0 - shrink) / 2.0, 0.0);
        painter.scale(shrink, shrink);
    }
    {
        PageDC dc(painter, pageExtent);
        window.PaintInto(dc, client);
    }
    painter.restore();
}

bool APXPrintOut::Print() {
    QPainter painter;
    if (!painter.begin(&printer)) {
        ReportFailure(title);
        return false;
    }
    PrintPage(1, painter, {painter.device()->width(), painter.device()->height()});
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        ReportFailure(title);
        return false;
    }
    return true;
}

}  // namespace okap
