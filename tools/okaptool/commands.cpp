#include "tools/okaptool/commands.h"

namespace okap::tool {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"project", "convert positions to world coordinates of a projection and back", RunProject},
        {"translate", "translate a map file: re-project, thin and cut to a region", RunTranslate},
        {"info", "show the header and segment directory of a map file", RunInfo},
        {"render", "draw a map document into a PNG, SVG or PDF file", RunRender},
    };
    return commands;
}

}  // namespace okap::tool
