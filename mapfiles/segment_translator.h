#pragma once
// The translator's work on one segment: its points read and folded (or
// converted back from their projection), thinned, carried across the 180
// degree meridian, closed round a pole, cut to the region, projected and
// cut to the most points a segment may have, into the bytes of its output
// segments. It touches no file and shows no message, so that any number
// of them can work side by side, each with projections of its own.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/coordinates.h"
#include "mapfiles/segment_job.h"

namespace okap {

class Projection;

// What a translation does to every segment, as the Mapfile's settings say.
struct TranslationRules {
    enum class Input { Text, Binary, Source };
    Input input = Input::Text;
    bool textOutput = false;
    LBox region;                // the selection box, angle units
    int32_t resolution = 0;     // thinning distance, 0 keeps every point
    int32_t boundarySpacing = 0;
    int offsetMode = 1;         // how geographic longitudes are folded
    int32_t maxPoints = 0;      // the most points a written segment may have, 0 for any
};

class SegmentTranslator {
public:
    explicit SegmentTranslator(TranslationRules rules = {}) : rules(rules) {}
    void SetRules(const TranslationRules& r) { rules = r; }

    // Fills job's pieces and output from its points, converting back with
    // in and projecting with out (either may be the empty projection when
    // the rules need none). False, with job.errors saying why, after a
    // failure, running out of memory included.
    bool Translate(SegmentJob& job, Projection& in, Projection& out);

private:
    bool TranslatePoints(SegmentJob& job, Projection& in, Projection& out);
    // The segment's points as longitudes and latitudes into segmentPoints.
    void ReadPoints(SegmentJob& job, Projection& in);
    // Adds the segment's points to the work buffer.
    void StorePoints(std::span<const LPoint> points);
    void StorePoint(LPoint p, bool pinned);
    // Finds whether the area just stored winds round a pole and, round the
    // south pole, moves its detours to the region's south side.
    void ClosePoleRing();
    // One piece the region leaves: projected and cut to the most points.
    bool AddPiece(SegmentJob& job, std::span<const LPoint> pts, Projection& out);
    // Projects pts into projected, leaving out the points out cannot
    // convert.
    void ProjectPiece(std::span<const LPoint> pts, Projection& out, std::vector<LPoint>& projected);
    // One output segment of pts, in the output's coordinates.
    void AddOutputSegment(SegmentJob& job, std::span<const LPoint> pts);

    TranslationRules rules;
    int16_t kind = 0;  // of the segment being translated

    // Work buffers, which grow to the largest segment: the segment as read
    // and as stored, the pieces the region leaves of it and their tiles,
    // and PROJ's coordinate arrays.
    std::vector<LPoint> segmentPoints;
    std::vector<LPoint> work;
    int workCount = 0;
    LBox workBox;
    std::vector<LPoint> clipped;
    std::vector<int> clippedCounts;
    std::vector<LPoint> tiles;
    std::vector<int> tileCounts;
    // Where each detour round the region (AddClipPoints) starts in work,
    // and the pole the segment winds round (1 north, -1 south, 0 none).
    std::vector<int> detours;
    int woundPole = 0;
    bool lastPinned = false;  // the last point stored may not be thinned away
    std::vector<LPoint> projectedPiece;
    std::vector<double> xs, ys;
};

}  // namespace okap
