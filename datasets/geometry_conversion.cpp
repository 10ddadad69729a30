#include "datasets/geometry_conversion.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <string>
#include <vector>

#include <cpl_error.h>

#include "core/bridges.h"
#include "core/latlong.h"
#include "core/number_text.h"
#include "datasets/ring_crossings.h"
#include "mapfiles/mapfile.h"

namespace okap {

namespace {

std::string PointText(double x, double y) { return FormatGeneral(x) + " " + FormatGeneral(y); }

// Points beyond these bounds are no longitudes and latitudes: the layer's
// coordinate system is not what its coordinates are in.
bool InRange(double lon, double lat) { return std::fabs(lon) <= 360.0 && std::fabs(lat) <= 90.0; }

void AddNotLonLat(double x, double y, FeatureShapes& out) {
    ShapeDefect defect = ShapeDefect::Fatal("the point " + PointText(x, y) + " is no longitude and latitude");
    defect.notLonLat = true;
    out.defects.push_back(std::move(defect));
}

// The ring's points in angle units; false after adding a fatal defect.
bool RingPoints(const OGRSimpleCurve& curve, std::vector<LPoint>& points, FeatureShapes& out) {
    points.clear();
    points.reserve(static_cast<size_t>(curve.getNumPoints()));
    for (int i = 0; i < curve.getNumPoints(); ++i) {
        const double lon = curve.getX(i), lat = curve.getY(i);
        if (!InRange(lon, lat)) {
            AddNotLonLat(lon, lat, out);
            return false;
        }
        points.push_back({Longitude(lon).GetLong(), Latitude(lat).GetLong()});
    }
    return true;
}

constexpr const char* kLeftOut = "the ring is left out";

enum class RingFault { None, Short, Crossing };

constexpr const char* kRunsAsItIs = "the ring is imported as it runs";

// GEOS's judgement, for a ring too crowded for the grid of
// FindRingCrossing: "Self-intersection at or near point X Y" is taken as a
// crossing (GEOS counts a spike out and back as one too).
RingFault GeosFault(const OGRLinearRing& ring, FeatureShapes& out) {
    if (!OGRGeometryFactory::haveGEOS()) return RingFault::None;
    OGRPolygon alone;
    alone.addRingDirectly(new OGRLinearRing(ring));
    CPLErrorReset();
    if (alone.IsValid()) return RingFault::None;
    const std::string reason = CPLGetLastErrorMsg();
    if (!reason.starts_with("Self-intersection")) return RingFault::None;
    const size_t near = reason.find("point ");
    std::string where;
    if (near != std::string::npos) {
        const std::string_view xy = std::string_view(reason).substr(near + 6);
        const std::optional<double> x = ReadDouble(xy);
        const std::optional<double> y = ReadDouble(xy.substr(std::min(xy.size(), xy.find(' '))));
        if (x && y) where = " near " + PointText(*x, *y);
    }
    out.defects.push_back(ShapeDefect::Keepable("a ring crosses itself" + where, kRunsAsItIs));
    return RingFault::Crossing;
}

// Whether a ring is too short to enclose anything, or crosses itself
// (edges that cross; a ring that only touches itself, at a point or along
// an edge, draws well and is left alone).
RingFault FaultOf(const OGRLinearRing& ring, FeatureShapes& out) {
    if (ring.getNumPoints() < 4) {
        out.defects.push_back(ShapeDefect::Keepable(
            "a ring of " + FormatInt(ring.getNumPoints()) + " points (a ring needs at least 4)", kLeftOut));
        return RingFault::Short;
    }
    const RingCrossing crossing = FindRingCrossing(ring);
    switch (crossing.verdict) {
        case RingCrossing::Verdict::None:
            return RingFault::None;
        case RingCrossing::Verdict::TooFewPoints:
            out.defects.push_back(ShapeDefect::Keepable("a ring of fewer than 4 distinct points", kLeftOut));
            return RingFault::Short;
        case RingCrossing::Verdict::Crosses:
            out.defects.push_back(ShapeDefect::Keepable(
                "a ring crosses itself near " + PointText(crossing.x, crossing.y), kRunsAsItIs));
            return RingFault::Crossing;
        case RingCrossing::Verdict::CannotTell:
            break;
    }
    return GeosFault(ring, out);
}

void AddPolygon(const OGRPolygon& polygon, FeatureShapes& out) {
    const OGRLinearRing* exterior = polygon.getExteriorRing();
    if (exterior == nullptr || exterior->IsEmpty()) return;
    if (FaultOf(*exterior, out) == RingFault::Short) return;
    Shape area{kAreaKind, {}};
    if (!RingPoints(*exterior, area.points, out)) return;
    std::vector<std::vector<LPoint>> holes;
    for (int i = 0; i < polygon.getNumInteriorRings(); ++i) {
        const OGRLinearRing& ring = *polygon.getInteriorRing(i);
        if (FaultOf(ring, out) == RingFault::Short) continue;
        holes.emplace_back();
        if (!RingPoints(ring, holes.back(), out)) return;
    }
    // A polygon without holes keeps its ring exactly as the dataset has it.
    if (!holes.empty()) area.points = BridgeHoles(std::move(area.points), std::move(holes));
    if (area.points.front() != area.points.back()) area.points.push_back(area.points.front());
    out.shapes.push_back(std::move(area));
}

// Calls each with every member of a collection, and with any other
// geometry itself.
template <typename Each>
void ForEachPart(const OGRGeometry& geometry, Each each) {
    if (const auto* collection = dynamic_cast<const OGRGeometryCollection*>(&geometry)) {
        for (const OGRGeometry* member : *collection) ForEachPart(*member, each);
    } else {
        each(geometry);
    }
}

}  // namespace

std::unique_ptr<OGRGeometry> LinearCopy(const OGRGeometry& geometry) {
    std::unique_ptr<OGRGeometry> copy(geometry.hasCurveGeometry() ? geometry.getLinearGeometry() : geometry.clone());
    const OGRwkbGeometryType type = wkbFlatten(copy->getGeometryType());
    if (type == wkbPolyhedralSurface || type == wkbTIN)
        copy.reset(OGRGeometryFactory::forceToMultiPolygon(copy.release()));
    copy->flattenTo2D();
    return copy;
}

bool AllFinite(const OGRGeometry& geometry) {
    bool finite = true;
    ForEachPart(geometry, [&](const OGRGeometry& part) {
        const auto check = [&](const OGRSimpleCurve& curve) {
            for (int i = 0; i < curve.getNumPoints(); ++i)
                finite = finite && std::isfinite(curve.getX(i)) && std::isfinite(curve.getY(i));
        };
        if (const auto* point = dynamic_cast<const OGRPoint*>(&part)) {
            finite = finite && (point->IsEmpty() || (std::isfinite(point->getX()) && std::isfinite(point->getY())));
        } else if (const auto* curve = dynamic_cast<const OGRSimpleCurve*>(&part)) {
            check(*curve);
        } else if (const auto* polygon = dynamic_cast<const OGRPolygon*>(&part)) {
            for (const OGRLinearRing* ring : *polygon) check(*ring);
        }
    });
    return finite;
}

void AddShapes(const OGRGeometry& geometry, FeatureShapes& out) {
    ForEachPart(geometry, [&](const OGRGeometry& part) {
        if (out.HasFatalDefect() || part.IsEmpty()) return;
        if (const auto* point = dynamic_cast<const OGRPoint*>(&part)) {
            if (!InRange(point->getX(), point->getY())) {
                AddNotLonLat(point->getX(), point->getY(), out);
                return;
            }
            out.shapes.push_back({kPointKind, {{Longitude(point->getX()).GetLong(), Latitude(point->getY()).GetLong()}}});
        } else if (const auto* line = dynamic_cast<const OGRSimpleCurve*>(&part)) {
            Shape shape{kLineKind, {}};
            if (RingPoints(*line, shape.points, out)) out.shapes.push_back(std::move(shape));
        } else if (const auto* polygon = dynamic_cast<const OGRPolygon*>(&part)) {
            AddPolygon(*polygon, out);
        }
    });
}

void AddPlaces(const OGRGeometry& geometry, FeatureShapes& out) {
    const OGRPolygon* largest = nullptr;
    double largestArea = -1.0;
    ForEachPart(geometry, [&](const OGRGeometry& part) {
        if (part.IsEmpty()) return;
        if (const auto* point = dynamic_cast<const OGRPoint*>(&part)) {
            out.places.push_back({point->getX(), point->getY()});
        } else if (const auto* polygon = dynamic_cast<const OGRPolygon*>(&part)) {
            // The largest part of a country, say, rather than the middle of
            // all its islands, which may lie in the sea.
            if (const double area = polygon->get_Area(); area > largestArea) {
                largest = polygon;
                largestArea = area;
            }
        }
    });
    if (out.places.empty() && largest != nullptr) {
        OGRPoint centroid;
        if (largest->Centroid(&centroid) == OGRERR_NONE && !centroid.IsEmpty())
            out.places.push_back({centroid.getX(), centroid.getY()});
    }
    if (out.places.empty()) {
        out.defects.push_back(ShapeDefect::Fatal("it has no point or area to place a data point at"));
        return;
    }
    for (const Place& place : out.places) {
        if (!InRange(place.longitude, place.latitude)) {
            out.places.clear();
            AddNotLonLat(place.longitude, place.latitude, out);
            return;
        }
    }
}

}  // namespace okap
