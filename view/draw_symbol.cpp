#include "view/draw_symbol.h"

#include <algorithm>
#include <array>
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

    int count = static_cast<int>(outline.size());
    // Too few points to draw. Such an outline is not clipped either: two
    // points cannot close an area, and the clipper would report it.
    if (count <= 2) return true;
    int npieces = 1;
    std::array<int, kMaxClipPieces> counts{count};
    int ok = 1;
    std::span<const POINT> points = outline;
    // The clipper gives its pieces back in the buffer it was handed; pieces
    // that follow the view's edges can hold more points than the outline
    // had, so they go into a buffer of the clipper's full size.
    std::vector<POINT> clipped;
    if (!inside) {
        clipped.assign(kMaxSegmentPoints, POINT{});
        std::copy(outline.begin(), outline.end(), clipped.begin());
        ClipPolygon(clipped.data(), &count, kind, view, 0, 0, &npieces, counts.data(), &ok, 0);
        points = {clipped.data(), static_cast<size_t>(count)};
    }
    if (count <= 2 || !ok || npieces <= 0) return true;

    style.SetPen();
    style.SetBrush();
    dc.SelectBrush(*style.brush);
    dc.SelectPen(*style.pen);
    const bool filled = kind == kAreaKind && style.fillPattern != kFillNull;
    size_t start = 0;
    for (int i = 0; i < npieces; ++i) {
        const std::span<const POINT> part = points.subspan(start, static_cast<size_t>(counts[static_cast<size_t>(i)]));
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
