#pragma once
// Fitting a document window restored from its file into the workspace.

#include <QRect>
#include <QSize>

namespace okap {

// Where a window saved at `saved` goes in a workspace of size area, when its
// frame (caption and borders) takes `frame` of its size. A window that fits
// keeps its size; a larger one is made smaller, its inside (the map) keeping
// its proportions. Then it is moved, as little as needed, to lie inside the
// workspace. With an empty workspace (not laid out yet) saved is kept.
QRect FitWindowInArea(const QRect& saved, const QSize& area, const QSize& frame);

}  // namespace okap
