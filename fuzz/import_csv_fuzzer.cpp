// The importer on CSV text (geometry from a WKT column or from longitude
// and latitude columns): a map layer and a data layer made from it and
// drawn.

#include "fuzz/fuzz_workspace.h"
#include "fuzz/import_harness.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    okap::fuzz::StartHarness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    okap::fuzz::ImportAndDraw(okap::fuzz::WriteInput("in.csv", data, size).string());
    return 0;
}
