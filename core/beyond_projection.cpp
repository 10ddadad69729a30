#include "core/beyond_projection.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string_view>

#include "core/projection.h"

namespace okap {

namespace {

// PROJ still shows a point this little beyond the limb (as a cosine), on
// the limb itself.
constexpr double kLimbTolerance = 1e-10;

// The cosine of the angle between a position and the view's centre, as
// PROJ's orthographic projection tests visibility (geodetic latitudes).
double CosineFromCentre(const Position& centre, const Position& position) {
    constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
    const double lat0 = centre.Lat.GetDegrees() * kRadiansPerDegree;
    const double lat = position.Lat.GetDegrees() * kRadiansPerDegree;
    const double dlon = (position.Long.GetDegrees() - centre.Long.GetDegrees()) * kRadiansPerDegree;
    return std::sin(lat0) * std::sin(lat) + std::cos(lat0) * std::cos(lat) * std::cos(dlon);
}

}  // namespace

bool BeyondProjection(const Projection& projection, const Position& position) {
    if (projection.ProjIndex < 0 || static_cast<size_t>(projection.ProjIndex) >= Projection_Codes.size()) return false;
    const std::string_view code = Projection_Codes[static_cast<size_t>(projection.ProjIndex)];
    const int32_t pole = Latitude(90.0).GetLong();
    const int32_t lat = position.Lat.GetLong();
    if (code == "MERC") return lat >= pole || lat <= -pole;
    // A polar stereographic projection is north polar when its origin is not
    // south of the equator, as it is built.
    if (code == "UPST") return projection.Origin.Lat.GetDegrees() >= 0.0 ? lat <= -pole : lat >= pole;
    if (code == "ORTH") return CosineFromCentre(projection.Origin, position) < -kLimbTolerance;
    return false;
}

}  // namespace okap
