// The one-line text forms: the input's first line read as a plot style and
// drawn as the map box, its second as a text style and drawn as the grid
// labels, each further line (up to the table's size) as a detail drawn on
// the map; each form written and read back, and the details taken through
// the detail editor.

#include <sstream>
#include <string>

#include "data/details.h"
#include "fuzz/fuzz_workspace.h"
#include "styles/plot_style.h"
#include "styles/text_form.h"
#include "styles/text_style.h"
#include "view/map_document.h"

using namespace okap;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartHarness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    MapDocument document;
    if (!fuzz::ReadDocument(document, fuzz::SampleDocumentText())) return 0;

    std::string line;
    ReadLine(in, line);
    std::istringstream plotText(line);
    if (plotText >> document.mapBoxStyles[0]) {
        std::ostringstream written;
        written << document.mapBoxStyles[0];
        std::istringstream back(written.str());
        PlotStyle reread;
        back >> reread;
    }
    ReadLine(in, line);
    std::istringstream textText(line);
    if (textText >> document.gridLabelStyle) {
        std::ostringstream written;
        written << document.gridLabelStyle;
        std::istringstream back(written.str());
        TextStyle reread;
        back >> reread;
    }
    document.detailCount = 0;
    while (document.detailCount < kMaxDetails && ReadLine(in, line)) {
        TextStyle scratch;
        const DetailStyleDialogTB values = DetailStyleDialogValues(line, scratch);
        ApplyDetailStyleDialogValues(values, scratch);
        DetailListEntry(line);
        document.details[static_cast<size_t>(document.detailCount++)] = line;
    }
    fuzz::PaintDocument(document);
    return 0;
}
