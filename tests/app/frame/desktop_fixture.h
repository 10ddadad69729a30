#pragma once
// A started program over a map folder holding the sample world's document
// (with a small map in place of the shorelines), for the tests of what the
// desktop asks of the main window: documents named on the command line or
// dropped, recent files, keys and the title.

#include <filesystem>
#include <string>

#include "app/app_fixture.h"
#include "app/document_fixture.h"
#include "app/frame/main_frame.h"

namespace okap::test {

class DesktopTest : public AppFixture {
protected:
    DesktopTest() {
        for (const char* name : {"world.okf", "std.okg", "cities.dat", "cities.okd", "okap.sym"})
            std::filesystem::copy_file(SamplesDirectory() / name, dir / "maps" / name);
        dir.Write("maps/worldmer.mpb", SmallWorldMap());
    }

    MainFrame& StartFrame() {
        WriteIni(GoodIni());
        return *Start().Frame();
    }

    // The sample document as maps/NAME; its full name.
    QString Document(const std::string& name) const {
        const std::filesystem::path path = dir / "maps" / name;
        std::filesystem::copy_file(SamplesDirectory() / "world-mercator.oki", path,
                                   std::filesystem::copy_options::overwrite_existing);
        return QString::fromStdString(path.string());
    }
};

}  // namespace okap::test
