#pragma once
// What one feature of a dataset becomes: the shapes a map file holds, in
// longitude and latitude angle units (x longitude, y latitude), or the
// places of a data file, in degrees; and what is wrong with its geometry.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/coordinates.h"

namespace okap {

// One segment's worth of a feature: a point (kind 1), a line (2) or an
// area (3, closed, its holes joined to it by bridges).
struct Shape {
    int16_t kind = 3;
    std::vector<LPoint> points;
};

// A data point: a point of the feature, or the centroid of its area.
struct Place {
    double longitude = 0.0;
    double latitude = 0.0;
};

// A fault of a feature's geometry. A fatal one leaves nothing to import; a
// ring that crosses itself, or one of fewer than 4 points, can be imported
// anyway (the ring as it runs, or without the short ring).
struct ShapeDefect {
    bool fatal = false;
    std::string text;      // for a message, such as "a ring of 3 points (a ring needs at least 4)"
    std::string whenKept;  // what importing anyway does, such as "the ring is left out"
    bool notLonLat = false;  // a point beyond the range of longitudes and latitudes
    // The fault is the layer's, not the feature's (coordinates in metres
    // in a layer that names no projected coordinate system): the import
    // stops.
    bool stopsImport = false;

    static ShapeDefect Fatal(std::string text) {
        ShapeDefect defect;
        defect.fatal = true;
        defect.text = std::move(text);
        return defect;
    }
    static ShapeDefect Keepable(std::string text, std::string whenKept) {
        ShapeDefect defect;
        defect.text = std::move(text);
        defect.whenKept = std::move(whenKept);
        return defect;
    }
};

struct FeatureShapes {
    std::vector<Shape> shapes;
    std::vector<Place> places;
    std::vector<ShapeDefect> defects;
    bool empty = false;  // the feature has no geometry, or an empty one

    const ShapeDefect* StoppingDefect() const {
        for (const ShapeDefect& defect : defects)
            if (defect.stopsImport) return &defect;
        return nullptr;
    }
    bool HasFatalDefect() const {
        for (const ShapeDefect& defect : defects)
            if (defect.fatal) return true;
        return false;
    }
};

}  // namespace okap
