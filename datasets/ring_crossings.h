#pragma once
// Whether a ring crosses itself, found without building topology: the
// edges are sorted into a grid, and only edges sharing a cell are compared.
// Real coasts have few edges in any cell, so the cost stays linear.

class OGRLinearRing;

namespace okap {

struct RingCrossing {
    enum class Verdict {
        None,          // no two edges cross
        Crosses,       // two edges cross, at (x, y)
        TooFewPoints,  // fewer than 4 points once repeats are dropped
        CannotTell,    // a cell too crowded to compare its edges cheaply
    };
    Verdict verdict = Verdict::None;
    double x = 0, y = 0;
};

// Edges cross when each has the ends of the other strictly on both sides of
// it, as in a figure of eight. Edges that only touch or run along each
// other (a spike, a ring that touches itself, a coast that runs out along
// the 180 degree meridian and back) do not: such a ring draws as it should.
// An open ring is taken as closed.
RingCrossing FindRingCrossing(const OGRLinearRing& ring);

}  // namespace okap
