// okap.ini: the keys the program reads at its start and okaptool render
// reads, and a key written as Configure writes it, which must read back as
// written while every other line stays.

#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz/fuzz_workspace.h"
#include "platform/config_location.h"
#include "platform/profile_file.h"

using namespace okap;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartHarness();
    setenv("XDG_CONFIG_HOME", fuzz::Workspace().c_str(), 1);
    std::filesystem::create_directories(ConfigFilePath().parent_path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput("okap/okap.ini", data, size);

    ProfileFile ini(ConfigFilePath());
    for (const char* key : {"Program Files", "Map Files", "Data Files"}) ini.GetString("File Paths", key);
    for (const char* key : {"Metafile resolution", "Postscript modification", "Diagnostic log"}) {
        ini.GetString("Configuration", key);
    }

    const std::optional<std::string> dataFiles = ini.GetString("File Paths", "Data Files");
    if (ini.WriteString("File Paths", "Map files", "/maps here")) {
        if (ini.GetString("File Paths", "Map Files") != "/maps here") std::abort();
        if (ini.GetString("File Paths", "Data Files") != dataFiles) std::abort();
    }
    return 0;
}
