#pragma once
// Map files: one map file while it is read or written.
//
// A map layer is a file of segments, named and typed runs of points drawn as
// a point symbol, a line or a filled area. The binary form (".mpb") holds
// world coordinates in a projection and a directory of the segments with
// their boxes, so that a view can skip what it cannot see. The text form
// (".mpa") holds longitudes and latitudes in decimal degrees, for import
// and export. Mapfile reads both forms and writes both; the map translator
// (translator.h) converts between them through TranslateSegment.
//
// Every failure is reported at once with ShowError and also sets badclient,
// so that a paint in progress gives up. A failed open leaves the end-of-input
// flag set, and the object stays usable.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/coordinates.h"
#include "core/latlong.h"
#include "mapfiles/line_reader.h"
#include "mapfiles/segment_job.h"
#include "mapfiles/segment_source.h"
#include "mapfiles/segment_translator.h"

namespace okap {

class Projection;
class SafeFileWriter;

// Segment kinds.
inline constexpr int16_t kPointKind = 1;  // one point
inline constexpr int16_t kLineKind = 2;   // open polyline
inline constexpr int16_t kAreaKind = 3;   // closed polygon, last point repeats the first

// The smallest limit SetMaxPoints takes: an area's tile needs room for the
// corners of its box and its closing point.
inline constexpr int32_t kMinMaxPoints = 5;

// Sizes of the binary records.
inline constexpr int kMapHeaderSize = 46;
inline constexpr int kDirectoryRecordSize = 34;

// The check value of a binary map file: the low 16 bits of a, b and c
// combined by exclusive or, read as a signed 16-bit number.
int32_t Validate(int32_t a, int32_t b, int32_t c);
// The third argument of every check value.
inline constexpr int32_t kValidateKey = 1194679;

class Mapfile {
public:
    // The fields of a binary map file's header. A text file has none; it is
    // taken as type "OKAP", version 100, projection "TEXT", origin 0/0 and
    // region 0.
    struct Header {
        std::string typeCode = "OKAP";
        int16_t version = 100;
        std::string projectionCode = "UNKN";
        std::string ellipsoidCode = "GR80";
        Position origin;
        int32_t west = 0;
        int32_t north = 0;
        int32_t east = 0;
        int32_t south = 0;
        int32_t check = 0;
        int32_t directoryOffset = 0;
    };

    // One segment as its directory record or header line describes it.
    struct Segment {
        int counter = 0;                // how many segments have been read or written
        std::string name = "UNKNOWNI";  // always 8 characters
        int16_t type = 0;
        int16_t kind = 0;
        int32_t dataPosition = 0;       // file position of the points (binary)
        int32_t count = 0;              // number of points, never negative
        LBox box;                       // world decimetres (binary)
    };

    // Source: segments handed over by a SegmentSource (an import).
    enum Form : int16_t { NoForm = 0, Binary = 1, Text = 2, Source = 3 };

    Mapfile();
    ~Mapfile();
    Mapfile(const Mapfile&) = delete;
    Mapfile& operator=(const Mapfile&) = delete;

    // Reading.

    // Opens a binary (".mpb") or text (".mpa") map file and, for a binary
    // one, checks its header and moves to its directory. 1 on success.
    int OpenInfile(const std::string& name);
    // Takes the segments of source as the input, a geographic one as a text
    // map file is; name stands for it in messages and is never opened. The
    // source must outlive the reading.
    int OpenInSource(SegmentSource& source, const std::string& name);
    // Reads the next directory record (binary) or header line (text) into
    // the current input segment. At the end of the input it sets the
    // end-of-input flag and returns 1; 0 after reporting a bad record.
    int ReadDirectory();
    int EndOfInFile() const { return endOfInput; }
    // Reads the next segment of a binary file for display in the view of
    // proj: pts receives its points in logical coordinates, as many as the
    // segment has. A segment wholly outside the view gives no points; inside
    // is set when it lies wholly inside (the caller may skip clipping).
    // Either way the file is left at the next directory record. 0 after an
    // error or at the end of the input.
    int LoadSegment(std::vector<POINT>& pts, Projection& proj, int& inside);
    // Reads the points of the segment ReadDirectory just read, as the file
    // holds them: world coordinates of a binary file, longitudes (as
    // written, not folded) and latitudes in angle units of a text file. Any
    // number of points; the next ReadDirectory goes on after the segment. 0
    // after reporting a short or unreadable segment.
    int ReadSegmentPoints(std::vector<LPoint>& points);
    int CloseInfile();

    // Writing.

    // Opens the output map file name (shortened to at most 8 characters,
    // before any full stop or blank) with the extension of the output
    // projection: ".mpa" for "TEXT", else ".mpb". An existing file is only
    // replaced when the user agrees, and only by a successful CloseOutfile:
    // until then the data goes to a temporary file.
    int OpenOutfile(const std::string& name);
    // Writes the header of a binary output (a text output has none).
    int WriteOutHeader();
    // Records the piece just written from the current output segment: its
    // directory record in a binary output (a text output's header line
    // carries its count).
    int WriteDirectory();
    // Completes the output and puts it in place of the target file.
    int CloseOutfile();

    // Translator settings and TranslateSegment: see translator.h.

    // The output's origin; always 1.
    int SetOutOrigin(const Position& origin);
    // The longitude of p is the thinning distance (0 keeps every point), its
    // latitude the spacing of points laid along cut edges (0 lays none).
    int SetTransResolution(const Position& p);
    // The region to cut to: west and north from nw, east and south from se.
    int SetTransClip(const Position& nw, const Position& se);
    // How text longitudes are folded: which 0 chooses by the input header's
    // region, 1 by the selection region.
    int SetOffset(int which);
    // The output projection by its display name (an entry of Projections).
    int SetOutProjection(const std::string& name);
    // The most points a written segment may have (0: any number): longer
    // lines are written as consecutive pieces sharing their end points,
    // larger areas as tiles that meet along straight cuts. At least
    // kMinMaxPoints.
    int SetMaxPoints(int32_t maxPoints);
    // Translates the next input segment into the output: 1 to go on, 0
    // after an error.
    int TranslateSegment(Projection& in, Projection& out);
    // TranslateSegment in its three steps, for a translation that works on
    // several segments at once. ReadSegmentJob reads the next input segment
    // into job as it stands in the input: 1 with it (job.read), or at the
    // end of the input (job.read false), 0 after a failure it reported.
    int ReadSegmentJob(SegmentJob& job);
    // What the settings make a SegmentTranslator do.
    TranslationRules Rules() const;
    // Writes the output segments of a translated job, or reports why its
    // translation failed: 1 on success, 0 after a failure it reported.
    int WriteSegmentJob(const SegmentJob& job);

    // What the caller reads.
    const Header& InHeader() const { return inHeader; }
    const Header& OutHeader() const { return outHeader; }
    const Segment& InSegment() const { return inSegment; }
    const Segment& OutSegment() const { return outSegment; }
    Form InForm() const { return inForm; }
    Form OutForm() const { return outForm; }
    // The name OpenOutfile chose, with its extension.
    const std::string& OutputFileName() const { return outputName; }
    int32_t Resolution() const { return resolution; }
    int32_t MaxPoints() const { return maxPoints; }
    int32_t BoundarySpacing() const { return boundarySpacing; }
    int OffsetMode() const { return offsetMode; }
    // How much of the input has been read, 0 to 1, for progress displays.
    double InputProgress() const;
    // Points written by TranslateSegment (WriteSegmentJob) so far.
    int64_t PointsWritten() const { return pointsWritten; }

private:
    // Shows text as an error, sets badclient and returns 0.
    int Fail(std::string_view text);
    // Input helpers.
    int ReadBinaryDirectory();
    int ReadTextDirectory();
    // The text input has ended: 1 at the end of the file, 0 after reporting
    // a line too long to read.
    int EndTextInput();
    int ReadSourceDirectory();
    int ReadBinaryHeader();
    // Seeks the binary input; false when the position cannot be reached.
    bool SeekInput(int64_t position);
    // Reads the current input segment's points (x, y) from the binary input
    // into points and returns to the next directory record; false when the
    // file does not hold them all. A count that would run past the end of
    // the file is refused before anything is allocated for it.
    bool ReadBinaryPoints(std::vector<LPoint>& points);
    // Sets the current input segment's kind and count from a stored count.
    void SetKindFromCount(int32_t storedCount);
    void ResetInput();
    // Output helpers.
    bool OutputGood() const;
    // Writes bytes to the output, counting them, through pendingOutput.
    void WriteOutput(std::string_view bytes);
    void FlushOutput();

    // Input.
    std::string inputName;
    Form inForm = NoForm;
    int endOfInput = 1;
    std::FILE* binaryIn = nullptr;
    int64_t binaryInSize = 0;
    LineReader textIn;
    // The last line read from a text input that ended a segment (a header
    // line), looked at first by the next ReadDirectory.
    std::string currentLine;
    bool haveCurrentLine = false;
    Header inHeader;
    Segment inSegment;
    SegmentSource* source = nullptr;
    SourceSegment sourceSegment;  // the segment ReadDirectory took from source

    // Output.
    std::string outputName;
    Form outForm = NoForm;
    std::unique_ptr<SafeFileWriter> output;
    // The directory records of a binary output, appended to it when it is
    // closed. An unnamed temporary file in the output's directory: it cannot
    // clash with another translation's and disappears however the program
    // ends.
    std::FILE* directoryFile = nullptr;
    int64_t checkPosition = 0;
    // Bytes written to the output: the position of the next write, kept
    // here rather than asked of the stream, which costs a system call.
    int64_t outputPosition = 0;
    std::string pendingOutput;
    Header outHeader;
    Segment outSegment;
    int64_t pointsWritten = 0;

    // Translator settings, in angle units.
    int32_t resolution = 0;
    int32_t boundarySpacing = 0;
    int offsetMode = 1;
    int32_t maxPoints = 0;

    // TranslateSegment's segment and the work on it.
    SegmentJob segmentJob;
    SegmentTranslator translator;
    std::vector<LPoint> rawPoints;
    std::string pointBytes;
};

}  // namespace okap
