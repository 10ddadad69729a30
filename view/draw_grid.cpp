// The latitude/longitude grid: meridians and parallels in the document's
// projection, major lines every grid size degrees and minor lines between,
// with ticks and labels where they cross the edges of the view. A label is
// kept wholly inside the view and left out where it would cover another
// grid label or a detail.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "core/globals.h"
#include "core/latlong.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "styles/grid_format.h"
#include "styles/text_style.h"
#include "view/detail_boxes.h"
#include "view/map_document.h"
#include "view/map_view.h"
#include "view/occupied_boxes.h"

namespace okap {

namespace {

// Points converted along one grid line at most; a finer walking step is
// coarsened to this many steps over the line.
constexpr int kMaxWalkSteps = 1000;
// Two walked points this many degrees apart or more have unconverted points
// between them and are not joined.
constexpr double kGapDegrees = 90.0;

// Polar stereographic and orthographic grids are drawn no nearer a pole
// than this: a parallel at 90 degrees is drawn here, and so is the end of a
// meridian there.
constexpr double kNearPole = 89.999999;
constexpr int32_t kPoleUnits = 100008000;  // 90 degrees in angle units
constexpr int32_t kUPSTIndex = 5;
constexpr int32_t kORTHIndex = 8;

// Steps of halving that find where a line meets the horizon: well within a
// logical unit.
constexpr int kHorizonBisections = 40;

constexpr int kMajorTick = 100;
constexpr int kMinorTick = 50;

// The extent of the map seen in the view, in degrees, and which edges of
// the map region were seen in it.
struct Extents {
    double lonMin = 2147483647.0;
    double lonMax = -2147483647.0;
    double latMin = 2147483647.0;
    double latMax = -2147483647.0;
    bool west = false;
    bool east = false;
    bool north = false;
    bool south = false;

    void WidenLon(double lon) {
        lonMin = std::min(lonMin, lon);
        lonMax = std::max(lonMax, lon);
    }
    void WidenLat(double lat) {
        latMin = std::min(latMin, lat);
        latMax = std::max(latMax, lat);
    }
};

// A region edge a point lies on.
struct EdgeFlags {
    bool west = false;
    bool east = false;
    bool north = false;
    bool south = false;
};

// Major when v lies within a hundredth of the grid size of a multiple of it.
bool IsMajor(double v, double gridSize) {
    const double t = 0.01 * gridSize;
    const double r = std::fmod(v >= 0.0 ? v + t : v - t, gridSize);
    return std::fabs(r) < 2.0 * t;
}

// How many lines from start to end, step apart, end included.
double LineCount(double start, double end, double step) {
    if (!(end >= start)) return 0.0;
    return std::floor((end - start) / step + 1e-9) + 1.0;
}

// Which of the grid's lines are drawn. Lines closer together than a device
// pixel only paint the view solid, at the cost of converting every one of
// them: then the minor lines are left out, and all lines when even the
// major ones would run together.
enum class GridLinesDrawn { All, MajorOnly, None };

constexpr const char* kMinorLinesLeftOut =
    "The minor grid lines would be closer together than a pixel at this scale; only the major lines are drawn.";
constexpr const char* kGridLeftOut =
    "The grid lines would be closer together than a pixel at this scale; the grid is not drawn.";

// The widest gap, in device pixels, between neighbouring meridians and
// between neighbouring parallels s degrees apart, over sample positions in
// the view; -1 for a family no sample could measure. A gap is measured
// over f degrees either way and scaled to s, so that whole decimetres stay
// fine enough for a very dense grid; the shorter way counts, as the other
// may jump across the date line.
struct LineSpacing {
    double meridians = -1.0;
    double parallels = -1.0;
};

LineSpacing WidestSpacing(Projection& projection, const std::vector<Position>& samples, double s, double f,
                          double pixelsPerDecimetre) {
    LineSpacing widest;
    for (const Position& sample : samples) {
        LPoint at;
        if (!projection.pos2dm(sample, at)) continue;
        const double lon = sample.Long.GetDegrees();
        const double lat = sample.Lat.GetDegrees();
        double meridianGap = HUGE_VAL, parallelGap = HUGE_VAL;
        for (const double way : {-f, f}) {
            LPoint world;
            if (projection.pos2dm(Position(sample.Lat, Longitude(lon + way)), world))
                meridianGap = std::min(meridianGap, Distance(at.x, at.y, world.x, world.y));
            if (std::fabs(lat + way) <= 90.0 && projection.pos2dm(Position(Latitude(lat + way), sample.Long), world))
                parallelGap = std::min(parallelGap, Distance(at.x, at.y, world.x, world.y));
        }
        const double scale = s / f * pixelsPerDecimetre;
        if (meridianGap != HUGE_VAL) widest.meridians = std::max(widest.meridians, meridianGap * scale);
        if (parallelGap != HUGE_VAL) widest.parallels = std::max(widest.parallels, parallelGap * scale);
    }
    return widest;
}

GridLinesDrawn LinesDrawn(double closestSpacing, int increment) {
    if (closestSpacing >= 1.0) return GridLinesDrawn::All;
    if (closestSpacing * increment >= 1.0) return GridLinesDrawn::MajorOnly;
    return GridLinesDrawn::None;
}

// Says that lines were left out, once per grid setting for each kind of
// thinning.
void TellLinesLeftOut(GridDensityNotices& told, double gridSize, int increment, GridLinesDrawn drawn) {
    if (told.gridSize != gridSize || told.gridIncrement != increment)
        told = GridDensityNotices{.gridSize = gridSize, .gridIncrement = increment};
    bool& said = drawn == GridLinesDrawn::None ? told.allLinesLeftOut : told.minorLinesLeftOut;
    if (said) return;
    said = true;
    MessageBox(drawn == GridLinesDrawn::None ? kGridLeftOut : kMinorLinesLeftOut, "Information", MessageButtons::Ok,
               MessageIcon::Information);
}

// The values of one family's lines: count lines from start, s apart; when
// only the major ones are drawn, those among them, found without going
// through the minor ones (there may be very many).
std::vector<double> LineValues(double start, double count, double s, double gridSize, bool majorOnly) {
    std::vector<double> values;
    if (!majorOnly) {
        for (double i = 0; i < count; ++i) values.push_back(start + i * s);
        return values;
    }
    const double last = start + (count - 1.0) * s;
    for (double k = std::floor(start / gridSize); k <= std::ceil(last / gridSize); ++k) {
        const double i = std::round((k * gridSize - start) / s);
        if (i < 0.0 || i >= count) continue;
        if (const double v = start + i * s; IsMajor(v, gridSize)) values.push_back(v);
    }
    return values;
}

// from, from + step, ... and to itself, each once.
std::vector<int> LatticeCoordinates(int from, int to, int step) {
    std::vector<int> values;
    for (long long v = from; v < to; v += step) values.push_back(static_cast<int>(v));
    values.push_back(to);
    return values;
}

// The values a grid line is walked at: from start in steps of step while
// not beyond max + step; when the walk must end exactly at max (a region
// edge seen in the view) it stops there instead, so that no line runs past
// the map region.
std::vector<double> WalkValues(double start, double max, bool endAtMax, double step) {
    while (step >= kGapDegrees) step /= 2.0;  // a step this long would read as a gap
    const double limit = endAtMax ? max : max + step;
    if (!(limit >= start)) return {};
    if ((limit - start) / step > kMaxWalkSteps) step = (limit - start) / kMaxWalkSteps;
    const double slack = step * 1e-9;
    std::vector<double> values;
    for (int i = 0; i <= kMaxWalkSteps; ++i) {
        const double v = start + i * step;
        if (v > limit + slack) break;
        values.push_back(v);
    }
    if (endAtMax && values.back() < max - slack) values.push_back(max);
    return values;
}

enum class Edge { None, Left, Right, Top, Bottom };

// Where a tick runs and how its label sits, per edge (Left, Right, Top,
// Bottom): the tick goes inward (logical y grows upwards), the label at its
// inner end.
struct LabelPlacement {
    int axis;
    int inwardX;
    int inwardY;
    double offsetX;
    double offsetY;
    int justification;
};
const LabelPlacement kLabelPlacement[] = {
    {kAxisLeft, 1, 0, 0.2, 0.5, kJustifyLeft},
    {kAxisRight, -1, 0, 0.0, 0.5, kJustifyRight},
    {kAxisTop, 0, -1, 0.0, 0.0, kJustifyCentre},
    {kAxisBottom, 0, 1, 0.0, 1.0, kJustifyCentre},
};

// The labels of one grid drawing. Each is moved wholly into the view where
// it would run over an edge, and left out where it would cover a label
// drawn before it or a detail.
class GridLabels {
public:
    GridLabels(DeviceContext& dc, const TBox& view, const std::vector<TBox>& details) : dc(dc), view(view) {
        for (const TBox& detail : details) taken.Add(detail);
    }

    void Draw(POINT at, const TextStyle& style, const std::string& text) {
        const std::optional<TBox> box = TextBox(dc, at.x, at.y, style, text);
        if (!box) return;
        const long long dx = box->tl.x < view.tl.x ? static_cast<long long>(view.tl.x) - box->tl.x
                             : box->br.x > view.br.x ? static_cast<long long>(view.br.x) - box->br.x
                                                     : 0;
        const long long dy = box->tl.y > view.tl.y ? static_cast<long long>(view.tl.y) - box->tl.y
                             : box->br.y < view.br.y ? static_cast<long long>(view.br.y) - box->br.y
                                                     : 0;
        const TBox moved{{SafeInt(box->tl.x + dx), SafeInt(box->tl.y + dy)},
                         {SafeInt(box->br.x + dx), SafeInt(box->br.y + dy)}};
        // Larger than the view, or over what is there already.
        if (!BoxInBox(view, moved) || taken.Overlaps(moved)) return;
        DrawText(dc, SafeInt(at.x + dx), SafeInt(at.y + dy), style, text);
        taken.Add(moved);
        placed.push_back(moved);
    }

    std::vector<TBox> placed;  // the boxes of the labels drawn

private:
    DeviceContext& dc;
    TBox view;
    OccupiedBoxes taken;
};

// Draws the lines of one grid drawing.
class GridPainter {
public:
    GridPainter(DeviceContext& dc, Projection& projection, const TBox& box, GridFormat& format, int longitudeMode,
                bool nearPole, bool endAtHorizon, GridLabels& labels)
        : dc(dc),
          projection(projection),
          box(box),
          format(format),
          longitudeMode(longitudeMode),
          nearPole(nearPole),
          endAtHorizon(endAtHorizon),
          labels(labels) {}

    // One meridian (lon fixed, walking latitude) or parallel (lat fixed,
    // walking longitude). marks is false when the line gets no ticks or
    // labels.
    void DrawLine(bool meridian, double value, bool major, const std::vector<double>& walk, bool marks) {
        SavedDC saved(dc);  // puts the pen back after the line
        PlotStyle& style = major ? format.majorStyle : format.minorStyle;
        dc.SelectPen(*style.pen);
        const std::string label = meridian ? Longitude(value).GetString(format.labelFormat, longitudeMode)
                                           : Latitude(value).GetString(format.labelFormat);
        const std::string* marked = marks ? &label : nullptr;
        bool havePrevious = false;
        TPoint previous;
        double previousWalk = 0.0;
        std::optional<double> lastMissed;
        for (double w : walk) {
            // Latitude would fold a value beyond a pole onto another point.
            const double lat = meridian ? w : value;
            if (lat < -90.0 || lat > 90.0) continue;
            TPoint point;
            if (!Convert(meridian, value, w, point)) {
                // A line leaving the globe ends at its horizon.
                if (endAtHorizon && havePrevious) {
                    DrawSegment(meridian, previous, LastOnGlobe(meridian, value, previousWalk, w), style, major,
                                marked);
                    havePrevious = false;
                }
                lastMissed = w;
                continue;
            }
            if (endAtHorizon && !havePrevious && lastMissed) {
                // ... and one coming round starts there.
                previous = LastOnGlobe(meridian, value, w, *lastMissed);
                previousWalk = *lastMissed;
                havePrevious = true;
            }
            if (havePrevious) {
                const double apart = std::fabs(w - previousWalk);
                if (apart < kGapDegrees && apart != 0.0) DrawSegment(meridian, previous, point, style, major, marked);
            }
            previous = point;
            previousWalk = w;
            havePrevious = true;
        }
    }

private:
    // The point of a line at walking value w, in logical units; false off
    // the map.
    bool Convert(bool meridian, double value, double w, TPoint& point) {
        double lat = meridian ? w : value;
        const double lon = meridian ? value : w;
        if (nearPole) lat = std::clamp(lat, -kNearPole, kNearPole);
        LPoint world;
        return projection.pos2dm(Position(Latitude(lat), Longitude(lon)), world) && projection.dm2lp(world, point);
    }

    // The last point on the globe between walking values on (which
    // converts) and off (which does not).
    TPoint LastOnGlobe(bool meridian, double value, double on, double off) {
        TPoint last;
        Convert(meridian, value, on, last);
        for (int i = 0; i < kHorizonBisections; ++i) {
            const double middle = (on + off) / 2.0;
            TPoint point;
            if (Convert(meridian, value, middle, point)) {
                on = middle;
                last = point;
            } else {
                off = middle;
            }
        }
        return last;
    }

    void DrawSegment(bool meridian, TPoint a, TPoint b, const PlotStyle& style, bool major,
                     const std::string* label) {
        if (LineOutsideBox(box, a, b)) return;
        if (!LineInsideBox(box, a, b)) {
            const int clip = ClipLine(box, a, b);
            if (clip == 0) return;
            if (label) {
                if (clip & 1) MarkEdge(meridian, a, major, *label);
                if (clip & 2) MarkEdge(meridian, b, major, *label);
            }
        }
        if (style.plot) {
            dc.MoveTo(a);
            dc.LineTo(b);
        }
    }

    // The edge a clipped end lies on. At a corner a meridian takes the top
    // or bottom edge and a parallel the left or right one, where their
    // labels belong.
    Edge EdgeOf(bool meridian, TPoint p) const {
        const Edge vertical = p.x == box.tl.x ? Edge::Left : p.x == box.br.x ? Edge::Right : Edge::None;
        const Edge horizontal = p.y == box.tl.y ? Edge::Top : p.y == box.br.y ? Edge::Bottom : Edge::None;
        if (meridian) return horizontal != Edge::None ? horizontal : vertical;
        return vertical != Edge::None ? vertical : horizontal;
    }

    // The tick into the view and the label where a line leaves it.
    void MarkEdge(bool meridian, TPoint p, bool major, const std::string& label) {
        const Edge edge = EdgeOf(meridian, p);
        if (edge == Edge::None) return;
        const LabelPlacement& place = kLabelPlacement[static_cast<int>(edge) - 1];
        if (!format.axes[place.axis]) return;
        const int length = major ? kMajorTick : kMinorTick;
        const TPoint inner{SafeInt(static_cast<long long>(p.x) + place.inwardX * length),
                           SafeInt(static_cast<long long>(p.y) + place.inwardY * length)};
        TextStyle& text = format.labelStyle;
        text.offsetX = place.offsetX;
        text.offsetY = place.offsetY;
        text.justification = place.justification;
        if (format.ticksOn) {
            dc.MoveTo(p);
            dc.LineTo(inner);
        }
        if (text.on && major) labels.Draw(inner, text, label);
    }

    DeviceContext& dc;
    Projection& projection;
    const TBox& box;
    GridFormat& format;
    int longitudeMode;
    bool nearPole;
    // An orthographic grid: a line is broken where it passes behind the
    // globe, and ends exactly at the horizon.
    bool endAtHorizon;
    GridLabels& labels;
};

}  // namespace

void MapView::DrawGrid(DeviceContext& dc, double factor, const TRect& rect) {
    MapDocument& doc = document;
    gridLabelBoxes.clear();
    if (!doc.gridOn) return;

    if (SetWD(settings.mapDirectory) != 0) {
        ShowError("Map file path does not exist");
        badclient = 1;
        return;
    }
    GridFormat format;
    {
        std::ifstream file(WorkPath(doc.gridFormatFile), std::ios::binary);
        if (!file) {
            ShowError("Error opening grid format file");
            badclient = 1;
            return;
        }
        const int read = ReadGridFormatValues(file, format);
        if (read >= kGridFormatLabelFormatValue) doc.positionFormat = format.labelFormat;
        if (read < kGridFormatValues) {
            ShowError("Error reading grid format file");
            badclient = 1;
            return;
        }
    }

    // A grid with no spacing, or with no minor intervals, has no lines.
    const double gridSize = doc.gridSize;
    if (!std::isfinite(gridSize) || gridSize <= 0.0 || doc.gridIncrement <= 0) return;
    const double s = gridSize / doc.gridIncrement;
    format.majorStyle.SetPen();
    format.minorStyle.SetPen();
    // Every edge places its label with orientation 0.
    format.labelStyle.orientation = 0.0;
    format.labelStyle.SetFont();

    // The view in logical units.
    if (doc.viewportExtent.cx == 0 || doc.viewportExtent.cy == 0) return;
    const double scaleX = static_cast<double>(doc.windowExtent.cx) / doc.viewportExtent.cx * factor;
    const double scaleY = static_cast<double>(doc.windowExtent.cy) / doc.viewportExtent.cy * factor;
    const TBox box{{SafeInt(rect.left * scaleX), SafeInt(rect.top * scaleY)},
                   {SafeInt(rect.right * scaleX), SafeInt(rect.bottom * scaleY)}};
    const int width = box.br.x - box.tl.x;
    const int height = box.tl.y - box.br.y;
    if (width <= 0 || height <= 0) return;

    Projection& projection = doc.projection;
    const int mode = doc.longitudeMode;
    const bool nearPoleKind = projection.ProjIndex == kUPSTIndex || projection.ProjIndex == kORTHIndex;
    const auto longitudeDegrees = [mode](int32_t units) {
        Longitude lon;
        lon.PutLong(units);
        return lon.GetDegrees(mode);
    };
    const auto latitudeDegrees = [](int32_t units) {
        Latitude lat;
        lat.PutLong(units);
        return lat.GetDegrees();
    };
    const auto toPosition = [&projection](TPoint p, Position& pos) {
        LPoint world;
        return projection.lp2dm(p, world) && projection.dm2pos(world, pos);
    };

    // The map region's edges and corners, and the points of its west and
    // east edges level with the middle of the view.
    Extents seen;
    // latitude is what a seen point widens the extent with: a corner at a
    // pole is converted a little short of it but stands for the pole.
    const auto testPoint = [&](const Position& pos, double latitude, EdgeFlags on) {
        LPoint world;
        TPoint point;
        if (!projection.pos2dm(pos, world) || !projection.dm2lp(world, point) || PointOutsideBox(box, point)) return;
        seen.WidenLon(pos.Long.GetDegrees(mode));
        seen.WidenLat(latitude);
        seen.west |= on.west;
        seen.east |= on.east;
        seen.north |= on.north;
        seen.south |= on.south;
    };
    const LBox& region = doc.mapRegion;
    const auto regionLatitude = [nearPoleKind](int32_t units) {
        if (nearPoleKind && units == kPoleUnits) return Latitude(kNearPole);
        if (nearPoleKind && units == -kPoleUnits) return Latitude(-kNearPole);
        Latitude lat;
        lat.PutLong(units);
        return lat;
    };
    const auto regionLongitude = [](int32_t units) {
        Longitude lon;
        lon.PutLong(units);
        return lon;
    };
    const Latitude north = regionLatitude(region.tl.y);
    const Latitude south = regionLatitude(region.br.y);
    const Longitude west = regionLongitude(region.tl.x);
    const Longitude east = regionLongitude(region.br.x);
    const double northDegrees = latitudeDegrees(region.tl.y);
    const double southDegrees = latitudeDegrees(region.br.y);
    testPoint(Position(north, west), northDegrees, {.west = true, .north = true});
    testPoint(Position(north, east), northDegrees, {.east = true, .north = true});
    testPoint(Position(south, east), southDegrees, {.east = true, .south = true});
    testPoint(Position(south, west), southDegrees, {.west = true, .south = true});
    const TPoint topLeft{box.tl.x, box.tl.y};
    const TPoint bottomLeft{box.tl.x, box.br.y};
    const TPoint topRight{box.br.x, box.tl.y};
    const TPoint bottomRight{box.br.x, box.br.y};
    const auto edgePoint = [&](TPoint upper, TPoint lower, const Longitude& lon, EdgeFlags on) {
        Position top, bottom;
        if (!toPosition(upper, top) || !toPosition(lower, bottom)) return;
        const Latitude middle((top.Lat.GetDegrees() + bottom.Lat.GetDegrees()) / 2.0);
        testPoint(Position(middle, lon), middle.GetDegrees(), on);
    };
    edgePoint(topLeft, bottomLeft, west, {.west = true});
    edgePoint(topRight, bottomRight, east, {.east = true});

    // A view that lies inside one minor cell has no line to show. Cells are
    // counted with floor, so that the cells either side of 0 stay apart.
    Position first, last;
    if (toPosition(topLeft, first) && toPosition(bottomRight, last)) {
        const auto cell = [s](double d) { return std::floor(d / s); };
        if (cell(first.Long.GetDegrees(mode)) == cell(last.Long.GetDegrees(mode)) &&
            cell(first.Lat.GetDegrees()) == cell(last.Lat.GetDegrees()))
            return;
    }

    // A lattice over the view widens the extents where no region edge
    // bounds them. A point off the map stands for the region edge beyond
    // its side of the view.
    const std::vector<int> xs = LatticeCoordinates(box.tl.x, box.br.x, std::max(1, width / 20));
    const std::vector<int> ys = LatticeCoordinates(box.br.y, box.tl.y, std::max(1, height / 20));
    std::vector<Position> samples;  // the lattice points on the map, where the grid's density is measured
    for (int x : xs) {
        for (int y : ys) {
            Position pos;
            if (toPosition({x, y}, pos)) {
                samples.push_back(pos);
                const double lon = pos.Long.GetDegrees(mode);
                const double lat = pos.Lat.GetDegrees();
                if (!seen.west) seen.lonMin = std::min(seen.lonMin, lon);
                if (!seen.east) seen.lonMax = std::max(seen.lonMax, lon);
                if (!seen.south) seen.latMin = std::min(seen.latMin, lat);
                if (!seen.north) seen.latMax = std::max(seen.latMax, lat);
                continue;
            }
            if (x == box.tl.x && !seen.west) seen.lonMin = std::min(seen.lonMin, longitudeDegrees(region.tl.x));
            if (x == box.br.x && !seen.east) seen.lonMax = std::max(seen.lonMax, longitudeDegrees(region.br.x));
            if (y == box.br.y && !seen.south) seen.latMin = std::min(seen.latMin, southDegrees);
            if (y == box.tl.y && !seen.north) seen.latMax = std::max(seen.latMax, northDegrees);
        }
    }
    if (!(seen.lonMin <= seen.lonMax) || !(seen.latMin <= seen.latMax)) return;  // no part of the map in view

    // The lines run from the region edges where they were seen, else from
    // the minor line beyond the extent.
    const double lonStart = seen.west ? seen.lonMin : (std::trunc(seen.lonMin / s) - 1.0) * s;
    const double lonEnd = seen.east ? seen.lonMax : (std::trunc(seen.lonMax / s) + 1.0) * s;
    const double latStart = seen.south ? seen.latMin : (std::trunc(seen.latMin / s) - 1.0) * s;
    const double latEnd = seen.north ? seen.latMax : (std::trunc(seen.latMax / s) + 1.0) * s;
    const double meridianCount = LineCount(lonStart, lonEnd, s);
    const double parallelCount = LineCount(latStart, latEnd, s);

    // Curved lines are walked in a hundredth of the smaller extent, and no
    // line in finer steps: a dense grid of straight lines would otherwise
    // cost its number of lines squared.
    double f = 0.01 * std::min(seen.lonMax - seen.lonMin, seen.latMax - seen.latMin);
    if (!(f > 0.0) || !std::isfinite(f)) f = s;
    const double parallelStep = projection.curvedParallels ? f : std::max(s, f);
    const double meridianStep = projection.curvedMeridians ? f : std::max(s, f);

    // Where the lines run closest together decides which are drawn. With no
    // measure (the map lies between the lattice points), the lines are taken
    // to spread evenly over the view.
    const double devicePerLogical = std::fabs(static_cast<double>(doc.viewportExtent.cx) / doc.windowExtent.cx);
    LineSpacing spacing = WidestSpacing(projection, samples, s, f, projection.lpaspectx * devicePerLogical);
    if (spacing.meridians < 0.0) spacing.meridians = width * devicePerLogical / std::max(1.0, meridianCount);
    if (spacing.parallels < 0.0) spacing.parallels = height * devicePerLogical / std::max(1.0, parallelCount);
    const GridLinesDrawn drawn = LinesDrawn(std::min(spacing.meridians, spacing.parallels), doc.gridIncrement);
    if (drawn != GridLinesDrawn::All) TellLinesLeftOut(doc.gridDensityNotices, gridSize, doc.gridIncrement, drawn);
    if (drawn == GridLinesDrawn::None) return;
    const bool majorOnly = drawn == GridLinesDrawn::MajorOnly;

    GridLabels labels(dc, box, format.labelStyle.on ? DetailTextBoxes(dc, doc) : std::vector<TBox>{});
    GridPainter painter(dc, projection, box, format, mode, nearPoleKind, projection.ProjIndex == kORTHIndex, labels);
    // Meridians run from the south pole at the farthest.
    const std::vector<double> meridianWalk =
        WalkValues(std::max(latStart, -90.0), seen.latMax, seen.north, meridianStep);
    for (const double lon : LineValues(lonStart, meridianCount, s, gridSize, majorOnly)) {
        // A polar stereographic grid comes round to its first meridian again.
        const bool marks = !(projection.ProjIndex == kUPSTIndex && lon - lonStart > 359.5);
        painter.DrawLine(true, lon, IsMajor(lon, gridSize), meridianWalk, marks);
    }
    const std::vector<double> parallelWalk = WalkValues(lonStart, seen.lonMax, seen.east, parallelStep);
    for (const double lat : LineValues(latStart, parallelCount, s, gridSize, majorOnly)) {
        if (lat < -90.0 || lat > 90.0) continue;  // no parallel beyond a pole
        painter.DrawLine(false, lat, IsMajor(lat, gridSize), parallelWalk, true);
    }
    gridLabelBoxes = std::move(labels.placed);
}

}  // namespace okap
