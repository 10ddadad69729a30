#include "tools/okaptool/commands.h"

namespace okap::tool {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
    };
    return commands;
}

}  // namespace okap::tool
