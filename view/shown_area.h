#pragma once
// The part of a view where the projection shows the globe: the visible disc
// of an orthographic view, the world strip of a cylindrical one (Mercator
// up to the latitude where its world is square), the polar stereographic
// map down to the equator or to the far edge of its map region. Beyond it
// lies nothing of the world, which the map box leaves out of its fill.

#include <optional>
#include <vector>

#include "core/coordinates.h"

namespace okap {

class Projection;

// The outline (logical, y upwards, closed without repeating its first
// point) of the shown area in a view, cut to the view: nothing is drawn
// beyond it, where a printed page has no clip, and the cut runs along the
// view's frame, which the map box outlines in the same pen. No point when
// none of the view shows the globe. Empty optional when the whole view
// does, or for a projection that shows the whole plane.
std::optional<std::vector<POINT>> ShownArea(Projection& projection, const TBox& view, const LBox& mapRegion);

}  // namespace okap
