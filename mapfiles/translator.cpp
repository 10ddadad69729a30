#include "mapfiles/translator.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>

#include "core/number_text.h"
#include "mapfiles/mapfile.h"
#include "mapfiles/translation_pipeline.h"

namespace okap {

namespace {

// 180 and 360 degrees in angle units.
constexpr int32_t kHalfTurn = 200016000;
constexpr int64_t kFullTurn = 400032000;

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

TranslationRules Mapfile::Rules() const {
    TranslationRules rules;
    rules.input = inForm == Binary   ? TranslationRules::Input::Binary
                  : inForm == Source ? TranslationRules::Input::Source
                                     : TranslationRules::Input::Text;
    rules.textOutput = outForm == Text;
    rules.region = {{outHeader.west, outHeader.north}, {outHeader.east, outHeader.south}};
    rules.resolution = resolution;
    rules.boundarySpacing = boundarySpacing;
    rules.offsetMode = offsetMode;
    rules.maxPoints = maxPoints;
    return rules;
}

int Mapfile::ReadSegmentJob(SegmentJob& job) {
    job.read = false;
    job.text.clear();
    job.points.clear();
    job.pieces.clear();
    job.output.clear();
    job.errors.clear();
    const int ok = ReadDirectory();
    job.counter = inSegment.counter;
    job.progress = InputProgress();
    if (!ok) return 0;
    if (endOfInput) return 1;
    job.read = true;
    job.name = inSegment.name;
    job.type = inSegment.type;
    job.kind = inSegment.kind;
    if (inForm == Text) {
        // The segment's lines run to the next header, a line holding a
        // double quote.
        std::string_view header;
        if (textIn.TakeLinesUntil('"', job.text, header)) {
            currentLine.assign(header);
            haveCurrentLine = true;
        } else if (!EndTextInput()) {
            return 0;
        }
    } else if (inForm == Source) {
        job.points.swap(sourceSegment.points);
    } else if (!ReadBinaryPoints(job.points)) {
        endOfInput = 1;
        return Fail("Unexpected end of input file");
    }
    job.progress = InputProgress();
    return 1;
}

int Mapfile::WriteSegmentJob(const SegmentJob& job) {
    if (!job.errors.empty()) {
        // Only this translation is given up: ending the program would lose
        // the user's other, unsaved work.
        endOfInput = 1;
        for (const std::string& error : job.errors) Fail(error);
        return 0;
    }
    if (output == nullptr) return Fail("Error writing output file");
    std::string_view bytes = job.output;
    for (const OutputPiece& piece : job.pieces) {
        outSegment.name = job.name;
        outSegment.type = job.type;
        outSegment.kind = piece.kind;
        outSegment.count = piece.count;
        if (outForm == Binary) {
            if (outputPosition > INT32_MAX) return Fail("Error writing output file");
            outSegment.dataPosition = static_cast<int32_t>(outputPosition);
            outSegment.box = piece.box;
        }
        WriteOutput(bytes.substr(0, piece.bytes));
        bytes.remove_prefix(piece.bytes);
        pointsWritten += piece.count;
        if (outForm == Binary && piece.count == 0) continue;
        if (!WriteDirectory()) return 0;
    }
    return 1;
}

int Mapfile::TranslateSegment(Projection& in, Projection& out) {
    if (!ReadSegmentJob(segmentJob)) return 0;
    if (!segmentJob.read) return 1;
    translator.SetRules(Rules());
    translator.Translate(segmentJob, in, out);
    return WriteSegmentJob(segmentJob);
}

int DefaultTranslatorThreads() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

int MapTranslation::Start(const TranslatorSettings& settings, SegmentSource* source) {
    started = false;
    threads = settings.threads;
    segmentsRead = 0;
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
    if (!TranslateSegments(map, in, out, threads, progress, segmentsRead)) return 0;
    int failures = !map.CloseOutfile();
    failures += !map.CloseInfile();
    return failures == 0 ? 1 : 0;
}

TranslationSummary MapTranslation::Summary() const {
    TranslationSummary summary;
    summary.outputFile = map.OutputFileName();
    summary.segmentsRead = segmentsRead;
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

std::string TranslationDoneText(const TranslationSummary& summary) {
    auto counted = [](int64_t n, const char* one, const char* many) {
        return FormatInt(n) + ' ' + (n == 1 ? one : many);
    };
    return "Translation done: " + counted(summary.segmentsWritten, "segment", "segments") + " and " +
           counted(summary.pointsWritten, "point", "points") + " written to " + summary.outputFile;
}

}  // namespace okap
