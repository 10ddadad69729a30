// A data file (.dat): drawn as a data layer (symbols, labels placed clear
// of each other, the legend), its values ranged and split into classes by
// Auto, and each point's label read as the identify read-out reads it.

#include <string>

#include "core/projection.h"
#include "data/datafile.h"
#include "fuzz/fuzz_workspace.h"
#include "platform/device_context.h"
#include "styles/symbol.h"
#include "view/map_document.h"

using namespace okap;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartHarness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput("in.dat", data, size);
    const std::string folder = fuzz::Workspace().string();

    MapDocument document;
    if (!fuzz::ReadDocument(document, fuzz::SampleDocumentText())) return 0;
    fuzz::AddDataLayer(document, "in.dat", fuzz::kDataFormat);
    fuzz::PaintDocument(document);

    Datafile layer(document.projection, folder, folder);
    if (!layer.ReadFormat(fuzz::kDataFormat) || !layer.OpenInfile("in.dat")) return 0;
    double low = 0.0, high = 0.0;
    layer.GetDataRange(low, high);
    layer.AutoClasses(static_cast<int>(size % 7) + 1);
    POINT points[Symbol::kMaxPoints];
    TBox box;
    std::string label;
    while (layer.GetPlot(points, box, 1)) {
        if (layer.pointValid && layer.hasLabel) layer.GetLabel(label);
    }
    layer.CloseInfile();
    return 0;
}
