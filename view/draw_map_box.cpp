// The map box: the view filled with the map box style before anything else
// is drawn, and outlined again after everything else. Where part of the
// view lies off the globe (round an orthographic globe, beyond a
// cylindrical world's edges), only the globe takes the fill, the rest a
// neutral grey, and the globe's edge is outlined with the map box pen over
// the map layers, under the data and legends.

#include <array>
#include <optional>
#include <vector>

#include "styles/plot_style.h"
#include "view/map_document.h"
#include "view/map_view.h"
#include "view/shown_area.h"

namespace okap {

namespace {

constexpr Colour kOffTheGlobe = Colour::Rgb(224, 224, 224);

}  // namespace

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
    if (final == 0 && style.fillPattern != kFillNull) {
        const std::optional<std::vector<POINT>> globe =
            ShownArea(document.projection, TBox{{0, 0}, {width, -height}}, document.mapRegion);
        if (!globe) {
            dc.Polygon(frame);
            return;
        }
        dc.SelectBrush(Brush::Solid(kOffTheGlobe));
        dc.Polygon(frame);
        if (globe->empty()) return;
        dc.SelectBrush(*style.brush);
        dc.SelectPen(Pen{Colour{}, 0, PenStyle::Null});
        dc.Polygon(*globe);
        return;
    }
    dc.Polyline(frame);
}

void MapView::DrawGlobeEdge(DeviceContext& dc) {
    const std::optional<std::vector<POINT>> globe = ShownArea(
        document.projection, TBox{{0, 0}, {document.windowExtent.cx, -document.windowExtent.cy}}, document.mapRegion);
    if (!globe || globe->empty()) return;
    PlotStyle& style = document.mapBoxStyles[0];
    style.SetPen();
    dc.SelectPen(*style.pen);
    std::vector<POINT> edge = *globe;
    edge.push_back(edge.front());
    dc.Polyline(edge);
}

}  // namespace okap
