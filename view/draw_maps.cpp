// The map layers: for each layer in table order, the feature styles of its
// format file, then its segments in logical coordinates, clipped to the
// view unless wholly inside, drawn with the style of their feature code.
// A binary map file is drawn from the copy the shared MapDetailCache holds,
// at the level of detail the view's pixels can show; a file that cannot be
// read whole is read segment by segment with LoadSegment, which reports
// what is wrong with it. The point buffers grow to the largest segment
// drawn.

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <cstdint>
#include <span>
#include <vector>

#include "core/geometry.h"
#include "core/globals.h"
#include "mapfiles/clip_polygon.h"
#include "mapfiles/hole_bridges.h"
#include "mapfiles/map_detail.h"
#include "mapfiles/map_detail_cache.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "styles/map_format.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {

namespace {

// How far, in device pixels, the simplified copy a view draws may stray
// from a segment's points.
constexpr double kDetailPixels = 0.5;
// A segment with no more points than this many a pixel of its box's width
// and height is drawn whole: simplifying it would save little, and a view
// close in draws every point as it always has.
constexpr double kWholeUpToPointsPerPixel = 2.0;

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
// outlined only when the fill is Null. mayHaveBridges false spares the
// search for an area known to have none.
void DrawArea(DeviceContext& dc, const PlotStyle& style, std::span<const POINT> area, bool mayHaveBridges) {
    const bool filled = style.fillPattern != kFillNull;
    std::vector<bool> bridges;
    // Without a pen a bridge cannot show.
    if (mayHaveBridges && style.pen->style != PenStyle::Null) bridges = HoleBridgeEdges(area);
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
                std::span<const int> counts, bool mayHaveBridges) {
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
            DrawArea(dc, style, piece, mayHaveBridges);
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
    double worldPerPixel;  // world units a device pixel spans
    double tolerance;      // world units a simplified copy may stray
};

// Draws the segment in d.points (as many as it has) with style: clipped
// unless inside. A failure has been reported when badclient is set
// afterwards.
void DrawSegment(LayerDrawing& d, PlotStyle& style, int kind, bool inside, bool mayHaveBridges) {
    std::span<const POINT> points = d.points;
    d.counts.assign(1, static_cast<int>(points.size()));
    if (!points.empty() && !inside) {
        if (!ClipPolygon(points, kind, d.clipBox, 0, 0, d.clipped, d.counts)) {
            ShowError("Insufficient memory to clip polygon");
            badclient = 1;
            return;
        }
        points = d.clipped;
    }
    if (points.size() > 1) DrawPieces(d.dc, style, kind, points, d.counts, mayHaveBridges);
}

// The width and height of a box in device pixels, added.
double SpanPixels(const LBox& box, double worldPerPixel) {
    return (static_cast<double>(box.br.x) - box.tl.x + static_cast<double>(box.tl.y) - box.br.y) / worldPerPixel;
}

// Converts points into d.points. A simplified copy leaves out a point that
// falls on the logical point before it, but keeps the last point, which
// closes an area.
void ConvertPoints(LayerDrawing& d, std::span<const LPoint> points, bool simplified) {
    d.points.resize(points.size());
    d.projection.dm2lp(points.data(), d.points.data(), points.size());
    if (!simplified || d.points.size() < 3) return;
    size_t kept = 1;
    for (size_t i = 1; i + 1 < d.points.size(); ++i) {
        if (!(d.points[i] == d.points[kept - 1])) d.points[kept++] = d.points[i];
    }
    d.points[kept++] = d.points.back();
    d.points.resize(kept);
}

// Draws a layer's segments from its detail, each from the copy that fits the
// view's scale.
void DrawDetail(LayerDrawing& d, const MapDetail& detail, const MapView& view) {
    LBox viewBox;
    // Without a viewport nothing can be shown.
    if (!MakeBox(d.projection, viewBox)) return;
    const int level = detail.LevelFor(d.tolerance);
    const bool simplified = level != MapDetail::kFullDetail;
    // A segment within one device pixel shows as a dot there. Far out, tens
    // of thousands of islands fall into the same few pixels: among
    // segments of one style drawn one after another, only the first in a
    // pixel is drawn, as the others would draw the same dot over it.
    std::unordered_set<uint64_t> dotted;
    const PlotStyle* dottedStyle = nullptr;
    // The device pixel of a box's middle, through the viewport.
    const Projection& p = d.projection;
    const double logicalPerPixel = p.lpaspectx * d.worldPerPixel;
    const auto cell = [&](int32_t low, int32_t high, double origin, double aspect, double logicalOrigin) {
        const double logical = ((static_cast<double>(low) + high) / 2 - origin) * aspect + logicalOrigin;
        return static_cast<uint32_t>(static_cast<int64_t>(std::floor(logical / logicalPerPixel)));
    };
    for (size_t i = 0; i < detail.SegmentCount() && !view.Cancelled(); ++i) {
        const MapDetail::Segment& segment = detail.SegmentAt(i);
        if (!IsFeatureNumber(segment.type) || segment.kind == kPointKind) continue;
        PlotStyle& style = d.styles[static_cast<size_t>(segment.type - 1)];
        if (!style.plot || BoxOutOfBox(viewBox, segment.box)) continue;
        // What another style draws between two dots may cover the first.
        if (dottedStyle != &style) dotted.clear();
        dottedStyle = &style;
        if (simplified && static_cast<double>(segment.box.br.x) - segment.box.tl.x < d.worldPerPixel &&
            static_cast<double>(segment.box.tl.y) - segment.box.br.y < d.worldPerPixel) {
            const uint64_t pixel =
                uint64_t{cell(segment.box.tl.x, segment.box.br.x, p.dmorigin.x, p.lpaspectx, p.lporigin.x)} << 32 |
                cell(segment.box.br.y, segment.box.tl.y, p.dmorigin.y, p.lpaspecty, p.lporigin.y);
            if (!dotted.insert(pixel).second) continue;
        }
        const bool whole = !simplified || static_cast<double>(detail.Points(i, MapDetail::kFullDetail).size()) <=
                                              kWholeUpToPointsPerPixel * SpanPixels(segment.box, d.worldPerPixel);
        ConvertPoints(d, detail.Points(i, whole ? MapDetail::kFullDetail : level), !whole);
        // Simplifying keeps both ends of every bridge and makes none.
        DrawSegment(d, style, segment.kind, BoxInBox(viewBox, segment.box), whole || segment.holeBridges);
        if (badclient) return;
    }
}

// Draws a layer's segments as LoadSegment reads them from the file.
void DrawFromFile(LayerDrawing& d, Mapfile& map, const MapView& view) {
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
        DrawSegment(d, style, segment.kind, inside != 0, true);
        // A clipping failure gives up only this layer.
        if (badclient) return;
    }
}

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

    std::shared_ptr<const MapDetail> detail;
    if (map.InForm() == Mapfile::Binary) detail = MapDetailCache::Shared().Get(WorkPath(layer.file));
    if (detail) {
        DrawDetail(d, *detail, view);
    } else {
        DrawFromFile(d, map, view);
    }
    if (badclient) return;
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
    // World units a device pixel spans (the viewport is in device pixels,
    // a printer's or a page's when printing).
    const Projection& projection = document.projection;
    const double worldPerPixel =
        document.viewportExtent.cx > 0 ? static_cast<double>(projection.dmextent.x) / document.viewportExtent.cx : 0.0;
    LayerDrawing drawing{dc,
                         document.projection,
                         styles,
                         points,
                         clipped,
                         counts,
                         {{0, 0}, {document.windowExtent.cx, -document.windowExtent.cy}},
                         region,
                         worldPerPixel,
                         settings.fullDetail ? 0.0 : kDetailPixels * worldPerPixel};

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
