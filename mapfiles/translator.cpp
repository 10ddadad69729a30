#include "mapfiles/translator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "core/geometry.h"
#include "core/number_text.h"
#include "mapfiles/clip_polygon.h"
#include "mapfiles/hole_bridges.h"
#include "mapfiles/little_endian.h"
#include "mapfiles/mapfile.h"
#include "mapfiles/point_line.h"
#include "mapfiles/pole_ring.h"
#include "mapfiles/segment_pieces.h"
#include "mapfiles/text_header.h"
#include "platform/safe_file_writer.h"

namespace okap {

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;
// 180, 300 and 360 degrees in angle units.
constexpr int32_t kHalfTurn = 200016000;
constexpr int32_t kMeridianJump = 333360000;
constexpr int64_t kFullTurn = 400032000;

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

int Mapfile::SetOutOrigin(const Position& origin) {
    outHeader.origin = origin;
    return 1;
}

int Mapfile::SetTransResolution(const Position& p) {
    if (p.Long.GetLong() < 0) return Fail("Invalid selection map resolution");
    if (p.Lat.GetLong() < 0) return Fail("Invalid selection map boundary points");
    resolution = p.Long.GetLong();
    boundarySpacing = p.Lat.GetLong();
    return 1;
}

int Mapfile::SetTransClip(const Position& nw, const Position& se) {
    if (nw.Lat.GetLong() < se.Lat.GetLong() || se.Long.GetLong() < nw.Long.GetLong() ||
        int64_t{se.Long.GetLong()} - nw.Long.GetLong() > kFullTurn)
        return Fail("Invalid selection of map boundary positions");
    outHeader.west = nw.Long.GetLong();
    outHeader.north = nw.Lat.GetLong();
    outHeader.east = se.Long.GetLong();
    outHeader.south = se.Lat.GetLong();
    return SetOffset(1);
}

int Mapfile::SetOffset(int which) {
    const Header& region = which == 0 ? inHeader : outHeader;
    offsetMode = 1;
    if (region.west < -kHalfTurn) offsetMode = 0;
    if (region.east > kHalfTurn) offsetMode = 2;
    return 1;
}

int Mapfile::SetOutProjection(const std::string& name) {
    for (size_t i = 0; i < Projections.size(); ++i) {
        if (name == Projections[i]) {
            outHeader.projectionCode = Projection_Codes[i];
            return 1;
        }
    }
    return Fail("Output projection type not found");
}

int Mapfile::SetMaxPoints(int32_t limit) {
    if (limit < 0 || (limit > 0 && limit < kMinMaxPoints)) return Fail("Invalid maximum number of points in a segment");
    maxPoints = limit;
    return 1;
}

void Mapfile::StorePoints(std::span<const LPoint> points) {
    // Thinning must keep both visits of each end of a bridge (a hole's join
    // to its outer ring), or the two edges of the bridge would no longer
    // match and the bridge would show.
    std::vector<bool> bridges;
    if (resolution > 0 && inSegment.kind == kAreaKind) bridges = HoleBridgeEdges(points);
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
void Mapfile::StorePoint(LPoint p, bool pinned) {
    // Room for the point and a detour's four more.
    if (work.size() < static_cast<size_t>(workCount) + 5) work.resize(std::max(work.size() * 2, size_t{1024}));
    int n = workCount;
    work[n] = p;
    if (n > 1 && resolution > 0 && !lastPinned && Distance(work[n], work[n - 2]) < resolution) {
        work[n - 1] = work[n];
        --n;
    }
    lastPinned = pinned;
    if (n > 0 && JumpsMeridian(work[n - 1], work[n])) {
        const LBox region{{outHeader.west, outHeader.north}, {outHeader.east, outHeader.south}};
        AddClipPoints(region, work[n - 1], work[n], work[n + 1], work[n + 2], work[n + 3], work[n + 4]);
        detours.push_back(n);
        n += 4;
        // The detour lies outside the region, so the segment must be cut.
        workBox.tl.x = std::min(workBox.tl.x, outHeader.west - 1);
    }
    Widen(workBox, work[n]);
    workCount = n + 1;
}

void Mapfile::ReadTextPoints() {
    std::string_view line;
    for (;;) {
        if (!textIn.Next(line)) {
            endOfInput = 1;
            return;
        }
        if (line.find('"') != std::string_view::npos) {
            // The next segment's header.
            currentLine.assign(line);
            haveCurrentLine = true;
            return;
        }
        // A blank line holds no point (read as one it would put a point at
        // 0 degrees, 0 degrees).
        if ((line.empty() || line[0] == ' ' || line[0] == '\t') &&
            line.find_first_not_of(" \t") == std::string_view::npos)
            continue;
        segmentPoints.push_back(ReadPointLine(line, offsetMode));
    }
}

int Mapfile::ReadBinaryInputPoints(Projection& in) {
    if (!ReadBinaryPoints(rawPoints)) {
        endOfInput = 1;
        return Fail("Unexpected end of input file");
    }
    const size_t count = rawPoints.size();
    xs.resize(count);
    ys.resize(count);
    for (size_t i = 0; i < count; ++i) {
        xs[i] = rawPoints[i].x;
        ys[i] = rawPoints[i].y;
    }
    // Without a PROJ object no point can be converted.
    if (!in.Inverse(xs.data(), ys.data(), count)) return 1;
    for (size_t i = 0; i < count; ++i) {
        if (xs[i] == HUGE_VAL) continue;
        segmentPoints.push_back(
            {SafeLong(xs[i] * kDegreesPerRadian * kUnitsPerDegree), SafeLong(ys[i] * kDegreesPerRadian * kUnitsPerDegree)});
    }
    return 1;
}

void Mapfile::ClosePoleRing() {
    woundPole = 0;
    if (inSegment.kind != kAreaKind || detours.empty()) return;
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
    const int32_t south = outHeader.south - 1;
    for (int start : detours) {
        work[static_cast<size_t>(start) + 1].y = south;
        work[static_cast<size_t>(start) + 2].y = south;
    }
}

void Mapfile::ProjectPiece(std::span<const LPoint> pts, Projection& out, std::vector<LPoint>& projected) {
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
    if (inSegment.kind == kAreaKind && projected.size() > 1 && projected.front() != projected.back())
        projected.push_back(projected.front());
}

int Mapfile::WritePiece(std::span<const LPoint> pts, Projection& out) {
    std::span<const LPoint> written = pts;
    if (outForm == Binary) {
        ProjectPiece(pts, out, projectedPiece);
        // Where the projection makes the pole a point, the stretch of a
        // ring round it that runs along the cut meridian to the pole and
        // back encloses nothing, but would show as a line when the area is
        // outlined.
        if (woundPole != 0) RemoveSpikes(projectedPiece, kSpikeTolerance);
        written = projectedPiece;
    }
    if (maxPoints == 0 || written.size() <= static_cast<size_t>(maxPoints)) return WriteOutputSegment(written);
    // Cut in the output's own coordinates, where the cuts are drawn
    // straight, so that neighbouring tiles share them exactly.
    if (inSegment.kind == kAreaKind) {
        if (!TileArea(written, maxPoints, tiles, tileCounts))
            return Fail("Can not cut a segment into pieces of at most " + FormatInt(maxPoints) + " points");
    } else {
        SplitLine(written, maxPoints, tiles, tileCounts);
    }
    size_t first = 0;
    for (int n : tileCounts) {
        if (!WriteOutputSegment(std::span<const LPoint>(tiles).subspan(first, static_cast<size_t>(n)))) return 0;
        first += static_cast<size_t>(n);
    }
    return 1;
}

int Mapfile::WriteOutputSegment(std::span<const LPoint> pts) {
    outSegment.name = inSegment.name;
    outSegment.type = inSegment.type;
    outSegment.kind = inSegment.kind;
    std::ostream& stream = output->Stream();
    if (outForm == Text) {
        std::string text = TextHeaderStart(outSegment.name, outSegment.type);
        countFieldPosition = OutputPosition() + static_cast<int64_t>(text.size());
        text.append(kCountFieldWidth, ' ');
        text += "\r\n";
        for (const LPoint& p : pts) {
            text += FormatGeneral(DegreesOf(p.x));
            text += ',';
            text += FormatGeneral(DegreesOf(p.y));
            text += "\r\n";
        }
        stream.write(text.data(), static_cast<std::streamsize>(text.size()));
        outSegment.count = static_cast<int32_t>(pts.size());
    } else {
        const int64_t position = OutputPosition();
        if (position < 0 || position > INT32_MAX) return Fail("Error writing output file");
        outSegment.dataPosition = static_cast<int32_t>(position);
        LBox box = EmptyBox();
        pieceBytes.resize(pts.size() * 8);
        for (size_t i = 0; i < pts.size(); ++i) {
            const LPoint p = pts[i];
            PutInt32(&pieceBytes[i * 8], p.x);
            PutInt32(&pieceBytes[i * 8 + 4], p.y);
            Widen(box, p);
        }
        stream.write(pieceBytes.data(), static_cast<std::streamsize>(pieceBytes.size()));
        outSegment.count = static_cast<int32_t>(pts.size());
        outSegment.box = box;
    }
    if (outSegment.count < 2) outSegment.kind = kPointKind;
    pointsWritten += outSegment.count;
    if (outForm == Binary && outSegment.count == 0) return 1;
    return WriteDirectory();
}

int Mapfile::TranslateSegment(Projection& in, Projection& out) {
    if (!ReadDirectory()) return 0;
    if (endOfInput) return 1;

    workCount = 0;
    workBox = EmptyBox();
    detours.clear();
    lastPinned = false;
    segmentPoints.clear();
    if (inForm == Text) {
        ReadTextPoints();
    } else if (inForm == Source) {
        for (const LPoint& p : sourceSegment.points) segmentPoints.push_back({FoldLongitude(p.x, offsetMode), p.y});
    } else if (!ReadBinaryInputPoints(in)) {
        return 0;
    }
    StorePoints(segmentPoints);
    ClosePoleRing();

    const LBox region{{outHeader.west, outHeader.north}, {outHeader.east, outHeader.south}};
    if (workCount == 0 || BoxOutOfBox(region, workBox)) return 1;
    std::span<const LPoint> pieces(work.data(), static_cast<size_t>(workCount));
    if (BoxInBox(region, workBox)) {
        clippedCounts.assign(1, workCount);
    } else {
        if (!ClipPolygon(pieces, inSegment.kind, region, boundarySpacing, boundarySpacing, clipped, clippedCounts)) {
            // Only this translation is given up: ending the program would
            // lose the user's other, unsaved work.
            endOfInput = 1;
            return Fail("Insufficient memory to clip polygon");
        }
        pieces = clipped;
    }
    size_t first = 0;
    for (int n : clippedCounts) {
        if (!WritePiece(pieces.subspan(first, static_cast<size_t>(n)), out)) return 0;
        first += static_cast<size_t>(n);
    }
    return 1;
}

int MapTranslation::Start(const TranslatorSettings& settings, SegmentSource* source) {
    started = false;
    int failures = 0;
    const Position origin(Latitude(settings.originLatitude), Longitude(settings.originLongitude));
    const Position northWest(Latitude(settings.north), Longitude(settings.west));
    const Position southEast(Latitude(settings.south), Longitude(settings.east));
    // The resolution travels as the longitude, the boundary spacing as the
    // latitude.
    const Position resolution(Latitude(settings.boundarySpacing), Longitude(settings.resolution));
    failures += !map.SetOutOrigin(origin);
    failures += !map.SetTransClip(northWest, southEast);
    failures += !map.SetTransResolution(resolution);
    failures += !map.SetOutProjection(settings.projectionName);
    failures += !map.SetMaxPoints(settings.maxPoints);
    if (failures == 0)
        failures += !(source ? map.OpenInSource(*source, settings.inputName) : map.OpenInfile(settings.inputName));
    if (failures == 0) failures += !map.OpenOutfile(settings.outputName);
    if (failures == 0) failures += !map.WriteOutHeader();
    if (failures != 0) return 0;
    in = Projection(map.InHeader().projectionCode, map.InHeader().origin);
    out = Projection(map.OutHeader().projectionCode, map.OutHeader().origin);
    if (!in.Valid || !out.Valid) return 0;
    started = true;
    return 1;
}

int MapTranslation::Run(const TranslateProgress& progress) {
    if (!started) return 0;
    started = false;
    while (!map.EndOfInFile()) {
        if (!map.TranslateSegment(in, out)) return 0;
        if (progress && !progress(map.InputProgress())) return 0;
    }
    int failures = !map.CloseOutfile();
    failures += !map.CloseInfile();
    return failures == 0 ? 1 : 0;
}

TranslationSummary MapTranslation::Summary() const {
    TranslationSummary summary;
    summary.outputFile = map.OutputFileName();
    summary.segmentsRead = map.InSegment().counter;
    summary.segmentsWritten = map.OutSegment().counter;
    summary.pointsWritten = map.PointsWritten();
    return summary;
}

int TranslateMap(const TranslatorSettings& settings, const TranslateProgress& progress, TranslationSummary* summary,
                 SegmentSource* source) {
    MapTranslation translation;
    const int ok = translation.Start(settings, source) && translation.Run(progress);
    if (summary != nullptr) *summary = translation.Summary();
    return ok ? 1 : 0;
}

}  // namespace okap
