#pragma once
// The projection a map file was translated into, read from its header:
// what decides whether two map files can be drawn as layers of one map.

#include <optional>
#include <string>

#include "core/latlong.h"

namespace okap {

struct MapProjection {
    std::string code;
    Position origin;
    int offset = 1;
    bool operator==(const MapProjection& other) const {
        return code == other.code && origin == other.origin && offset == other.offset;
    }
};

// The projection of map file name (relative names in the current
// directory); none when its header cannot be read, after the map file's
// own message. badclient is left as it was, since a dialog that cannot read
// a map file must not cost the view its next paint.
std::optional<MapProjection> HeaderProjection(const std::string& name);

// HeaderProjection that adds "Error opening map file " and the name.
std::optional<MapProjection> ReadMapProjection(const std::string& name);

// HeaderProjection with the map file's message held back.
std::optional<MapProjection> HeaderProjectionUnshown(const std::string& name);

// The last entry of Projection_Codes equal to code; 0 when none is.
int ProjectionIndex(const std::string& code);

}  // namespace okap
