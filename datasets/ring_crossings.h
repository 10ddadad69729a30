#pragma once
// A quick look for the places where a ring may cross or overlap itself,
// before the exact validity test, which costs far more: most rings of real
// data have none, and those need no exact test.

class OGRLinearRing;

namespace okap {

// Whether the ring may cross or overlap itself: two edges that are not
// neighbours meet or come within a hair of each other, the ring turns
// straight back on itself, or it is too short or too odd (not closed, no
// area to its box) to tell. It errs towards "may": a ring it passes has no
// such place; a ring it does not pass is for the exact test to judge.
bool RingMayCrossItself(const OGRLinearRing& ring);

// Whether two edges of the ring cross each other, as a figure of eight
// does. Edges that only touch or run along each other (a spike, a ring
// that runs out along the 180 degree meridian and back) do not cross: such
// a ring draws as it should. Yes also where it cannot tell (a cell of the
// look too crowded).
bool RingCrossesItself(const OGRLinearRing& ring);

}  // namespace okap
