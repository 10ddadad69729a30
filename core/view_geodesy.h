#pragma once
// Geographic positions of points of a view and distances between them on
// the ellipsoid, in double precision: a scale bar or north arrow of a view
// zoomed in to a few metres needs more than the whole decimetres of world
// coordinates and the angle units of Position.

#include <optional>

namespace okap {

class Projection;

// Degrees.
struct LonLat {
    double lon = 0.0;
    double lat = 0.0;
};

// A logical point (y upwards) through the projection's viewport and PROJ's
// inverse; empty without a viewport or where PROJ cannot convert. A
// longitude beyond the date line comes back folded, as PROJ gives it.
std::optional<LonLat> LogicalToLonLat(Projection& projection, double x, double y);
// The other way; empty where PROJ cannot convert.
struct LogicalXY {
    double x = 0.0;
    double y = 0.0;
};
std::optional<LogicalXY> LonLatToLogical(Projection& projection, LonLat position);

// The length in metres of the shortest way between two positions on the
// WGS 84 ellipsoid.
double GeodesicMetres(LonLat a, LonLat b);

}  // namespace okap
