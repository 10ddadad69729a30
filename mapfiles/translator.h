#pragma once
// The map translator: one map file into another, binary or text in, binary
// or text out, re-projected into a chosen projection with a chosen origin,
// thinned to a minimum resolution and cut to a region whose cut edges get
// points at a fixed spacing. Text files of longitudes and latitudes are
// imported into projected binary files this way, and binary files exported
// as text.
//
// The settings and the per-segment work (SetOutOrigin, SetTransClip,
// SetTransResolution, SetOffset, SetOutProjection, TranslateSegment) are
// members of Mapfile; MapTranslation below is the whole run that the
// "Map Translator" dialog starts on OK, and TranslateMap the same in one
// call for okaptool's translate command.

#include <cstdint>
#include <functional>
#include <string>

#include "core/projection.h"
#include "mapfiles/mapfile.h"
#include "mapfiles/segment_source.h"

namespace okap {

// The number of threads a translation uses unless told otherwise: one for
// each core of the machine.
int DefaultTranslatorThreads();

// The fields of the "Map Translator" dialog as their texts, with the
// dialog's initial values. Angles are decimal degrees, read as the dialog
// reads them (the leading number of the first 19 characters).
struct TranslatorSettings {
    std::string inputName;
    std::string outputName = "newmap";
    std::string projectionName = Projections[0];  // a display name of Projections
    std::string originLongitude = "0.0";
    std::string originLatitude = "0.0";
    std::string resolution = "0.0";       // minimum distance between kept points
    std::string boundarySpacing = "1.0";  // spacing of points along cut edges
    std::string west = "-180.0";
    std::string east = "180.0";
    std::string north = "90.0";
    std::string south = "-90.0";
    // The most points a written segment may have, 0 for any number (not a
    // field of the dialog): longer lines are written in consecutive pieces
    // sharing their end points, larger areas in tiles that fill seamlessly.
    int32_t maxPoints = 0;
    // How many threads translate segments side by side (not a field of the
    // dialog either). The output is the same for any number; 1 or less
    // translates on the calling thread alone.
    int threads = DefaultTranslatorThreads();
};

// Called after each segment with the share of the input read so far, 0 to
// 1. Returning false stops the translation with no message; like any other
// failure it leaves no output.
using TranslateProgress = std::function<bool(double fraction)>;

// What a translation did, for the caller to show.
struct TranslationSummary {
    std::string outputFile;       // the name the output was given
    int segmentsRead = 0;
    int segmentsWritten = 0;      // pieces written, after cutting
    int64_t pointsWritten = 0;
};

// What the end of a translation says: "Translation done: " with the
// counts of segments and points written and the output file's name.
std::string TranslationDoneText(const TranslationSummary& summary);

// One translation of settings.inputName into settings.outputName, both
// taken in the current directory (the caller makes the map directory
// current first), in two halves: Start checks the settings and opens the
// files, asking whether to replace an existing output, so that a caller can
// show its progress only for a translation that is going to run. Every
// failure is reported as it happens; the output then is not written and a
// file of that name keeps its old contents.
class MapTranslation {
public:
    // Applies the settings (each failure reported), opens the input and
    // the output and builds both projections. 1 when Run may follow. With a
    // source, its segments are the input, and settings.inputName only names
    // it.
    int Start(const TranslatorSettings& settings, SegmentSource* source = nullptr);
    // Translates every segment and completes the output. 1 on success, 0
    // after a failure or when progress asked to stop (or Start failed).
    // progress is called from the calling thread, which is also the only
    // one to show messages, whatever the number of threads.
    int Run(const TranslateProgress& progress = {});
    // What has been done so far.
    TranslationSummary Summary() const;

private:
    Mapfile map;
    Projection in, out;
    int threads = 1;
    int segmentsRead = 0;
    bool started = false;
};

// Start and Run in one.
int TranslateMap(const TranslatorSettings& settings, const TranslateProgress& progress = {},
                 TranslationSummary* summary = nullptr, SegmentSource* source = nullptr);

}  // namespace okap
