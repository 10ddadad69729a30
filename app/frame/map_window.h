#pragma once
// The map view widget (okapWindow): the client window of one document
// window. It draws the document through MapView::Paint into a picture that
// it keeps, shows that picture, and draws the cursor tools' rubber box or
// line over it, so that a figure is removed by showing the picture again.
// Mouse moves write the position under the cursor to the status bar.
//
// A change of view (the wheel, a drag, the keys, the history, a zoom box,
// Full Scale, Set Coordinates, a new size) never waits for the map: the
// window shows its last picture moved and scaled to the new view at once,
// draws the new one on a thread of its own (a newer change cancels it) and
// shows it when it is done. A change of what the map holds is drawn at once.
//
// Messages that arise while the map is drawn are held back and shown once
// the drawing (and Qt's paint event) has finished, since a modal message box
// must not run inside a paint. A problem with the document's files is shown
// once, until the document or its files change; the window meanwhile draws
// what it can.

#include <QImage>
#include <QThreadPool>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "core/coordinates.h"
#include "platform/message_box.h"
#include "view/cursor_tools.h"
#include "view/map_view.h"

namespace okap {

class DeviceContext;
class IdentifyWindow;
class MapDocument;
struct PaintedPicture;

// What a view takes from the application when it paints: the map and data
// directories, and whether a metafile copy or a print is under way.
ViewSettings AppViewSettings();

class okapWindow : public QWidget {
    Q_OBJECT
public:
    explicit okapWindow(MapDocument& document, QWidget* parent = nullptr);
    // Cancels a paint under way and waits for it to stop.
    ~okapWindow() override;

    MapView& View() { return view; }

    // Draws the map afresh at once and shows it: what every command that
    // changes what the map holds does.
    void Repaint();
    // Shows the document's new view at once with the last picture moved
    // and scaled to it, and draws the new picture in the background: what
    // every change of view does.
    void Redraw();
    // Waits for a background paint under way and shows its picture: for a
    // command that takes the picture, and for tests.
    void WaitForPicture();
    // A background paint has been started and not yet shown.
    bool Painting() const { return paintPending; }
    // Draws the map into another device's dc (a printer page, the preview,
    // the metafile) through rect with the application's settings, rect
    // being the client rectangle or, for a metafile copy, the metafile's
    // rectangle. The window's own mapping, which the cursor tools use, stays
    // that of its picture. Messages are shown as they arise.
    void PaintInto(DeviceContext& dc, const TRect& rect);
    // The picture of the last paint that has been shown, the size of the
    // view then; null before the first.
    const QImage& Picture() const { return picture; }
    // The view's client rectangle in device pixels.
    TRect ClientRect() const { return {0, 0, width(), height()}; }

    // The cursor tools: the tool mode chosen by the Cursor commands, with
    // its cursor; the rubber box is cleared.
    void SetToolMode(int mode);
    int ToolMode() const { return toolMode; }
    int DragState() const { return dragState; }
    const Box& RubberBox() const { return box; }
    // The identify tool's window, once a click has made it; it closes when
    // another tool is chosen.
    IdentifyWindow* IdentifyPopup() const { return identifyWindow; }

    // The mouse handlers, points in device pixels of the view. A press in
    // the identify tool shows what lies under it.
    void EvLButtonDown(QPoint point);
    void EvMouseMove(QPoint point);
    void EvLButtonUp(QPoint point);

    // The zoom history: the views (centre and scale) the window has drawn,
    // in order. Back and Forward return to them as a zoom would, marking
    // the document modified the same way; a new view after Back drops the
    // ones ahead of it.
    void Back();
    void Forward();
    bool CanGoBack() const { return placeIndex > 0; }
    bool CanGoForward() const { return placeIndex + 1 < places.size(); }
    // Adds the document's view to the history unless it is the current
    // one: what every change of view does before and after it.
    void RecordPlace();

    QSize sizeHint() const override { return {480, 360}; }

signals:
    // After every Repaint: what a command that changes the map ends with.
    void Repainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Navigation beside the cursor tools: the wheel zooms about the
    // pointer, a drag with the middle button (or the left while Space is
    // held) pans, the arrow keys pan by a tenth of the view and + and -
    // zoom about its centre.
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void ZoomAbout(QPoint device, double factor);
    void IdentifyAt(QPoint device);
    void GoToPlace(size_t index);
    void PanBy(int dx, int dy);

    // Draws the map into a new picture of the view's size, holding back
    // its messages.
    void RenderPicture();
    // Starts a background paint of the view as it is now.
    void StartPaint();
    // Shows a finished paint when it is the latest asked for.
    void TakePicture(uint64_t paintNumber, PaintedPicture& painted);
    // Makes a paint's picture the window's and takes what the paint learnt
    // of the map into the document.
    void ShowPicture(PaintedPicture& painted);
    // Holds a paint's messages to be shown after it, unless they are the
    // problem shown last time and nothing it depends on has changed.
    void HoldProblem(const std::vector<Message>& messages);
    void ShowHeldMessages();

    MapDocument& document;
    MapView view;
    QImage picture;
    // The view the picture shows, to move and scale it to another.
    struct PictureView {
        LPoint centre;
        int32_t scale = 0;
        TSize windowExtent;
        TSize viewportExtent;
    };
    PictureView pictureView;
    // The background paints: each has a number, and one whose number is no
    // longer the latest stops and is thrown away.
    QThreadPool painters;
    std::atomic<uint64_t> latestPaint{0};
    bool paintPending = false;
    Box box;
    IdentifyWindow* identifyWindow = nullptr;
    int toolMode = kToolNone;
    int dragState = kDragIdle;
    struct Place {
        LPoint centre;
        int32_t scale = 0;
        friend bool operator==(const Place&, const Place&) = default;
    };
    std::vector<Place> places;
    size_t placeIndex = 0;
    bool spaceHeld = false;
    bool panning = false;
    QPoint panFrom;
    std::vector<Message> heldMessages;
    std::string shownProblem;  // the messages last shown, with the state of the files
};

}  // namespace okap
