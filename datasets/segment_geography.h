#pragma once
// A map file's segments back in longitude and latitude, shaped as other GIS
// programs expect them.
//
// A binary map's points are converted back with its projection. Each
// outline is made continuous: a step of more than 180 degrees of longitude
// is the same step taken the short way round, so a segment that crosses
// the 180 degree meridian keeps its shape (170 to 190, not 170 to 180 and
// -180 to -170). The segment is then placed in the longitude range of the
// map's region, the range the translator folded the text map's longitudes
// into: -180 to 180, or 0 to 360 for a region beyond 180 degrees east, or
// -360 to 0 beyond 180 degrees west. An area that winds once round a pole
// (Antarctica in a polar projection, where the pole is a point) is closed
// through its pole, as geographic data hold such an area. A text map is
// geographic already: its longitudes are kept as written.
//
// An area outline whose holes are joined by bridges (core/bridges.h) is
// split back into its outer ring and its holes.

#include <cstdint>
#include <span>
#include <vector>

#include "core/coordinates.h"
#include "core/projection.h"
#include "datasets/geo_point.h"
#include "mapfiles/mapfile.h"

namespace okap {

class SegmentGeography {
public:
    // For the map whose header is given (a text map's has projection
    // "TEXT"). A projection that cannot be built is reported by Projection
    // and leaves Valid false.
    explicit SegmentGeography(const Mapfile::Header& header);

    bool Valid() const { return projection.Valid != 0; }

    // The parts of a segment of kind from its points as the file holds them
    // (Mapfile::ReadSegmentPoints): an area's rings, outer first, each
    // closed; a line's or a point's one run. Points the projection cannot
    // convert back are left out; parts left with no points are dropped.
    std::vector<GeoPart> Parts(std::span<const LPoint> points, int16_t kind);

private:
    GeoPart ToDegrees(std::span<const LPoint> points);

    Projection projection;
    bool geographic = false;
    // The middle of the longitude range segments are placed in.
    double middleLongitude = 0.0;
    std::vector<double> xs, ys;
};

}  // namespace okap
