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

}  // namespace

void MapView::DrawMaps(DeviceContext& dc) {
    // Shared by all layers: a code's style stays as the last format file
    // that named it left it.
    FeatureStyles styles;
    std::vector<POINT> points(kMaxSegmentPoints);
    std::array<int, kMaxClipPieces> counts{};
    const TBox clipBox{{0, 0}, {document.windowExtent.cx, -document.windowExtent.cy}};
    LBox region{{INT32_MAX, -INT32_MAX}, {-INT32_MAX, INT32_MAX}};

    if (SetWD(settings.mapDirectory) != 0) {
        ShowError("Map file path does not exist");
        badclient = 1;
        return;
    }
    const int layers = std::clamp(document.mapLayerCount, 0, kMaxMapLayers);
    for (int layer = 0; layer < layers; ++layer) {
        Mapfile map;
        if (!map.OpenInfile(document.mapLayers[layer].file)) {
            badclient = 1;
            return;
        }
        if (!LoadFeatureStyles(document.mapLayers[layer].format, styles)) return;
        const Mapfile::Header& header = map.InHeader();
        region.tl.x = std::min(region.tl.x, header.west);
        region.tl.y = std::max(region.tl.y, header.north);
        region.br.x = std::max(region.br.x, header.east);
        region.br.y = std::min(region.br.y, header.south);

        while (!map.EndOfInFile()) {
            int count = 0;
            int inside = 0;
            const int loaded = map.LoadSegment(points.data(), &count, document.projection, inside);
            if (badclient) return;
            const Mapfile::Segment& segment = map.InSegment();
            // Codes beyond the style table name no style, and point segments
            // never show: neither is drawn.
            if (!loaded || !IsFeatureNumber(segment.type) || segment.kind == kPointKind) continue;
            PlotStyle& style = styles[static_cast<size_t>(segment.type - 1)];
            if (!style.plot) continue;

            int pieces = 1;
            counts[0] = count;
            if (count > 0 && !inside) {
                int ok = 1;
                ClipPolygon(points.data(), &count, segment.kind, clipBox, 0, 0, &pieces, counts.data(), &ok, 0);
                if (!ok) {
                    // Only this paint is given up.
                    ShowError("Insufficient memory to clip polygon");
                    badclient = 1;
                    return;
                }
            }
            if (count > 1) DrawPieces(dc, style, segment.kind, points.data(), counts.data(), pieces);
        }
        if (!map.CloseInfile()) return;
    }
    document.mapRegion = region;
}

}  // namespace okap
