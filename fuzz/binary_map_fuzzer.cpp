// A binary map file (header, directory, segments) drawn as a map layer,
// with the simplified copies the map cache makes and every point; read
// segment by segment as a paint reads a file the cache cannot hold; and
// translated to a text map.

#include <vector>

#include "fuzz/fuzz_workspace.h"
#include "mapfiles/mapfile.h"
#include "mapfiles/translator.h"
#include "view/map_document.h"

using namespace okap;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartHarness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput("in.mpb", data, size);

    MapDocument document;
    if (!fuzz::ReadDocument(document, fuzz::SampleDocumentText())) return 0;
    document.mapLayers[0].file = "in.mpb";
    fuzz::PaintDocument(document, fuzz::Detail::Both);

    // The paint left the view's mapping in the document's projection.
    Mapfile map;
    if (map.OpenInfile("in.mpb")) {
        std::vector<POINT> points;
        int inside = 0;
        while (!map.EndOfInFile() && map.LoadSegment(points, document.projection, inside)) {
        }
        map.CloseInfile();
    }

    TranslatorSettings settings;
    settings.inputName = "in.mpb";
    settings.outputName = "out";
    settings.projectionName = Projections[1];
    settings.threads = 1;
    TranslateMap(settings);
    return 0;
}
