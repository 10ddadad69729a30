#pragma once
// The world extent of a document's map layers, for a Full Scale that fits
// the map to the window.

#include <optional>
#include <string>

#include "core/coordinates.h"

namespace okap {

class MapDocument;

// The union of the boxes of every segment in the directories of the
// document's map files (world coordinates, tl = west/north), read from
// mapDirectory. Empty when the document has no map layer or no segment
// could be read. A file that cannot be read is left out without a message:
// the paint reports it.
std::optional<LBox> MapLayersExtent(const MapDocument& document, const std::string& mapDirectory);

// The centre and scale that show extent whole in a view of windowExtent
// (logical units) with a margin of a twentieth of the view on every side,
// the scale held within the navigation's limits.
struct FittedView {
    LPoint centre;
    int32_t scale = 0;
};
FittedView FitExtent(const LBox& extent, TSize windowExtent);

}  // namespace okap
