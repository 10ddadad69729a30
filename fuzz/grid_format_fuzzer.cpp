// A grid format file (.okg): loaded with a document and drawn as its grid
// under, between and over the layers, and read, written and read back as
// the grid option dialog edits it.

#include <sstream>

#include "fuzz/fuzz_workspace.h"
#include "styles/grid_format.h"
#include "view/map_document.h"

using namespace okap;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartHarness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput("in.okg", data, size);

    std::string text = fuzz::SampleDocumentText();
    text.replace(text.find(fuzz::kGridFormat), std::string_view(fuzz::kGridFormat).size(), "in.okg");
    MapDocument document;
    if (!fuzz::ReadDocument(document, text)) return 0;
    document.gridOn = 1;
    document.gridIncrement = 3;
    document.gridPosition = static_cast<int>(size % 3);
    fuzz::PaintDocument(document);

    GridFormat format;
    if (LoadGridFormatForEditing(fuzz::Workspace().string(), "in.okg", format)) {
        ApplyGridOptionDialogValues(GridOptionDialogValues(format), format);
        std::ostringstream written;
        WriteGridFormat(written, format);
        std::istringstream back(written.str());
        GridFormat reread;
        ReadGridFormat(back, reread);
    }
    return 0;
}
