#include "tools/okaptool/projection_lookup.h"

#include <algorithm>
#include <cctype>

#include "core/projection.h"

namespace okap::tool {

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::optional<std::string> ProjectionCodeFor(std::string_view nameOrCode) {
    for (size_t i = 0; i < Projection_Codes.size(); ++i)
        if (EqualIgnoringCase(nameOrCode, Projection_Codes[i]) || EqualIgnoringCase(nameOrCode, Projections[i]))
            return std::string(Projection_Codes[i]);
    return std::nullopt;
}

std::string ProjectionList() {
    std::string list;
    for (size_t i = 0; i < Projection_Codes.size(); ++i)
        list += std::string("    ") + Projection_Codes[i] + "  " + Projections[i] + "\n";
    return list;
}

}  // namespace okap::tool
