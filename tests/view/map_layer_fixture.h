#pragma once
// Map layers for the view tests: binary map files of segments given in the
// logical coordinates of one fixed view, with their format files.
//
// The view: a 400 x 300 window, so window extent (10000, 7500), at scale
// 1000000 centred on world (0, 0). Its 10000 logical units span 3 x 1000000
// dm, so one logical unit is 300 dm, and logical (5000, -3750) is world
// (0, 0). World puts each point half a unit away from the logical point
// asked for (towards zero after the truncation), so the conversion gives
// that point exactly in spite of rounding.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/coordinates.h"
#include "mapfiles/map_fixtures.h"
#include "support/temp_dir.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap::test {

inline constexpr int32_t kViewScale = 1000000;
inline constexpr TSize kViewWindowExtent{10000, 7500};
inline constexpr TSize kViewViewportExtent{400, -300};
inline constexpr TRect kViewRect{0, 0, 400, 300};

inline LPoint World(POINT p) {
    return {(p.x - 5000) * 300 + (p.x >= 0 ? 150 : -150), (p.y + 3750) * 300 + (p.y > 0 ? 150 : -150)};
}

inline SegmentLayout Segment(int type, int32_t storedCount, const std::vector<POINT>& logical) {
    SegmentLayout s;
    s.type = type;
    s.storedCount = storedCount;
    for (POINT p : logical) s.points.push_back(World(p));
    LBox box{s.points[0], s.points[0]};
    for (LPoint p : s.points) {
        box.tl.x = std::min(box.tl.x, p.x);
        box.tl.y = std::max(box.tl.y, p.y);
        box.br.x = std::max(box.br.x, p.x);
        box.br.y = std::min(box.br.y, p.y);
    }
    s.box = box;
    return s;
}

// An area: the points as given, the last repeating the first.
inline SegmentLayout Area(int type, const std::vector<POINT>& logical) {
    return Segment(type, static_cast<int32_t>(logical.size()), logical);
}
inline SegmentLayout Line(int type, const std::vector<POINT>& logical) {
    return Segment(type, -static_cast<int32_t>(logical.size()), logical);
}
inline SegmentLayout PointSegment(int type, POINT p) { return Segment(type, 1, {p}); }

// The square with corners (x1, y1) and (x2, y2), closed.
inline std::vector<POINT> Square(int x1, int y1, int x2, int y2) {
    return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}, {x1, y1}};
}

constexpr int32_t kDegree = 1111200;

// A map file of the segments, with a whole-world region unless given.
inline MapLayout MapOf(std::vector<SegmentLayout> segments) {
    MapLayout layout;
    layout.west = -180 * kDegree;
    layout.north = 90 * kDegree;
    layout.east = 180 * kDegree;
    layout.south = -90 * kDegree;
    layout.segments = std::move(segments);
    return layout;
}

// Writes name.mpb and name.okf into dir and appends the layer to doc.
inline void AddMapLayer(const TempDir& dir, MapDocument& doc, const std::string& name, const MapLayout& layout,
                        const std::string& format) {
    dir.Write(name + ".mpb", BuildMap(layout));
    dir.Write(name + ".okf", format);
    doc.mapLayers[static_cast<size_t>(doc.mapLayerCount++)] = {name + ".mpb", name + ".okf"};
}

// A view's settings with only its map directory.
inline ViewSettings MapDirectory(const std::filesystem::path& dir) {
    ViewSettings settings;
    settings.mapDirectory = dir.string();
    return settings;
}

// The document's view as Paint would set it for kViewRect, without a paint.
inline void SetView(MapDocument& doc, LPoint centre = {0, 0}, int32_t scale = kViewScale) {
    doc.windowExtent = kViewWindowExtent;
    doc.viewportExtent = kViewViewportExtent;
    doc.centre = centre;
    doc.scale = scale;
    doc.projection.setvp(doc.windowExtent, doc.viewportExtent, centre, scale);
}

}  // namespace okap::test
