#pragma once
// Running the built okaptool as a user runs it, in a directory of its own.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace okap::test {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class OkaptoolTest : public ::testing::Test {
protected:
    // Runs okaptool with args in the test's directory. Its okap.ini is the
    // one in config, never the user's own.
    Result Run(const std::vector<std::string>& args) {
        std::string command = "cd " + Quoted(dir.Path().string()) + " && XDG_CONFIG_HOME=" +
                              Quoted((output / "config").string()) + " " + Quoted(OKAPTOOL_PATH);
        for (const std::string& arg : args) command += " " + Quoted(arg);
        command += " >" + Quoted((output / "out").string()) + " 2>" + Quoted((output / "err").string());
        Result result;
        int raw = std::system(command.c_str());
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = TempDir::Read(output / "out");
        result.err = TempDir::Read(output / "err");
        return result;
    }

    TempDir dir;
    // Standard output and error are kept apart from the maps.
    TempDir output;
};

}  // namespace okap::test
