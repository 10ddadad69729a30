#include "data/datafile.h"

#include <utility>

#include "core/geometry.h"
#include "core/latlong.h"
#include "core/projection.h"

namespace okap {

Datafile::Datafile(Projection& view, std::string mapPath, std::string dataPath)
    : view(view), mapPath(std::move(mapPath)), dataPath(std::move(dataPath)) {}

void Datafile::SetViewScale() {
    // Without a viewport the view has no width in the world; map-sized
    // symbols then shrink to their centre.
    const double degreesWide = view.dmextent.x / kUnitsPerDegree;
    unitsPerDegree = degreesWide != 0.0 ? SafeLong(view.lpextent.cx / degreesWide) : 0;
    widthTenth = view.lpextent.cx / 10;
}

}  // namespace okap
