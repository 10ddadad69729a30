#include "view/map_view.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/geometry.h"
#include "core/globals.h"
#include "core/latlong.h"
#include "core/number_text.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "view/map_document.h"
#include "view/map_extent.h"

namespace okap {

namespace {

// Degrees of latitude per world decimetre: one degree is 1111200 dm.
constexpr double kDegreesPerDecimetre = 8.999280057595392e-07;

// The logical width of every view.
constexpr int kLogicalWidth = 10000;

// Puts the paint's flags back however it ends.
class PaintInProgress {
public:
    explicit PaintInProgress(MapDocument& document) : document(document) {
        ++document.painting;
        ignoremode = 1;
    }
    ~PaintInProgress() {
        ignoremode = 0;
        document.painting = 0;
    }
    PaintInProgress(const PaintInProgress&) = delete;
    PaintInProgress& operator=(const PaintInProgress&) = delete;

private:
    MapDocument& document;
};

// Takes the projection, region and longitude mode of the first map layer
// from its header. 0 after a failure, which has been reported.
int TakeFirstLayerHeader(MapDocument& document) {
    Mapfile map;
    if (!map.OpenInfile(document.mapLayers[0].file)) {
        ShowError("Error opening map file");
        badclient = 1;
        return 0;
    }
    map.SetOffset(0);
    const Mapfile::Header& header = map.InHeader();
    // Setting up PROJ costs more than drawing a small view, so a projection
    // already built for the same code and origin is kept.
    Projection& projection = document.projection;
    if (!projection.Valid || projection.Type != header.projectionCode || !(projection.Origin == header.origin))
        projection = Projection(header.projectionCode, header.origin);
    document.mapRegion = {{header.west, header.north}, {header.east, header.south}};
    document.longitudeMode = map.OffsetMode();
    if (!map.CloseInfile()) {
        ShowError("Error closing map file");
        badclient = 1;
        return 0;
    }
    return 1;
}

// The scale field read as atol reads it: blanks, an optional sign and the
// leading digits, 0 when there are none; beyond 32 bits it saturates.
int32_t ScaleFromText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(negative ? -value : value);
}

// Where Mercator's world is square, as web maps cut it: the latitude of
// atan(sinh(pi)) degrees.
constexpr double kSquareMercatorLatitude = 85.0511287798066;

// The part of a map's extent that Full Scale shows. Mercator stretches
// without end towards the poles, and an area closed round a pole
// (Antarctica) runs to the end of the coordinate range; such a map is shown
// down to the latitude where its world is square.
LBox MercatorShown(LBox extent, const Projection& projection) {
    if (projection.Type != "MERC") return extent;
    Projection limit(projection);
    limit.setvp({1, 1}, {1, -1}, {0, 0}, 1);
    LPoint edge;
    if (!limit.pos2dm(Position(Latitude(kSquareMercatorLatitude), Longitude(0.0)), edge)) return extent;
    const LBox shown{{extent.tl.x, std::min(extent.tl.y, edge.y)}, {extent.br.x, std::max(extent.br.y, -edge.y)}};
    return shown.tl.y > shown.br.y ? shown : extent;
}

// The logical size of a view of width x height device pixels (kLogicalWidth
// wide) and its viewport (the device size times factor, y upwards).
// Empty when the view has no area, or is too flat for a logical height of
// one unit, since its mapping would divide by zero.
std::optional<std::pair<TSize, TSize>> ViewExtents(int width, int height, double factor) {
    const TSize windowExtent{kLogicalWidth, width > 0 ? SafeInt(static_cast<double>(kLogicalWidth) * height / width) : 0};
    const TSize viewportExtent{SafeInt(width * factor), -SafeInt(height * factor)};
    if (windowExtent.cy <= 0 || viewportExtent.cx <= 0 || viewportExtent.cy >= 0) return std::nullopt;
    return std::pair{windowExtent, viewportExtent};
}

std::string Field(std::string text) {
    if (text.size() > kSetCoordFieldLength) text.resize(kSetCoordFieldLength);
    return text;
}

}  // namespace

MapView::MapView(MapDocument& doc, ViewSettings viewSettings) : document(doc), settings(std::move(viewSettings)) {}

void MapView::Paint(DeviceContext& dc, const TRect& rect) {
    if (badclient) {
        document.painting = 0;
        badclient = 0;
        return;
    }
    if (noredraw) return;

    double factor = 1.0;
    const int width = rect.Width();
    const int height = rect.Height();
    if (settings.printing && width > 0) factor = static_cast<double>(dc.GetDeviceCaps(DeviceCap::HorzRes)) / width;

    const std::optional<std::pair<TSize, TSize>> extents = ViewExtents(width, height, factor);
    if (!extents) return;
    const auto [windowExtent, viewportExtent] = *extents;

    dc.SetWindowExt(windowExtent);
    dc.SetWindowOrg({0, 0});
    dc.SetViewportExt(viewportExtent);
    dc.SetViewportOrg({0, 0});
    document.windowExtent = windowExtent;
    document.viewportExtent = viewportExtent;

    if (SetWD(settings.mapDirectory) != 0) {
        ShowError("Map file path does not exist");
        badclient = 1;
        return;
    }
    // A file that cannot be read spoils only what it holds: each step draws
    // what it can and the paint goes on, showing each problem once. Without
    // its base map's header the map layers cannot be placed, but the rest is
    // drawn in the document's own projection.
    DistinctMessages once;
    int failed = 0;
    const bool mapLayers = document.mapLayerCount > 0 && TakeFirstLayerHeader(document);
    failed |= badclient;
    badclient = 0;

    Projection& projection = document.projection;
    projection.setvp(windowExtent, viewportExtent, document.centre, document.scale);
    lcperdegree = projection.lpextent.cx / (projection.dmextent.x * kDegreesPerDecimetre);
    dc.SetPolyFillMode(PolyFillMode::Winding);
    // Only when wanted, so that documents without the setting record and
    // draw exactly as before.
    if (document.antialiasing) dc.SetAntialiasing(true);

    PaintInProgress inProgress(document);
    pixwid = static_cast<double>(windowExtent.cx) / viewportExtent.cx * factor * 0.25;

    const auto step = [&](bool wanted, auto&& draw) {
        if (!wanted || Cancelled()) return;
        draw();
        failed |= badclient;
        badclient = 0;
    };
    gridLabelBoxes.clear();
    dataLabels = {};
    const bool hasGrid = document.gridOn != 0;
    const bool dataLayers = document.dataLayerCount > 0;
    step(true, [&] { DrawMapBox(dc, 0); });
    step(hasGrid && document.gridPosition == 0, [&] { DrawGrid(dc, factor, rect); });
    step(mapLayers, [&] { DrawMaps(dc); });
    step(hasGrid && document.gridPosition == 1, [&] { DrawGrid(dc, factor, rect); });
    step(true, [&] { DrawGlobeEdge(dc); });
    step(dataLayers, [&] { DrawData(dc); });
    step(hasGrid && document.gridPosition == 2, [&] { DrawGrid(dc, factor, rect); });
    step(dataLayers, [&] { DrawDataLabels(dc); });
    step(dataLayers, [&] { DrawDataLegends(dc); });
    step(document.detailCount > 0, [&] { DrawDetails(dc); });
    step(true, [&] { DrawMapBox(dc, 1); });
    document.drawn = 1;
    // The next paint learns of a reported problem as before.
    badclient = failed;
}

void MapView::MapTo(const TRect& rect) {
    const std::optional<std::pair<TSize, TSize>> extents = ViewExtents(rect.Width(), rect.Height(), 1.0);
    if (!extents) return;
    document.windowExtent = extents->first;
    document.viewportExtent = extents->second;
    document.projection.setvp(extents->first, extents->second, document.centre, document.scale);
}

void MapView::Zoom(Box box, int mode, const TRect& clientRect) {
    const TSize window = document.windowExtent;
    const TSize viewport = document.viewportExtent;
    // Before the first paint there is no mapping to zoom with.
    if (viewport.cx == 0 || viewport.cy == 0) return;

    const double clientWidth = clientRect.right - clientRect.left + 1;
    if (box.x1 > box.x2) std::swap(box.x1, box.x2);
    if (box.y1 > box.y2) std::swap(box.y1, box.y2);
    const int boxWidth = box.x2 - box.x1 + 1;
    const int boxHeight = box.y2 - box.y1 + 1;
    const double fx = static_cast<double>(window.cx) / viewport.cx;
    const double fy = static_cast<double>(window.cy) / viewport.cy;
    if (boxWidth <= 2 || boxHeight <= 2) return;

    const POINT centre{SafeInt(SafeInt((box.x1 + box.x2 + 0.5) * 0.5) * fx),
                       SafeInt(SafeInt((box.y1 + box.y2 + 0.5) * 0.5) * fy)};
    if (mode == 1) {
        document.scale = SafeLong(boxWidth / clientWidth * document.scale);
        if (document.scale < kMinimumScale) {
            MessageBox("Minimum map scale reached", "Information", MessageButtons::Ok, MessageIcon::Information);
            document.scale = kMinimumScale;
        }
        SetCentre(centre);
    } else if (mode == 2) {
        document.scale = SafeLong(clientWidth / boxWidth * document.scale);
        if (document.scale > kFullScale) {
            MessageBox("Maximum map scale reached", "Information", MessageButtons::Ok, MessageIcon::Information);
            document.scale = kFullScale;
            document.centre = {0, 0};
        } else {
            SetCentre(centre);
        }
    }
    document.UpdateModified();
}

void MapView::ZoomAbout(POINT device, double factor) {
    const TSize window = document.windowExtent;
    const TSize viewport = document.viewportExtent;
    // Before the first paint there is no mapping to zoom with.
    if (viewport.cx == 0 || viewport.cy == 0 || !(factor > 0) || document.scale <= 0) return;
    const POINT logical{SafeInt(device.x * static_cast<double>(window.cx) / viewport.cx),
                        SafeInt(device.y * static_cast<double>(window.cy) / viewport.cy)};
    LPoint under;
    if (!document.projection.lp2dm(logical, under)) return;
    const double oldScale = document.scale;
    const double wanted = oldScale / factor;
    if (wanted < kMinimumScale) {
        MessageBox("Minimum map scale reached", "Information", MessageButtons::Ok, MessageIcon::Information);
        document.scale = kMinimumScale;
    } else if (wanted > kFullScale) {
        MessageBox("Maximum map scale reached", "Information", MessageButtons::Ok, MessageIcon::Information);
        document.scale = kFullScale;
        document.centre = {0, 0};
        document.UpdateModified();
        return;
    } else {
        document.scale = SafeLong(wanted);
    }
    // The world point under the pointer stays under it: the centre moves
    // towards it as the scale shrinks.
    const double ratio = document.scale / oldScale;
    document.centre = {SafeLong(under.x + (document.centre.x - static_cast<double>(under.x)) * ratio),
                       SafeLong(under.y + (document.centre.y - static_cast<double>(under.y)) * ratio)};
    document.UpdateModified();
}

void MapView::Pan(int dx, int dy) {
    const TSize window = document.windowExtent;
    const TSize viewport = document.viewportExtent;
    if (viewport.cx == 0 || viewport.cy == 0 || (dx == 0 && dy == 0)) return;
    TPoint centre;
    if (!document.projection.dm2lp(document.centre, centre)) return;
    const POINT moved{SafeInt(centre.x - dx * static_cast<double>(window.cx) / viewport.cx),
                      SafeInt(centre.y - dy * static_cast<double>(window.cy) / viewport.cy)};
    LPoint world;
    if (!document.projection.lp2dm(moved, world)) return;
    document.centre = world;
    document.UpdateModified();
}

void MapView::FullScale() {
    if (const std::optional<LBox> extent = MapLayersExtent(document, settings.mapDirectory)) {
        const FittedView fitted = FitExtent(MercatorShown(*extent, document.projection), document.windowExtent);
        document.centre = fitted.centre;
        document.scale = fitted.scale;
    } else {
        document.centre = {0, 0};
        document.scale = kFullScale;
    }
    document.UpdateModified();
}

void MapView::SetCentre(POINT logical) { document.projection.lp2dm(logical, document.centre); }

SetCoordDialogTB MapView::SetCoordinatesTexts() {
    Position centre;
    document.projection.dm2pos(document.centre, centre);
    return {Field(centre.Lat.GetString()), Field(centre.Long.GetString()), Field(FormatInt(document.scale))};
}

void MapView::ApplySetCoordinates(const SetCoordDialogTB& fields) {
    Position centre;
    centre.Lat.PutString(fields.latitude);
    centre.Long.PutString(fields.longitude);
    document.projection.pos2dm(centre, document.centre);
    document.scale = ScaleFromText(fields.scale);
    // A scale of 0 puts every world point at infinity and a negative one
    // mirrors the map: like the zoom, the scale stops at the minimum.
    if (document.scale < kMinimumScale) {
        MessageBox("Minimum map scale reached", "Information", MessageButtons::Ok, MessageIcon::Information);
        document.scale = kMinimumScale;
    }
    document.UpdateModified();
}

}  // namespace okap
