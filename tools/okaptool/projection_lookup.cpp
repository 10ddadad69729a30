#include "tools/okaptool/projection_lookup.h"

#include "core/projection.h"
#include "platform/letter_case.h"

namespace okap::tool {

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
