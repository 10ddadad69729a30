#pragma once
// Where a data layer's legend box lies in the view.

#include "core/coordinates.h"
#include "data/datafile.h"

namespace okap {

// The legend border of format in a view whose window extent is extent:
// its left, top, right and bottom fractions of the view taken to logical
// units, top-left corner first, as typed (not put in order).
TBox LegendBox(const DataFormat& format, TSize extent);

// Whether DrawDataLegends draws format's legend: it is on and has classes
// and columns to lay out.
bool LegendDrawn(const DataFormat& format);

}  // namespace okap
