// A text map file through the translator: into a projection chosen by the
// input's length (every one of them over a run), with the most points a
// segment may have set for every other length; a binary result is drawn as
// a map layer.

#include "fuzz/fuzz_workspace.h"
#include "mapfiles/translator.h"
#include "view/map_document.h"

using namespace okap;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartHarness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput("in.mpa", data, size);

    TranslatorSettings settings;
    settings.inputName = "in.mpa";
    settings.outputName = "out";
    const size_t projection = size % Projections.size();
    settings.projectionName = Projections[projection];
    settings.originLongitude = projection == 8 ? "20" : "0";
    settings.originLatitude = projection == 8 ? "40" : "0";
    settings.maxPoints = size % 2 ? 0 : 7;
    settings.threads = 1;
    TranslationSummary summary;
    if (!TranslateMap(settings, {}, &summary) || projection == 1) return 0;

    fuzz::MarkRewritten(summary.outputFile);
    MapDocument document;
    if (!fuzz::ReadDocument(document, fuzz::SampleDocumentText())) return 0;
    document.mapLayers[0].file = summary.outputFile;
    fuzz::PaintDocument(document, fuzz::Detail::Both);
    return 0;
}
