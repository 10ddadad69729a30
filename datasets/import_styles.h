#pragma once
// The styles an import starts with, so that it draws at once: for each
// feature type of a map a distinct colour (soft fills outlined a shade
// darker for areas, clear colours for lines), and for the classes of a data
// layer graded circles from light to dark.

#include <cstddef>

#include "styles/plot_style.h"

namespace okap {

// The style of the index-th feature type (from 0): a soft fill with a
// darker outline of the same hue when the type has areas, else a line of a
// clear colour. Every index below 100 has colours of its own.
PlotStyle ImportedTypeStyle(size_t index, bool areas);

// The fill of data class index of count, from light (0) to dark.
Colour DataClassFill(size_t index, size_t count);

}  // namespace okap
