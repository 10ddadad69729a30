#pragma once
// Free functions on points, boxes and polylines shared by the projection,
// the clipper, the translator and the drawing code. Most exist twice: for
// world coordinates (LPoint, LBox) and for logical ones (POINT, TBox); the
// two forms behave identically.
//
// Boxes are used with tl = (W, N) and br = (E, S), W <= E and S <= N.

#include <cmath>
#include <cstdint>
#include <vector>

#include "core/coordinates.h"
#include "core/latlong.h"

namespace okap {

// Largest magnitude any conversion to a 32-bit coordinate produces; the
// most negative 32-bit value is never made.
inline constexpr int32_t kCoordinateLimit = 2147483647;

// Clamped to +-kCoordinateLimit, then truncated towards zero. Inline, for
// the loops that convert every point of a map.
inline int32_t SafeLong(double value) {
    // NaN has no sensible coordinate; 0 keeps the conversion defined.
    if (std::isnan(value)) return 0;
    if (value >= kCoordinateLimit) return kCoordinateLimit;
    if (value <= -kCoordinateLimit) return -kCoordinateLimit;
    return static_cast<int32_t>(value);  // truncates towards zero
}
inline int SafeInt(double value) { return SafeLong(value); }
// Clamped to +-kCoordinateLimit.
int SafeInt(long long value);

double Distance(double x1, double y1, double x2, double y2);
int32_t Distance(LPoint a, LPoint b);
int Distance(POINT a, POINT b);

// Great-circle distance in kilometres, on a sphere whose radius follows the
// mean latitude (6378 km at the equator).
double GCircleDistance(const Position& a, const Position& b);

int PointOutsideBox(const LBox& box, LPoint p);
int PointOutsideBox(const TBox& box, POINT p);
// 1 when both ends lie beyond the same side of the box.
int LineOutsideBox(const LBox& box, LPoint a, LPoint b);
int LineOutsideBox(const TBox& box, POINT a, POINT b);
// 1 when neither end lies outside.
int LineInsideBox(const LBox& box, LPoint a, LPoint b);
int LineInsideBox(const TBox& box, POINT a, POINT b);
// 1 when the bounding boxes of the two segments do not overlap; touching
// counts as overlap.
int LineOutsideLine(LPoint a1, LPoint a2, LPoint b1, LPoint b2);
int LineOutsideLine(POINT a1, POINT a2, POINT b1, POINT b2);
int BoxOutOfBox(const LBox& box, const LBox& other);
int BoxOutOfBox(const TBox& box, const TBox& other);
int BoxInBox(const LBox& box, const LBox& other);
int BoxInBox(const TBox& box, const TBox& other);

// 1 and the crossing of segments a1-a2 and b1-b2 in out, or 0. Parallel
// and collinear segments have no crossing. When neither is vertical the
// crossing's x is rounded to the nearest unit and y is read off a's line
// at that x, truncated, so a horizontal a gives exactly its own y; against
// a vertical segment x is that segment's and y is read off the other.
int IntersectLong(LPoint a1, LPoint a2, LPoint b1, LPoint b2, LPoint& out);
int IntersectInt(POINT a1, POINT a2, POINT b1, POINT b2, POINT& out);

// 1 when p lies inside the outline pts[0..n-1] or on it.
int PointInPolygon(const LPoint* pts, int n, LPoint p);
int PointInPolygon(const POINT* pts, int n, POINT p);

// Rotates the points in place about centre, anticlockwise when y grows
// upwards; returns 1.
int Rotate(POINT* pts, int n, POINT centre, double degrees);

// Clips segment a-b to the box, moving a and/or b onto its edges.
// 0: nothing of it crosses an edge (or it only touches a corner),
// 1: enters (a moved), 2: leaves (b moved), 3: crosses (both moved).
int ClipLine(const LBox& box, LPoint& a, LPoint& b);
int ClipLine(const TBox& box, POINT& a, POINT& b);

// Replaces the current point b of an outline that jumps more than 300
// degrees of longitude from the previous point a (it crosses the 180 degree
// meridian) by five points b..f running just outside the box over its
// north side; the current point ends up in f. b and e are where the
// outline, carried on across the meridian, meets the vertical lines just
// outside the box; where it falls short of a line or meets it beyond N or
// S, its straight continuation is used, held within N..S.
void AddClipPoints(const LBox& box, LPoint& a, LPoint& b, LPoint& c, LPoint& d, LPoint& e, LPoint& f);

// Takes the zero-area spikes out of a closed outline (its last point
// repeating the first): stretches that run out and come straight back
// along the same line, such as the leg from a coast to a pole and back
// where a projection makes the pole a single point, and repeated points. A
// point where the outline turns back along the line it came by, its two
// legs within tolerance units of one line, goes, until none is left; the
// outline stays closed. Outlines of fewer than four points are left alone.
void RemoveSpikes(std::vector<LPoint>& ring, double tolerance);

// Exchange sorts, stable: order 0 ascending, 1 descending.
void SortLong(int32_t* v, int n, int order);
void SortInt(int* v, int n, int order);

// A run end or box corner on the edge of a clipping box, in clockwise order
// round the box (used by the polygon clipper).
struct FillPoint {
    LPoint point;
    int32_t clipsegref = -1;  // index of the run, -1 for a box corner
    int32_t direction = 0;    // 0 the run enters here, 1 it leaves, 3 undecided
    int32_t used = 0;         // 1 once the assembly has passed this point
    int32_t status = 0;       // 1 corner, 0 unclassified, 2 walk clockwise, 3 anticlockwise
};

// Sorts v[from..to] (inclusive) by x (key 0) or y (key 1), ascending
// (order 0) or descending (order 1); stable.
void SortFill(FillPoint* v, int from, int to, int key, int order);

}  // namespace okap
