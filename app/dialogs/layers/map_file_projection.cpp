#include "app/dialogs/layers/map_file_projection.h"

#include "core/globals.h"
#include "core/projection.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"

namespace okap {

std::optional<MapProjection> HeaderProjection(const std::string& name) {
    Mapfile map;
    const int previousBadclient = badclient;
    if (!map.OpenInfile(name)) {
        badclient = previousBadclient;
        return std::nullopt;
    }
    map.SetOffset(0);
    MapProjection projection{map.InHeader().projectionCode, map.InHeader().origin, map.OffsetMode()};
    map.CloseInfile();
    return projection;
}

std::optional<MapProjection> ReadMapProjection(const std::string& name) {
    std::optional<MapProjection> projection = HeaderProjection(name);
    if (!projection) ShowError("Error opening map file " + name);
    return projection;
}

std::optional<MapProjection> HeaderProjectionUnshown(const std::string& name) {
    const MessageRecorder unshown;
    return HeaderProjection(name);
}

int ProjectionIndex(const std::string& code) {
    int index = 0;
    for (size_t i = 0; i < Projection_Codes.size(); ++i) {
        if (code == Projection_Codes[i]) index = static_cast<int>(i);
    }
    return index;
}

}  // namespace okap
