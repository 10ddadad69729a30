// A map document (.oki) opened as File Open opens it, in its two passes
// (the window's placement, then the content with its grid format), drawn,
// and written and read back as Save and the next Open do.

#include <sstream>

#include "fuzz/fuzz_workspace.h"
#include "view/map_document.h"

using namespace okap;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartHarness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string name = fuzz::WriteInput("in.oki", data, size).string();

    WindowPlacement placement;
    if (!ReadTextFile(name, placement)) return 0;
    MapDocument document(name, name);
    if (!LoadTextFile(document)) return 0;
    fuzz::PaintDocument(document);

    std::ostringstream written;
    document.Write(written, placement);
    MapDocument reread;
    fuzz::ReadDocument(reread, written.str());
    return 0;
}
