// okaptool project: positions to world coordinates of a projection and back,
// one point a line, for checking what a map file holds or feeding scripts.

#include <iostream>
#include <string>

#include "core/number_text.h"
#include "core/geometry.h"
#include "core/projection.h"
#include "platform/message_box.h"
#include "tools/okaptool/commands.h"
#include "tools/okaptool/options.h"
#include "tools/okaptool/projection_lookup.h"

namespace okap::tool {

namespace {

// Splits "a b" or "a,b" into two numbers.
bool ReadPair(const std::string& line, double& first, double& second) {
    size_t separator = line.find_first_of(", \t", line.find_first_not_of(" \t"));
    if (separator == std::string::npos) return false;
    std::optional<double> a = ReadWholeDouble(std::string_view(line).substr(0, separator));
    std::string_view rest = std::string_view(line).substr(separator + 1);
    if (size_t comma = rest.find(','); comma != std::string_view::npos && rest.find_first_not_of(" \t") == comma)
        rest = rest.substr(comma + 1);
    std::optional<double> b = ReadWholeDouble(rest);
    if (!a || !b) return false;
    first = *a;
    second = *b;
    return true;
}

}  // namespace

int RunProject(int argc, char** argv) {
    Options options("okaptool project [OPTIONS] < POINTS",
                    {{"projection", "NAME|CODE", "projection by display name or four-letter code", "MERC"},
                     {"origin-lon", "DEG", "origin longitude in decimal degrees", "0.0"},
                     {"origin-lat", "DEG", "origin latitude in decimal degrees", "0.0"},
                     {"inverse", "", "read world x y (decimetres) and write longitude latitude", ""}});
    if (!options.Parse(argc, argv, 0, 0)) return 2;
    if (options.HelpAsked()) {
        options.PrintHelp();
        std::cout << "\nReads one point a line from standard input: longitude and latitude in decimal\n"
                     "degrees (or, with --inverse, world x and y), separated by blanks or a comma.\n"
                     "Writes x and y in world decimetres (metres for UPST), or '*' for a point the\n"
                     "projection cannot convert. Projections:\n"
                  << ProjectionList();
        return 0;
    }
    std::optional<std::string> code = ProjectionCodeFor(options.Value("projection").value_or("MERC"));
    if (!code || *code == "TEXT") {
        std::cerr << "okaptool: unknown projection '" << options.Value("projection").value_or("") << "'\n";
        return 2;
    }
    std::optional<double> originLon = options.Degrees("origin-lon", 0.0);
    std::optional<double> originLat = options.Degrees("origin-lat", 0.0);
    if (!originLon || !originLat) return 2;

    SetMessageHandler(PrintMessage);
    Projection projection(*code, Position(Latitude(*originLat), Longitude(*originLon)));
    if (!projection.Valid) return 1;
    // Conversions need a viewport; any will do for world coordinates.
    projection.setvp(TSize{10000, 10000}, TSize{}, LPoint{}, 1);

    bool inverse = options.Has("inverse");
    std::string line;
    int status = 0;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        double a = 0.0, b = 0.0;
        if (!ReadPair(line, a, b)) {
            std::cerr << "okaptool: not a pair of numbers: '" << line << "'\n";
            status = 1;
            continue;
        }
        if (inverse) {
            Position pos;
            if (projection.dm2pos(LPoint{SafeLong(a), SafeLong(b)}, pos))
                std::cout << FormatFixed(pos.Long.GetDegrees()) << ' ' << FormatFixed(pos.Lat.GetDegrees()) << '\n';
            else
                std::cout << "* *\n";
        } else {
            LPoint world;
            if (projection.pos2dm(Position(Latitude(b), Longitude(a)), world))
                std::cout << world.x << ' ' << world.y << '\n';
            else
                std::cout << "* *\n";
        }
    }
    return status;
}

}  // namespace okap::tool
