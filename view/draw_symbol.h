#pragma once
// Drawing one data symbol, a data point's or a legend entry's, clipped to
// the view.

#include <span>

#include "core/coordinates.h"
#include "platform/device_context.h"
#include "styles/plot_style.h"

namespace okap {

// The visible part of a view whose window extent is extent: logical (0, 0)
// at the top left to (width, -height) at the bottom right.
TBox ViewBox(TSize extent);

// Draws a symbol's outline with style when its plot flag is set: whole when
// symbolBox lies inside view, clipped to view when it lies across an edge.
// kind 3 draws closed shapes (outlined only when the fill pattern is Null),
// kind 2 polylines. An outline left with two points or fewer is not drawn.
// The style's pen and brush are rebuilt first. Returns false when the
// symbol lies wholly outside the view, whatever its style.
bool DrawSymbol(DeviceContext& dc, const TBox& view, const TBox& symbolBox, std::span<const POINT> outline, int kind,
                PlotStyle& style);

}  // namespace okap
