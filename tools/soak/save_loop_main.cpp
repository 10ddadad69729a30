// Saves one document over and over through the document's own Save, as
// File > Save does: what scripts/kill-test.sh kills at random moments to show
// that a save stopped anywhere leaves the previous file whole.
//
//   okap_save_loop DOCUMENT.oki SAVES

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "platform/set_wd.h"
#include "view/map_document.h"

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc != 3) {
        std::cerr << "usage: okap_save_loop DOCUMENT.oki SAVES\n";
        return 2;
    }
    const std::filesystem::path path = std::filesystem::absolute(argv[1]);
    const long saves = std::strtol(argv[2], nullptr, 10);
    // The document's grid format file is opened from the current directory.
    if (okap::SetWD(path.parent_path().string()) != 0) return 1;

    okap::WindowPlacement placement;
    okap::MapDocument document(path.filename().string(), path.string());
    if (!okap::ReadTextFile(path.string(), placement) || !okap::LoadTextFile(document)) return 1;
    for (long i = 0; i < saves; ++i) {
        if (!document.Save(placement)) return 1;
    }
    return 0;
}
