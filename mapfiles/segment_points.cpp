// Reading a segment's points as the map file holds them, for a caller that
// wants the whole segment unchanged (an export) rather than translated.

#include "mapfiles/mapfile.h"
#include "mapfiles/point_line.h"

namespace okap {

namespace {

// An offset mode that folds no longitude: a text map's are kept as written.
constexpr int kLongitudesAsWritten = 3;

}  // namespace

int Mapfile::ReadSegmentPoints(std::vector<LPoint>& points) {
    points.clear();
    if (inForm == Binary) {
        if (!ReadBinaryPoints(points)) {
            points.clear();
            endOfInput = 1;
            return Fail("Unexpected end of input file");
        }
        return 1;
    }
    if (inForm != Text) return 1;
    std::string_view line;
    while (textIn.Next(line)) {
        if (line.find('"') != std::string_view::npos) {
            // The next segment's header, for the next ReadDirectory.
            currentLine.assign(line);
            haveCurrentLine = true;
            return 1;
        }
        // A blank line holds no point.
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        points.push_back(ReadPointLine(line, kLongitudesAsWritten));
    }
    return EndTextInput();
}

}  // namespace okap
