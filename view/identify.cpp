#include "view/identify.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <span>
#include <string_view>

#include "core/geometry.h"
#include "core/globals.h"
#include "core/number_text.h"
#include "data/data_line.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "styles/map_format.h"
#include "view/cursor_tools.h"
#include "view/map_document.h"
#include "view/open_data_layer.h"

namespace okap {

namespace {

// Device pixels per logical unit across and down, with the mapping of the
// last paint.
struct PixelScale {
    double x = 0.0;
    double y = 0.0;

    double Distance(POINT a, POINT b) const {
        return std::hypot((static_cast<double>(a.x) - b.x) * x, (static_cast<double>(a.y) - b.y) * y);
    }
    // From p to the nearest point of the line a-b, in pixels.
    double DistanceToLine(POINT p, POINT a, POINT b) const {
        const double ax = (static_cast<double>(a.x) - p.x) * x, ay = (static_cast<double>(a.y) - p.y) * y;
        const double bx = (static_cast<double>(b.x) - p.x) * x, by = (static_cast<double>(b.y) - p.y) * y;
        const double dx = bx - ax, dy = by - ay;
        const double length = dx * dx + dy * dy;
        const double t = length > 0.0 ? std::clamp(-(ax * dx + ay * dy) / length, 0.0, 1.0) : 0.0;
        return std::hypot(ax + t * dx, ay + t * dy);
    }
};

bool InBox(const TBox& box, POINT p) { return box.tl.x <= p.x && p.x <= box.br.x && box.br.y <= p.y && p.y <= box.tl.y; }

// The nearest data point whose centre lies within pixels of at, or whose
// symbol covers it; of two as near, the later one, drawn over the other.
std::optional<IdentifiedPoint> NearestDataPoint(MapDocument& document, const ViewSettings& settings, POINT at,
                                                const PixelScale& scale, int pixels) {
    std::optional<IdentifiedPoint> nearest;
    double nearestDistance = 0.0;
    std::array<POINT, Symbol::kMaxPoints> outline{};
    const int layers = std::clamp(document.dataLayerCount, 0, kMaxDataLayers);
    for (int i = 0; i < layers; ++i) {
        const okapFileInfo& layer = document.dataLayers[static_cast<size_t>(i)];
        const std::unique_ptr<Datafile> file = OpenDataLayer(document.projection, settings, layer, true);
        if (!file) continue;
        TBox box;
        while (!file->EndOfInfile() && file->GetPlot(outline.data(), box, 3)) {
            if (!file->pointValid) continue;
            const DataClass& dataClass = file->classes[static_cast<size_t>(file->currentClass)];
            // A class whose symbols are off shows nothing to point at.
            if (!dataClass.plotStyle.plot) continue;
            const double distance = scale.Distance(file->centre, at);
            if (distance > pixels && !InBox(box, at)) continue;
            if (nearest && distance > nearestDistance) continue;
            DataLine numbers;
            ReadDataLine(file->currentLine, numbers);
            nearest = IdentifiedPoint{layer.file, file->value, dataClass.label,
                                      Position(Latitude(numbers.latitude), Longitude(numbers.longitude)),
                                      file->hasLabel ? DataLabel(file->currentLine) : std::nullopt};
            nearestDistance = distance;
        }
    }
    return nearest;
}

// The world box that the logical box around at, pixels wide each way,
// covers.
std::optional<LBox> PickBox(const Projection& projection, POINT at, const PixelScale& scale, int pixels) {
    const int dx = SafeInt(std::ceil(pixels / scale.x)), dy = SafeInt(std::ceil(pixels / scale.y));
    LBox box;
    if (!projection.lp2dm({at.x - dx, at.y + dy}, box.tl) || !projection.lp2dm({at.x + dx, at.y - dy}, box.br))
        return std::nullopt;
    return box;
}

bool SegmentUnder(std::span<const POINT> points, int kind, POINT at, const PixelScale& scale, int pixels) {
    if (kind == kAreaKind) return PointInPolygon(points.data(), static_cast<int>(points.size()), at) != 0;
    for (size_t i = 1; i < points.size(); ++i) {
        if (scale.DistanceToLine(at, points[i - 1], points[i]) <= pixels) return true;
    }
    return points.size() == 1 && scale.Distance(points[0], at) <= pixels;
}

std::string SegmentName(std::string name) {
    name.erase(name.find_last_not_of(std::string_view(" \0", 2)) + 1);
    return name;
}

// The uppermost drawn segment under at: the last of the last layer, as the
// paint draws the layers in order and each in file order.
std::optional<IdentifiedSegment> SegmentAt(MapDocument& document, const ViewSettings& settings, POINT at,
                                           const PixelScale& scale, int pixels) {
    const std::optional<LBox> pick = PickBox(document.projection, at, scale, pixels);
    if (!pick || SetWD(settings.mapDirectory) != 0) return std::nullopt;
    std::optional<IdentifiedSegment> found;
    // Shared by the layers, as the paint shares them.
    FeatureStyles styles;
    std::vector<LPoint> world;
    std::vector<POINT> points;
    const int layers = std::clamp(document.mapLayerCount, 0, kMaxMapLayers);
    for (int i = 0; i < layers; ++i) {
        const okapFileInfo& layer = document.mapLayers[static_cast<size_t>(i)];
        Mapfile map;
        if (!map.OpenInfile(layer.file) || map.InForm() != Mapfile::Binary) continue;
        if (!LoadFeatureStyles(layer.format, styles)) continue;
        std::ifstream format(WorkPath(layer.format), std::ios::binary);
        const std::map<int32_t, std::string> names = ReadFeatureNames(format);
        while (map.ReadDirectory() && !map.EndOfInFile()) {
            const Mapfile::Segment& segment = map.InSegment();
            if (!IsFeatureNumber(segment.type) || segment.kind == kPointKind) continue;
            if (!styles[static_cast<size_t>(segment.type - 1)].plot || BoxOutOfBox(*pick, segment.box)) continue;
            if (!map.ReadSegmentPoints(world)) break;
            points.resize(world.size());
            document.projection.dm2lp(world.data(), points.data(), world.size());
            if (!SegmentUnder(points, segment.kind, at, scale, pixels)) continue;
            const auto name = names.find(segment.type);
            found = IdentifiedSegment{layer.file, SegmentName(segment.name), segment.type, segment.kind,
                                      name == names.end() ? std::string() : name->second};
        }
    }
    return found;
}

}  // namespace

Identification Identify(MapDocument& document, const ViewSettings& settings, POINT device, int pixels) {
    Identification found;
    const TSize window = document.windowExtent;
    const TSize viewport = document.viewportExtent;
    if (!document.drawn || window.cx == 0 || window.cy == 0 || viewport.cx == 0 || viewport.cy == 0) return found;
    // What cannot be read has been reported by the paint.
    MessageRecorder quiet;
    const int wasBad = badclient;
    const PixelScale scale{std::abs(static_cast<double>(viewport.cx) / window.cx),
                           std::abs(static_cast<double>(viewport.cy) / window.cy)};
    const POINT at = DeviceToLogical(document, device);
    found.position = PositionAt(document, device);
    found.point = NearestDataPoint(document, settings, at, scale, pixels);
    if (!found.point) found.segment = SegmentAt(document, settings, at, scale, pixels);
    badclient = wasBad;
    return found;
}

std::vector<std::pair<std::string, std::string>> IdentificationRows(const Identification& found,
                                                                    const MapDocument& document) {
    std::vector<std::pair<std::string, std::string>> rows;
    if (const auto& point = found.point) {
        rows.emplace_back("Value", FormatGeneral(point->value));
        rows.emplace_back("Class", point->classLabel);
        rows.emplace_back("Position", PositionString(document, point->position));
        if (point->label) rows.emplace_back("Label", *point->label);
        rows.emplace_back("Data file", point->dataFile);
        return rows;
    }
    if (const auto& segment = found.segment) {
        rows.emplace_back("Name", segment->name);
        rows.emplace_back("Feature type", std::to_string(segment->type));
        rows.emplace_back("Feature", segment->featureName);
        rows.emplace_back("Kind", segment->kind == kAreaKind ? "Area" : "Line");
        rows.emplace_back("Map file", segment->mapFile);
    } else {
        rows.emplace_back("", "No data point or map feature here");
    }
    rows.emplace_back("Position", found.position ? PositionString(document, *found.position) : "Invalid");
    return rows;
}

}  // namespace okap
