// okaptool info: what a map file holds, its header as "key: value" lines
// and then its directory as a tab-separated table with a header row.

#include <iostream>
#include <string>
#include <vector>

#include "core/latlong.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "tools/okaptool/commands.h"
#include "tools/okaptool/options.h"

namespace okap::tool {

namespace {

const char* KindName(int kind) {
    switch (kind) {
        case kPointKind:
            return "point";
        case kLineKind:
            return "line";
        default:
            return "area";
    }
}

std::string Degrees(int32_t units) {
    LatLong angle;
    angle.PutLong(units);
    return angle.GetString();
}

// The name without its padding blanks; a tab or line end in it would break
// the table, so those become blanks.
std::string Printable(std::string name) {
    for (char& c : name)
        if (c == '\t' || c == '\n' || c == '\r' || c == '\0') c = ' ';
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

}  // namespace

int RunInfo(int argc, char** argv) {
    Options options("okaptool info FILE", {});
    if (!options.Parse(argc, argv, 1, 1)) return 2;
    if (options.HelpAsked()) {
        options.PrintHelp();
        std::cout << "\nShows the header of the map file FILE (.mpb or .mpa) as \"key: value\" lines,\n"
                     "angles in decimal degrees, then a blank line and one tab-separated line per\n"
                     "segment under a header row: name, type, kind, count (points), data (file\n"
                     "position of the points) and the box west, north, east, south in world\n"
                     "decimetres. A text file has no header of its own, and its segments no data\n"
                     "position or box ('-'). Exit status 1 when the file cannot be read.\n";
        return 0;
    }
    SetMessageHandler(PrintMessage);
    Mapfile map;
    const std::string& name = options.Operands()[0];
    if (!map.OpenInfile(name)) return 1;

    std::vector<Mapfile::Segment> segments;
    int status = 0;
    while (!map.EndOfInFile()) {
        if (!map.ReadDirectory()) {
            status = 1;
            break;
        }
        if (!map.EndOfInFile()) segments.push_back(map.InSegment());
    }
    const bool binary = map.InForm() == Mapfile::Binary;
    const Mapfile::Header& h = map.InHeader();
    std::cout << "file: " << name << '\n'
              << "form: " << (binary ? "binary" : "text") << '\n'
              << "type code: " << h.typeCode << '\n'
              << "version: " << h.version << '\n'
              << "projection: " << h.projectionCode << '\n'
              << "ellipsoid: " << h.ellipsoidCode << '\n'
              << "origin longitude: " << h.origin.Long.GetString() << '\n'
              << "origin latitude: " << h.origin.Lat.GetString() << '\n'
              << "region west: " << Degrees(h.west) << '\n'
              << "region north: " << Degrees(h.north) << '\n'
              << "region east: " << Degrees(h.east) << '\n'
              << "region south: " << Degrees(h.south) << '\n'
              << "check value: " << h.check << '\n'
              << "directory offset: " << h.directoryOffset << '\n'
              << "segments: " << segments.size() << '\n'
              << '\n'
              << "name\ttype\tkind\tcount\tdata\twest\tnorth\teast\tsouth\n";
    for (const Mapfile::Segment& s : segments) {
        std::cout << Printable(s.name) << '\t' << s.type << '\t' << KindName(s.kind) << '\t' << s.count << '\t';
        if (binary)
            std::cout << s.dataPosition << '\t' << s.box.tl.x << '\t' << s.box.tl.y << '\t' << s.box.br.x << '\t'
                      << s.box.br.y << '\n';
        else
            std::cout << "-\t-\t-\t-\t-\n";
    }
    map.CloseInfile();
    return status;
}

}  // namespace okap::tool
