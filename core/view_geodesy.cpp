#include "core/view_geodesy.h"

#include <geodesic.h>

#include <cmath>

#include "core/projection.h"

namespace okap {

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;

// WGS 84.
constexpr double kEquatorialRadius = 6378137.0;
constexpr double kFlattening = 1.0 / 298.257223563;

}  // namespace

std::optional<LonLat> LogicalToLonLat(Projection& projection, double x, double y) {
    if (!projection.vpset) return std::nullopt;
    double u = (x - projection.lporigin.x) * projection.dmaspectx + projection.dmorigin.x;
    double v = -(y - projection.lporigin.y) * projection.dmaspecty + projection.dmorigin.y;
    if (!projection.Inverse(&u, &v, 1) || u == HUGE_VAL || !std::isfinite(u) || !std::isfinite(v))
        return std::nullopt;
    return LonLat{u * kDegreesPerRadian, v * kDegreesPerRadian};
}

std::optional<LogicalXY> LonLatToLogical(Projection& projection, LonLat position) {
    if (!projection.vpset) return std::nullopt;
    double u = position.lon * kRadiansPerDegree;
    double v = position.lat * kRadiansPerDegree;
    if (!projection.Forward(&u, &v, 1) || u == HUGE_VAL || !std::isfinite(u) || !std::isfinite(v))
        return std::nullopt;
    return LogicalXY{(u - projection.dmorigin.x) * projection.lpaspectx + projection.lporigin.x,
                     (v - projection.dmorigin.y) * projection.lpaspecty + projection.lporigin.y};
}

double GeodesicMetres(LonLat a, LonLat b) {
    static const geod_geodesic ellipsoid = [] {
        geod_geodesic g;
        geod_init(&g, kEquatorialRadius, kFlattening);
        return g;
    }();
    double metres = 0.0;
    geod_inverse(&ellipsoid, a.lat, a.lon, b.lat, b.lon, &metres, nullptr, nullptr);
    return metres;
}

}  // namespace okap
