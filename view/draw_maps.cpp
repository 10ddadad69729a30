// The map layers: for each layer in table order, the feature styles of its
// format file, then its segments, as LoadSegment hands them over in logical
// coordinates, clipped to the view unless wholly inside, drawn with the
// style of their feature code. The point buffers grow to the largest
// segment drawn.

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "core/globals.h"
#include "mapfiles/clip_polygon.h"
#include "mapfiles/hole_bridges.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "styles/map_format.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {

namespace {

// The outline of an area without its bridges (the zero-width joins of holes
// to the outer ring, see HoleBridgeEdges): the runs of edges between them,
// as polylines. A
// closed outline is walked from just after a bridge, so that a run passing
// its closing point stays one line.
void OutlineWithoutBridges(DeviceContext& dc, std::span<const POINT> area, const std::vector<bool>& bridges) {
    const size_t edges = bridges.size();
    const size_t first =
        area.front() == area.back() ? static_cast<size_t>(std::find(bridges.begin(), bridges.end(), true) - bridges.begin()) + 1
                                    : 0;
    std::vector<POINT> run;
    for (size_t k = 0; k < edges; ++k) {
        const size_t i = (first + k) % edges;
        if (bridges[i]) {
            if (run.size() > 1) dc.Polyline(run);
            run.clear();
            continue;
        }
        if (run.empty()) run.push_back(area[i]);
        run.push_back(area[i + 1]);
    }
    if (run.size() > 1) dc.Polyline(run);
}

// One area. An outline that holds bridges is filled without the pen and
// outlined without its bridges; any other is drawn as one polygon, or
// outlined only when the fill is Null.
void DrawArea(DeviceContext& dc, const PlotStyle& style, std::span<const POINT> area) {
    const bool filled = style.fillPattern != kFillNull;
    std::vector<bool> bridges;
    // Without a pen a bridge cannot show.
    if (style.pen->style != PenStyle::Null) bridges = HoleBridgeEdges(area);
    if (std::find(bridges.begin(), bridges.end(), true) == bridges.end()) {
        if (filled)
            dc.Polygon(area);
        else
            dc.Polyline(area);
        return;
    }
    if (filled) {
        dc.SelectPen(Pen{style.pen->colour, style.pen->width, PenStyle::Null});
        dc.Polygon(area);
        dc.SelectPen(*style.pen);
    }
    OutlineWithoutBridges(dc, area, bridges);
}

// Draws the pieces of one segment, one after another in points.
void DrawPieces(DeviceContext& dc, PlotStyle& style, int kind, std::span<const POINT> points,
                std::span<const int> counts) {
    dc.SetBkMode(BackgroundMode::Transparent);
    style.SetBrush();
    style.SetPen();
    dc.SelectPen(*style.pen);
    dc.SelectBrush(*style.brush);
    size_t first = 0;
    for (int count : counts) {
        const std::span<const POINT> piece = points.subspan(first, static_cast<size_t>(count));
        first += static_cast<size_t>(count);
        if (kind == kAreaKind) {
            DrawArea(dc, style, piece);
        } else if (kind == kLineKind) {
            dc.Polyline(piece);
        }
    }
}

// What one layer's drawing works with.
struct LayerDrawing {
    DeviceContext& dc;
    Projection& projection;
    FeatureStyles& styles;  // shared by all layers
    std::vector<POINT>& points;
    std::vector<POINT>& clipped;
    std::vector<int>& counts;
    TBox clipBox;
    LBox& region;  // widened by each layer's header
};

// Draws one map layer, unless the paint is cancelled. A failure has been
// reported when badclient is set afterwards.
void DrawMapLayer(LayerDrawing& d, const okapFileInfo& layer, const MapView& view) {
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

    while (!map.EndOfInFile() && !view.Cancelled()) {
        int inside = 0;
        const int loaded = map.LoadSegment(d.points, d.projection, inside);
        if (badclient) return;
        const Mapfile::Segment& segment = map.InSegment();
        // Codes beyond the style table name no style, and point segments
        // never show: neither is drawn.
        if (!loaded || !IsFeatureNumber(segment.type) || segment.kind == kPointKind) continue;
        PlotStyle& style = d.styles[static_cast<size_t>(segment.type - 1)];
        if (!style.plot) continue;

        std::span<const POINT> points = d.points;
        d.counts.assign(1, static_cast<int>(points.size()));
        if (!points.empty() && !inside) {
            if (!ClipPolygon(points, segment.kind, d.clipBox, 0, 0, d.clipped, d.counts)) {
                // Only this layer is given up.
                ShowError("Insufficient memory to clip polygon");
                badclient = 1;
                return;
            }
            points = d.clipped;
        }
        if (points.size() > 1) DrawPieces(d.dc, style, segment.kind, points, d.counts);
    }
    map.CloseInfile();
}

}  // namespace

void MapView::DrawMaps(DeviceContext& dc) {
    // Shared by all layers: a code's style stays as the last format file
    // that named it left it.
    FeatureStyles styles;
    std::vector<POINT> points;
    std::vector<POINT> clipped;
    std::vector<int> counts;
    LBox region{{INT32_MAX, -INT32_MAX}, {-INT32_MAX, INT32_MAX}};
    LayerDrawing drawing{dc,     document.projection, styles, points, clipped, counts,
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
        DrawMapLayer(drawing, document.mapLayers[static_cast<size_t>(layer)], *this);
        failed |= badclient;
    }
    badclient = failed;
    document.mapRegion = region;
}

}  // namespace okap
