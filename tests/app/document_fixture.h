#pragma once
// A workspace for the document window tests: the sample world's documents
// and format files in a fresh directory, with a small binary map in place of
// the translated shorelines, and an application object whose settings point
// at the workspace and whose status bar the tests read.

#include <gtest/gtest.h>

#include <QDialog>
#include <QStatusBar>
#include <filesystem>
#include <string>

#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "core/globals.h"
#include "mapfiles/map_fixtures.h"
#include "support/temp_dir.h"

namespace okap::test {

// The samples folder of the source tree.
inline std::filesystem::path SamplesDirectory() { return OKAP_SAMPLES_DIR; }

inline constexpr int32_t kWorldDegree = 1111200;

// The Mercator map that world-mercator.oki names: the whole world as its
// region, one land area (feature 1) from 60W 50S to 60E 50N in world
// decimetres (proj +proj=merc +ellps=GRS80 +units=dm).
inline std::string SmallWorldMap() {
    MapLayout layout;
    layout.west = -180 * kWorldDegree;
    layout.north = 84 * kWorldDegree;
    layout.east = 180 * kWorldDegree;
    layout.south = -80 * kWorldDegree;
    SegmentLayout land;
    land.name = "LAND    ";
    land.type = 1;
    land.points = {{-66791694, 64135245}, {66791694, 64135245}, {66791694, -64135245}, {-66791694, -64135245},
                   {-66791694, 64135245}};
    land.storedCount = static_cast<int32_t>(land.points.size());
    land.box = {{-66791694, 64135245}, {66791694, -64135245}};
    layout.segments = {land};
    return BuildMap(layout);
}

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() {
        for (const char* name : {"world-mercator.oki", "world.okf", "std.okg", "cities.dat", "cities.okd", "okap.sym"})
            std::filesystem::copy_file(SamplesDirectory() / name, dir / name);
        dir.Write("worldmer.mpb", SmallWorldMap());
        ResetGlobals();
        application.mapPath = dir.Path().string();
        application.dataPath = dir.Path().string();
        application.metafileResolution = 1000;
        application.statusBar = &statusBar;
        app = &application;
        // Unless a test answers them, dialogs are cancelled: File New's Map
        // Layers among them.
        SetModalDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
    }
    ~DocumentTest() override {
        SetModalDialogRunner({});
        app = nullptr;
        ResetGlobals();
    }

    std::string Status() const { return statusBar.currentMessage().toStdString(); }
    std::string Sample() const { return (dir / "world-mercator.oki").string(); }

    TempDir dir;
    okapApp application;
    QStatusBar statusBar;
};

}  // namespace okap::test
