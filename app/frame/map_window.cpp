#include "app/frame/map_window.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "app/frame/background_paint.h"
#include "app/frame/identify_window.h"
#include "app/frame/okap_app.h"
#include "app/frame/tool_cursors.h"
#include "app/frame/wait_cursor.h"
#include "core/globals.h"
#include "platform/qpainter_dc.h"
#include "view/document_files.h"
#include "view/identify.h"
#include "view/map_document.h"

namespace okap {

// What the view takes from the application for one paint.
ViewSettings AppViewSettings() {
    ViewSettings settings;
    settings.mapDirectory = app->mapPath;
    settings.dataDirectory = app->dataPath;
    settings.metafileCopying = app->metafileCopying != 0;
    settings.printing = app->printingCount != 0 && app->printer != nullptr;
    return settings;
}

namespace {

POINT PointOf(QPoint p) { return {p.x(), p.y()}; }

// A viewport set up as a paint sets it, with no PROJ object: the mapping
// between logical and world coordinates of one view.
Projection Viewport(LPoint centre, int32_t scale, TSize windowExtent, TSize viewportExtent) {
    Projection viewport;
    viewport.setvp(windowExtent, viewportExtent, centre, scale);
    return viewport;
}

// Where a device point of the view `from` shows in the view `to`, in
// doubles: a picture moved far off the view must not be clamped.
QPointF MovedPoint(QPointF device, const Projection& from, TSize fromWindow, TSize fromViewport,
                   const Projection& to, TSize toWindow, TSize toViewport) {
    const double lx = device.x() * fromWindow.cx / fromViewport.cx;
    const double ly = device.y() * fromWindow.cy / fromViewport.cy;
    const double wx = (lx - from.lporigin.x) * from.dmaspectx + from.dmorigin.x;
    const double wy = -(ly - from.lporigin.y) * from.dmaspecty + from.dmorigin.y;
    const double tx = (wx - to.dmorigin.x) * to.lpaspectx + to.lporigin.x;
    const double ty = (wy - to.dmorigin.y) * to.lpaspecty + to.lporigin.y;
    return {tx * toViewport.cx / toWindow.cx, ty * toViewport.cy / toWindow.cy};
}

}  // namespace

okapWindow::okapWindow(MapDocument& doc, QWidget* parent)
    : QWidget(parent), document(doc), view(doc, ViewSettings{}) {
    setMouseTracking(true);
    // The keys navigate the view that has the focus.
    setFocusPolicy(Qt::StrongFocus);
    // The picture covers the whole view; Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // One paint draws while a cancelled one finishes its last segment.
    painters.setMaxThreadCount(2);
}

okapWindow::~okapWindow() {
    ++latestPaint;
    painters.waitForDone();
}

void okapWindow::Repaint() {
    // A background paint under way would show an older map.
    ++latestPaint;
    paintPending = false;
    RenderPicture();
    update();
    emit Repainted();
}

void okapWindow::Redraw() {
    view.MapTo(ClientRect());
    StartPaint();
    update();
    emit Repainted();
}

void okapWindow::StartPaint() {
    const uint64_t number = ++latestPaint;
    // No paint while a document dialog is open, as in Paint; the picture
    // stays, moved, until the dialog's own repaint.
    if (!app || noredraw || size().isEmpty()) {
        paintPending = false;
        return;
    }
    paintPending = true;
    ViewSettings settings = AppViewSettings();
    settings.cancelled = [this, number] { return latestPaint.load() != number; };
    painters.start([this, number, copy = MapDocument(document), settings = std::move(settings),
                    globals = SaveGlobals(), size = size(), ratio = devicePixelRatioF()]() mutable {
        // Waiting its turn, the paint may have been overtaken already.
        if (latestPaint.load() != number) return;
        auto painted = std::make_shared<PaintedPicture>(PaintPicture(std::move(copy), settings, globals, size, ratio));
        // Shown on the window's own thread; a window that is closing has
        // cancelled its paints and waits for this one before it goes, and
        // drops what has not been delivered.
        QMetaObject::invokeMethod(this, [this, number, painted] { TakePicture(number, *painted); }, Qt::QueuedConnection);
    });
}

void okapWindow::TakePicture(uint64_t number, PaintedPicture& painted) {
    if (number != latestPaint.load() || painted.cancelled) return;
    paintPending = false;
    ShowPicture(painted);
}

void okapWindow::WaitForPicture() {
    if (!paintPending) return;
    painters.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void okapWindow::ShowPicture(PaintedPicture& painted) {
    MapDocument& drawn = painted.document;
    picture = std::move(painted.picture);
    pictureView = {drawn.centre, drawn.scale, drawn.windowExtent, drawn.viewportExtent};
    // What the paint read from the files, for the read-out, the tools and
    // the next paint.
    if (drawn.drawn) {
        document.drawn = 1;
        document.projection = std::move(drawn.projection);
        document.mapRegion = drawn.mapRegion;
        document.longitudeMode = drawn.longitudeMode;
        document.positionFormat = drawn.positionFormat;
        document.gridDensityNotices = drawn.gridDensityNotices;
        document.windowExtent = drawn.windowExtent;
        document.viewportExtent = drawn.viewportExtent;
        // The view may have changed size since.
        view.MapTo(ClientRect());
    }
    // Map-sized text elsewhere (the style samples) follows the picture.
    pixwid = painted.globals.pixwid;
    lcperdegree = painted.globals.lcperdegree;
    HoldProblem(painted.messages);
    update();
}

void okapWindow::PaintInto(DeviceContext& dc, const TRect& rect) {
    if (!app) return;
    // A paint sets up its mapping (extents, the projection's viewport) in
    // the document it draws. Another device (a printer page, the preview
    // sheet, the metafile) gets a copy of the document to draw, so that the
    // window keeps the mapping of its own picture, which the position
    // read-out, the zoom and the measure tool convert with.
    MapDocument page(document);
    MapView pageView(page, AppViewSettings());
    WaitCursor wait;
    pageView.Paint(dc, rect);
    // Its problems have been shown; the window's next paint draws anyway.
    badclient = 0;
}

void okapWindow::RenderPicture() {
    if (!app) return;
    if (size().isEmpty()) {
        picture = QImage();
        return;
    }
    view.SetSettings(AppViewSettings());
    WaitCursor wait;
    PaintedPicture painted = PaintPicture(document, view.Settings(), SaveGlobals(), size(), devicePixelRatioF());
    ShowPicture(painted);
}

void okapWindow::HoldProblem(const std::vector<Message>& messages) {
    if (messages.empty()) {
        shownProblem.clear();
        return;
    }
    // A document's load problem (a missing or broken file) is shown once: a
    // paint that meets the same messages, with the document naming the same
    // files and none of them changed, keeps quiet.
    std::string problem = DocumentFilesState(document, view.Settings());
    for (const Message& m : messages) problem += m.caption + ": " + m.text + '\n';
    if (problem == shownProblem) return;
    shownProblem = std::move(problem);
    const bool alreadyHeld = !heldMessages.empty();
    heldMessages.insert(heldMessages.end(), messages.begin(), messages.end());
    if (!alreadyHeld) QTimer::singleShot(0, this, &okapWindow::ShowHeldMessages);
}

void okapWindow::ShowHeldMessages() {
    const std::vector<Message> messages = std::exchange(heldMessages, {});
    for (const Message& m : messages) MessageBox(m.text, m.caption, m.buttons, m.icon);
}

void okapWindow::SetToolMode(int mode) {
    toolMode = mode;
    box = Box{};
    if (identifyWindow && mode != kToolDataInfo) identifyWindow->close();
    switch (mode) {
        case kToolZoomIn:
            setCursor(ZoomInCursor());
            break;
        case kToolZoomOut:
            setCursor(ZoomOutCursor());
            break;
        case kToolDataInfo:
            setCursor(DataInfoCursor());
            break;
        case kToolMeasure:
            setCursor(MeasureCursor());
            break;
        default:
            unsetCursor();
            break;
    }
}

void okapWindow::EvLButtonDown(QPoint point) {
    if (toolMode == kToolDataInfo) {
        IdentifyAt(point);
        return;
    }
    if (toolMode != kToolZoomIn && toolMode != kToolZoomOut && toolMode != kToolMeasure) return;
    dragState = toolMode;
    box = {point.x(), point.y(), point.x(), point.y()};
    update();
}

void okapWindow::IdentifyAt(QPoint point) {
    // Before the first complete paint there is no mapping to search with.
    if (!app || !document.drawn) return;
    const Identification found = Identify(document, AppViewSettings(), PointOf(point));
    if (!identifyWindow) identifyWindow = new IdentifyWindow(this);
    identifyWindow->ShowAt(IdentificationRows(found, document), mapToGlobal(point));
}

void okapWindow::EvMouseMove(QPoint point) {
    // Before the first complete paint there is no mapping to read.
    if (!document.drawn) return;
    const std::optional<std::string> text =
        dragState == kDragMeasure ? MeasureText(document, box, PointOf(point)) : PositionText(document, PointOf(point));
    if (text) ShowStatus(QString::fromStdString(*text));

    // While the map is being drawn the picture is not ready to draw over.
    if (ignoremode || !BoxIsSet(box)) return;
    if (dragState == kDragZoomIn || dragState == kDragZoomOut) {
        box = ZoomBoxEnd(box, PointOf(point), width(), height());
        update();
    } else if (dragState == kDragMeasure) {
        box.x2 = point.x();
        box.y2 = point.y();
        update();
    }
}

void okapWindow::EvLButtonUp(QPoint) {
    if (dragState == kDragZoomIn || dragState == kDragZoomOut) {
        const int mode = dragState;
        // The box goes before the zoom, which may show a message over the
        // view.
        dragState = kDragReleased;
        update();
        RecordPlace();
        view.Zoom(box, mode, ClientRect());
        RecordPlace();
        Redraw();
    } else if (dragState == kDragMeasure) {
        // The distance stays in the status bar until the mouse moves again.
        dragState = kDragReleased;
        update();
    }
}

void okapWindow::paintEvent(QPaintEvent*) {
    if (picture.isNull() && !paintPending && document.scale != 0) StartPaint();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!picture.isNull()) {
        const PictureView& was = pictureView;
        const bool moved = !(was.centre == document.centre) || was.scale != document.scale ||
                           !(was.windowExtent == document.windowExtent) ||
                           !(was.viewportExtent == document.viewportExtent);
        if (!moved || was.scale == 0 || !document.projection.vpset || was.viewportExtent.cx == 0) {
            painter.drawImage(0, 0, picture);
        } else {
            // The last picture where its map now lies, until the new one
            // is drawn.
            const Projection from = Viewport(was.centre, was.scale, was.windowExtent, was.viewportExtent);
            const QPointF topLeft = MovedPoint({0, 0}, from, was.windowExtent, was.viewportExtent, document.projection,
                                               document.windowExtent, document.viewportExtent);
            // The picture's size in the window's pixels, whatever its density.
            const QSizeF shown = picture.deviceIndependentSize();
            const QPointF bottomRight =
                MovedPoint(QPointF(shown.width(), shown.height()), from, was.windowExtent, was.viewportExtent,
                           document.projection, document.windowExtent, document.viewportExtent);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.drawImage(QRectF(topLeft, bottomRight), picture);
        }
    }

    const bool drawingBox = dragState == kDragZoomIn || dragState == kDragZoomOut;
    if ((!drawingBox && dragState != kDragMeasure) || !BoxIsSet(box)) return;
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    if (drawingBox) {
        const QPoint corners[] = {{box.x1, box.y1}, {box.x2, box.y1}, {box.x2, box.y2}, {box.x1, box.y2}};
        painter.drawPolygon(corners, 4);
    } else {
        painter.drawLine(box.x1, box.y1, box.x2, box.y2);
    }
}

void okapWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A document whose scale is 0 has nothing sensible to draw.
    if (document.scale != 0) Redraw();
}

// The view takes its mouse events: passed on, they would reach the document
// window, whose own mouse-move handling is for its frame.
void okapWindow::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    event->accept();
    const bool pans = event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld);
    if (pans && dragState != kDragZoomIn && dragState != kDragZoomOut && dragState != kDragMeasure) {
        panning = true;
        panFrom = event->position().toPoint();
        RecordPlace();
        setCursor(Qt::ClosedHandCursor);
    } else if (event->button() == Qt::LeftButton) {
        EvLButtonDown(event->position().toPoint());
    }
}

void okapWindow::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    const QPoint point = event->position().toPoint();
    if (panning) {
        const QPoint step = point - panFrom;
        panFrom = point;
        PanBy(step.x(), step.y());
    }
    EvMouseMove(point);
}

void okapWindow::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (panning) {
        panning = false;
        RecordPlace();
        SetToolMode(toolMode);  // the tool's own cursor again
    } else if (event->button() == Qt::LeftButton) {
        EvLButtonUp(event->position().toPoint());
    }
}

namespace {

// The zoom of one wheel notch (and of the + and - keys); a touchpad's
// smaller steps zoom in proportion.
constexpr double kNotchZoom = 1.25;

}  // namespace

void okapWindow::ZoomAbout(QPoint device, double factor) {
    if (!document.drawn || ignoremode) return;
    RecordPlace();
    view.ZoomAbout(PointOf(device), factor);
    RecordPlace();
    Redraw();
}

void okapWindow::PanBy(int dx, int dy) {
    if (!document.drawn || ignoremode) return;
    // A drag counts once in the history, from where it starts to where it
    // ends.
    if (!panning) RecordPlace();
    view.Pan(dx, dy);
    if (!panning) RecordPlace();
    Redraw();
}

namespace {

// Views kept in the zoom history.
constexpr size_t kMostPlaces = 100;

}  // namespace

void okapWindow::RecordPlace() {
    const Place place{document.centre, document.scale};
    if (!places.empty() && places[placeIndex] == place) return;
    if (!places.empty()) places.resize(placeIndex + 1);
    places.push_back(place);
    if (places.size() > kMostPlaces) places.erase(places.begin());
    placeIndex = places.size() - 1;
}

void okapWindow::GoToPlace(size_t index) {
    if (index >= places.size() || ignoremode) return;
    placeIndex = index;
    document.centre = places[index].centre;
    document.scale = places[index].scale;
    document.UpdateModified();
    Redraw();
}

void okapWindow::Back() {
    if (CanGoBack()) GoToPlace(placeIndex - 1);
}

void okapWindow::Forward() {
    if (CanGoForward()) GoToPlace(placeIndex + 1);
}

void okapWindow::wheelEvent(QWheelEvent* event) {
    event->accept();
    const int eighths = event->angleDelta().y();
    if (eighths == 0) return;
    ZoomAbout(event->position().toPoint(), std::pow(kNotchZoom, eighths / 120.0));
}

void okapWindow::keyPressEvent(QKeyEvent* event) {
    // Keys with Alt or Ctrl are the menus' (Alt+Left is Back).
    if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    const QPoint middle(width() / 2, height() / 2);
    switch (event->key()) {
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) spaceHeld = true;
            break;
        case Qt::Key_Left:
            PanBy(width() / 10, 0);
            break;
        case Qt::Key_Right:
            PanBy(-width() / 10, 0);
            break;
        case Qt::Key_Up:
            PanBy(0, height() / 10);
            break;
        case Qt::Key_Down:
            PanBy(0, -height() / 10);
            break;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomAbout(middle, kNotchZoom);
            break;
        case Qt::Key_Minus:
            ZoomAbout(middle, 1 / kNotchZoom);
            break;
        case Qt::Key_Escape:
            if (!identifyWindow || !identifyWindow->isVisible()) {
                QWidget::keyPressEvent(event);
                return;
            }
            identifyWindow->close();
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void okapWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) spaceHeld = false;
    QWidget::keyReleaseEvent(event);
}

}  // namespace okap
