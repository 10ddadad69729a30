#include "fuzz/fuzz_workspace.h"

#include <QGuiApplication>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "core/globals.h"
#include "mapfiles/translator.h"
#include "platform/message_box.h"
#include "platform/recording_dc.h"
#include "support/temp_dir.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap::fuzz {

namespace {

// A small world: a continent with a lake, an island across the 180 degree
// meridian, a river, a border and a town.
constexpr const char* kBaseText =
    "\"LAND\",1,6\r\n-40,-20\r\n40,-30\r\n60,30\r\n0,60\r\n-50,40\r\n-40,-20\r\n"
    "\"LAKE\",2,4\r\n0,0\r\n10,5\r\n5,10\r\n0,0\r\n"
    "\"ISLE\",1,5\r\n170,-10\r\n-170,-10\r\n-170,10\r\n170,10\r\n170,-10\r\n"
    "\"RIVER\",6,-4\r\n-20,50\r\n-10,30\r\n0,20\r\n10,-25\r\n"
    "\"BORDER\",7,-3\r\n20,-28\r\n25,10\r\n30,45\r\n"
    "\"TOWN\",1,1\r\n5,45\r\n";

// The sample files the rest of the world is taken from.
const std::filesystem::path kSamples = OKAP_SAMPLES_DIR;

std::unique_ptr<test::TempDir> workspace;
// Never destroyed: Qt's own statics may be gone by the time it would be.
QGuiApplication* application = nullptr;
int64_t rewrites = 0;

void CopySample(const char* sample, const char* name) {
    std::filesystem::copy_file(kSamples / sample, workspace->Path() / name,
                               std::filesystem::copy_options::overwrite_existing);
}

// The first lines of the sample cities: enough for classes, labels and a
// join line, few enough to keep every run quick.
void WriteDataFile() {
    std::ifstream in(kSamples / "cities.dat", std::ios::binary);
    std::string data, line;
    for (int i = 0; i < 25 && std::getline(in, line); ++i) data += line + "\n";
    workspace->Write(kDataFile, data);
}

void MakeBaseMap() {
    workspace->Write("worldmer.mpa", kBaseText);
    TranslatorSettings settings;
    settings.inputName = "worldmer.mpa";
    settings.outputName = "worldmer";
    settings.projectionName = Projections[0];
    settings.threads = 1;
    if (!TranslateMap(settings)) throw std::runtime_error("cannot translate the base map");
}

}  // namespace

void StartHarness() {
    if (workspace) return;
    SetMessageHandler([](const Message& message) { return FirstButton(message.buttons); });
    workspace = std::make_unique<test::TempDir>();
    std::filesystem::current_path(workspace->Path());
    CopySample("world.okf", kBaseFormat);
    CopySample("std.okg", kGridFormat);
    CopySample("okap.sym", "okap.sym");
    CopySample("cities.okd", kDataFormat);
    WriteDataFile();
    MakeBaseMap();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "okap-fuzz";
    static char* argv[] = {name, nullptr};
    application = new QGuiApplication(argc, argv);
    // The folder goes before the application's statics do.
    std::atexit([] { workspace.reset(); });
}

const std::filesystem::path& Workspace() { return workspace->Path(); }

std::filesystem::path WriteInput(std::string_view name, const uint8_t* data, size_t size) {
    const std::filesystem::path path =
        workspace->Write(name, std::string_view(reinterpret_cast<const char*>(data), size));
    MarkRewritten(path);
    return path;
}

void MarkRewritten(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::last_write_time(
        path, std::filesystem::file_time_type(std::chrono::seconds(1000000000) + std::chrono::nanoseconds(++rewrites)),
        ignored);
}

std::string SampleDocumentText() {
    return std::string("Map File Information - OKAP version 1\r\n"
                       "Window origin        = 0 0\r\n"
                       "Window size          = 200 150\r\n"
                       "Number of map files  = 1\r\n"
                       "Mapfile  1 = ") + kBaseMap + " " + kBaseFormat + "\r\n"
           "Number of data files = 0\r\n"
           "Number of details    = 0\r\n"
           "Window extent        = 10000 7500\r\n"
           "Centre               = 0 0\r\n"
           "Scale                = 137000000\r\n"
           "Projection type      = MERC\r\n"
           "Projection origin    = 0 0\r\n"
           "Map box style        = 1 0 0 0 1 0 170 211 232 99\r\n"
           "Grid style           = " + kGridFormat + "\r\n"
           "Grid position        = 1\r\n"
           "Grid on/off          = 0\r\n"
           "Grid size            = 30\r\n"
           "Grid increment       = 1\r\n"
           "Antialiasing         = 1\r\n";
}

void AddDataLayer(MapDocument& document, const std::string& file, const std::string& format) {
    document.dataLayers[static_cast<size_t>(document.dataLayerCount++)] = {file, format};
}

int ReadDocument(MapDocument& document, const std::string& text) {
    std::istringstream in(text);
    return document.Read(in);
}

void PaintDocument(MapDocument& document, Detail detail) {
    constexpr TRect rect{0, 0, 200, 150};
    for (bool fullDetail : {false, true}) {
        if (fullDetail && detail == Detail::Simplified) break;
        badclient = 0;
        noredraw = 0;
        MapView view(document, ViewSettings{.mapDirectory = Workspace().string(),
                                            .dataDirectory = Workspace().string(),
                                            .fullDetail = fullDetail});
        RecordingDC dc(TSize{rect.right, rect.bottom});
        view.Paint(dc, rect);
    }
    badclient = 0;
}

}  // namespace okap::fuzz
