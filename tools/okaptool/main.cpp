// okaptool: the headless companion of the map program, for scripts,
// benchmarks and batch work.

#include <algorithm>
#include <csignal>
#include <iostream>
#include <new>
#include <string_view>

#include "tools/okaptool/commands.h"

namespace {

void PrintUsage(std::ostream& os) {
    os << "Usage: okaptool COMMAND [OPTIONS]\n"
          "\n"
          "Commands:\n";
    for (const okap::tool::Command& command : okap::tool::Commands())
        os << "  " << command.name << std::string(12 - std::min<size_t>(11, command.name.size()), ' ')
           << command.summary << '\n';
    os << "\nRun 'okaptool COMMAND --help' for the options of a command.\n";
}

}  // namespace

int main(int argc, char** argv) {
    // Past a file size limit a write fails (and is reported) rather than the
    // signal ending the program with its temporary files and no message.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(std::cout);
        return 0;
    }
    for (const okap::tool::Command& command : okap::tool::Commands()) {
        if (command.name != name) continue;
        // An input beyond the machine's memory ends the command with a
        // message, as any other input it cannot take, not with an abort.
        try {
            return command.run(argc - 2, argv + 2);
        } catch (const std::bad_alloc&) {
            std::cerr << "okaptool " << name << ": Not enough memory!\n";
            return 1;
        }
    }
    std::cerr << "okaptool: unknown command '" << name << "'\n";
    PrintUsage(std::cerr);
    return 2;
}
