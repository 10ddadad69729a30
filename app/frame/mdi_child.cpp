#include "app/frame/mdi_child.h"

#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QSvgGenerator>

#include "app/dialogs/layers/data_layer_dialog.h"
#include "app/dialogs/display/display_option_dialog.h"
#include "app/dialogs/file_dialog_columns.h"
#include "app/controls/glyphs.h"
#include "app/dialogs/layers/map_layer_dialog.h"
#include "app/frame/map_window.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "app/dialogs/display/set_coord_dialog.h"
#include "core/geometry.h"
#include "core/globals.h"
#include "platform/message_box.h"
#include "platform/qpainter_dc.h"
#include "styles/grid_format.h"
#include "view/cursor_tools.h"

namespace okap {

namespace {

// metafileCopying, set while Copy Metafile draws, however the drawing ends.
class MetafileCopying {
public:
    MetafileCopying() { app->metafileCopying = 1; }
    ~MetafileCopying() { app->metafileCopying = 0; }
    MetafileCopying(const MetafileCopying&) = delete;
    MetafileCopying& operator=(const MetafileCopying&) = delete;
};

}  // namespace

okapMDIChild::okapMDIChild(const std::string& title, const std::string& fileName, QWidget* parent)
    : QMdiSubWindow(parent), document(title, fileName), view(new okapWindow(document, this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(AppIcon());
    setWidget(view);
    setMouseTracking(true);
    SetTitle(title);
    // Every change of view (a zoom among them) ends in a repaint; the
    // title's change mark follows the document.
    connect(view, &okapWindow::Repainted, this, &okapMDIChild::ShowModified);
    // File > Close carries the desktop's Ctrl+W; the window menu's Close
    // keeps Ctrl+F4, since a key with two owners would do nothing.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions()) {
            QList<QKeySequence> keys = action->shortcuts();
            if (keys.removeAll(QKeySequence(Qt::CTRL | Qt::Key_W)) > 0) action->setShortcuts(keys);
        }
    }
}

bool okapMDIChild::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowTitleChange && watched == window() && watched != this) return false;
    return QMdiSubWindow::eventFilter(watched, event);
}

void okapMDIChild::ShowModified() {
    document.UpdateModified();
    setWindowModified(document.modified != 0);
}

WindowPlacement okapMDIChild::Placement() const {
    const QRect frame = geometry();
    return {frame.x(), frame.y(), frame.width(), frame.height()};
}

void okapMDIChild::SetTitle(const std::string& title) {
    document.title = title;
    // "[*]" is where Qt shows the change mark while the window is modified.
    setWindowTitle(QString::fromStdString(title) + "[*]");
    setWindowModified(document.modified != 0);
}

bool okapMDIChild::CanClose() {
    if (!document.modified) return true;
    switch (MessageBox("Save " + document.title + "?", "Map has changed", MessageButtons::YesNoCancel,
                       MessageIcon::Question)) {
        case MessageResult::Cancel:
            return false;
        case MessageResult::Yes:
            // A save that failed or was cancelled keeps the window, so the
            // changes are not lost.
            return CMFileSave();
        default:
            return true;
    }
}

void okapMDIChild::closeEvent(QCloseEvent* event) {
    if (CanClose()) {
        QMdiSubWindow::closeEvent(event);
    } else {
        event->ignore();
    }
}

void okapMDIChild::mouseMoveEvent(QMouseEvent* event) {
    ShowStatus("MDI child");
    QMdiSubWindow::mouseMoveEvent(event);
}

void okapMDIChild::CMFileClose() { close(); }

bool okapMDIChild::CMFileSave() {
    if (!MapPathIsCurrent()) return false;
    if (document.fileName.empty()) return CMFileSaveAs();
    if (!document.Save(Placement())) return false;
    SetTitle(document.fileName);
    // The map file path is current: a relative name is in it.
    emit FileWritten(QFileInfo(QString::fromStdString(document.fileName)).absoluteFilePath());
    return true;
}

bool okapMDIChild::CMFileSaveAs() {
    if (!MapPathIsCurrent()) return false;
    QFileDialog dialog(this, "Save As", QDir::currentPath(), "OKAP Files (*.oki)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The lower-case extension, which the "*.oki" filter of the Open
    // dialog shows on a file system that tells cases apart.
    dialog.setDefaultSuffix("oki");
    if (!document.fileName.empty()) dialog.selectFile(QString::fromStdString(document.fileName));
    ShowColumnsWhole(dialog);
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    document.fileName = dialog.selectedFiles().constFirst().toStdString();
    return CMFileSave();
}

void okapMDIChild::CMCopyBitmap() {
    view->WaitForPicture();
    const QImage& picture = view->Picture();
    if (picture.isNull()) return;
    // What the screen can show of the view, no more.
    QRect part = picture.rect();
    if (const QScreen* screen = view->screen())
        part &= QRect(QPoint(0, 0), screen->size() * picture.devicePixelRatio());
    QGuiApplication::clipboard()->setImage(picture.copy(part));
}

QByteArray okapMDIChild::MetafileSvg() {
    const int resolution = app->metafileResolution;
    const TRect client = view->ClientRect();
    if (resolution <= 0 || client.Width() <= 0) return {};
    const int height = SafeInt(static_cast<double>(client.Height()) / client.Width() * resolution);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        MetafileCopying copying;
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(resolution, height));
        generator.setViewBox(QRect(0, 0, resolution, height));
        generator.setTitle(QString::fromStdString(document.title));
        QPainter painter(&generator);
        QPainterDC dc(painter);
        view->PaintInto(dc, {0, 0, resolution, height});
    }
    return buffer.data();
}

void okapMDIChild::CMCopyMetafile() {
    const QByteArray svg = MetafileSvg();
    if (svg.isEmpty()) return;
    auto* data = new QMimeData;
    data->setData("image/svg+xml", svg);
    QGuiApplication::clipboard()->setMimeData(data);
}

void okapMDIChild::CMDisplayOptions() {
    if (!MapPathIsCurrent()) {
        badclient = 1;
        return;
    }
    DisplayOptionDialog dialog(*this, DisplayOptionDialogValues(document, GridFormatFiles()));
    noredraw = 1;
    const int result = ExecModal(dialog);
    noredraw = 0;
    if (result == QDialog::Accepted) ApplyDisplayOptionDialogValues(dialog.Values(), document);
    view->Repaint();
}

void okapMDIChild::CMMapLayers() {
    MapLayerDialogTB transfer;
    transfer.layers = LayerList(document.mapLayers, document.mapLayerCount);
    noredraw = 1;
    const int count = document.mapLayerCount;
    bool accepted = false;
    while (true) {
        MapLayerDialog dialog(transfer, *this);
        accepted = ExecModal(dialog) == QDialog::Accepted;
        transfer = dialog.Transfer();
        if (!accepted || document.mapLayerCount > 0) break;
        ShowError("Error - please add at least one base map");
    }
    if (accepted) {
        document.mapLayerCount = StoreLayerList(transfer.layers, document.mapLayers);
        // A new map's first base map is shown whole.
        if (count == 0 && document.mapLayerCount > 0) {
            view->View().SetSettings(AppViewSettings());
            view->View().FullScale();
        }
    } else {
        document.mapLayerCount = count;
    }
    noredraw = 0;
    view->Repaint();
}

void okapMDIChild::CMDataLayers() {
    DataLayerDialogTB transfer{LayerList(document.dataLayers, document.dataLayerCount)};
    noredraw = 1;
    const int count = document.dataLayerCount;
    DataLayerDialog dialog(transfer, *this);
    if (ExecModal(dialog) == QDialog::Accepted) {
        document.dataLayerCount = StoreLayerList(dialog.Transfer().layers, document.dataLayers);
    } else {
        document.dataLayerCount = count;
    }
    noredraw = 0;
    view->Repaint();
}

void okapMDIChild::CMMapFullScale() {
    view->View().SetSettings(AppViewSettings());
    view->RecordPlace();
    view->View().FullScale();
    view->RecordPlace();
    view->Redraw();
}

void okapMDIChild::CMMapSetCoordinates() {
    SetCoordDialog dialog(view->View().SetCoordinatesTexts(), this);
    if (ExecModal(dialog) != QDialog::Accepted) return;
    view->RecordPlace();
    view->View().ApplySetCoordinates(dialog.Values());
    view->RecordPlace();
    view->Redraw();
}

void okapMDIChild::SelectTool(int mode) {
    view->SetToolMode(mode);
    ShowStatus(" ");
}

void okapMDIChild::CMCursorZoomin() { SelectTool(kToolZoomIn); }

void okapMDIChild::CMCursorZoomout() { SelectTool(kToolZoomOut); }

void okapMDIChild::CMCursorDatainfo() { SelectTool(kToolDataInfo); }

void okapMDIChild::CMCursorMeasure() { SelectTool(kToolMeasure); }

}  // namespace okap
