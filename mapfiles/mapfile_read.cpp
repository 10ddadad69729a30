// Reading map files: opening and checking, the directory, and loading
// segments for display.

#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/geometry.h"
#include "core/projection.h"
#include "mapfiles/little_endian.h"
#include "core/globals.h"
#include "core/number_text.h"
#include "mapfiles/mapfile.h"
#include "mapfiles/text_header.h"
#include "platform/set_wd.h"

namespace okap {

namespace {

constexpr const char* kNotAMapFile = "Input file is not an OKAP map file";

// The smallest directory offset a header may give, and the smallest data
// position a directory record may give.
constexpr int32_t kMinDirectoryOffset = 43;
constexpr int32_t kMinDataPosition = 27;

// The text after the first full stop of the file's name (not of any
// directory before it).
std::string ExtensionOf(const std::string& name) {
    const std::string file = std::filesystem::path(name).filename().string();
    const size_t stop = file.find('.');
    return stop == std::string::npos ? std::string() : file.substr(stop + 1);
}

}  // namespace

int Mapfile::OpenInfile(const std::string& name) {
    ResetInput();
    inputName = name;
    endOfInput = 1;
    if (!outputName.empty() && name == outputName) return Fail("Can't read and write to same file");

    // Names are compared without regard to case: a file list shows every
    // "*.mp*" file whatever the case of its name, and must be able to open it.
    const std::string extension = ExtensionOf(name);
    const std::string path = WorkPath(name);
    if (strcasecmp(extension.c_str(), "mpa") == 0) {
        if (!textIn.Open(path)) return Fail("Error opening input map file : " + name);
        inHeader = Header{};
        inHeader.projectionCode = "TEXT";
        inForm = Text;
    } else if (strcasecmp(extension.c_str(), "mpb") == 0) {
        binaryIn = std::fopen(path.c_str(), "rb");
        if (binaryIn == nullptr) return Fail("Error opening input map file : " + name);
        std::error_code error;
        const uintmax_t size = std::filesystem::file_size(path, error);
        binaryInSize = error ? 0 : static_cast<int64_t>(size);
        inForm = Binary;
        if (!ReadBinaryHeader()) {
            ResetInput();
            return Fail(kNotAMapFile);
        }
    } else {
        return Fail("Incorrect input map file type : " + extension);
    }
    inSegment = Segment{};
    endOfInput = 0;
    return 1;
}

int Mapfile::OpenInSource(SegmentSource& segments, const std::string& name) {
    ResetInput();
    inputName = name;
    source = &segments;
    inHeader = Header{};
    inHeader.projectionCode = "TEXT";
    inForm = Source;
    inSegment = Segment{};
    endOfInput = 0;
    return 1;
}

int Mapfile::ReadBinaryHeader() {
    unsigned char bytes[kMapHeaderSize];
    if (std::fread(bytes, 1, sizeof bytes, binaryIn) != sizeof bytes) return 0;
    const auto code = [&](int offset) { return std::string(reinterpret_cast<const char*>(bytes) + offset, 4); };
    Header header;
    header.typeCode = code(0);
    header.version = GetInt16(bytes + 4);
    header.projectionCode = code(6);
    header.ellipsoidCode = code(10);
    header.origin.Long.PutLong(GetInt32(bytes + 14));
    header.origin.Lat.PutLong(GetInt32(bytes + 18));
    header.west = GetInt32(bytes + 22);
    header.north = GetInt32(bytes + 26);
    header.east = GetInt32(bytes + 30);
    header.south = GetInt32(bytes + 34);
    header.check = GetInt32(bytes + 38);
    header.directoryOffset = GetInt32(bytes + 42);
    inHeader = header;
    if (header.typeCode != "OKAP" || header.version != 100 || header.ellipsoidCode != "GR80" ||
        header.check != Validate(header.directoryOffset, header.version, kValidateKey) ||
        header.directoryOffset < kMinDirectoryOffset)
        return 0;
    // A directory beyond the end of the file means the file was cut short.
    if (header.directoryOffset > binaryInSize) return 0;
    return SeekInput(header.directoryOffset) ? 1 : 0;
}

bool Mapfile::SeekInput(int64_t position) { return std::fseek(binaryIn, static_cast<long>(position), SEEK_SET) == 0; }

int Mapfile::ReadDirectory() {
    switch (inForm) {
        case Binary:
            return ReadBinaryDirectory();
        case Text:
            return ReadTextDirectory();
        case Source:
            return ReadSourceDirectory();
        default:
            endOfInput = 1;
            return 1;
    }
}

int Mapfile::ReadSourceDirectory() {
    switch (source->Next(sourceSegment)) {
        case SegmentSource::Read::End:
            endOfInput = 1;
            return 1;
        case SegmentSource::Read::Failed:
            endOfInput = 1;
            badclient = 1;
            return 0;
        case SegmentSource::Read::Segment:
            break;
    }
    std::string name = sourceSegment.name.substr(0, 8);
    name.resize(8, ' ');
    inSegment.name = name;
    inSegment.type = sourceSegment.type;
    inSegment.kind = sourceSegment.kind;
    inSegment.count = static_cast<int32_t>(sourceSegment.points.size());
    ++inSegment.counter;
    return 1;
}

void Mapfile::SetKindFromCount(int32_t storedCount) {
    // Callers refuse the most negative value, whose magnitude has no int32.
    int32_t count = storedCount < 0 ? -storedCount : storedCount;
    inSegment.kind = kAreaKind;
    if (storedCount < 0 && count > 1) inSegment.kind = kLineKind;
    if (count == 1) inSegment.kind = kPointKind;
    inSegment.count = count;
    ++inSegment.counter;
}

int Mapfile::ReadBinaryDirectory() {
    unsigned char record[kDirectoryRecordSize];
    // The end of the file, or a partial record trailing it, ends the input.
    if (std::fread(record, 1, sizeof record, binaryIn) != sizeof record) {
        endOfInput = 1;
        return 1;
    }
    const int16_t type = GetInt16(record + 8);
    const int32_t dataPosition = GetInt32(record + 10);
    const int32_t storedCount = GetInt32(record + 14);
    if (type < 1 || dataPosition < kMinDataPosition || storedCount == INT32_MIN) {
        endOfInput = 1;
        return Fail(kNotAMapFile);
    }
    inSegment.name.assign(reinterpret_cast<const char*>(record), 8);
    inSegment.type = type;
    inSegment.dataPosition = dataPosition;
    inSegment.box = {{GetInt32(record + 18), GetInt32(record + 22)}, {GetInt32(record + 26), GetInt32(record + 30)}};
    SetKindFromCount(storedCount);
    return 1;
}

int Mapfile::EndTextInput() {
    endOfInput = 1;
    if (!textIn.LineTooLong()) return 1;
    return Fail("Line " + FormatInt(textIn.LineNumber() + 1) + " of input text map file is longer than " +
                FormatInt(static_cast<int64_t>(LineReader::kMaxLineLength >> 20)) + " MB: it is not a text map");
}

int Mapfile::ReadTextDirectory() {
    if (!haveCurrentLine) {
        std::string_view line;
        do {
            if (!textIn.Next(line)) return EndTextInput();
        } while (line.find('"') == std::string_view::npos);
        currentLine.assign(line);
    }
    // The header is used up: the next call looks for the next one.
    haveCurrentLine = false;
    TextHeader header;
    switch (ParseTextHeader(currentLine, header)) {
        case TextHeaderError::Type:
            endOfInput = 1;
            return Fail("Can not read a type code from input text map file");
        case TextHeaderError::Count:
            endOfInput = 1;
            return Fail("Can not read number of points in a segment from input text map file");
        case TextHeaderError::None:
            break;
    }
    // Every reader refuses a binary map holding a segment of type 0 or
    // less, so none is written.
    if (header.type < 1) {
        endOfInput = 1;
        return Fail("Segment type " + FormatInt(header.type) + " at line " + FormatInt(textIn.LineNumber()) +
                    " of input text map file: a type runs from 1 to 32767");
    }
    inSegment.name = header.name;
    inSegment.type = header.type;
    inSegment.dataPosition = 0;
    inSegment.box = LBox{};
    SetKindFromCount(header.count);
    return 1;
}

bool Mapfile::ReadBinaryPoints(std::vector<LPoint>& points) {
    static_assert(sizeof(int32_t) == 4);
    const int64_t count = inSegment.count;
    // Checked before anything is allocated: a corrupt count never becomes
    // the size of a buffer.
    if (int64_t{inSegment.dataPosition} + count * 8 > binaryInSize) return false;
    points.resize(static_cast<size_t>(count));
    pointBytes.resize(static_cast<size_t>(count) * 8);
    // Read where they lie without moving the stream, which goes on through
    // the directory with its buffer intact: a seek there and back for every
    // segment would cost two system calls and a refill of the buffer.
    const int descriptor = fileno(binaryIn);
    size_t done = 0;
    while (done < pointBytes.size()) {
        const ssize_t got = pread(descriptor, pointBytes.data() + done, pointBytes.size() - done,
                                  static_cast<off_t>(inSegment.dataPosition) + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    const auto* p = reinterpret_cast<const unsigned char*>(pointBytes.data());
    for (int64_t i = 0; i < count; ++i, p += 8) points[static_cast<size_t>(i)] = {GetInt32(p), GetInt32(p + 4)};
    return true;
}

int Mapfile::LoadSegment(std::vector<POINT>& pts, Projection& proj, int& inside) {
    pts.clear();
    inside = 0;
    if (inForm != Binary) {
        endOfInput = 1;
        return Fail("Can only map binary files");
    }
    if (!ReadDirectory() || endOfInput) return 0;

    LBox view;
    // Without a viewport nothing can be shown.
    if (!MakeBox(proj, view) || BoxOutOfBox(view, inSegment.box)) return 1;
    if (BoxInBox(view, inSegment.box)) inside = 1;

    if (!ReadBinaryPoints(rawPoints)) {
        endOfInput = 1;
        return Fail("Unexpected end of input file");
    }
    // The viewport is set (MakeBox succeeded), so every point converts.
    pts.resize(rawPoints.size());
    proj.dm2lp(rawPoints.data(), pts.data(), rawPoints.size());
    return 1;
}

int Mapfile::CloseInfile() {
    if (inForm == NoForm) return Fail("Incorrect input map file type : ");
    bool closed = true;
    if (inForm == Binary) {
        closed = std::fclose(binaryIn) == 0;
        binaryIn = nullptr;
    }
    ResetInput();
    if (!closed) return Fail("Error closing binary input file");
    return 1;
}

}  // namespace okap
