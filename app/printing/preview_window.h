#pragma once
// The print preview (PreviewWindow): a modal window that covers the main
// window's client area and shows the map's page as it will be printed, with
// a tool bar holding one button, Print. It cannot be moved or resized;
// closing it ends its modal run with Cancel. The printer stays the
// application's.

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

#include "app/printing/print_out.h"
#include "core/coordinates.h"

class QPrinter;
class QToolBar;

namespace okap {

class PreviewPage;
class okapWindow;

// The page's place in the layout window, whose client area is client: 15
// pixels from its left and top edges, and 15 from its bottom (a page bound
// by the window's height) or right edge (bound by its width). The other
// side follows the page's proportions, narrowed to 95 % of them.
QRect PreviewPageRect(QSize client, TSize pageExtent);

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    // A preview titled title over frame (the main window) of view's map,
    // printed on printer.
    PreviewWindow(QWidget* frame, QPrinter& printer, okapWindow& view, const QString& title);

    // The Print button: the MDI client prints the map while the preview
    // stays open.
    void CmPrint();
    // Print is always available here.
    bool CmPrintEnable() const { return true; }

    QToolBar* ToolBar() const { return toolBar; }
    // The window that holds the page; the page is made when the preview is
    // first shown.
    QWidget* LayoutWindow() const { return layoutWindow; }
    PreviewPage* Page() const { return page; }
    TSize PageExtent() const { return pageExtent; }

    // Where the preview goes on the screen: over frame's client area (below
    // its menu bar), one pixel beyond it on every side.
    static QRect Placement(const QWidget& frame);

protected:
    void showEvent(QShowEvent* event) override;
    // Closing ends the modal run with Cancel.
    void closeEvent(QCloseEvent* event) override;
    // A press on the caption is swallowed, where the platform reports one.
    bool event(QEvent* event) override;
    // Window managers move a window by its caption without showing the
    // program the press: the preview goes back to its place.
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The first show: the page, page 1 drawn, its place in the layout.
    void SetupWindow();
    void LayOutPage();

    QPrinter& printer;
    APXPrintOut printout;
    TSize pageExtent;
    QRect placement;
    QToolBar* toolBar;
    QWidget* layoutWindow;
    PreviewPage* page = nullptr;
    // Where the window was put, once shown; a window manager that insists
    // on another place gets its way the second time.
    std::optional<QPoint> placedAt;
    std::optional<QPoint> refusedAt;
};

}  // namespace okap
