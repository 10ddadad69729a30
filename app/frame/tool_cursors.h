#pragma once
// The cursors of the map view's tools: zoom in, zoom out, identify and
// measure. They
// are drawn here rather than loaded, so each is crisp at any screen density.

#include <QCursor>

namespace okap {

// IDC_ZOOMIN: a magnifying glass with a plus; the hot spot is the lens's
// centre.
QCursor ZoomInCursor();
// IDC_ZOOMOUT: a magnifying glass with a minus.
QCursor ZoomOutCursor();
// IDC_DATAINFO: an arrow with an "i" in a round sign beside it; the hot
// spot is the arrow's tip.
QCursor DataInfoCursor();
// IDC_MEASURE: cross hairs with a small ruler; the hot spot is where the
// hairs cross.
QCursor MeasureCursor();

}  // namespace okap
