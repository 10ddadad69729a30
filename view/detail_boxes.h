#pragma once
// The boxes the document's details (texts, scale bars, north arrows) cover
// in the view, for the grid labels and data labels that must keep clear of
// them.

#include <vector>

#include "core/coordinates.h"
#include "platform/device_context.h"

namespace okap {

class MapDocument;

// One box for each detail that DrawDetails draws, in dc's current
// mapping (the view's, once the paint has set it).
std::vector<TBox> DetailTextBoxes(DeviceContext& dc, const MapDocument& document);

}  // namespace okap
