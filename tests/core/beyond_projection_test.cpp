#include "core/beyond_projection.h"

#include <gtest/gtest.h>

#include "core/projection.h"

namespace okap {
namespace {

Position At(double latDegrees, double lonDegrees) { return Position(Latitude(latDegrees), Longitude(lonDegrees)); }

TEST(BeyondProjectionTest, FarSideOppositePoleAndMercatorPoles) {
    struct Row {
        const char* type;
        double originLat, originLon;
        double lat, lon;
        bool beyond;
    };
    const Row rows[] = {
        // Orthographic: more than 90 degrees from the centre. Centred on
        // 45 N 0 E, the limb crosses 20 S between 68.6557 and 68.6558 E
        // (echo "68.6557 -20" | proj +proj=ortho +ellps=GRS80 +lat_0=45
        // converts, 68.6558 gives "*"): PROJ decides with geodetic
        // latitudes as this does.
        {"ORTH", 0, 0, 0, 0, false},
        {"ORTH", 0, 0, 0, 180, true},
        {"ORTH", 0, 0, 10, 89.9, false},
        {"ORTH", 0, 0, 10, 90.1, true},
        {"ORTH", 45, 0, -20, 68.6557, false},
        {"ORTH", 45, 0, -20, 68.6558, true},
        {"ORTH", 90, 0, 0.5, 123, false},
        {"ORTH", 90, 0, -0.5, 123, true},
        {"ORTH", 0, 170, 0, -110, false},  // 80 degrees east, across the date line
        {"ORTH", 0, 170, 0, 50, true},     // 120 degrees west
        // Polar stereographic: the pole opposite its own, at infinity.
        {"UPST", 90, 0, -90, 0, true},
        {"UPST", 90, 0, -89.9, 0, false},
        {"UPST", 90, 0, 90, 0, false},
        {"UPST", -90, 0, 90, 45, true},
        {"UPST", -90, 0, -90, 45, false},
        // Mercator: both poles, at infinity.
        {"MERC", 0, 0, 90, 0, true},
        {"MERC", 0, 0, -90, 0, true},
        {"MERC", 0, 0, 89.99, 0, false},
        // The other kinds show the whole globe.
        {"MILC", 0, 0, 90, 0, false},
        {"POLY", 0, 0, -90, 180, false},
        {"TEXT", 0, 0, 0, 180, false},
    };
    for (const Row& r : rows) {
        const Projection projection(r.type, At(r.originLat, r.originLon));
        EXPECT_EQ(BeyondProjection(projection, At(r.lat, r.lon)), r.beyond)
            << r.type << " at " << r.originLat << ' ' << r.originLon << ": " << r.lat << ' ' << r.lon;
    }
}

// Over the whole globe, an orthographic projection fails to convert just
// the positions said to be beyond it, whatever its centre.
TEST(BeyondProjectionTest, OrthographicFailsExactlyBeyondTheLimb) {
    const Position centres[] = {At(0, 0), At(45, 30), At(90, 0), At(-60, -120), At(-33.9, 151.2)};
    for (const Position& centre : centres) {
        Projection projection("ORTH", centre);
        projection.setvp({800, 600}, {800, 600}, {0, 0}, 100000);
        int mismatches = 0;
        for (double lat = -90; lat <= 90; lat += 2.5) {
            for (double lon = -180; lon < 180; lon += 2.5) {
                LPoint world;
                const bool converts = projection.pos2dm(At(lat, lon), world) == 1;
                mismatches += converts == BeyondProjection(projection, At(lat, lon));
            }
        }
        EXPECT_EQ(mismatches, 0) << centre.Lat.GetDegrees() << ' ' << centre.Long.GetDegrees();
    }
}

}  // namespace
}  // namespace okap
