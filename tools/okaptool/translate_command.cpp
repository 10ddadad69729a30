// okaptool translate: the map translator with the fields of its dialog as
// options.

#include <iostream>
#include <string>

#include "core/projection.h"
#include "mapfiles/translator.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "tools/okaptool/commands.h"
#include "tools/okaptool/options.h"
#include "tools/okaptool/projection_lookup.h"
#include "tools/okaptool/replace_answer.h"

namespace okap::tool {

namespace {

// The display name of the projection with code.
std::string ProjectionNameOf(const std::string& code) {
    for (size_t i = 0; i < Projection_Codes.size(); ++i)
        if (code == Projection_Codes[i]) return Projections[i];
    return {};
}

}  // namespace

int RunTranslate(int argc, char** argv) {
    const TranslatorSettings defaults;
    Options options("okaptool translate INPUT OUTPUT [OPTIONS]",
                    {{"projection", "NAME|CODE", "output projection, by display name or four-letter code",
                      defaults.projectionName},
                     {"origin-lon", "DEG", "projection origin longitude", defaults.originLongitude},
                     {"origin-lat", "DEG", "projection origin latitude", defaults.originLatitude},
                     {"resolution", "DEG",
                      "minimum resolution: drop a point whose neighbours lie closer than this (0 keeps all)",
                      defaults.resolution},
                     {"boundary", "DEG", "spacing of points laid along cut edges (0 lays none)",
                      defaults.boundarySpacing},
                     {"west", "DEG", "west edge of the selected region", defaults.west},
                     {"east", "DEG", "east edge of the selected region", defaults.east},
                     {"north", "DEG", "north edge of the selected region", defaults.north},
                     {"south", "DEG", "south edge of the selected region", defaults.south},
                     {"maps", "DIR", "map file directory, where INPUT and OUTPUT are taken", "the current directory"},
                     {"replace", "", "replace an existing output file (without it, one is refused)", ""}});
    if (!options.Parse(argc, argv, 2, 2)) return 2;
    if (options.HelpAsked()) {
        options.PrintHelp();
        std::cout << "\nTranslates the map file INPUT (.mpb binary or .mpa text) into OUTPUT: re-projected,\n"
                     "thinned to the resolution and cut to the selected region. OUTPUT is cut to its\n"
                     "first 8 characters and before any full stop or blank, and gets the extension\n"
                     ".mpa for the projection TEXT (\"Import/Export Text\") and .mpb for the others.\n"
                     "Angles are decimal degrees. A region that runs west of -180 or east of 180\n"
                     "makes text longitudes count from -360 or up to 360. Projections:\n"
                  << ProjectionList()
                  << "\nOn success the name of the written file is printed. Messages go to standard\n"
                     "error; the exit status is 0 on success, 1 when the translation failed and 2 for\n"
                     "wrong arguments.\n";
        return 0;
    }

    TranslatorSettings settings;
    settings.inputName = options.Operands()[0];
    settings.outputName = options.Operands()[1];
    const std::string projection = options.Value("projection").value_or(defaults.projectionName);
    std::optional<std::string> code = ProjectionCodeFor(projection);
    if (!code) {
        std::cerr << "okaptool: unknown projection '" << projection << "'; one of:\n" << ProjectionList();
        return 2;
    }
    settings.projectionName = ProjectionNameOf(*code);
    // Each angle is checked to be a number here, then handed over as its
    // text, to be read exactly as the dialog reads its fields.
    const std::pair<const char*, std::string*> angles[] = {
        {"origin-lon", &settings.originLongitude}, {"origin-lat", &settings.originLatitude},
        {"resolution", &settings.resolution},      {"boundary", &settings.boundarySpacing},
        {"west", &settings.west},                  {"east", &settings.east},
        {"north", &settings.north},                {"south", &settings.south}};
    for (const auto& [name, field] : angles) {
        if (!options.Degrees(name, 0.0)) return 2;
        if (std::optional<std::string> text = options.Value(name)) *field = *text;
    }

    AnswerReplaceWith(options.Has("replace"));
    if (std::optional<std::string> maps = options.Value("maps"); maps && SetWD(*maps) != 0) {
        ShowError("Map file path does not exist");
        return 1;
    }

    TranslationSummary summary;
    if (!TranslateMap(settings, {}, &summary)) return 1;
    std::cout << summary.outputFile << '\n';
    return 0;
}

}  // namespace okap::tool
