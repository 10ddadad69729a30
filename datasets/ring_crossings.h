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

}  // namespace okap
