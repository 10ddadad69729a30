// The map layers: for each layer in table order, the feature styles of its
// format file, then its segments, as LoadSegment hands them over in logical
// coordinates, clipped to the view unless wholly inside, drawn with the
// style of their feature code.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/globals.h"
#include "mapfiles/clip_polygon.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "styles/map_format.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {

namespace {

// Draws the pieces of one segment, one after another in points.
void DrawPieces(DeviceContext& dc, PlotStyle& style, int kind, const POINT* points, const int* counts,
                int pieces) {
    dc.SetBkMode(BackgroundMode::Transparent);
    style.SetBrush();
    style.SetPen();
    dc.SelectPen(*style.pen);
    dc.SelectBrush(*style.brush);
    for (int i = 0; i < pieces; ++i) {
        const std::span<const POINT> piece(points, static_cast<size_t>(counts[i]));
        if (kind == kAreaKind) {
            // A Null fill outlines the area only.
            if (style.fillPattern != kFillNull)
                dc.Polygon(piece);
            else
                dc.Polyline(piece);
        } else if (kind == kLineKind) {
            dc.Polyline(piece);
        }
        points += counts[i];
    }
}

// What one layer's drawing works with.
struct LayerDrawing {
    DeviceContext& dc;
    Projection& projection;
    FeatureStyles& styles;  // shared by all layers
    std::vector<POINT>& points;
    std::array<int, kMaxClipPieces>& counts;
    TBox clipBox;
    LBox& region;  // widened by each layer's header
};

// Draws one map layer. A failure has been reported when badclient is set
// afterwards.
void DrawMapLayer(LayerDrawing& d, const okapFileInfo& layer) {
    Mapfile map;
    if (!map.OpenInfile(layer.file)) {
        badclient = 1;
        return;
    }
    if (!LoadFeatureStyles(layer.format, d.styles)) return;
    const Mapfile::Header& header = map.InHeader();
    d.region.tl.x = std::min(d.region.tl.x, header.west);
    d.region.tl.y = std::max(d.region.tl.y, header.north);
    d.region.br.x = std::max(d.region.br.x, header.east);
    d.region.br.y = std::min(d.region.br.y, header.south);

    while (!map.EndOfInFile()) {
        int count = 0;
        int inside = 0;
        const int loaded = map.LoadSegment(d.points.data(), &count, d.projection, inside);
        if (badclient) return;
        const Mapfile::Segment& segment = map.InSegment();
        // Codes beyond the style table name no style, and point segments
        // never show: neither is drawn.
        if (!loaded || !IsFeatureNumber(segment.type) || segment.kind == kPointKind) continue;
        PlotStyle& style = d.styles[static_cast<size_t>(segment.type - 1)];
        if (!style.plot) continue;

        int pieces = 1;
        d.counts[0] = count;
        if (count > 0 && !inside) {
            int ok = 1;
            ClipPolygon(d.points.data(), &count, segment.kind, d.clipBox, 0, 0, &pieces, d.counts.data(), &ok, 0);
            if (!ok) {
                // Only this layer is given up.
                ShowError("Insufficient memory to clip polygon");
                badclient = 1;
                return;
            }
        }
        if (count > 1) DrawPieces(d.dc, style, segment.kind, d.points.data(), d.counts.data(), pieces);
    }
    map.CloseInfile();
}

}  // namespace

void MapView::DrawMaps(DeviceContext& dc) {
    // Shared by all layers: a code's style stays as the last format file
    // that named it left it.
    FeatureStyles styles;
    std::vector<POINT> points(kMaxSegmentPoints);
    std::array<int, kMaxClipPieces> counts{};
    LBox region{{INT32_MAX, -INT32_MAX}, {-INT32_MAX, INT32_MAX}};
    LayerDrawing drawing{dc,     document.projection, styles, points, counts,
                         {{0, 0}, {document.windowExtent.cx, -document.windowExtent.cy}}, region};

    if (SetWD(settings.mapDirectory) != 0) {
        ShowError("Map file path does not exist");
        badclient = 1;
        return;
    }
    // A layer whose files cannot be read is reported and left out; the
    // layers after it are still drawn. badclient tells the paint that
    // something was reported.
    int failed = 0;
    const int layers = std::clamp(document.mapLayerCount, 0, kMaxMapLayers);
    for (int layer = 0; layer < layers; ++layer) {
        badclient = 0;
        DrawMapLayer(drawing, document.mapLayers[static_cast<size_t>(layer)]);
        failed |= badclient;
    }
    badclient = failed;
    document.mapRegion = region;
}

}  // namespace okap
