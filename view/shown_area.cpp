#include "view/shown_area.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

#include "core/geometry.h"
#include "core/latlong.h"
#include "core/projection.h"
#include "core/view_geodesy.h"

namespace okap {

namespace {

constexpr int32_t kMERCIndex = 0;
constexpr int32_t kPETEIndex = 2;
constexpr int32_t kMILCIndex = 3;
constexpr int32_t kEQICIndex = 4;
constexpr int32_t kUPSTIndex = 5;
constexpr int32_t kLAMBIndex = 6;
constexpr int32_t kORTHIndex = 8;

// Where Mercator's world is square, as Full Scale cuts it.
constexpr double kMercatorLimit = 85.0511287798066;
// Short of the date line and the poles by this much, where PROJ folds or
// fails.
constexpr double kShortOfEdge = 1e-7;
// A polar stereographic map reaches no nearer its opposite pole than this.
constexpr double kFarthestLatitude = 89.0;

// A curved outline is followed within this many logical units where it
// crosses the view.
constexpr double kTolerance = 0.5;
constexpr int kFirstPoints = 128;
constexpr int kMaxDepth = 24;

struct Box {
    double left, right, bottom, top;
    bool Near(LogicalXY a, LogicalXY b, double grow) const {
        return std::max(a.x, b.x) + grow >= left && std::min(a.x, b.x) - grow <= right &&
               std::max(a.y, b.y) + grow >= bottom && std::min(a.y, b.y) - grow <= top;
    }
};

using Curve = std::function<std::optional<LogicalXY>(double t)>;

// Points along a closed curve (t from 0 to 1), dense enough where it comes
// near the box to stay within kTolerance of it. Empty when a point of it
// cannot be converted.
std::vector<LogicalXY> FollowCurve(const Curve& curve, const Box& box) {
    std::vector<LogicalXY> points;
    bool failed = false;
    const std::function<void(double, LogicalXY, double, LogicalXY, int)> add =
        [&](double t0, LogicalXY p0, double t1, LogicalXY p1, int depth) {
            if (failed) return;
            const double span = std::hypot(p1.x - p0.x, p1.y - p0.y);
            if (depth < kMaxDepth && box.Near(p0, p1, span)) {
                const double tm = (t0 + t1) / 2.0;
                const std::optional<LogicalXY> pm = curve(tm);
                if (!pm) {
                    failed = true;
                    return;
                }
                const double off = std::hypot(pm->x - (p0.x + p1.x) / 2.0, pm->y - (p0.y + p1.y) / 2.0);
                if (off > kTolerance) {
                    add(t0, p0, tm, *pm, depth + 1);
                    add(tm, *pm, t1, p1, depth + 1);
                    return;
                }
            }
            points.push_back(p0);
        };
    std::vector<LogicalXY> first;
    for (int i = 0; i <= kFirstPoints; ++i) {
        const std::optional<LogicalXY> p = curve(static_cast<double>(i) / kFirstPoints);
        if (!p) return {};
        first.push_back(*p);
    }
    for (int i = 0; i < kFirstPoints; ++i)
        add(static_cast<double>(i) / kFirstPoints, first[i], static_cast<double>(i + 1) / kFirstPoints, first[i + 1], 0);
    if (failed) return {};
    return points;
}

// Cuts a polygon to a box, one side after another (Sutherland-Hodgman,
// which a convex box allows for any polygon).
std::vector<LogicalXY> CutToBox(std::vector<LogicalXY> polygon, const Box& box) {
    const auto cutSide = [&polygon](auto inside, auto cross) {
        std::vector<LogicalXY> kept;
        for (size_t i = 0; i < polygon.size(); ++i) {
            const LogicalXY a = polygon[i];
            const LogicalXY b = polygon[(i + 1) % polygon.size()];
            if (inside(a)) kept.push_back(a);
            if (inside(a) != inside(b)) kept.push_back(cross(a, b));
        }
        polygon = std::move(kept);
    };
    const auto atX = [](LogicalXY a, LogicalXY b, double x) {
        return LogicalXY{x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
    };
    const auto atY = [](LogicalXY a, LogicalXY b, double y) {
        return LogicalXY{a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
    };
    cutSide([&](LogicalXY p) { return p.x >= box.left; }, [&](LogicalXY a, LogicalXY b) { return atX(a, b, box.left); });
    cutSide([&](LogicalXY p) { return p.x <= box.right; }, [&](LogicalXY a, LogicalXY b) { return atX(a, b, box.right); });
    cutSide([&](LogicalXY p) { return p.y >= box.bottom; }, [&](LogicalXY a, LogicalXY b) { return atY(a, b, box.bottom); });
    cutSide([&](LogicalXY p) { return p.y <= box.top; }, [&](LogicalXY a, LogicalXY b) { return atY(a, b, box.top); });
    return polygon;
}

double Area(const std::vector<LogicalXY>& polygon) {
    double twice = 0.0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const LogicalXY a = polygon[i];
        const LogicalXY b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2.0;
}

// The horizon of an orthographic view: the positions whose surface normal
// is square to that of the centre, taken a hair towards the centre so that
// PROJ still shows them.
Curve Horizon(Projection& projection) {
    const double lat0 = projection.Origin.Lat.GetDegrees() * std::numbers::pi / 180.0;
    const double lon0 = projection.Origin.Long.GetDegrees() * std::numbers::pi / 180.0;
    const std::array<double, 3> centre{std::cos(lat0) * std::cos(lon0), std::cos(lat0) * std::sin(lon0),
                                       std::sin(lat0)};
    const std::array<double, 3> east{-std::sin(lon0), std::cos(lon0), 0.0};
    const std::array<double, 3> north{-std::sin(lat0) * std::cos(lon0), -std::sin(lat0) * std::sin(lon0),
                                      std::cos(lat0)};
    return [&projection, centre, east, north](double t) -> std::optional<LogicalXY> {
        const double turn = 2.0 * std::numbers::pi * t;
        for (double inward = kShortOfEdge; inward < 1e-3; inward *= 10.0) {
            std::array<double, 3> n;
            for (size_t i = 0; i < 3; ++i)
                n[i] = std::cos(inward) * (std::cos(turn) * east[i] + std::sin(turn) * north[i]) +
                       std::sin(inward) * centre[i];
            const LonLat at{std::atan2(n[1], n[0]) * 180.0 / std::numbers::pi,
                            std::asin(std::clamp(n[2], -1.0, 1.0)) * 180.0 / std::numbers::pi};
            if (const std::optional<LogicalXY> p = LonLatToLogical(projection, at)) return p;
        }
        return std::nullopt;
    };
}

// A parallel all the way round.
Curve Parallel(Projection& projection, double latitude) {
    return [&projection, latitude](double t) { return LonLatToLogical(projection, {360.0 * t - 180.0, latitude}); };
}

// The world strip of a cylindrical projection, a rectangle: one turn of
// longitudes about its central meridian, between the latitudes ±limit.
std::vector<LogicalXY> WorldStrip(Projection& projection, double limit) {
    double x = 0.0, y = 0.0;
    if (!projection.Inverse(&x, &y, 1) || x == HUGE_VAL) return {};
    const double central = x * 180.0 / std::numbers::pi;
    const double reach = 180.0 - kShortOfEdge;
    const std::optional<LogicalXY> southWest = LonLatToLogical(projection, {central - reach, -limit});
    const std::optional<LogicalXY> northEast = LonLatToLogical(projection, {central + reach, limit});
    if (!southWest || !northEast) return {};
    return {*southWest, {northEast->x, southWest->y}, *northEast, {southWest->x, northEast->y}};
}

double Degrees(int32_t units) {
    Latitude latitude;
    latitude.PutLong(units);
    return latitude.GetDegrees();
}

}  // namespace

std::optional<std::vector<POINT>> ShownArea(Projection& projection, const TBox& view, const LBox& mapRegion) {
    if (!projection.Valid || !projection.Init || !projection.vpset) return std::nullopt;
    const Box box{static_cast<double>(view.tl.x), static_cast<double>(view.br.x), static_cast<double>(view.br.y),
                  static_cast<double>(view.tl.y)};
    std::vector<LogicalXY> outline;
    switch (projection.ProjIndex) {
        case kORTHIndex:
            outline = FollowCurve(Horizon(projection), box);
            break;
        case kUPSTIndex: {
            // The hemisphere of its pole, or as far as the map reaches beyond.
            const bool north = projection.Origin.Lat.GetDegrees() >= 0.0;
            const double far = north ? std::min(0.0, Degrees(mapRegion.br.y)) : std::max(0.0, Degrees(mapRegion.tl.y));
            outline = FollowCurve(Parallel(projection, std::clamp(far, -kFarthestLatitude, kFarthestLatitude)), box);
            break;
        }
        case kMERCIndex:
            outline = WorldStrip(projection, kMercatorLimit);
            break;
        case kPETEIndex:
        case kMILCIndex:
        case kEQICIndex:
        case kLAMBIndex:
            outline = WorldStrip(projection, 90.0 - kShortOfEdge);
            break;
        default:
            return std::nullopt;
    }
    if (outline.empty()) return std::nullopt;
    outline = CutToBox(std::move(outline), box);
    if (Area(outline) >= (box.right - box.left) * (box.top - box.bottom) * (1.0 - 1e-9)) return std::nullopt;
    std::vector<POINT> points;
    for (const LogicalXY p : outline) points.push_back({SafeInt(std::round(p.x)), SafeInt(std::round(p.y))});
    return points;
}

}  // namespace okap
