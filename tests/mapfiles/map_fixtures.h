#pragma once
// Small map files built in the tests: a little-endian writer for binary
// ones, written independently of the program's own so that a fault in the
// byte order shows, and a reader for the text form's lines.

#include <cmath>
#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/coordinates.h"
#include "core/number_text.h"

namespace okap::test {

inline void Put16(std::string& b, int v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}

inline void Put32(std::string& b, int64_t v) {
    for (int shift = 0; shift < 32; shift += 8) b += static_cast<char>((v >> shift) & 0xFF);
}

struct SegmentLayout {
    std::string name = "SEGMENT1";
    int type = 1;
    int32_t storedCount = 0;            // as stored: negative for a line
    std::vector<LPoint> points;         // written as the segment's data
    LBox box;
    std::optional<int32_t> dataPosition;  // default: where the points were written
};

struct MapLayout {
    std::string typeCode = "OKAP";
    int version = 100;
    std::string projection = "MERC";
    std::string ellipsoid = "GR80";
    int32_t originLon = 0, originLat = 0;
    int32_t west = 0, north = 0, east = 0, south = 0;
    std::vector<SegmentLayout> segments;
    std::optional<int32_t> directoryOffset;  // default: after the points
    std::optional<int32_t> check;            // default: the right check value
};

// The check value worked out by hand from its definition: the low 16 bits
// of offset, version and 1194679 (0x123AB7) by exclusive or, as a signed
// 16-bit number.
inline int32_t CheckValue(int32_t offset, int version) {
    return static_cast<int16_t>(static_cast<uint16_t>((offset ^ version ^ 0x3AB7) & 0xFFFF));
}

inline std::string BuildMap(const MapLayout& layout) {
    std::string points;
    std::vector<int32_t> positions;
    for (const SegmentLayout& s : layout.segments) {
        positions.push_back(46 + static_cast<int32_t>(points.size()));
        for (LPoint p : s.points) {
            Put32(points, p.x);
            Put32(points, p.y);
        }
    }
    const int32_t directory = layout.directoryOffset.value_or(46 + static_cast<int32_t>(points.size()));
    std::string b = layout.typeCode;
    Put16(b, layout.version);
    b += layout.projection + layout.ellipsoid;
    for (int32_t v : {layout.originLon, layout.originLat, layout.west, layout.north, layout.east, layout.south}) Put32(b, v);
    Put32(b, layout.check.value_or(CheckValue(directory, layout.version)));
    Put32(b, directory);
    b += points;
    for (size_t i = 0; i < layout.segments.size(); ++i) {
        const SegmentLayout& s = layout.segments[i];
        b += s.name;
        Put16(b, s.type);
        Put32(b, s.dataPosition.value_or(positions[i]));
        Put32(b, s.storedCount);
        for (int32_t v : {s.box.tl.x, s.box.tl.y, s.box.br.x, s.box.br.y}) Put32(b, v);
    }
    return b;
}

inline int32_t Get32(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b.at(at + static_cast<size_t>(i)));
    return static_cast<int32_t>(v);
}

// The segments of a binary map file as stored: its directory records and
// their points, read byte by byte here.
inline std::vector<SegmentLayout> ReadMap(const std::string& bytes) {
    std::vector<SegmentLayout> segments;
    for (size_t at = static_cast<size_t>(Get32(bytes, 42)); at + 34 <= bytes.size(); at += 34) {
        SegmentLayout s;
        s.name = bytes.substr(at, 8);
        s.type = static_cast<int16_t>(static_cast<unsigned char>(bytes[at + 8]) |
                                      static_cast<unsigned char>(bytes[at + 9]) << 8);
        s.dataPosition = Get32(bytes, at + 10);
        s.storedCount = Get32(bytes, at + 14);
        s.box = {{Get32(bytes, at + 18), Get32(bytes, at + 22)}, {Get32(bytes, at + 26), Get32(bytes, at + 30)}};
        const int32_t count = s.storedCount < 0 ? -s.storedCount : s.storedCount;
        for (int32_t i = 0; i < count; ++i) {
            const size_t p = static_cast<size_t>(*s.dataPosition) + 8 * static_cast<size_t>(i);
            s.points.push_back({Get32(bytes, p), Get32(bytes, p + 4)});
        }
        segments.push_back(std::move(s));
    }
    return segments;
}

// One segment of a text map file as read back: the header line and the
// points in degrees.
struct TextSegment {
    std::string header;
    std::vector<std::pair<double, double>> points;
};

// Splits a text map file into segments; every line must end with CR LF.
inline std::vector<TextSegment> ReadTextMap(const std::string& contents, bool* crlf = nullptr) {
    std::vector<TextSegment> segments;
    std::istringstream in(contents);
    std::string line;
    bool allCrlf = true;
    while (std::getline(in, line)) {
        if (line.empty() || line.back() != '\r')
            allCrlf = false;
        else
            line.pop_back();
        if (line.find('"') != std::string::npos) {
            segments.push_back({line, {}});
        } else if (!segments.empty()) {
            size_t comma = line.find(',');
            segments.back().points.emplace_back(ReadDouble(line.substr(0, comma)).value_or(-999.0),
                                                ReadDouble(line.substr(comma + 1)).value_or(-999.0));
        }
    }
    if (crlf) *crlf = allCrlf;
    return segments;
}

// A closed ring of n points round (0, 0), about 10 degrees across and
// wobbly, as a text map's area of type 1.
inline std::string WobblyRing(int n, const char* name = "RING") {
    std::string text = "\"" + std::string(name) + "\",1," + std::to_string(n) + "\r\n";
    std::string first;
    for (int i = 0; i < n - 1; ++i) {
        const double a = 2 * M_PI * i / (n - 1);
        const double r = 10 + 0.5 * std::sin(37 * a);
        const std::string line = FormatGeneral(r * std::cos(a)) + "," + FormatGeneral(r * std::sin(a)) + "\r\n";
        if (i == 0) first = line;
        text += line;
    }
    return text + first;
}

}  // namespace okap::test
