#include "mapfiles/clip_polygon.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "core/number_text.h"
#include "mapfiles/hole_bridges.h"
#include "mapfiles/mapfile.h"
#include "platform/diagnostic_log.h"
#include "platform/message_box.h"

// How the clip works. The outline is walked once and the runs of it that lie
// inside the box are copied to a work buffer, each with where it enters and
// where it leaves the box. A line is then just its runs. For an area the run
// ends and the four box corners are sorted clockwise round the box, and the
// pieces are assembled: a run, then from where it leaves along the box edge
// to where the next run enters, and so on until the piece closes.
//
// Vertices on the box outline. The box is closed (a point on an edge is
// inside), and crossings are worked out for the box enlarged by an
// infinitesimal e. No vertex lies on that enlarged outline, so each segment
// either misses it or crosses it at points that are well defined, and a
// vertex on an edge behaves exactly as if it lay a hair inside. The places
// of the crossings along the outline are kept exactly (as fractions, with
// a term in e), so that run ends that round to the same point are still
// sorted in the order in which the outline meets the box; the points
// written out are the crossings rounded onto the real box edge.
//
// Walking direction. For a simple outline the stretches of box edge that lie
// inside the area run clockwise from each exit when the outline runs
// clockwise, anticlockwise otherwise; the orientation comes from the exact
// signed area. Each walk stops at the next run start not yet taken (or at
// the piece's own first run), so every run is used once and a crossed or
// otherwise odd outline still gives closed pieces and never loops.
//
// Bridges. A hole joined to its outer ring by a zero-width bridge (an edge
// and, elsewhere in the outline, its exact reverse) makes run ends that
// coincide exactly. They are ordered as if the two edges lay a hair apart,
// each moved towards the area's inside (a distance smaller still than the
// box's enlargement), which is how a slit of some width would meet the box:
// the box edge on either side of the bridge is walked as part of the area.
// Other run ends that coincide keep the order in which the outline meets
// them. Where a bridge cuts the area in the box in two, the walk makes two
// pieces that share the bridge's stretch in opposite directions; they are
// joined there again, so that the bridge never shows as a cut.

namespace okap {
namespace {

using Int128 = __int128;

// How far outside the box the piece for an area surrounding it lies.
constexpr int64_t kSurroundMargin = 10;

// Box edges in clockwise order; each starts at a corner: top at the
// north-west, right at the north-east, bottom at the south-east, left at the
// south-west.
enum Edge { kTop = 0, kRight = 1, kBottom = 2, kLeft = 3, kNoEdge = -1 };

bool IsHorizontal(int edge) { return edge == kTop || edge == kBottom; }

// A place on the outline of the box enlarged by e: the edge and the distance
// along it in clockwise direction, (along + alongE * e) / den, measured as x
// on the top edge, -y on the right, -x on the bottom and y on the left.
// bank orders the two crossings of a bridge, which coincide exactly: the
// sign of the shift, clockwise, that moving the crossing edge a hair into
// the area gives.
struct BoxPosition {
    int edge = kTop;
    Int128 along = 0;
    Int128 alongE = 0;
    int64_t den = 1;
    int bank = 0;
};

// Clockwise order round the box, starting at the north-west corner.
bool Before(const BoxPosition& a, const BoxPosition& b) {
    if (a.edge != b.edge) return a.edge < b.edge;
    const Int128 left = a.along * b.den;
    const Int128 right = b.along * a.den;
    if (left != right) return left < right;
    const Int128 leftE = a.alongE * b.den;
    const Int128 rightE = b.alongE * a.den;
    if (leftE != rightE) return leftE < rightE;
    return a.bank < b.bank;
}

// A parameter t = (num + numE * e) / den along a segment, den > 0, where it
// meets the given edge of the enlarged box (kNoEdge: one of its own ends).
struct SegmentParameter {
    int64_t num = 0;
    int64_t numE = 0;
    int64_t den = 1;
    int edge = kNoEdge;
};

bool Less(const SegmentParameter& a, const SegmentParameter& b) {
    const Int128 left = static_cast<Int128>(a.num) * b.den;
    const Int128 right = static_cast<Int128>(b.num) * a.den;
    if (left != right) return left < right;
    return static_cast<Int128>(a.numE) * b.den < static_cast<Int128>(b.numE) * a.den;
}

// The part of segment p-q inside the enlarged box: from entry to exit. An
// entry (exit) with no edge means p (q) itself is inside.
struct SegmentClip {
    bool meets = false;
    SegmentParameter entry;
    SegmentParameter exit;
};

// The coordinate that edge bounds, the line it lies on, and +1 when the
// inside lies below that line, -1 when above.
struct EdgeLine {
    bool onX;
    int64_t line;
    int sign;
};

EdgeLine LineOf(const LBox& box, int edge) {
    switch (edge) {
        case kTop: return {false, box.tl.y, 1};
        case kRight: return {true, box.br.x, 1};
        case kBottom: return {false, box.br.y, -1};
        default: return {true, box.tl.x, -1};
    }
}

// Liang-Barsky against the box enlarged by e: each edge gives the bound
// sign * (c(t) - line) <= e on the parameter t of p + t (q - p).
SegmentClip ClipToBox(const LBox& box, LPoint p, LPoint q) {
    SegmentParameter lower{0, 0, 1, kNoEdge};
    SegmentParameter upper{1, 0, 1, kNoEdge};
    for (int edge = kTop; edge <= kLeft; ++edge) {
        const EdgeLine side = LineOf(box, edge);
        const int64_t pc = side.onX ? p.x : p.y;
        const int64_t qc = side.onX ? q.x : q.y;
        const int64_t g = side.sign * (pc - side.line);
        const int64_t h = side.sign * (qc - pc);
        if (h == 0) {
            if (g > 0) return {};  // parallel to the edge, beyond it
            continue;
        }
        if (h > 0) {
            const SegmentParameter leave{-g, 1, h, edge};
            if (Less(leave, upper)) upper = leave;
        } else {
            const SegmentParameter enter{g, -1, -h, edge};
            if (Less(lower, enter)) lower = enter;
        }
    }
    if (!Less(lower, upper)) return {};
    return {true, lower, upper};
}

// n / d rounded to the nearest integer (halves upwards), d > 0.
Int128 RoundedQuotient(Int128 n, int64_t d) {
    const Int128 num = 2 * n + d;
    const Int128 den = 2 * static_cast<Int128>(d);
    Int128 q = num / den;
    if (num % den != 0 && num < 0) --q;
    return q;
}

// A run end or corner: the point written out and its exact place.
struct EdgePoint {
    LPoint point;
    BoxPosition at;
};

// Where on box edge `edge` (clockwise) a crossing of p-q moves when the edge
// p-q moves a hair towards the area's inside: right of its direction for an
// outline that runs clockwise, left otherwise. -1, 0 or 1.
int BankOf(int edge, LPoint p, LPoint q, bool clockwise) {
    const int64_t vx = int64_t{q.x} - p.x;
    const int64_t vy = int64_t{q.y} - p.y;
    // The inward normal, and the clockwise direction of the box edge.
    const int64_t nx = clockwise ? vy : -vy;
    const int64_t ny = clockwise ? -vx : vx;
    const int64_t towards = edge == kTop ? nx : edge == kRight ? -ny : edge == kBottom ? -nx : ny;
    return (towards > 0) - (towards < 0);
}

EdgePoint PlaceCrossing(const LBox& box, LPoint p, LPoint q, const SegmentParameter& t) {
    const bool horizontal = IsHorizontal(t.edge);
    const int64_t pu = horizontal ? p.x : p.y;
    const int64_t du = horizontal ? int64_t{q.x} - p.x : int64_t{q.y} - p.y;
    // The coordinate along the edge, pu + t du, as (along + alongE e) / den.
    const Int128 along = static_cast<Int128>(pu) * t.den + static_cast<Int128>(t.num) * du;
    const Int128 alongE = static_cast<Int128>(t.numE) * du;
    const int64_t low = horizontal ? box.tl.x : box.br.y;
    const int64_t high = horizontal ? box.br.x : box.tl.y;
    const auto u = static_cast<int32_t>(std::clamp<Int128>(RoundedQuotient(along, t.den), low, high));
    const EdgeLine side = LineOf(box, t.edge);
    const auto v = static_cast<int32_t>(side.line);
    const int clockwise = (t.edge == kTop || t.edge == kLeft) ? 1 : -1;
    return {horizontal ? LPoint{u, v} : LPoint{v, u}, {t.edge, clockwise * along, clockwise * alongE, t.den}};
}

// The corner at which edge starts; on the enlarged box it lies e before the
// first point of the real edge, and before any run end that meets it there.
EdgePoint Corner(const LBox& box, int edge) {
    constexpr int first = -2;
    switch (edge) {
        case kTop: return {box.tl, {kTop, box.tl.x, -1, 1, first}};
        case kRight: return {{box.br.x, box.tl.y}, {kRight, -Int128{box.tl.y}, -1, 1, first}};
        case kBottom: return {box.br, {kBottom, -Int128{box.br.x}, -1, 1, first}};
        default: return {{box.tl.x, box.br.y}, {kLeft, box.br.y, -1, 1, first}};
    }
}

// One run of the outline inside the box.
struct ClipSeg {
    LPoint start;           // where it enters the box
    LPoint end;             // where it leaves
    int32_t npoints = 0;    // its points in the work buffer
    int32_t newsegref = 0;  // work index of its first point
    int32_t isstart = 0;    // 1 when it enters (the outline began outside)
    int32_t isend = 0;      // 1 when it leaves
    BoxPosition startAt;
    BoxPosition endAt;
    // The edges of the outline (from point i to point i + 1) that cross the
    // box where the run starts and ends.
    int startEdge = 0;
    int endEdge = 0;
};

// A fill point with its exact place round the box.
struct Stop {
    FillPoint fill;
    BoxPosition at;
};

struct ClipError {
    const char* message;
};

std::string Text(LPoint p) { return FormatInt(p.x) + " " + FormatInt(p.y); }

class PolygonClipper {
public:
    PolygonClipper(std::span<const LPoint> pts, int kind, const LBox& box, int32_t xstep, int32_t ystep,
                   std::vector<LPoint>& out, std::vector<int>& counts, int debug)
        : pts(pts), npts(static_cast<int>(pts.size())), kind(kind), box(box), xstep(std::abs(int64_t{xstep})),
          ystep(std::abs(int64_t{ystep})), out(out), counts(counts), debug(debug != 0) {}

    // Clips into out and counts; false after a failure, which has been
    // reported, or only put in message when one is given.
    bool Clip(std::string* message) {
        try {
            TraceStart();
            CheckInput();
            CollectRuns();
            TraceRuns();
            if (work.empty()) {
                if (kind == kAreaKind && !flat && CoversBox()) EmitSurroundingPiece();
            } else if (runs.size() == 1 && !runs[0].isstart && !runs[0].isend) {
                LeaveUnchanged();
                return true;
            } else if (kind != kAreaKind) {
                EmitLinePieces();
            } else if (flat) {
                // An outline that encloses nothing (out and back along the
                // same path, as tiny lakes become once rounded to whole
                // units) has no inside to walk round the box: it gives no
                // pieces rather than a fill of the whole box.
            } else {
                OrderBridgeCrossings();
                JoinFirstAndLastRun();
                ListFillPoints();
                TraceFillPoints("PRE-ADJUST");
                SetWalkingDirections();
                TraceFillPoints("POST-ADJUST");
                AssemblePieces();
                JoinAcrossBridges();
            }
            if (debug) CheckBounds();
            TracePieces();
            return true;
        } catch (const ClipError& error) {
            if (debug) {
                DiagnosticLog() << "ClipPolygon failed: " << error.message << '\n';
                TraceFillPoints("Fill points");
            }
            if (message != nullptr)
                *message = error.message;
            else
                ShowError(error.message);
            return false;
        }
    }

private:
    // Step 0: an area must close.
    void CheckInput() {
        if (kind == kAreaKind && !(pts[0] == pts[npts - 1])) throw ClipError{"ClipPoly - polygon not closed"};
    }

    // Step 1: copy the runs inside the box to the work buffer, each with its
    // entry and exit.
    void CollectRuns() {
        if (kind == kAreaKind) {
            const Int128 doubleArea = SignedDoubleArea();
            clockwise = doubleArea <= 0;
            flat = doubleArea == 0;
        }
        if (!PointOutsideBox(box, pts[0])) OpenRun(nullptr, pts[0]);
        for (int i = 1; i < npts; ++i) {
            const LPoint a = pts[i - 1];
            const LPoint b = pts[i];
            const SegmentClip clip = ClipToBox(box, a, b);
            if (!clip.meets) continue;
            const bool enters = clip.entry.edge != kNoEdge;
            const bool leaves = clip.exit.edge != kNoEdge;
            if (enters || leaves) TraceCrossing(a, b, clip);
            if (enters) {
                const EdgePoint entry = PlaceCrossing(box, a, b, clip.entry);
                OpenRun(&entry, entry.point);
                runs.back().startEdge = i - 1;
            }
            if (leaves) {
                CloseRun(PlaceCrossing(box, a, b, clip.exit));
                runs.back().endEdge = i - 1;
            } else {
                AppendWork(b);
            }
        }
        if (!runs.empty() && !runs.back().isend) runs.back().npoints = WorkSize() - runs.back().newsegref;
    }

    // The run ends where an edge and its exact reverse cross the box, which
    // coincide. For a hole's bridge each gets the side of the other that its
    // edge, moved a hair into the area, lies on; for any other such pair the
    // side that moving it a hair out of the area gives.
    void OrderBridgeCrossings() {
        struct Crossing {
            int edge;
            BoxPosition* at;
        };
        std::vector<Crossing> crossings;
        for (ClipSeg& run : runs) {
            if (run.isstart) crossings.push_back({run.startEdge, &run.startAt});
            if (run.isend) crossings.push_back({run.endEdge, &run.endAt});
        }
        // Sorted by the edge with its ends in order, so that an edge and
        // its reverse come together.
        const auto less = [](LPoint a, LPoint b) { return a.x != b.x ? a.x < b.x : a.y < b.y; };
        const auto key = [&](const Crossing& c) {
            const LPoint a = pts[static_cast<size_t>(c.edge)];
            const LPoint b = pts[static_cast<size_t>(c.edge) + 1];
            return less(b, a) ? std::pair{b, a} : std::pair{a, b};
        };
        std::sort(crossings.begin(), crossings.end(), [&](const Crossing& a, const Crossing& b) {
            const auto ka = key(a), kb = key(b);
            return less(ka.first, kb.first) || (ka.first == kb.first && less(ka.second, kb.second));
        });
        for (size_t i = 0; i < crossings.size(); ++i) {
            for (size_t j = i + 1; j < crossings.size() && key(crossings[j]) == key(crossings[i]); ++j) {
                const size_t ea = static_cast<size_t>(crossings[i].edge);
                const size_t eb = static_cast<size_t>(crossings[j].edge);
                if (!(pts[ea] == pts[eb + 1] && pts[ea + 1] == pts[eb])) continue;
                // Any other out-and-back (a spike, or a narrow inlet or
                // cape rounded to zero width) is a sliver of the area: its
                // edges lie a hair apart the other way, so that the walk
                // from its exit meets its entry at once rather than going
                // round the box.
                const std::vector<bool>& holes = HoleBridges();
                const int side = holes[ea] && holes[eb] ? 1 : -1;
                crossings[i].at->bank = side * BankOf(crossings[i].at->edge, pts[ea], pts[ea + 1], clockwise);
                crossings[j].at->bank = side * BankOf(crossings[j].at->edge, pts[eb], pts[eb + 1], clockwise);
            }
        }
    }

    // Which edges of the outline join a hole to it, found once when needed.
    const std::vector<bool>& HoleBridges() {
        if (!holeBridgesFound) {
            holeBridges = HoleBridgeEdges(pts);
            holeBridgesFound = true;
        }
        return holeBridges;
    }

    // Twice the signed area of the outline, exactly: negative when it runs
    // clockwise (y grows northwards).
    Int128 SignedDoubleArea() const {
        Int128 sum = 0;
        const LPoint o = pts[0];
        for (int i = 1; i + 1 < npts; ++i) {
            const int64_t x1 = int64_t{pts[i].x} - o.x;
            const int64_t y1 = int64_t{pts[i].y} - o.y;
            const int64_t x2 = int64_t{pts[i + 1].x} - o.x;
            const int64_t y2 = int64_t{pts[i + 1].y} - o.y;
            sum += static_cast<Int128>(x1) * y2 - static_cast<Int128>(x2) * y1;
        }
        return sum;
    }

    void OpenRun(const EdgePoint* entry, LPoint first) {
        ClipSeg run;
        run.newsegref = WorkSize();
        if (entry != nullptr) {
            run.isstart = 1;
            run.start = entry->point;
            run.startAt = entry->at;
        }
        runs.push_back(run);
        AppendWork(first);
    }

    void CloseRun(const EdgePoint& exit) {
        AppendWork(exit.point);
        ClipSeg& run = runs.back();
        run.isend = 1;
        run.end = exit.point;
        run.endAt = exit.at;
        run.npoints = WorkSize() - run.newsegref;
    }

    // A point equal to the one before it in the same run adds nothing (a
    // crossing that falls on a vertex, a repeated vertex).
    void AppendWork(LPoint p) {
        if (WorkSize() > runs.back().newsegref && work.back() == p) return;
        work.push_back(p);
    }

    int WorkSize() const { return static_cast<int>(work.size()); }

    // Step 2: the outline does not meet the box, so the box lies wholly
    // inside the area or wholly outside it. The centre is the point tested,
    // as far from the outline as any point of the box can be.
    bool CoversBox() const {
        const LPoint centre{static_cast<int32_t>((int64_t{box.tl.x} + box.br.x) / 2),
                            static_cast<int32_t>((int64_t{box.tl.y} + box.br.y) / 2)};
        return PointInPolygon(pts.data(), npts, centre) != 0;
    }

    // One closed piece round the box, kSurroundMargin outside it, clockwise,
    // with intermediate points along its sides.
    void EmitSurroundingPiece() {
        const int32_t w = SafeLong(static_cast<double>(box.tl.x - kSurroundMargin));
        const int32_t n = SafeLong(static_cast<double>(box.tl.y + kSurroundMargin));
        const int32_t e = SafeLong(static_cast<double>(box.br.x + kSurroundMargin));
        const int32_t s = SafeLong(static_cast<double>(box.br.y - kSurroundMargin));
        const LPoint corners[] = {{w, n}, {e, n}, {e, s}, {w, s}, {w, n}};
        BeginPiece();
        Add(corners[0]);
        for (int i = 1; i < 5; ++i) {
            AddStretch(corners[i - 1], corners[i]);
            Add(corners[i]);
        }
        EndPiece(kMinAreaPoints);
    }

    // Step 3, every point inside: one piece of all the points.
    void LeaveUnchanged() {
        out.assign(pts.begin(), pts.end());
        counts.assign(1, npts);
        if (debug) DiagnosticLog() << "Every point inside: 1 piece, " << FormatInt(npts) << " points\n";
    }

    // Step 3, a line: each run is a piece.
    void EmitLinePieces() {
        for (const ClipSeg& run : runs) {
            BeginPiece();
            for (int j = 0; j < run.npoints; ++j) Add(work[run.newsegref + j]);
            EndPiece(kMinLinePoints);
        }
    }

    // Step 4: an outline that began inside the box has its first run cut in
    // two; the last run, which entered and reached the closing point, is its
    // beginning. Work indices wrap, so the joined run reads the last run's
    // points and then the first run's.
    void JoinFirstAndLastRun() {
        ClipSeg& first = runs.front();
        if (first.isstart) return;
        const ClipSeg last = runs.back();
        first.start = last.start;
        first.startAt = last.startAt;
        first.isstart = 1;
        first.newsegref = last.newsegref;
        first.npoints += last.npoints;
        runs.pop_back();
    }

    // Step 5: the corners and the run ends, once each, clockwise round the
    // box from the north-west corner.
    void ListFillPoints() {
        for (int edge = kTop; edge <= kLeft; ++edge) {
            const EdgePoint corner = Corner(box, edge);
            stops.push_back({FillPoint{corner.point, -1, 0, 0, 1}, corner.at});
        }
        for (int r = 0; r < static_cast<int>(runs.size()); ++r) {
            stops.push_back({FillPoint{runs[r].start, r, 0, 0, 0}, runs[r].startAt});
            stops.push_back({FillPoint{runs[r].end, r, 1, 0, 0}, runs[r].endAt});
        }
        std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return Before(a.at, b.at); });
        endOfRun.assign(runs.size(), 0);
        for (int i = 0; i < static_cast<int>(stops.size()); ++i) {
            if (stops[i].fill.clipsegref >= 0 && stops[i].fill.direction == 1) endOfRun[stops[i].fill.clipsegref] = i;
        }
    }

    // Steps 6 and 7: from an exit the walk goes clockwise round the box for
    // a clockwise outline (status 2), anticlockwise otherwise (status 3);
    // starts get the other status.
    void SetWalkingDirections() {
        for (Stop& stop : stops) {
            if (stop.fill.clipsegref < 0) continue;
            const bool exit = stop.fill.direction == 1;
            stop.fill.status = exit == clockwise ? 2 : 3;
        }
    }

    bool IsStart(int i) const { return stops[i].fill.clipsegref >= 0 && stops[i].fill.direction == 0; }

    // Step 8: each piece begins at the last run start not yet taken: the
    // run, then along the box from its exit to the next run start not yet
    // taken, and so on until the walk comes back to the piece's first run.
    // Starts are only ever taken, so the last one left is found by moving
    // back from where the previous search stopped.
    void AssemblePieces() {
        const int count = static_cast<int>(stops.size());
        int last = count - 1;
        for (;;) {
            while (last >= 0 && !(IsStart(last) && !stops[last].fill.used)) --last;
            if (last < 0) return;
            int at = last;
            const int firstRun = stops[at].fill.clipsegref;
            const LPoint firstPoint = stops[at].fill.point;
            BeginPiece();
            for (;;) {
                stops[at].fill.used = 1;
                const int r = stops[at].fill.clipsegref;
                const ClipSeg& run = runs[r];
                Add(stops[at].fill.point);
                for (int j = 0; j < run.npoints; ++j) Add(work[(run.newsegref + j) % WorkSize()]);
                int i = endOfRun[r];
                stops[i].fill.used = 1;
                const int step = stops[i].fill.status == 2 ? 1 : count - 1;
                bool cutShort = false;
                for (;;) {
                    const int next = (i + step) % count;
                    AddStretch(stops[i].fill.point, stops[next].fill.point);
                    Add(stops[next].fill.point);
                    i = next;
                    if (IsStart(i) && (stops[i].fill.clipsegref == firstRun || !stops[i].fill.used)) break;
                    // A start already taken lies only where an outline
                    // that crosses itself (as a long coast rounded to
                    // whole units does) puts run ends that coincide in an
                    // order a simple outline cannot have. Walking on would
                    // go round the whole box again and fill it; the piece
                    // is closed here instead.
                    if (IsStart(i)) {
                        Add(firstPoint);
                        cutShort = true;
                        break;
                    }
                    stops[i].fill.used = 1;
                }
                if (cutShort || stops[i].fill.clipsegref == firstRun) break;
                at = i;
            }
            EndPiece(kMinAreaPoints);
        }
    }

    // Intermediate points along a box edge from `from` towards `to`, every
    // xstep (horizontal) or ystep (vertical), strictly short of `to`.
    void AddStretch(LPoint from, LPoint to) {
        if (from.y == to.y && from.x != to.x && xstep > 0) {
            const int64_t step = to.x > from.x ? xstep : -xstep;
            for (int64_t x = from.x + step; step > 0 ? x < to.x : x > to.x; x += step) {
                Add({static_cast<int32_t>(x), from.y});
            }
        } else if (from.x == to.x && from.y != to.y && ystep > 0) {
            const int64_t step = to.y > from.y ? ystep : -ystep;
            for (int64_t y = from.y + step; step > 0 ? y < to.y : y > to.y; y += step) {
                Add({from.x, static_cast<int32_t>(y)});
            }
        }
    }

    // Two pieces made by a bridge that cuts the area in the box in two
    // share the bridge's stretch in opposite directions. Each such pair is
    // joined into one piece by leaving that edge out of both, which is
    // their union; what is left of the bridge stays a bridge of the joined
    // piece.
    void JoinAcrossBridges() {
        if (counts.size() < 2) return;
        struct PieceEdge {
            LPoint from, to;
            int piece;
        };
        std::vector<PieceEdge> edges;
        size_t first = 0;
        for (int piece = 0; piece < static_cast<int>(counts.size()); ++piece) {
            const size_t end = first + static_cast<size_t>(counts[static_cast<size_t>(piece)]);
            for (size_t i = first; i + 1 < end; ++i) edges.push_back({out[i], out[i + 1], piece});
            first = end;
        }
        // Sorted by the edge with its ends in order, so that an edge and
        // its reverse come together.
        const auto less = [](LPoint a, LPoint b) { return a.x != b.x ? a.x < b.x : a.y < b.y; };
        const auto low = [&](const PieceEdge& e) { return less(e.to, e.from) ? e.to : e.from; };
        const auto high = [&](const PieceEdge& e) { return less(e.to, e.from) ? e.from : e.to; };
        std::sort(edges.begin(), edges.end(), [&](const PieceEdge& a, const PieceEdge& b) {
            const LPoint la = low(a), lb = low(b);
            return less(la, lb) || (la == lb && less(high(a), high(b)));
        });
        struct Join {
            int from, to;  // the pieces holding the edge w -> p and p -> w
            LPoint w, p;
        };
        std::vector<Join> joins;
        for (size_t i = 0; i < edges.size(); ++i) {
            for (size_t j = i + 1; j < edges.size() && low(edges[j]) == low(edges[i]) && high(edges[j]) == high(edges[i]);
                 ++j) {
                const PieceEdge& a = edges[i];
                const PieceEdge& b = edges[j];
                if (a.piece != b.piece && a.from == b.to && a.to == b.from) joins.push_back({a.piece, b.piece, a.from, a.to});
            }
        }
        // Only a hole's bridge is joined across: other opposite edges are
        // left as the outline has them.
        if (joins.empty()) return;
        const std::vector<bool>& holes = HoleBridges();
        if (std::find(holes.begin(), holes.end(), true) == holes.end()) return;

        std::vector<std::vector<LPoint>> rings;
        first = 0;
        for (int n : counts) {
            const auto from = out.begin() + static_cast<std::ptrdiff_t>(first);
            rings.emplace_back(from, from + n);
            first += static_cast<size_t>(n);
        }
        // Which ring each piece has gone into.
        std::vector<int> into(rings.size());
        for (size_t i = 0; i < into.size(); ++i) into[i] = static_cast<int>(i);
        const auto find = [&](int piece) {
            while (into[static_cast<size_t>(piece)] != piece) piece = into[static_cast<size_t>(piece)];
            return piece;
        };
        for (const Join& join : joins) {
            const int a = find(join.from);
            const int b = find(join.to);
            if (a == b || !Splice(rings[static_cast<size_t>(a)], rings[static_cast<size_t>(b)], join.w, join.p)) continue;
            rings[static_cast<size_t>(b)].clear();
            into[static_cast<size_t>(b)] = a;
        }
        out.clear();
        counts.clear();
        for (const std::vector<LPoint>& ring : rings) {
            if (ring.empty()) continue;
            out.insert(out.end(), ring.begin(), ring.end());
            counts.push_back(static_cast<int>(ring.size()));
        }
        if (debug) DiagnosticLog() << "Joined across bridges: " << FormatInt(static_cast<long long>(joins.size())) << '\n';
    }

    // Joins closed ring b into closed ring a where a runs w -> p and b runs
    // p -> w: a up to w, b from after w round to p, then a from after p.
    static bool Splice(std::vector<LPoint>& a, const std::vector<LPoint>& b, LPoint w, LPoint p) {
        const auto edgeAt = [](const std::vector<LPoint>& ring, LPoint from, LPoint to) {
            for (size_t i = 0; i + 1 < ring.size(); ++i) {
                if (ring[i] == from && ring[i + 1] == to) return static_cast<std::ptrdiff_t>(i);
            }
            return std::ptrdiff_t{-1};
        };
        const std::ptrdiff_t i = edgeAt(a, w, p);
        const std::ptrdiff_t j = edgeAt(b, p, w);
        if (i < 0 || j < 0) return false;
        // b without its closing point, as a cycle.
        const std::ptrdiff_t cycle = static_cast<std::ptrdiff_t>(b.size()) - 1;
        std::vector<LPoint> joined(a.begin(), a.begin() + i + 1);
        for (std::ptrdiff_t k = 2; k <= cycle; ++k) joined.push_back(b[static_cast<size_t>((j + k) % cycle)]);
        joined.insert(joined.end(), a.begin() + i + 2, a.end());
        joined.erase(std::unique(joined.begin(), joined.end()), joined.end());
        a = std::move(joined);
        return true;
    }

    // Step 9, debug only: every point within the box enlarged by 10.
    void CheckBounds() const {
        for (const LPoint& p : out) {
            if (p.x < int64_t{box.tl.x} - kSurroundMargin || p.x > int64_t{box.br.x} + kSurroundMargin ||
                p.y > int64_t{box.tl.y} + kSurroundMargin || p.y < int64_t{box.br.y} - kSurroundMargin) {
                throw ClipError{"Bad point in ClipPolygon"};
            }
        }
    }

    // The output goes into pts, over the input, which is no longer needed.
    // Pieces hold no point twice in a row; a piece too short to draw (what
    // a vertex touching the box from outside leaves) is dropped.
    static constexpr int kMinLinePoints = 2;
    static constexpr int kMinAreaPoints = 4;  // three corners and the closing point

    int OutCount() const { return static_cast<int>(out.size()); }

    void BeginPiece() { pieceStart = OutCount(); }

    void Add(LPoint p) {
        if (OutCount() > pieceStart && out.back() == p) return;
        out.push_back(p);
    }

    void EndPiece(int minPoints) {
        const int n = OutCount() - pieceStart;
        if (n < minPoints) {
            out.resize(static_cast<size_t>(pieceStart));
            return;
        }
        counts.push_back(n);
    }

    // The debug trace.
    void TraceStart() const {
        if (!debug) return;
        DiagnosticLog() << "ClipPolygon kind " << FormatInt(kind) << ", " << FormatInt(npts) << " points, xstep "
                        << FormatInt(xstep) << ", ystep " << FormatInt(ystep) << '\n'
                        << "Clipbox tl.x " << FormatInt(box.tl.x) << " tl.y " << FormatInt(box.tl.y) << " br.x "
                        << FormatInt(box.br.x) << " br.y " << FormatInt(box.br.y) << '\n';
    }

    void TraceCrossing(LPoint a, LPoint b, const SegmentClip& clip) const {
        if (!debug) return;
        const char* what = clip.entry.edge == kNoEdge ? "leaves" : clip.exit.edge == kNoEdge ? "enters" : "crosses";
        const LPoint from = clip.entry.edge == kNoEdge ? a : PlaceCrossing(box, a, b, clip.entry).point;
        const LPoint to = clip.exit.edge == kNoEdge ? b : PlaceCrossing(box, a, b, clip.exit).point;
        DiagnosticLog() << "Preclip: " << Text(a) << ' ' << Text(b) << '\n'
                        << "Postclip: " << Text(from) << ' ' << Text(to) << ' ' << what << '\n';
    }

    void TraceRuns() const {
        if (!debug) return;
        std::ostream& log = DiagnosticLog();
        log << "Clipseg: " << FormatInt(static_cast<long long>(runs.size())) << " runs, " << FormatInt(WorkSize())
            << " work points\n";
        for (size_t r = 0; r < runs.size(); ++r) {
            const ClipSeg& run = runs[r];
            log << "  " << FormatInt(static_cast<long long>(r)) << " start " << (run.isstart ? Text(run.start) : "none")
                << " end " << (run.isend ? Text(run.end) : "none") << " npoints " << FormatInt(run.npoints)
                << " newsegref " << FormatInt(run.newsegref)
                << " isstart " << FormatInt(run.isstart) << " isend " << FormatInt(run.isend) << '\n';
        }
    }

    void TraceFillPoints(const char* label) const {
        if (!debug) return;
        std::ostream& log = DiagnosticLog();
        log << label << ": " << FormatInt(static_cast<long long>(stops.size())) << " fill points\n";
        for (size_t i = 0; i < stops.size(); ++i) {
            const FillPoint& f = stops[i].fill;
            log << "  " << FormatInt(static_cast<long long>(i)) << " point " << Text(f.point) << " clipsegref "
                << FormatInt(f.clipsegref) << " direction " << FormatInt(f.direction) << " used " << FormatInt(f.used)
                << " status " << FormatInt(f.status) << '\n';
        }
    }

    void TracePieces() const {
        if (!debug) return;
        std::ostream& log = DiagnosticLog();
        log << "Pieces: " << FormatInt(static_cast<long long>(counts.size())) << ", " << FormatInt(OutCount())
            << " points\n";
        int first = 0;
        for (size_t i = 0; i < counts.size(); ++i) {
            log << "  " << FormatInt(static_cast<long long>(i)) << ':';
            for (int j = first; j < first + counts[i]; ++j) log << ' ' << Text(out[j]);
            log << '\n';
            first += counts[i];
        }
    }

    const std::span<const LPoint> pts;
    const int npts;
    const int kind;
    const LBox box;
    const int64_t xstep;
    const int64_t ystep;
    std::vector<LPoint>& out;
    std::vector<int>& counts;
    const bool debug;

    bool clockwise = true;
    bool flat = false;  // an area whose outline encloses nothing
    std::vector<LPoint> work;
    std::vector<ClipSeg> runs;
    std::vector<Stop> stops;
    std::vector<int> endOfRun;  // fill point index of each run's end
    std::vector<bool> holeBridges;
    bool holeBridgesFound = false;

    int pieceStart = 0;
};

}  // namespace

int ClipPolygon(std::span<const LPoint> pts, int kind, const LBox& box, int32_t xstep, int32_t ystep,
                std::vector<LPoint>& pieces, std::vector<int>& counts, int debug, std::string* message) {
    pieces.clear();
    counts.clear();
    if (pts.empty()) return 1;
    PolygonClipper clipper(pts, kind, box, xstep, ystep, pieces, counts, debug);
    if (clipper.Clip(message)) return 1;
    pieces.clear();
    counts.clear();
    return 0;
}

int ClipPolygon(std::span<const POINT> pts, int kind, const TBox& box, int xstep, int ystep,
                std::vector<POINT>& pieces, std::vector<int>& counts, int debug) {
    std::vector<LPoint> in(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) in[i] = {pts[i].x, pts[i].y};
    std::vector<LPoint> out;
    const LBox lbox{{box.tl.x, box.tl.y}, {box.br.x, box.br.y}};
    const int ok = ClipPolygon(in, kind, lbox, xstep, ystep, out, counts, debug);
    pieces.resize(out.size());
    for (size_t i = 0; i < out.size(); ++i) {
        pieces[i] = {SafeInt(static_cast<long long>(out[i].x)), SafeInt(static_cast<long long>(out[i].y))};
    }
    return ok;
}

}  // namespace okap
