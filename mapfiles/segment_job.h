#pragma once
// One input segment on its way through the translator: read from the input
// as it stands there, translated (on any thread) into the bytes of its
// output segments, then written in input order. Reading and writing touch
// the files, translating touches nothing but the job, so that segments can
// be translated side by side.

#include <cstdint>
#include <string>
#include <vector>

#include "core/coordinates.h"
#include "platform/message_box.h"

namespace okap {

// One output segment of a translated job, its bytes in the job's output.
struct OutputPiece {
    int16_t kind = 0;   // the input's kind, or a point for fewer than 2 points
    int32_t count = 0;  // points
    LBox box;           // binary output only
    size_t bytes = 0;
};

struct SegmentJob {
    // As read; read is false when the input had ended.
    bool read = false;
    std::string name;  // 8 characters
    int16_t type = 0;
    int16_t kind = 0;
    int counter = 0;            // how many segments had been read with this one
    std::string text;           // text input: its point lines, as the file holds them
    std::vector<LPoint> points;  // binary input: world coordinates; a source: longitudes and latitudes
    double progress = 0.0;      // share of the input read with this segment
    // Messages raised while this segment was read ahead of the writing,
    // shown when its turn comes; readFailed when reading stopped there.
    std::vector<Message> readMessages;
    bool readFailed = false;

    // As translated.
    std::vector<OutputPiece> pieces;
    std::string output;               // every piece's bytes, one after another
    std::vector<std::string> errors;  // why the translation failed, in the order they arose
};

}  // namespace okap
