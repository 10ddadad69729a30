#include "tools/okaptool/translator_options.h"

#include <cmath>
#include <iostream>
#include <optional>
#include <utility>

#include "core/number_text.h"
#include "core/projection.h"
#include "tools/okaptool/projection_lookup.h"

namespace okap::tool {

namespace {

// More threads than any machine has cores would only cost memory.
constexpr int kMaxThreads = 1024;

// The display name of the projection with code.
std::string ProjectionNameOf(const std::string& code) {
    for (size_t i = 0; i < Projection_Codes.size(); ++i)
        if (code == Projection_Codes[i]) return Projections[i];
    return {};
}

}  // namespace

std::vector<OptionDefinition> TranslatorOptionDefinitions() {
    const TranslatorSettings defaults;
    return {{"projection", "NAME|CODE", "output projection, by display name or four-letter code",
             defaults.projectionName},
            {"origin-lon", "DEG", "projection origin longitude", defaults.originLongitude},
            {"origin-lat", "DEG", "projection origin latitude", defaults.originLatitude},
            {"resolution", "DEG",
             "minimum resolution: drop a point whose neighbours lie closer than this (0 keeps all)",
             defaults.resolution},
            {"boundary", "DEG", "spacing of points laid along cut edges (0 lays none)", defaults.boundarySpacing},
            {"west", "DEG", "west edge of the selected region", defaults.west},
            {"east", "DEG", "east edge of the selected region", defaults.east},
            {"north", "DEG", "north edge of the selected region", defaults.north},
            {"south", "DEG", "south edge of the selected region", defaults.south},
            MaxPointsOption(),
            {"threads", "N", "translate on N threads side by side; the output is the same for any N",
             "one for each core, " + std::to_string(defaults.threads)}};
}

bool ReadTranslatorOptions(const Options& options, TranslatorSettings& settings) {
    const std::string projection = options.Value("projection").value_or(settings.projectionName);
    std::optional<std::string> code = ProjectionCodeFor(projection);
    if (!code) {
        std::cerr << "okaptool: unknown projection '" << projection << "'; one of:\n" << ProjectionList();
        return false;
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
        if (!options.Degrees(name, 0.0)) return false;
        if (std::optional<std::string> text = options.Value(name)) *field = *text;
    }
    const std::optional<int32_t> maxPoints = options.MaxPoints();
    if (!maxPoints) return false;
    settings.maxPoints = *maxPoints;
    if (std::optional<std::string> text = options.Value("threads")) {
        const std::optional<double> threads = ReadWholeDouble(*text);
        if (!threads || *threads != std::floor(*threads) || *threads < 1 || *threads > kMaxThreads) {
            std::cerr << "okaptool: --threads needs a whole number from 1 to " << kMaxThreads << ", not '" << *text
                      << "'\n";
            return false;
        }
        settings.threads = static_cast<int>(*threads);
    }
    return true;
}

std::string TranslatorOptionsHelp() {
    return "Angles are decimal degrees. A region that runs west of -180 or east of 180\n"
           "makes longitudes count from -360 or up to 360. Segments of any length are\n"
           "written whole unless --max-points limits them. Projections:\n" +
           ProjectionList();
}


}  // namespace okap::tool
