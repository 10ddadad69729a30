#pragma once
// Positions as other GIS programs hold them: longitude and latitude in
// decimal degrees, longitude first.

#include <vector>

namespace okap {

struct GeoPoint {
    double lon = 0.0;
    double lat = 0.0;
    friend bool operator==(const GeoPoint&, const GeoPoint&) = default;
};

// A run of points: a ring of a polygon (closed, its last point repeating the
// first), a line, or a single point.
using GeoPart = std::vector<GeoPoint>;

}  // namespace okap
