#pragma once
// Positions a projection cannot show by its nature, which drawing code skips
// without complaint: the hemisphere facing away from an orthographic view's
// centre, the pole opposite a polar stereographic projection's own, and the
// poles of Mercator (the last two lie at infinity). Any other position that
// fails to convert is an error worth reporting.

#include "core/latlong.h"

namespace okap {

class Projection;

bool BeyondProjection(const Projection& projection, const Position& position);

}  // namespace okap
