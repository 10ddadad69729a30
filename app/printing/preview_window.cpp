#include "app/printing/preview_window.h"

#include <QCloseEvent>
#include <QMainWindow>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/frame/command_ids.h"
#include "app/controls/glyphs.h"
#include "app/frame/mdi_client.h"
#include "app/frame/okap_app.h"
#include "app/printing/preview_page.h"

namespace okap {

namespace {

// The page's distance from the layout window's edges, in pixels.
constexpr int kPageMargin = 15;

}  // namespace

QRect PreviewPageRect(QSize client, TSize pageExtent) {
    if (pageExtent.cx <= 0 || pageExtent.cy <= 0) return {};
    const long long pageWidth = pageExtent.cx;
    const long long pageHeight = pageExtent.cy;
    // The page's height per 100 of its width. A window flatter than the
    // page binds it by height, one narrower by width; measuring against the
    // page's own shape keeps a portrait page inside a squarish window.
    const long long ratio = 100 * pageHeight / pageWidth;
    long long width = 0;
    long long height = 0;
    if (client.width() * ratio / 100 > client.height()) {
        height = client.height() - 2 * kPageMargin;
        width = height * (pageWidth * 95 / pageHeight) / 100;
    } else {
        width = client.width() - 2 * kPageMargin;
        height = width * (pageHeight * 95 / pageWidth) / 100;
    }
    return {kPageMargin, kPageMargin, static_cast<int>(std::max(width, 0LL)), static_cast<int>(std::max(height, 0LL))};
}

PreviewWindow::PreviewWindow(QWidget* frame, QPrinter& printer, okapWindow& view, const QString& title)
    : QDialog(frame, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      printer(printer),
      printout("Print Preview", printer, view),
      pageExtent{printer.width(), printer.height()} {
    setWindowTitle(title);
    setObjectName("printPreview");

    toolBar = new QToolBar(this);
    toolBar->setObjectName("previewToolBar");
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(20, 20));
    QFont gadgetFont = toolBar->font();
    gadgetFont.setPointSize(10);
    gadgetFont.setBold(false);
    gadgetFont.setItalic(false);
    toolBar->setFont(gadgetFont);
    QAction* print = toolBar->addAction(CommandGlyph(CM_FILEPRINT), "&Print...");
    print->setObjectName("previewPrint");
    print->setToolTip("Print this map");
    print->setShortcut(QKeySequence::Print);
    print->setEnabled(CmPrintEnable());
    connect(print, &QAction::triggered, this, &PreviewWindow::CmPrint);

    layoutWindow = new QWidget(this);
    layoutWindow->setObjectName("previewLayout");
    layoutWindow->setBackgroundRole(QPalette::Dark);
    layoutWindow->setAutoFillBackground(true);
    layoutWindow->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(layoutWindow, 1);

    // No sizing border: the preview keeps the size of the client area it
    // covers.
    if (frame) {
        placement = Placement(*frame);
        setGeometry(placement);
        setFixedSize(placement.size());
    }
}

QRect PreviewWindow::Placement(const QWidget& frame) {
    QRect client = frame.rect();
    // On the original platform the menu bar is part of the frame, not of
    // its client area.
    if (const auto* main = qobject_cast<const QMainWindow*>(&frame)) {
        if (const QWidget* menu = main->menuWidget(); menu && menu->isVisible())
            client.setTop(menu->geometry().bottom() + 1);
    }
    return QRect(frame.mapToGlobal(client.topLeft()), client.size()).adjusted(-1, -1, 1, 1);
}

void PreviewWindow::CmPrint() {
    if (app && app->mdiClient) app->mdiClient->CmFilePrint();
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!page) SetupWindow();
}

void PreviewWindow::SetupWindow() {
    // The placement is for the whole window, caption included, where the
    // window manager has already said how large its decoration is.
    if (!placement.isEmpty()) {
        const QSize decoration = frameGeometry().size() - geometry().size();
        setFixedSize(placement.size() - decoration);
        move(placement.topLeft());
        placedAt = pos();
    }
    page = new PreviewPage(printout, pageExtent, layoutWindow);
    LayOutPage();
    page->show();
    page->Refresh();
    printer.setFromTo(1, 1);
}

void PreviewWindow::LayOutPage() {
    if (page) page->setGeometry(PreviewPageRect(layoutWindow->size(), pageExtent));
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == layoutWindow && event->type() == QEvent::Resize) LayOutPage();
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    done(QDialog::Rejected);
}

bool PreviewWindow::event(QEvent* event) {
    if (event->type() == QEvent::NonClientAreaMouseButtonPress) return true;
    return QDialog::event(event);
}

void PreviewWindow::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (!placedAt || pos() == *placedAt || pos() == refusedAt) return;
    refusedAt = pos();
    move(*placedAt);
}

}  // namespace okap
