// The symbol library (okap.sym): its names listed and each outline looked
// up as the symbol choice does, and the data layer drawn with the symbols
// it gives.

#include <string>
#include <vector>

#include "fuzz/fuzz_workspace.h"
#include "styles/symbol.h"
#include "styles/symbol_library.h"
#include "view/map_document.h"

using namespace okap;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartHarness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput(kSymbolLibrary, data, size);
    const std::string folder = fuzz::Workspace().string();

    std::vector<std::string> names;
    ReadSymbolNames(folder, names);
    for (const std::string& name : names) {
        Symbol symbol;
        ReadSymbolOutline(folder, name, symbol);
    }

    MapDocument document;
    if (!fuzz::ReadDocument(document, fuzz::SampleDocumentText())) return 0;
    fuzz::AddDataLayer(document, fuzz::kDataFile, fuzz::kDataFormat);
    fuzz::PaintDocument(document);
    return 0;
}
