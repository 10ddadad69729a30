// The map box: the whole view filled with the map box style before anything
// else is drawn, and outlined again after everything else.

#include <array>

#include "styles/plot_style.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {

void MapView::DrawMapBox(DeviceContext& dc, int final) {
    PlotStyle& style = document.mapBoxStyles[0];
    dc.SetBkMode(BackgroundMode::Transparent);
    style.SetBrush();
    style.SetPen();
    dc.SelectBrush(*style.brush);
    dc.SelectPen(*style.pen);

    const int width = document.windowExtent.cx;
    const int height = document.windowExtent.cy;
    const std::array<POINT, 5> frame{POINT{0, 0}, POINT{width, 0}, POINT{width, -height}, POINT{0, -height},
                                     POINT{0, 0}};
    // A Null fill leaves the window's own background.
    if (final == 0 && style.fillPattern != kFillNull)
        dc.Polygon(frame);
    else
        dc.Polyline(frame);
}

}  // namespace okap
