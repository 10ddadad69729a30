#include "mapfiles/segment_translator.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>

#include "core/geometry.h"
#include "core/latlong.h"
#include "core/number_text.h"
#include "core/projection.h"
#include "mapfiles/clip_polygon.h"
#include "mapfiles/hole_bridges.h"
#include "mapfiles/little_endian.h"
#include "mapfiles/mapfile.h"
#include "mapfiles/point_line.h"
#include "mapfiles/pole_ring.h"
#include "mapfiles/segment_pieces.h"
#include "mapfiles/text_header.h"

namespace okap {

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;
// 300 degrees in angle units.
constexpr int32_t kMeridianJump = 333360000;

// A box that any point widens to the point itself.
LBox EmptyBox() {
    constexpr int32_t big = std::numeric_limits<int32_t>::max();
    return {{big, -big}, {-big, big}};
}

void Widen(LBox& box, LPoint p) {
    box.tl.x = std::min(box.tl.x, p.x);
    box.tl.y = std::max(box.tl.y, p.y);
    box.br.x = std::max(box.br.x, p.x);
    box.br.y = std::min(box.br.y, p.y);
}

// Two points more than 300 degrees apart: the outline crosses the 180
// degree meridian. The distance is at most the sum of the two differences,
// which settles most pairs without a square root.
bool JumpsMeridian(LPoint a, LPoint b) {
    const int64_t dx = std::abs(int64_t{b.x} - a.x);
    const int64_t dy = std::abs(int64_t{b.y} - a.y);
    return dx + dy > kMeridianJump && Distance(a, b) > kMeridianJump;
}

// LatLong::GetDegrees, inline for the loops over every point.
double DegreesOf(int32_t units) { return static_cast<double>(units * kDegreesPerUnit); }

// How far, in projected units, the two legs of a spike may lie from one
// line: projected points are truncated, so the legs of a leg to a pole and
// back are a unit or so apart.
constexpr double kSpikeTolerance = 2.0;

}  // namespace

void SegmentTranslator::ReadPoints(SegmentJob& job, Projection& in) {
    segmentPoints.clear();
    switch (rules.input) {
        case TranslationRules::Input::Text:
            ReadPointLines(job.text, rules.offsetMode, segmentPoints);
            return;
        case TranslationRules::Input::Source:
            for (const LPoint& p : job.points) segmentPoints.push_back({FoldLongitude(p.x, rules.offsetMode), p.y});
            return;
        case TranslationRules::Input::Binary:
            break;
    }
    const size_t count = job.points.size();
    xs.resize(count);
    ys.resize(count);
    for (size_t i = 0; i < count; ++i) {
        xs[i] = job.points[i].x;
        ys[i] = job.points[i].y;
    }
    // Without a PROJ object no point can be converted.
    if (!in.Inverse(xs.data(), ys.data(), count)) return;
    for (size_t i = 0; i < count; ++i) {
        if (xs[i] == HUGE_VAL) continue;
        segmentPoints.push_back(
            {SafeLong(xs[i] * kDegreesPerRadian * kUnitsPerDegree), SafeLong(ys[i] * kDegreesPerRadian * kUnitsPerDegree)});
    }
}

void SegmentTranslator::StorePoints(std::span<const LPoint> points) {
    // Thinning must keep both visits of each end of a bridge (a hole's join
    // to its outer ring), or the two edges of the bridge would no longer
    // match and the bridge would show.
    std::vector<bool> bridges;
    if (rules.resolution > 0 && kind == kAreaKind) bridges = HoleBridgeEdges(points);
    if (std::find(bridges.begin(), bridges.end(), true) == bridges.end()) {
        for (const LPoint& p : points) StorePoint(p, false);
        return;
    }
    for (size_t i = 0; i < points.size(); ++i) {
        const bool pinned = (i < bridges.size() && bridges[i]) || (i > 0 && bridges[i - 1]);
        StorePoint(points[i], pinned);
    }
}

// Adds p to the segment being translated: thins (a pinned point is never
// dropped), and replaces a jump across the 180 degree meridian by a detour
// just outside the region (over its north side; ClosePoleRing moves it once
// the whole outline is known).
void SegmentTranslator::StorePoint(LPoint p, bool pinned) {
    // Room for the point and a detour's four more.
    if (work.size() < static_cast<size_t>(workCount) + 5) work.resize(std::max(work.size() * 2, size_t{1024}));
    int n = workCount;
    work[n] = p;
    if (n > 1 && rules.resolution > 0 && !lastPinned && Distance(work[n], work[n - 2]) < rules.resolution) {
        work[n - 1] = work[n];
        --n;
    }
    lastPinned = pinned;
    if (n > 0 && JumpsMeridian(work[n - 1], work[n])) {
        AddClipPoints(rules.region, work[n - 1], work[n], work[n + 1], work[n + 2], work[n + 3], work[n + 4]);
        detours.push_back(n);
        n += 4;
        // The detour lies outside the region, so the segment must be cut.
        workBox.tl.x = std::min(workBox.tl.x, rules.region.tl.x - 1);
    }
    Widen(workBox, work[n]);
    workCount = n + 1;
}

void SegmentTranslator::ClosePoleRing() {
    woundPole = 0;
    if (kind != kAreaKind || detours.empty()) return;
    // The outline's own points: each detour's four points between the two
    // ends of its jump are not part of it.
    std::vector<LPoint> ring;
    ring.reserve(static_cast<size_t>(workCount));
    size_t next = 0;
    for (int i = 0; i < workCount; ++i) {
        if (next < detours.size() && i == detours[next]) {
            i += 3;
            ++next;
            continue;
        }
        ring.push_back(work[static_cast<size_t>(i)]);
    }
    woundPole = WoundPole(ring);
    // Every detour runs over the region's north side, which already closes
    // a ring round the north pole through its pole (and closes any other
    // ring whole). A ring round the south pole closes over the south side.
    if (woundPole >= 0) return;
    const int32_t south = rules.region.br.y - 1;
    for (int start : detours) {
        work[static_cast<size_t>(start) + 1].y = south;
        work[static_cast<size_t>(start) + 2].y = south;
    }
}

void SegmentTranslator::ProjectPiece(std::span<const LPoint> pts, Projection& out, std::vector<LPoint>& projected) {
    const size_t count = pts.size();
    xs.resize(count);
    ys.resize(count);
    for (size_t i = 0; i < count; ++i) {
        xs[i] = DegreesOf(pts[i].x) * kRadiansPerDegree;
        ys[i] = DegreesOf(pts[i].y) * kRadiansPerDegree;
    }
    out.Forward(xs.data(), ys.data(), count);
    projected.clear();
    for (size_t i = 0; i < count; ++i) {
        if (xs[i] != HUGE_VAL) projected.push_back({SafeLong(xs[i]), SafeLong(ys[i])});
    }
    // An area whose closing point was left out is closed again where its
    // kept points begin, so that it stays a closed outline.
    if (kind == kAreaKind && projected.size() > 1 && projected.front() != projected.back())
        projected.push_back(projected.front());
}

bool SegmentTranslator::AddPiece(SegmentJob& job, std::span<const LPoint> pts, Projection& out) {
    std::span<const LPoint> written = pts;
    if (!rules.textOutput) {
        ProjectPiece(pts, out, projectedPiece);
        // Where the projection makes the pole a point, the stretch of a
        // ring round it that runs along the cut meridian to the pole and
        // back encloses nothing, but would show as a line when the area is
        // outlined.
        if (woundPole != 0) RemoveSpikes(projectedPiece, kSpikeTolerance);
        written = projectedPiece;
    }
    if (rules.maxPoints == 0 || written.size() <= static_cast<size_t>(rules.maxPoints)) {
        AddOutputSegment(job, written);
        return true;
    }
    // Cut in the output's own coordinates, where the cuts are drawn
    // straight, so that neighbouring tiles share them exactly.
    if (kind == kAreaKind) {
        std::string message;
        if (!TileArea(written, rules.maxPoints, tiles, tileCounts, &message)) {
            if (!message.empty()) job.errors.push_back(message);
            job.errors.push_back("Can not cut a segment into pieces of at most " + FormatInt(rules.maxPoints) +
                                 " points");
            return false;
        }
    } else {
        SplitLine(written, rules.maxPoints, tiles, tileCounts);
    }
    size_t first = 0;
    for (int n : tileCounts) {
        AddOutputSegment(job, std::span<const LPoint>(tiles).subspan(first, static_cast<size_t>(n)));
        first += static_cast<size_t>(n);
    }
    return true;
}

void SegmentTranslator::AddOutputSegment(SegmentJob& job, std::span<const LPoint> pts) {
    OutputPiece piece;
    piece.count = static_cast<int32_t>(pts.size());
    piece.kind = piece.count < 2 ? kPointKind : kind;
    std::string& bytes = job.output;
    const size_t start = bytes.size();
    if (rules.textOutput) {
        // The header's count, negative for a line, fills its field from the
        // left.
        std::string header = TextHeaderStart(job.name, job.type);
        const size_t countField = header.size();
        header.append(kCountFieldWidth, ' ');
        header += "\r\n";
        const std::string count = FormatInt(piece.kind == kLineKind ? -piece.count : piece.count);
        header.replace(countField, count.size(), count);
        bytes += header;
        for (const LPoint& p : pts) {
            bytes += FormatGeneral(DegreesOf(p.x));
            bytes += ',';
            bytes += FormatGeneral(DegreesOf(p.y));
            bytes += "\r\n";
        }
    } else {
        LBox box = EmptyBox();
        bytes.resize(start + pts.size() * 8);
        char* at = bytes.data() + start;
        for (const LPoint& p : pts) {
            PutInt32(at, p.x);
            PutInt32(at + 4, p.y);
            at += 8;
            Widen(box, p);
        }
        piece.box = box;
    }
    piece.bytes = bytes.size() - start;
    job.pieces.push_back(piece);
}

bool SegmentTranslator::Translate(SegmentJob& job, Projection& in, Projection& out) {
    job.pieces.clear();
    job.output.clear();
    job.errors.clear();
    try {
        return TranslatePoints(job, in, out);
    } catch (const std::bad_alloc&) {
        job.pieces.clear();
        job.output.clear();
        job.errors.assign(1, "Insufficient memory for TranslateSegment");
        return false;
    }
}

bool SegmentTranslator::TranslatePoints(SegmentJob& job, Projection& in, Projection& out) {
    kind = job.kind;
    workCount = 0;
    workBox = EmptyBox();
    detours.clear();
    lastPinned = false;
    ReadPoints(job, in);
    StorePoints(segmentPoints);
    ClosePoleRing();

    const LBox& region = rules.region;
    if (workCount == 0 || BoxOutOfBox(region, workBox)) return true;
    std::span<const LPoint> pieces(work.data(), static_cast<size_t>(workCount));
    if (BoxInBox(region, workBox)) {
        clippedCounts.assign(1, workCount);
    } else {
        std::string message;
        if (!ClipPolygon(pieces, kind, region, rules.boundarySpacing, rules.boundarySpacing, clipped, clippedCounts,
                         0, &message)) {
            job.errors.push_back(message);
            job.errors.push_back("Insufficient memory to clip polygon");
            return false;
        }
        pieces = clipped;
    }
    size_t first = 0;
    for (int n : clippedCounts) {
        if (!AddPiece(job, pieces.subspan(first, static_cast<size_t>(n)), out)) return false;
        first += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace okap
