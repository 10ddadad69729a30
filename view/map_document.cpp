#include "view/map_document.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <utility>

#include "core/app_title.h"
#include "platform/message_box.h"
#include "platform/safe_file_writer.h"

namespace okap {

namespace {

void ShowReadError(const std::string& name) {
    MessageBox("Unable to read file " + name + " from disk.", kAppTitle, MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace

MapDocument::MapDocument(std::string title, std::string fileName)
    : fileName(std::move(fileName)), title(std::move(title)) {
    if (this->fileName.empty()) {
        ResetAll();
    } else {
        modified = 0;
    }
    savedContent = ContentText();
}

void MapDocument::MarkSaved() {
    savedContent = ContentText();
    modified = 0;
}

void MapDocument::UpdateModified() { modified = ContentText() != savedContent ? 1 : 0; }

void MapDocument::ResetAll() {
    centre = {0, 0};
    scale = 300000000;
    projection = Projection("MERC", Position());
    windowExtent = {1, 1};
    modified = 0;
}

void MapDocument::New() {
    mapLayerCount = 0;
    dataLayerCount = 0;
    detailCount = 0;
    windowExtent = {10000, 9837};
    centre = {-919528, -25585314};
    scale = 200000000;
    projection = Projection("MERC", Position());
    // The look of the sample maps: a sea-blue map box with a black frame
    // and a 30-degree grid between the map and the data layers.
    std::istringstream("1 0 0 0 1 0 170 211 232 99") >> mapBoxStyles[0];
    gridStyles[0] = mapBoxStyles[0];
    gridStyles[1] = mapBoxStyles[0];
    gridFormatFile = "std.okg";
    gridPosition = 1;
    gridOn = 1;
    gridSize = 30.0;
    gridIncrement = 3;
    antialiasing = 1;
    MarkSaved();
}

int MapDocument::Save(const WindowPlacement& placement) {
    SafeFileWriter writer(fileName);
    if (writer.IsOpen()) {
        Write(writer.Stream(), placement);
        if (writer.Commit()) {
            MarkSaved();
            return 1;
        }
    }
    MessageBox("Unable to open file", "File Error", MessageButtons::Ok, MessageIcon::Warning);
    return 0;
}

int ReadTextFile(const std::string& name, WindowPlacement& placement) {
    std::ifstream file(name, std::ios::binary);
    if (file && placement.Read(file)) return 1;
    ShowReadError(name);
    return 0;
}

int LoadTextFile(MapDocument& document) {
    std::ifstream file(document.fileName, std::ios::binary);
    if (file && document.Read(file)) {
        document.MarkSaved();
        return 1;
    }
    ShowReadError(document.fileName);
    return 0;
}

int CheckDocumentName(const std::string& name) {
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper.find(".OKI") != std::string::npos) return 1;
    ShowError("Input file is not an OKAP .oki file");
    return 0;
}

}  // namespace okap
