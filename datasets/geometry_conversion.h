#pragma once
// OGR geometries into the shapes and places of feature_shapes.h. Only
// dataset_layer.cpp uses it: it is the one other file that sees GDAL.

#include <memory>

#include <ogr_geometry.h>

#include "datasets/feature_shapes.h"

namespace okap {

// A copy of geometry made only of points, line strings and polygons (and
// collections of them): curves become line strings, surfaces of triangles
// polygons, and Z and M values are dropped.
std::unique_ptr<OGRGeometry> LinearCopy(const OGRGeometry& geometry);

// Whether every coordinate of geometry is a finite number.
bool AllFinite(const OGRGeometry& geometry);

// The shapes of geometry, whose coordinates are longitudes and latitudes in
// degrees, added to out with the defects found: points one shape each,
// lines one each, polygons one area each with their holes bridged. Rings of
// fewer than 4 points are left out (a polygon whose outer ring is short
// altogether); rings that cross themselves are kept as they run.
void AddShapes(const OGRGeometry& geometry, FeatureShapes& out);

// The places of geometry (longitudes and latitudes in degrees) added to
// out: each point, or without points the centroid of the largest polygon.
// A geometry of lines only is a fatal defect.
void AddPlaces(const OGRGeometry& geometry, FeatureShapes& out);

}  // namespace okap
