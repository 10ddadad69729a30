// A map format file (.okf): drawn as the base map's format, listed as the
// feature editor and the identify read-out read it, and tested for fitting
// the base map as the format list tests it.

#include <fstream>
#include <map>
#include <vector>

#include "fuzz/fuzz_workspace.h"
#include "styles/map_format.h"
#include "styles/map_format_editing.h"
#include "view/map_document.h"

using namespace okap;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartHarness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput("in.okf", data, size);
    const std::string folder = fuzz::Workspace().string();

    MapDocument document;
    if (!fuzz::ReadDocument(document, fuzz::SampleDocumentText())) return 0;
    document.mapLayers[0].format = "in.okf";
    fuzz::PaintDocument(document);

    std::ifstream in("in.okf", std::ios::binary);
    ReadFeatureNames(in);
    FeatureStyles styles;
    std::vector<FeatureEntry> entries;
    FillFeatureList(folder, "in.okf", fuzz::kBaseMap, styles, entries);
    FormatFileList list;
    ListFittingFormats(folder, fuzz::kBaseMap, "in.okf", list);
    return 0;
}
