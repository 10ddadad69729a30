#pragma once
// The commands of okaptool. Each lives in a file of its own and is listed in
// commands.cpp.

#include <string>
#include <vector>

namespace okap::tool {

struct Command {
    std::string name;
    std::string summary;
    // Runs with the arguments after the command name; returns the exit status.
    int (*run)(int argc, char** argv);
};

const std::vector<Command>& Commands();

int RunProject(int argc, char** argv);
int RunTranslate(int argc, char** argv);
int RunInfo(int argc, char** argv);
int RunRender(int argc, char** argv);
int RunImport(int argc, char** argv);
int RunImportData(int argc, char** argv);
int RunExport(int argc, char** argv);
int RunExportData(int argc, char** argv);

}  // namespace okap::tool
