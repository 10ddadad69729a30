#pragma once
// What lies under a point of the map view, for the identify tool: the
// nearest data point within a few pixels or, failing that, the map segment
// under the pointer (an area that holds the point, a line that passes
// within the same few pixels), the uppermost as the paint draws them.
//
// The search reads the document's layers with its current mapping (that of
// the picture on screen), in the logical coordinates the paint places
// everything in. It is quiet: a file that cannot be read is the paint's to
// report, and is passed over here.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/coordinates.h"
#include "core/latlong.h"
#include "view/map_view.h"

namespace okap {

class MapDocument;

// A data point: its value, the label of its class, its place and its own
// label, if it has one.
struct IdentifiedPoint {
    std::string dataFile;
    double value = 0.0;
    std::string classLabel;
    Position position;
    std::optional<std::string> label;
};

// A segment of a map layer: its name, its feature type (the segment type)
// and what the layer's format file calls that feature.
struct IdentifiedSegment {
    std::string mapFile;
    std::string name;
    int type = 0;
    int kind = 0;  // kLineKind or kAreaKind
    std::string featureName;
};

struct Identification {
    // Where the pointer was; none where the projection has no position.
    std::optional<Position> position;
    std::optional<IdentifiedPoint> point;
    std::optional<IdentifiedSegment> segment;  // only when there is no point
};

// How near, in device pixels, a data point's centre or a line must be.
inline constexpr int kIdentifyPixels = 4;

// What lies under the device point of the view of document, searched with
// the directories of settings. Nothing before the first complete paint.
Identification Identify(MapDocument& document, const ViewSettings& settings, POINT device,
                        int pixels = kIdentifyPixels);

// The identification as captions and values, one row each, in the
// document's position format.
std::vector<std::pair<std::string, std::string>> IdentificationRows(const Identification& found,
                                                                    const MapDocument& document);

}  // namespace okap
