#pragma once
// One paint of a document's map into an image, on whatever thread calls it:
// the map window runs it on a thread of its own so that the user never
// waits for a picture. The paint works on a copy of the document, with the
// globals of the thread that asked for it and a current directory of its
// own, so that two paints never share state; its messages are recorded for
// the window to show once it is over.

#include <QImage>
#include <QSize>
#include <vector>

#include "core/globals.h"
#include "platform/message_box.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {

struct PaintedPicture {
    QImage picture;
    std::vector<Message> messages;
    // The copy as the paint left it: its mapping and what it read from the
    // files (projection, region, position format, grid notices).
    MapDocument document;
    // The drawing scales the paint set (pixwid, lcperdegree).
    GlobalsState globals{};
    // The paint was cancelled before it ended: the picture is incomplete.
    bool cancelled = false;
};

// Draws document through a view of size pixels, with settings and the
// globals globals, into a new image. The calling thread's globals,
// message handler and current directory are as they were afterwards. On a
// high-density screen pixelRatio is its device pixel ratio: the image has
// that many pixels to each of the view's, and the view keeps its mapping in
// the view's own pixels, so the map is the same, only sharper.
PaintedPicture PaintPicture(MapDocument document, const ViewSettings& settings, const GlobalsState& globals,
                            QSize size, double pixelRatio = 1.0);

}  // namespace okap
