#include "tools/okaptool/commands.h"

namespace okap::tool {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"project", "convert positions to world coordinates of a projection and back", RunProject},
    };
    return commands;
}

}  // namespace okap::tool
