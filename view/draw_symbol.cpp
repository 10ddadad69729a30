#include "view/draw_symbol.h"

#include <vector>

#include "core/geometry.h"
#include "mapfiles/clip_polygon.h"
#include "mapfiles/mapfile.h"

namespace okap {

TBox ViewBox(TSize extent) { return {{0, 0}, {extent.cx, -extent.cy}}; }

bool DrawSymbol(DeviceContext& dc, const TBox& view, const TBox& symbolBox, std::span<const POINT> outline, int kind,
                PlotStyle& style) {
    const bool inside = BoxInBox(view, symbolBox) != 0;
    const bool outside = !inside && BoxOutOfBox(view, symbolBox) != 0;
    if (outside) return false;
    if (!style.plot) return true;

    // Too few points to draw. Such an outline is not clipped either: two
    // points cannot close an area, and the clipper would report it.
    if (outline.size() <= 2) return true;
    std::vector<int> counts{static_cast<int>(outline.size())};
    std::span<const POINT> points = outline;
    std::vector<POINT> clipped;
    if (!inside) {
        if (!ClipPolygon(outline, kind, view, 0, 0, clipped, counts)) return true;
        points = clipped;
    }
    if (points.size() <= 2 || counts.empty()) return true;

    style.SetPen();
    style.SetBrush();
    dc.SelectBrush(*style.brush);
    dc.SelectPen(*style.pen);
    const bool filled = kind == kAreaKind && style.fillPattern != kFillNull;
    size_t start = 0;
    for (int count : counts) {
        const std::span<const POINT> part = points.subspan(start, static_cast<size_t>(count));
        if (filled) {
            dc.Polygon(part);
        } else {
            dc.Polyline(part);
        }
        start += part.size();
    }
    return true;
}

}  // namespace okap
