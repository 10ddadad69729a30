#pragma once
// Area outlines that wind once round a pole.
//
// An outline of Antarctica runs along the coast from -180 to 180 degrees
// and closes by jumping back to -180, near the coast or by way of the pole
// ((180, -90) to (-180, -90)). Its longitudes wind once round the globe, so
// it surrounds the pole: where it crosses the 180 degree meridian the
// translator must close it over the pole's side of the region, not over the
// other side, or the area fills the rest of the world instead.

#include <span>

#include "core/coordinates.h"

namespace okap {

// The pole an outline (longitude, latitude in angle units, as a ring: the
// last point joins the first) winds round: 1 the north pole, -1 the south
// pole, 0 when it does not wind exactly once. It winds when its longitude
// steps, each taken the short way round (at most 180 degrees), add up to a
// full turn either way, whatever the direction it runs in. The pole is the
// one nearer to the ring's latitudes: north when the middle of its latitude
// range lies north of the equator.
int WoundPole(std::span<const LPoint> ring);

}  // namespace okap
