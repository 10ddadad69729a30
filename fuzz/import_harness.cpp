#include "fuzz/import_harness.h"

#include <filesystem>

#include "datasets/data_import.h"
#include "datasets/map_import.h"
#include "fuzz/fuzz_workspace.h"
#include "view/map_document.h"

namespace okap::fuzz {

void ImportAndDraw(const std::string& path) {
    const std::string folder = Workspace().string();
    MapDocument document;
    if (!ReadDocument(document, SampleDocumentText())) return;

    MapImportSettings map;
    map.source.dataset = path;
    map.typing.typeField = "type";
    map.typing.nameField = "name";
    map.translator.outputName = "imported";
    map.translator.threads = 1;
    MapImportSummary mapSummary;
    if (ImportMap(map, {}, &mapSummary)) {
        MarkRewritten(mapSummary.translation.outputFile);
        document.mapLayers[0] = {mapSummary.translation.outputFile, mapSummary.formatFile};
    }

    DataImportSettings data;
    data.source.dataset = path;
    data.valueField = "value";
    data.labelField = "name";
    data.output = "imported";
    data.mapDirectory = folder;
    data.dataDirectory = folder;
    DataImportSummary dataSummary;
    if (ImportData(data, {}, &dataSummary)) {
        AddDataLayer(document, std::filesystem::path(dataSummary.dataFile).filename().string(),
                     std::filesystem::path(dataSummary.formatFile).filename().string());
    }

    PaintDocument(document);
}

}  // namespace okap::fuzz
