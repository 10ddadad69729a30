#include "datasets/import_symbol.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "core/number_text.h"
#include "styles/symbol.h"
#include "styles/symbol_library.h"

namespace okap {

namespace {

constexpr char kLineEnd[] = "\r\n";

std::string Entry(const std::string& name, const std::vector<POINT>& points) {
    std::string text = "symbol  = " + name + kLineEnd + "points  = " + FormatInt(static_cast<long long>(points.size())) +
                       kLineEnd;
    for (const POINT& p : points) text += FormatInt(p.x) + " " + FormatInt(p.y) + kLineEnd;
    return text;
}

// A circle of radius 100 from the top, anticlockwise, every 10 degrees.
std::string CircleEntry() {
    std::vector<POINT> points;
    for (int degrees = 90; degrees <= 450; degrees += 10) {
        const double radians = degrees * 3.14159265358979323846 / 180.0;
        points.push_back({static_cast<int>(std::lround(100.0 * std::cos(radians))),
                          static_cast<int>(std::lround(100.0 * std::sin(radians)))});
    }
    return Entry("circle", points);
}

std::string SquareEntry() { return Entry("square", {{-98, 98}, {98, 98}, {98, -98}, {-98, -98}, {-98, 98}}); }

}  // namespace

ImportSymbol ChooseImportSymbol(const std::optional<std::string>& library) {
    if (!library) return {"circle", SquareEntry() + CircleEntry()};

    // The entries as the readers take them: up to the first that is not
    // valid. end is where the last of them ends.
    std::istringstream text(*library);
    std::vector<std::string> names;
    std::streamoff end = 0;
    Symbol entry;
    while (text >> entry, entry.valid) {
        names.push_back(entry.name);
        end = text.tellg();
    }
    const auto has = [&](const char* name) { return std::find(names.begin(), names.end(), name) != names.end(); };
    if (has("circle")) return {"circle", std::nullopt};
    if (names.size() < kMaxListedSymbols) {
        const size_t at = static_cast<size_t>(end);
        return {"circle", library->substr(0, at) + CircleEntry() + library->substr(at)};
    }
    return {has("square") ? "square" : names.front(), std::nullopt};
}

}  // namespace okap
