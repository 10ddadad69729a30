#include "app/frame/background_paint.h"

#include <QPainter>
#include <utility>

#include "platform/qpainter_dc.h"
#include "platform/set_wd.h"

namespace okap {

namespace {

// Puts the calling thread's globals back however the paint ends.
class KeepGlobals {
public:
    KeepGlobals() : saved(SaveGlobals()) {}
    ~KeepGlobals() { RestoreGlobals(saved); }
    KeepGlobals(const KeepGlobals&) = delete;
    KeepGlobals& operator=(const KeepGlobals&) = delete;

private:
    GlobalsState saved;
};

}  // namespace

PaintedPicture PaintPicture(MapDocument document, const ViewSettings& settings, const GlobalsState& globals,
                            QSize size, double pixelRatio) {
    PaintedPicture painted{QImage(size * pixelRatio, QImage::Format_RGB32), {}, std::move(document)};
    if (painted.picture.isNull()) return painted;
    painted.picture.setDevicePixelRatio(pixelRatio);
    painted.picture.fill(Qt::white);

    KeepGlobals keep;
    RestoreGlobals(globals);
    // A problem reported before belongs to the picture that met it.
    badclient = 0;
    ThreadWorkDirectory ownDirectory;
    MessageRecorder held;
    {
        QPainter painter(&painted.picture);
        QPainterDC dc(painter);
        MapView view(painted.document, settings);
        view.Paint(dc, {0, 0, size.width(), size.height()});
        painted.cancelled = view.Cancelled();
    }
    painted.messages = std::move(held.messages);
    painted.globals = SaveGlobals();
    painted.document.painting = 0;
    return painted;
}

}  // namespace okap
