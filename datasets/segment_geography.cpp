#include "datasets/segment_geography.h"

#include <algorithm>
#include <cmath>

#include "core/bridges.h"
#include "core/latlong.h"
#include "mapfiles/pole_ring.h"

namespace okap {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
// 180 degrees in angle units, the region edge beyond which the translator
// folds longitudes into 0 to 360 (or -360 to 0).
constexpr int32_t kHalfTurnUnits = 200016000;

// Where a part passes a pole: its points there were taken out before
// index at of what is left.
struct PolePassage {
    size_t at = 0;
    double lat = 0.0;
};

// A point at a pole has no longitude of its own: where a projection makes
// the pole a single point, every point there converts back to one
// arbitrary longitude.
bool AtPole(GeoPoint p) { return std::abs(p.lat) >= 90.0 - 1e-7; }

// Takes the points at a pole out of part, noting where they were, and
// takes every step of more than 180 degrees of longitude between the
// others the short way round, so that the part runs on without a jump.
std::vector<PolePassage> MakeContinuous(GeoPart& part) {
    std::vector<PolePassage> passages;
    size_t kept = 0;
    for (size_t i = 0; i < part.size(); ++i) {
        GeoPoint p = part[i];
        if (AtPole(p)) {
            if (passages.empty() || passages.back().at != kept) passages.push_back({kept, p.lat > 0 ? 90.0 : -90.0});
            continue;
        }
        if (kept > 0) {
            const double step = p.lon - part[kept - 1].lon;
            if (std::abs(step) > 180.0) p.lon -= 360.0 * std::round(step / 360.0);
        }
        part[kept++] = p;
    }
    part.resize(kept);
    return passages;
}

// Puts the passages back as a run along the pole's latitude, from the
// longitude before it to the one after.
void PutPolePoints(GeoPart& part, const std::vector<PolePassage>& passages) {
    if (part.empty()) {
        // Nothing but the pole.
        if (!passages.empty()) part.push_back({0.0, passages.front().lat});
        return;
    }
    for (auto passage = passages.rbegin(); passage != passages.rend(); ++passage) {
        GeoPart run;
        if (passage->at > 0) run.push_back({part[passage->at - 1].lon, passage->lat});
        if (passage->at < part.size()) run.push_back({part[passage->at].lon, passage->lat});
        part.insert(part.begin() + static_cast<std::ptrdiff_t>(passage->at), run.begin(), run.end());
    }
}

double MiddleLongitude(const GeoPart& part) {
    const auto [west, east] = std::minmax_element(part.begin(), part.end(),
                                                  [](GeoPoint a, GeoPoint b) { return a.lon < b.lon; });
    return (west->lon + east->lon) / 2.0;
}

// Moves the part by whole turns so that its middle lies as near to middle
// as it can.
void ShiftToward(GeoPart& part, double middle) {
    const double turns = std::round((middle - MiddleLongitude(part)) / 360.0);
    if (turns == 0.0) return;
    for (GeoPoint& p : part) p.lon += 360.0 * turns;
}

// A continuous outer ring that ends a full turn from where it starts winds
// round a pole: it is closed along the pole's latitude, from its end back
// to its start.
void CloseThroughPole(GeoPart& ring) {
    std::vector<LPoint> units;
    units.reserve(ring.size());
    for (GeoPoint p : ring)
        units.push_back({static_cast<int32_t>(std::lround(p.lon * kUnitsPerDegree)),
                         static_cast<int32_t>(std::lround(p.lat * kUnitsPerDegree))});
    const int pole = WoundPole(units);
    if (pole == 0) return;
    const GeoPoint start = ring.front();
    ring.push_back({ring.back().lon, 90.0 * pole});
    ring.push_back({start.lon, 90.0 * pole});
    ring.push_back(start);
}

// Makes an outer ring continuous and closes it as geographic data do. A
// ring that ends a full turn from its start winds round a pole. Where it
// passes through that pole on the way (the pole a point of the
// projection), the stretch after the pole moves by the turn, so the ring
// runs back along the pole's latitude; otherwise it is closed through the
// pole.
void MakeOuterRing(GeoPart& ring) {
    const std::vector<PolePassage> passages = MakeContinuous(ring);
    const double turn = ring.empty() ? 0.0 : ring.back().lon - ring.front().lon;
    if (std::abs(turn) > 180.0) {
        const auto middle = std::find_if(passages.begin(), passages.end(), [&](const PolePassage& passage) {
            return passage.at > 0 && passage.at < ring.size();
        });
        if (middle != passages.end()) {
            const double shift = 360.0 * std::round(turn / 360.0);
            for (size_t i = middle->at; i < ring.size(); ++i) ring[i].lon -= shift;
        } else if (passages.empty()) {
            CloseThroughPole(ring);
        }
    }
    PutPolePoints(ring, passages);
}

void Close(GeoPart& ring) {
    if (!ring.empty() && !(ring.front() == ring.back())) ring.push_back(ring.front());
}

}  // namespace

SegmentGeography::SegmentGeography(const Mapfile::Header& header)
    : projection(header.projectionCode, header.origin), geographic(header.projectionCode == "TEXT") {
    // The translator's offset modes: a region reaching east of 180 degrees
    // held its longitudes in 0 to 360, one reaching west of -180 in -360
    // to 0 (east wins when both do).
    if (header.east > kHalfTurnUnits)
        middleLongitude = 180.0;
    else if (header.west < -kHalfTurnUnits)
        middleLongitude = -180.0;
}

GeoPart SegmentGeography::ToDegrees(std::span<const LPoint> points) {
    GeoPart part;
    part.reserve(points.size());
    if (geographic) {
        for (LPoint p : points)
            part.push_back({static_cast<double>(p.x * kDegreesPerUnit), static_cast<double>(p.y * kDegreesPerUnit)});
        return part;
    }
    xs.resize(points.size());
    ys.resize(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        xs[i] = points[i].x;
        ys[i] = points[i].y;
    }
    projection.Inverse(xs.data(), ys.data(), points.size());
    for (size_t i = 0; i < points.size(); ++i)
        if (xs[i] != HUGE_VAL) part.push_back({xs[i] * kDegreesPerRadian, ys[i] * kDegreesPerRadian});
    return part;
}

std::vector<GeoPart> SegmentGeography::Parts(std::span<const LPoint> points, int16_t kind) {
    std::vector<GeoPart> parts;
    if (kind != kAreaKind) {
        GeoPart part = ToDegrees(points);
        if (part.empty()) return parts;
        if (!geographic) {
            PutPolePoints(part, MakeContinuous(part));
            ShiftToward(part, middleLongitude);
        }
        parts.push_back(std::move(part));
        return parts;
    }
    // Bridges are found in the file's own coordinates, where the two edges
    // of a bridge are exactly the same points. An outline that is nothing
    // but spikes (a sliver of zero area) splits into nothing: it is kept
    // whole, so that every segment has its feature.
    std::vector<std::vector<LPoint>> rings = SplitBridges(points);
    if (rings.empty()) rings.emplace_back(points.begin(), points.end());
    for (const std::vector<LPoint>& ring : rings) {
        GeoPart part = ToDegrees(ring);
        if (part.empty()) {
            // Without its outer ring the area has nothing to show.
            if (parts.empty()) return parts;
            continue;
        }
        parts.push_back(std::move(part));
    }
    if (!geographic && !parts.empty()) {
        MakeOuterRing(parts.front());
        for (size_t i = 1; i < parts.size(); ++i) PutPolePoints(parts[i], MakeContinuous(parts[i]));
        ShiftToward(parts.front(), middleLongitude);
        // Holes lie inside their outer ring, so they go where it went.
        const double outerMiddle = MiddleLongitude(parts.front());
        for (size_t i = 1; i < parts.size(); ++i) ShiftToward(parts[i], outerMiddle);
    }
    for (GeoPart& ring : parts) Close(ring);
    return parts;
}

}  // namespace okap
