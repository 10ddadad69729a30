// A data format file (.okd): drawn as the data layer's format (symbols from
// the library, classes, labels, the legend), and read, split into classes
// by Auto and written back as the data option dialog does.

#include "core/projection.h"
#include "data/datafile.h"
#include "fuzz/fuzz_workspace.h"
#include "view/map_document.h"

using namespace okap;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartHarness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput("in.okd", data, size);
    const std::string folder = fuzz::Workspace().string();

    MapDocument document;
    if (!fuzz::ReadDocument(document, fuzz::SampleDocumentText())) return 0;
    fuzz::AddDataLayer(document, fuzz::kDataFile, "in.okd");
    fuzz::PaintDocument(document);

    Datafile format(document.projection, folder, folder);
    if (format.ReadFormat("in.okd") && format.OpenInfile(fuzz::kDataFile)) {
        format.AutoClasses(static_cast<int>(size % 7) + 1);
        format.WriteFormat("out.okd", OptionTexts(format));
        format.CloseInfile();
    }
    return 0;
}
