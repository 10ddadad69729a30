#include "app/map_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "app/okap_app.h"
#include "app/tool_cursors.h"
#include "core/globals.h"
#include "platform/qpainter_dc.h"
#include "view/document_files.h"
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

// The wait cursor while the map is drawn; the tool's cursor comes back
// afterwards.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

POINT PointOf(QPoint p) { return {p.x(), p.y()}; }

}  // namespace

okapWindow::okapWindow(MapDocument& doc, QWidget* parent)
    : QWidget(parent), document(doc), view(doc, ViewSettings{}) {
    setMouseTracking(true);
    // The keys navigate the view that has the focus.
    setFocusPolicy(Qt::StrongFocus);
    // The picture covers the whole view; Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void okapWindow::Repaint() {
    RenderPicture();
    update();
    emit Repainted();
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
    QImage image(size(), QImage::Format_RGB32);
    if (!image.isNull()) {
        image.fill(Qt::white);
        MessageRecorder held;
        {
            QPainter painter(&image);
            QPainterDC dc(painter);
            view.SetSettings(AppViewSettings());
            WaitCursor wait;
            view.Paint(dc, ClientRect());
        }
        HoldProblem(held.messages);
        // The problems are held to be shown; the next paint draws what it can
        // rather than being given up.
        badclient = 0;
        document.painting = 0;
    }
    picture = std::move(image);
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
    switch (mode) {
        case kToolZoomIn:
            setCursor(ZoomInCursor());
            break;
        case kToolZoomOut:
            setCursor(ZoomOutCursor());
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
    if (toolMode != kToolZoomIn && toolMode != kToolZoomOut && toolMode != kToolMeasure) return;
    dragState = toolMode;
    box = {point.x(), point.y(), point.x(), point.y()};
    update();
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
        Repaint();
    } else if (dragState == kDragMeasure) {
        // The distance stays in the status bar until the mouse moves again.
        dragState = kDragReleased;
        update();
    }
}

void okapWindow::paintEvent(QPaintEvent*) {
    if (picture.isNull()) RenderPicture();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!picture.isNull()) painter.drawImage(0, 0, picture);

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
    if (document.scale != 0) Repaint();
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
    Repaint();
}

void okapWindow::PanBy(int dx, int dy) {
    if (!document.drawn || ignoremode) return;
    // A drag counts once in the history, from where it starts to where it
    // ends.
    if (!panning) RecordPlace();
    view.Pan(dx, dy);
    if (!panning) RecordPlace();
    Repaint();
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
    Repaint();
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
