#pragma once
// Segments that come from somewhere other than a map file, such as a
// dataset being imported. The translator reads them as it reads the
// segments of a text map file: geographic points, folded by the offset mode,
// thinned, cut to the region and projected, so that an import gives the
// same map file as translating the equivalent text map.

#include <cstdint>
#include <string>
#include <vector>

#include "core/coordinates.h"

namespace okap {

struct SourceSegment {
    std::string name;   // cut or padded to 8 characters by the translator
    int16_t type = 1;   // feature type, 1 or more
    int16_t kind = 3;   // 1 point, 2 line, 3 area (its last point repeats the first)
    std::vector<LPoint> points;  // x longitude, y latitude, in angle units
};

class SegmentSource {
public:
    enum class Read { Segment, End, Failed };

    virtual ~SegmentSource() = default;
    // The next segment into segment. Failed after a failure the source has
    // reported; the translation then stops.
    virtual Read Next(SourceSegment& segment) = 0;
    // How much of the source has been read, 0 to 1.
    virtual double Progress() const = 0;
};

}  // namespace okap
