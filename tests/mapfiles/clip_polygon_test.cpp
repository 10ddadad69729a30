#include "mapfiles/clip_polygon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/bridges.h"
#include "core/geometry.h"
#include "core/globals.h"
#include "platform/diagnostic_log.h"
#include "platform/message_box.h"

namespace okap {
namespace {

constexpr int kLine = 2;
constexpr int kArea = 3;

// W 0, N 100, E 100, S 0: every hand trace below uses it.
const LBox kBox{{0, 100}, {100, 0}};

using Piece = std::vector<LPoint>;

struct Outcome {
    int ok = -1;
    std::vector<Piece> pieces;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
    os << "ok " << o.ok << ", " << o.pieces.size() << " pieces:";
    for (const Piece& piece : o.pieces) {
        os << "\n ";
        for (const LPoint& p : piece) os << ' ' << p;
    }
    return os;
}

Outcome Clip(const std::vector<LPoint>& points, int kind, const LBox& box = kBox, int32_t xstep = 0,
             int32_t ystep = 0, int debug = 0) {
    std::vector<LPoint> pieces{{7, 7}};
    std::vector<int> counts{3};
    Outcome outcome;
    outcome.ok = ClipPolygon(points, kind, box, xstep, ystep, pieces, counts, debug);
    size_t first = 0;
    for (int n : counts) {
        outcome.pieces.emplace_back(pieces.begin() + static_cast<std::ptrdiff_t>(first),
                                    pieces.begin() + static_cast<std::ptrdiff_t>(first + static_cast<size_t>(n)));
        first += static_cast<size_t>(n);
    }
    EXPECT_EQ(first, pieces.size()) << "piece counts add up to the point count";
    return outcome;
}

Outcome Pieces(std::vector<Piece> pieces) { return {1, std::move(pieces)}; }

struct ClipCase {
    const char* name;
    int kind;
    std::vector<LPoint> points;
    Outcome expected;
    int32_t xstep = 0;
    int32_t ystep = 0;
};

// Hand traces on kBox; the notes say what each case is about.
const std::vector<ClipCase>& LineCases() {
    static const std::vector<ClipCase> cases = {
        {"through the box: one piece of two edge points", kLine, {{-50, 50}, {150, 50}},
         Pieces({{{0, 50}, {100, 50}}})},
        {"leaves and re-enters: two pieces", kLine, {{50, 50}, {150, 50}, {150, 80}, {50, 80}},
         Pieces({{{50, 50}, {100, 50}}, {{100, 80}, {50, 80}}})},
        {"every point inside: unchanged", kLine, {{10, 10}, {20, 30}, {20, 30}, {90, 90}},
         Pieces({{{10, 10}, {20, 30}, {20, 30}, {90, 90}}})},
        {"nothing inside", kLine, {{-50, -50}, {-10, 200}}, Pieces({})},
        // An area's covering test does not apply to lines.
        {"a line round the box shows nothing", kLine, {{-10, -10}, {110, -10}, {110, 110}, {-10, 110}, {-10, -10}},
         Pieces({})},
        // (50,100) is on the top edge: the piece starts there, once.
        {"enters at a vertex on an edge", kLine, {{50, 150}, {50, 100}, {50, 50}}, Pieces({{{50, 100}, {50, 50}}})},
        {"leaves through a corner", kLine, {{50, 50}, {100, 100}, {150, 150}}, Pieces({{{50, 50}, {100, 100}}})},
        {"diagonal through two corners", kLine, {{-50, -50}, {150, 150}}, Pieces({{{0, 0}, {100, 100}}})},
        {"runs along the top edge", kLine, {{-50, 100}, {150, 100}}, Pieces({{{0, 100}, {100, 100}}})},
        // Touching from outside leaves a run of one point, which is not drawn.
        {"touches an edge at a vertex", kLine, {{40, 110}, {50, 100}, {60, 110}}, Pieces({})},
        {"touches a corner", kLine, {{90, 110}, {110, 90}}, Pieces({})},
        // Crosses the top edge at x = 50 + 50 * 50 / 70 = 85.71: rounded.
        {"crossing rounded to the nearest unit", kLine, {{50, 50}, {100, 120}}, Pieces({{{50, 50}, {86, 100}}})},
    };
    return cases;
}

const std::vector<ClipCase>& AreaCases() {
    static const std::vector<ClipCase> cases = {
        // Anticlockwise, starting inside: the last run is joined to the first;
        // the walk goes anticlockwise (north) up the east edge from the exit
        // at y 20 to the entry at y 80, a point every 25.
        {"crosses the east edge twice, anticlockwise",
         kArea,
         {{50, 20}, {150, 20}, {150, 80}, {50, 80}, {50, 20}},
         Pieces({{{100, 80}, {50, 80}, {50, 20}, {100, 20}, {100, 45}, {100, 70}, {100, 80}}}),
         0,
         25},
        // Out and back along one path, as a tiny lake becomes once rounded
        // to whole units: it encloses nothing, so nothing is filled (not the
        // whole box).
        {"encloses nothing and crosses the east edge",
         kArea,
         {{50, 50}, {150, 60}, {50, 50}},
         Pieces({})},
        {"encloses nothing and passes through the box",
         kArea,
         {{-50, 50}, {150, 50}, {-50, 50}},
         Pieces({})},
        {"crosses the east edge twice, clockwise",
         kArea,
         {{50, 20}, {50, 80}, {150, 80}, {150, 20}, {50, 20}},
         Pieces({{{100, 20}, {50, 20}, {50, 80}, {100, 80}, {100, 55}, {100, 30}, {100, 20}}}),
         0,
         25},
        {"every point inside: unchanged", kArea, {{10, 10}, {10, 90}, {90, 90}, {10, 10}},
         Pieces({{{10, 10}, {10, 90}, {90, 90}, {10, 10}}})},
        {"outline equal to the box: unchanged", kArea, {{0, 0}, {0, 100}, {100, 100}, {100, 0}, {0, 0}},
         Pieces({{{0, 0}, {0, 100}, {100, 100}, {100, 0}, {0, 0}}})},
        {"never enters, does not cover the box", kArea, {{200, 200}, {300, 200}, {250, 300}, {200, 200}},
         Pieces({})},
        // Clockwise round the box, 10 out, a point every 50 from each corner.
        {"surrounds the box",
         kArea,
         {{-50, -50}, {-50, 150}, {150, 150}, {150, -50}, {-50, -50}},
         Pieces({{{-10, 110},
                  {40, 110},
                  {90, 110},
                  {110, 110},
                  {110, 60},
                  {110, 10},
                  {110, -10},
                  {60, -10},
                  {10, -10},
                  {-10, -10},
                  {-10, 40},
                  {-10, 90},
                  {-10, 110}}}),
         50,
         50},
        // Clockwise, a notch down from the north: the walk from the exit at
        // (60,100) goes clockwise round all four corners to the entry.
        {"notch from the north",
         kArea,
         {{-100, -100}, {-100, 200}, {40, 200}, {40, 50}, {60, 50}, {60, 200}, {200, 200}, {200, -100}, {-100, -100}},
         Pieces({{{40, 100}, {40, 50}, {60, 50}, {60, 100}, {100, 100}, {100, 0}, {0, 0}, {0, 100}, {40, 100}}})},
        // Two legs up from the south: run ends on the bottom edge are, clockwise
        // (x descending), exit 90, entry 70, exit 30, entry 10; the last entry
        // in that order starts the first piece.
        {"two pieces, clockwise",
         kArea,
         {{10, -50}, {10, 50}, {30, 50}, {30, -20}, {70, -20}, {70, 50}, {90, 50}, {90, -50}, {10, -50}},
         Pieces({{{10, 0}, {10, 50}, {30, 50}, {30, 0}, {10, 0}}, {{70, 0}, {70, 50}, {90, 50}, {90, 0}, {70, 0}}})},
        {"two pieces, anticlockwise",
         kArea,
         {{10, -50}, {90, -50}, {90, 50}, {70, 50}, {70, -20}, {30, -20}, {30, 50}, {10, 50}, {10, -50}},
         Pieces({{{30, 0}, {30, 50}, {10, 50}, {10, 0}, {30, 0}}, {{90, 0}, {90, 50}, {70, 50}, {70, 0}, {90, 0}}})},
        // Vertices on the box outline, each clipped as if a hair inside.
        {"enters at a vertex on an edge",
         kArea,
         {{50, 150}, {50, 100}, {20, 50}, {80, 50}, {80, 150}, {50, 150}},
         Pieces({{{50, 100}, {20, 50}, {80, 50}, {80, 100}, {50, 100}}})},
        // The notch's tip touches the top edge: the box is wholly inside; the
        // tip's entry (x 50 - e) comes before its exit (x 50 + e) clockwise.
        {"notch tip on an edge",
         kArea,
         {{-100, -100}, {-100, 200}, {40, 200}, {50, 100}, {60, 200}, {200, 200}, {200, -100}, {-100, -100}},
         Pieces({{{50, 100}, {100, 100}, {100, 0}, {0, 0}, {0, 100}, {50, 100}}})},
        {"notch tip on a corner",
         kArea,
         {{-100, -100}, {-100, 200}, {80, 200}, {100, 100}, {200, 80}, {200, -100}, {-100, -100}},
         Pieces({{{100, 100}, {100, 0}, {0, 0}, {0, 100}, {100, 100}}})},
        // An area outside touching the box at one vertex has nothing inside.
        {"touches an edge from outside", kArea, {{50, 100}, {60, 150}, {40, 150}, {50, 100}}, Pieces({})},
        {"touches a corner from outside", kArea, {{100, 100}, {150, 120}, {120, 150}, {100, 100}}, Pieces({})},
        // Triangle (50,50) (100,100) (150,50): its part in the box is the
        // triangle (50,50) (100,100) (100,50); it leaves through the corner.
        {"vertex on a corner",
         kArea,
         {{50, 50}, {100, 100}, {150, 50}, {50, 50}},
         Pieces({{{100, 50}, {50, 50}, {100, 100}, {100, 50}}})},
        // A band whose north side runs along the top edge.
        {"outline along an edge, area inside",
         kArea,
         {{-50, 100}, {150, 100}, {150, 50}, {-50, 50}, {-50, 100}},
         Pieces({{{0, 100}, {100, 100}, {100, 50}, {0, 50}, {0, 100}}})},
        // A band above the box sharing the top edge: no area inside.
        {"outline along an edge, area outside", kArea, {{-50, 150}, {150, 150}, {150, 100}, {-50, 100}, {-50, 150}},
         Pieces({})},
        // Hugging the top edge from (20,100) to (80,100), then a dip inside.
        {"edge-hugging stretch",
         kArea,
         {{20, 150}, {20, 100}, {80, 100}, {80, 60}, {90, 60}, {90, 150}, {20, 150}},
         Pieces({{{20, 100}, {80, 100}, {80, 60}, {90, 60}, {90, 100}, {20, 100}}})},
    };
    return cases;
}

TEST(ClipPolygonTest, Lines) {
    for (const ClipCase& c : LineCases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Clip(c.points, c.kind, kBox, c.xstep, c.ystep), c.expected);
    }
}

TEST(ClipPolygonTest, Areas) {
    for (const ClipCase& c : AreaCases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Clip(c.points, c.kind, kBox, c.xstep, c.ystep), c.expected);
    }
}

TEST(ClipPolygonTest, LogicalPointFormGivesTheSameResult) {
    const TBox box{{0, 100}, {100, 0}};
    std::vector<const ClipCase*> cases;
    for (const ClipCase& c : LineCases()) cases.push_back(&c);
    for (const ClipCase& c : AreaCases()) cases.push_back(&c);
    for (const ClipCase* c : cases) {
        SCOPED_TRACE(c->name);
        std::vector<POINT> points;
        for (const LPoint& p : c->points) points.push_back({p.x, p.y});
        std::vector<POINT> pieces;
        std::vector<int> counts;
        Outcome outcome{ClipPolygon(points, c->kind, box, c->xstep, c->ystep, pieces, counts), {}};
        size_t first = 0;
        for (int n : counts) {
            Piece piece;
            for (size_t j = first; j < first + static_cast<size_t>(n); ++j) piece.push_back({pieces[j].x, pieces[j].y});
            outcome.pieces.push_back(piece);
            first += static_cast<size_t>(n);
        }
        EXPECT_EQ(outcome, c->expected);
    }
}

// A line zig-zagging across the box: each stroke is a run of its own.
std::vector<LPoint> ZigZag(int strokes) {
    std::vector<LPoint> points;
    for (int i = 0; i <= strokes; ++i) points.push_back({i % 2 == 0 ? -10 : 110, i + 1});
    return points;
}

// Segments of any length: no table limits the runs, the pieces or the
// points in and out.
TEST(ClipPolygonTest, NoLimitOnRunsOrPoints) {
    // 5000 strokes, each a run and a piece of its own.
    const Outcome lines = Clip(ZigZag(5000), kLine, {{0, 6000}, {100, 0}});
    EXPECT_EQ(lines.ok, 1);
    ASSERT_EQ(lines.pieces.size(), 5000u);
    EXPECT_EQ(lines.pieces.back(), (Piece{{100, 5000}, {0, 5001}}));

    // Round a box 10000 wide, a point every unit: 40000 points and the
    // closing one.
    const Outcome round = Clip({{-50, -50}, {-50, 20000}, {20000, 20000}, {20000, -50}, {-50, -50}}, kArea,
                               {{0, 10000}, {10000, 0}}, 1, 1);
    EXPECT_EQ(round.ok, 1);
    ASSERT_EQ(round.pieces.size(), 1u);
    EXPECT_EQ(round.pieces[0].size(), 40081u);  // 4 x 10020 steps round the margin, and the closing point
}

TEST(ClipPolygonTest, FailuresAreReportedAndLeaveNothing) {
    ResetGlobals();
    MessageRecorder recorder;
    EXPECT_EQ(Clip({{50, 20}, {150, 20}, {150, 80}, {50, 80}}, kArea), (Outcome{0, {}}));
    const Message expected{"ClipPoly - polygon not closed", "Error", MessageButtons::Ok, MessageIcon::Stop};
    EXPECT_EQ(recorder.messages, std::vector<Message>{expected});
    // Reporting only: the callers decide about badclient.
    EXPECT_EQ(badclient, 0);
}

TEST(ClipPolygonTest, NoPointsIsNothingToDo) { EXPECT_EQ(Clip({}, kArea), (Outcome{1, {}})); }

TEST(ClipPolygonTest, DebugModeTracesEachStepAndGivesTheSameResult) {
    std::ostringstream trace;
    std::ostream* previous = SetDiagnosticLog(&trace);
    for (const ClipCase& c : AreaCases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Clip(c.points, c.kind, kBox, c.xstep, c.ystep, 1), c.expected);
    }
    const std::string text = trace.str();
    for (const char* label : {"Clipbox tl.x 0 tl.y 100 br.x 100 br.y 0", "Preclip: 50 20 150 20",
                              "Postclip: 50 20 100 20 leaves", "Clipseg: 2 runs", "PRE-ADJUST: 6 fill points",
                              "POST-ADJUST: 6 fill points", "  2 point 100 80 clipsegref 0 direction 0 used 0 status 2",
                              "Pieces: 1, 7 points"}) {
        EXPECT_NE(text.find(label), std::string::npos) << label;
    }

    trace.str("");
    MessageRecorder recorder;
    Clip({{50, 20}, {150, 20}, {150, 80}, {50, 80}}, kArea, kBox, 0, 0, 1);
    EXPECT_NE(trace.str().find("ClipPolygon failed: ClipPoly - polygon not closed"), std::string::npos);
    SetDiagnosticLog(previous);
}

// ---- Property checks against an independent clipper ----

struct Vec {
    double x;
    double y;
};

// Sutherland-Hodgman against the closed box: exact in area for a simple
// polygon (apart from floating point).
std::vector<Vec> ClipToBoxOracle(std::vector<Vec> poly, const LBox& box) {
    struct HalfPlane {
        bool onX;
        double line;
        int sign;  // inside when sign * (c - line) <= 0
    };
    const HalfPlane planes[] = {{false, double(box.tl.y), 1},
                                {true, double(box.br.x), 1},
                                {false, double(box.br.y), -1},
                                {true, double(box.tl.x), -1}};
    for (const HalfPlane& h : planes) {
        auto value = [&](const Vec& p) { return h.sign * ((h.onX ? p.x : p.y) - h.line); };
        std::vector<Vec> out;
        for (size_t i = 0; i < poly.size(); ++i) {
            const Vec a = poly[i];
            const Vec b = poly[(i + 1) % poly.size()];
            const double va = value(a);
            const double vb = value(b);
            if (va <= 0) out.push_back(a);
            if ((va <= 0) != (vb <= 0)) {
                const double t = va / (va - vb);
                out.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
            }
        }
        poly = out;
        if (poly.empty()) break;
    }
    return poly;
}

double SignedArea(const std::vector<Vec>& poly) {
    double sum = 0;
    for (size_t i = 0; i < poly.size(); ++i) {
        const Vec a = poly[i];
        const Vec b = poly[(i + 1) % poly.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum / 2;
}

int64_t Cross(LPoint o, LPoint a, LPoint b) {
    return (int64_t{a.x} - o.x) * (int64_t{b.y} - o.y) - (int64_t{a.y} - o.y) * (int64_t{b.x} - o.x);
}

bool OnSegment(LPoint a, LPoint b, LPoint p) {
    return Cross(a, b, p) == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
           std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

bool SegmentsMeet(LPoint a, LPoint b, LPoint c, LPoint d) {
    const int64_t d1 = Cross(c, d, a);
    const int64_t d2 = Cross(c, d, b);
    const int64_t d3 = Cross(a, b, c);
    const int64_t d4 = Cross(a, b, d);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
    return OnSegment(c, d, a) || OnSegment(c, d, b) || OnSegment(a, b, c) || OnSegment(a, b, d);
}

// Exactly simple: no edge meets another except its neighbours at their
// shared vertex, and no edge doubles back over its neighbour.
bool IsSimple(const std::vector<LPoint>& ring) {
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        const LPoint a = ring[i];
        const LPoint b = ring[(i + 1) % n];
        const LPoint c = ring[(i + 2) % n];
        if (a == b) return false;
        if (Cross(b, a, c) == 0 &&
            (int64_t{a.x} - b.x) * (int64_t{c.x} - b.x) + (int64_t{a.y} - b.y) * (int64_t{c.y} - b.y) > 0) {
            return false;
        }
        for (size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) continue;
            if (SegmentsMeet(a, b, ring[j], ring[(j + 1) % n])) return false;
        }
    }
    return true;
}

// A star-shaped outline round a random centre, vertices snapped to `grid`.
std::vector<LPoint> RandomOutline(std::mt19937& random, int64_t lo, int64_t hi, int64_t grid) {
    auto uniform = [&](double a, double b) { return a + (b - a) * (random() / 4294967296.0); };
    const int n = 5 + static_cast<int>(random() % 10);
    const double cx = uniform(lo, hi);
    const double cy = uniform(lo, hi);
    std::vector<double> angles;
    for (int i = 0; i < n; ++i) angles.push_back(uniform(0, 2 * std::numbers::pi));
    std::sort(angles.begin(), angles.end());
    if (random() % 2 == 0) std::reverse(angles.begin(), angles.end());
    std::vector<LPoint> ring;
    const double span = double(hi - lo);
    for (double angle : angles) {
        const double r = uniform(0.05, 0.9) * span;
        auto snap = [&](double v) { return static_cast<int32_t>(std::llround(v / grid) * grid); };
        ring.push_back({snap(cx + r * std::cos(angle)), snap(cy + r * std::sin(angle))});
    }
    return ring;
}

double PieceArea(const Piece& piece, const LBox& box) {
    // The surrounding piece lies 10 out; clamped, it is the box.
    std::vector<Vec> poly;
    for (const LPoint& p : piece) {
        poly.push_back({double(std::clamp(p.x, box.tl.x, box.br.x)), double(std::clamp(p.y, box.br.y, box.tl.y))});
    }
    return SignedArea(poly);
}

struct Trial {
    const char* name;
    LBox box;
    int64_t lo;
    int64_t hi;
    int64_t grid;
};

// The box is clipped out of random simple outlines: the pieces' area equals
// the area of the outline's intersection with the box. On the coarse grid
// many vertices fall on the box edges and corners and many edges run along
// them. Each outline is also clipped from another starting vertex.
TEST(ClipPolygonTest, AreaMatchesAnIndependentClipper) {
    const std::vector<Trial> trials = {
        {"fine coordinates", {{0, 1000000}, {1000000, 0}}, -2000000, 3000000, 1},
        {"coarse grid", {{0, 4000}, {4000, 0}}, -3000, 7000, 1000},
    };
    std::mt19937 random(12345);
    for (const Trial& trial : trials) {
        SCOPED_TRACE(trial.name);
        int onOutline = 0;
        for (int tested = 0; tested < 300;) {
            std::vector<LPoint> ring = RandomOutline(random, trial.lo, trial.hi, trial.grid);
            if (!IsSimple(ring)) continue;
            ++tested;
            for (const LPoint& p : ring) {
                const bool inside = p.x >= trial.box.tl.x && p.x <= trial.box.br.x && p.y >= trial.box.br.y &&
                                    p.y <= trial.box.tl.y;
                const bool onEdge = p.x == trial.box.tl.x || p.x == trial.box.br.x || p.y == trial.box.br.y ||
                                    p.y == trial.box.tl.y;
                if (inside && onEdge) ++onOutline;
            }
            std::vector<Vec> poly;
            for (const LPoint& p : ring) poly.push_back({double(p.x), double(p.y)});
            const double expected = std::abs(SignedArea(ClipToBoxOracle(poly, trial.box)));
            // Each edge crosses the box at most twice, and each crossing moves
            // by at most 0.5 along the box edge when rounded, which changes the
            // area by at most 0.25 times the distance between its neighbours in
            // the piece, both in the box.
            const double diagonal = std::hypot(double(trial.box.br.x) - trial.box.tl.x,
                                               double(trial.box.tl.y) - trial.box.br.y);
            const double tolerance = 0.5 * diagonal * double(ring.size()) + 1;
            for (size_t shift : {size_t{0}, ring.size() / 2}) {
                std::vector<LPoint> outline(ring.begin() + shift, ring.end());
                outline.insert(outline.end(), ring.begin(), ring.begin() + shift + 1);
                const Outcome outcome = Clip(outline, kArea, trial.box);
                ASSERT_EQ(outcome.ok, 1);
                double area = 0;
                for (const Piece& piece : outcome.pieces) {
                    ASSERT_GE(piece.size(), 4u);
                    EXPECT_EQ(piece.front(), piece.back()) << "closed";
                    for (size_t i = 1; i < piece.size(); ++i) EXPECT_NE(piece[i], piece[i - 1]);
                    area += PieceArea(piece, trial.box);
                }
                EXPECT_NEAR(std::abs(area), expected, tolerance) << "outline " << testing::PrintToString(outline);
            }
        }
        if (trial.grid > 1) {
            EXPECT_GT(onOutline, 50) << "the grid puts vertices on the box outline";
        }
    }
}

// A star-shaped hole round centre, at most radius from it, vertices
// snapped to grid.
std::vector<LPoint> RandomHole(std::mt19937& random, Vec centre, double radius, int64_t grid) {
    auto uniform = [&](double a, double b) { return a + (b - a) * (random() / 4294967296.0); };
    const int n = 4 + static_cast<int>(random() % 8);
    std::vector<double> angles;
    for (int i = 0; i < n; ++i) angles.push_back(uniform(0, 2 * std::numbers::pi));
    std::sort(angles.begin(), angles.end());
    std::vector<LPoint> hole;
    auto snap = [&](double v) { return static_cast<int32_t>(std::llround(v / grid) * grid); };
    for (double angle : angles) {
        const double r = uniform(0.3, 1.0) * radius;
        hole.push_back({snap(centre.x + r * std::cos(angle)), snap(centre.y + r * std::sin(angle))});
    }
    return hole;
}

// The hole lies inside the outline and touches none of its edges.
bool InsideWithoutTouching(const std::vector<LPoint>& hole, const std::vector<LPoint>& outline) {
    std::vector<LPoint> closed = outline;
    closed.push_back(outline.front());
    for (const LPoint& p : hole) {
        if (!PointInPolygon(closed.data(), static_cast<int>(closed.size()), p)) return false;
    }
    for (size_t i = 0; i < hole.size(); ++i) {
        for (size_t j = 0; j < outline.size(); ++j) {
            if (SegmentsMeet(hole[i], hole[(i + 1) % hole.size()], outline[j], outline[(j + 1) % outline.size()]))
                return false;
        }
    }
    return true;
}

// Polygons with a hole joined to the outline by a bridge, clipped: the
// pieces cover the outline's part of the box less the hole's, whether the
// box cuts the hole or the bridge; both visits of the bridge stay the same
// points, so no edge of a piece runs back along an edge of another piece.
TEST(ClipPolygonTest, HolesJoinedByBridgesClipAsHoles) {
    const std::vector<Trial> trials = {
        {"fine coordinates", {{0, 1000000}, {1000000, 0}}, -2000000, 3000000, 1},
        {"coarse grid", {{0, 4000}, {4000, 0}}, -3000, 7000, 250},
    };
    std::mt19937 random(2024);
    for (const Trial& trial : trials) {
        SCOPED_TRACE(trial.name);
        int bridgesCut = 0;
        for (int tested = 0; tested < 300;) {
            std::vector<LPoint> outline = RandomOutline(random, trial.lo, trial.hi, trial.grid);
            if (!IsSimple(outline)) continue;
            const double span = double(trial.hi - trial.lo);
            const Vec centre{trial.lo + span * (random() / 4294967296.0), trial.lo + span * (random() / 4294967296.0)};
            std::vector<LPoint> hole = RandomHole(random, centre, span * 0.2, trial.grid);
            if (!IsSimple(hole) || !InsideWithoutTouching(hole, outline)) continue;
            ++tested;
            std::vector<LPoint> closedOutline = outline;
            closedOutline.push_back(outline.front());
            std::vector<LPoint> closedHole = hole;
            closedHole.push_back(hole.front());
            const std::vector<LPoint> ring = BridgeHoles(closedOutline, {closedHole});

            const auto areaInBox = [&](const std::vector<LPoint>& r) {
                std::vector<Vec> poly;
                for (const LPoint& p : r) poly.push_back({double(p.x), double(p.y)});
                return std::abs(SignedArea(ClipToBoxOracle(poly, trial.box)));
            };
            const double expected = areaInBox(outline) - areaInBox(hole);
            const double diagonal = std::hypot(double(trial.box.br.x) - trial.box.tl.x,
                                               double(trial.box.tl.y) - trial.box.br.y);
            const double tolerance = 0.5 * diagonal * double(ring.size()) + 1;
            const Outcome outcome = Clip(ring, kArea, trial.box);
            ASSERT_EQ(outcome.ok, 1);
            double area = 0;
            for (const Piece& piece : outcome.pieces) {
                ASSERT_GE(piece.size(), 4u);
                EXPECT_EQ(piece.front(), piece.back()) << "closed";
                area += PieceArea(piece, trial.box);
            }
            EXPECT_NEAR(std::abs(area), expected, tolerance) << "ring " << testing::PrintToString(ring);
            for (size_t i = 0; i < outcome.pieces.size(); ++i) {
                for (size_t j = 0; j < outcome.pieces.size(); ++j) {
                    if (i == j) continue;
                    const Piece& a = outcome.pieces[i];
                    const Piece& b = outcome.pieces[j];
                    for (size_t k = 0; k + 1 < a.size(); ++k) {
                        for (size_t l = 0; l + 1 < b.size(); ++l) {
                            EXPECT_FALSE(a[k] == b[l + 1] && a[k + 1] == b[l])
                                << "pieces " << i << " and " << j << " share " << a[k] << a[k + 1] << " of ring "
                                << testing::PrintToString(ring);
                        }
                    }
                }
            }
            // How often the box cuts the bridge.
            const std::vector<bool> bridge = BridgeEdges(ring);
            for (size_t i = 0; i < bridge.size(); ++i) {
                if (bridge[i] && !LineOutsideBox(trial.box, ring[i], ring[i + 1]) &&
                    !LineInsideBox(trial.box, ring[i], ring[i + 1])) {
                    ++bridgesCut;
                    break;
                }
            }
        }
        EXPECT_GT(bridgesCut, 20) << "the box cuts bridges";
    }
}

// Crossed outlines have no inside to match, but they must still clip
// without failing into closed pieces within the box.
TEST(ClipPolygonTest, CrossedOutlinesGiveClosedPieces) {
    std::mt19937 random(4242);
    for (int trial = 0; trial < 500; ++trial) {
        std::vector<LPoint> outline;
        const int n = 4 + static_cast<int>(random() % 25);
        for (int i = 0; i < n; ++i) {
            outline.push_back({static_cast<int32_t>(random() % 9) * 25 - 50,
                               static_cast<int32_t>(random() % 9) * 25 - 50});
        }
        outline.push_back(outline.front());
        const Outcome outcome = Clip(outline, kArea);
        // A walk that took a run twice would go on until the output overflows.
        ASSERT_EQ(outcome.ok, 1) << testing::PrintToString(outline);
        for (const Piece& piece : outcome.pieces) {
            EXPECT_EQ(piece.front(), piece.back()) << testing::PrintToString(outline);
            for (const LPoint& p : piece) {
                EXPECT_FALSE(p.x < -10 || p.x > 110 || p.y < -10 || p.y > 110) << p;
            }
        }
    }
}

// A spike out of the box and back along the same edge (a narrow cape
// rounded to zero width, common in a long coast drawn small) makes an exit
// and an entry at the same place: the walk goes from one to the other
// instead of round the whole box, whichever run the outline starts in.
TEST(ClipPolygonTest, ASpikeAcrossTheEdgeDoesNotFillTheBox) {
    const std::vector<LPoint> ring = {{-5, 85}, {-5, 80}, {10, 80}, {10, 50}, {-5, 50}, {10, 50}, {10, 10},
                                      {90, 10}, {90, 90}, {10, 90}, {10, 85}, {-5, 85}};
    for (size_t shift = 0; shift + 1 < ring.size(); ++shift) {
        std::vector<LPoint> outline(ring.begin() + static_cast<std::ptrdiff_t>(shift), ring.end() - 1);
        outline.insert(outline.end(), ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(shift) + 1);
        const Outcome outcome = Clip(outline, kArea);
        ASSERT_EQ(outcome.ok, 1);
        double area = 0;
        for (const Piece& piece : outcome.pieces) {
            EXPECT_EQ(piece.front(), piece.back());
            area += PieceArea(piece, kBox);
        }
        EXPECT_EQ(std::abs(area), 80 * 80 + 10 * 5) << "starting at " << shift << ": " << outcome;
    }
}

// Lines: the pieces' length equals the length of each segment's part in
// the closed box.
TEST(ClipPolygonTest, LineLengthMatchesPerSegmentClipping) {
    const LBox box{{0, 4000}, {4000, 0}};
    std::mt19937 random(777);
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<LPoint> line;
        const int n = 2 + static_cast<int>(random() % 12);
        for (int i = 0; i < n; ++i) {
            line.push_back({static_cast<int32_t>(random() % 9) * 1000 - 2000,
                            static_cast<int32_t>(random() % 9) * 1000 - 2000});
        }
        double expected = 0;
        for (int i = 1; i < n; ++i) {
            std::vector<Vec> seg = {{double(line[i - 1].x), double(line[i - 1].y)},
                                    {double(line[i].x), double(line[i].y)}};
            const std::vector<Vec> part = ClipToBoxOracle(seg, box);
            // Clipping a two-point "polygon" gives the part twice over (out
            // and back).
            for (size_t j = 0; j < part.size(); ++j) {
                const Vec a = part[j];
                const Vec b = part[(j + 1) % part.size()];
                expected += std::hypot(b.x - a.x, b.y - a.y) / 2;
            }
        }
        const Outcome outcome = Clip(line, kLine, box);
        ASSERT_EQ(outcome.ok, 1);
        double length = 0;
        for (const Piece& piece : outcome.pieces) {
            for (size_t j = 1; j < piece.size(); ++j) {
                length += std::hypot(double(piece[j].x) - piece[j - 1].x, double(piece[j].y) - piece[j - 1].y);
            }
        }
        EXPECT_NEAR(length, expected, 2.0 * n) << testing::PrintToString(line);
    }
}

}  // namespace
}  // namespace okap
