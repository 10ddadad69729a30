#include "app/frame/first_start.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/app_fixture.h"

namespace okap {
namespace {

using test::AppFixture;
namespace fs = std::filesystem;

class FirstStartTest : public AppFixture {
protected:
    // A program installed under dir/prefix: bin/, the help pages and, when
    // asked, the samples in share/okap.
    fs::path Install(bool withSamples) {
        const fs::path share = dir / "prefix" / "share" / "okap";
        fs::create_directories(dir / "prefix" / "bin");
        fs::create_directories(share / "help");
        dir.Write("prefix/share/okap/help/contents.html", "<html></html>");
        if (withSamples) {
            fs::create_directories(share / "samples");
            dir.Write("prefix/share/okap/samples/world.oki", "installed document");
            dir.Write("prefix/share/okap/samples/worldmer.mpb", "installed map");
        }
        return dir / "prefix" / "bin";
    }

    std::vector<std::string> HomeNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir / "home")) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(FirstStartTest, InstalledProgramUsesItsSharedFolderAndGivesANewUserTheSamples) {
    const fs::path home = dir / "home";
    const fs::path samples = home / "okap-samples";
    const fs::path documents = home / "Documents" / "OKAP";
    const struct {
        const char* note;
        bool installed;
        bool withSamples;
        bool ownWorkspace;  // the user has ~/okap-samples already
        std::string maps;
        std::vector<std::string> homeNames;
    } rows[] = {
        {"run from the build", false, false, false, (documents / "maps").string(), {"Documents"}},
        {"installed, new user", true, true, false, samples.string(), {"okap-samples"}},
        {"installed, own workspace kept", true, true, true, samples.string(), {"okap-samples"}},
        {"installed without samples", true, false, false, (documents / "maps").string(), {"Documents"}},
    };
    for (const auto& row : rows) {
        fs::remove_all(dir / "prefix");
        fs::remove_all(home);
        fs::create_directories(home);
        const fs::path program = row.installed ? Install(row.withSamples) : dir / "program";
        if (row.ownWorkspace) {
            fs::create_directories(samples);
            dir.Write("home/okap-samples/world.oki", "changed by the user");
        }

        const ACDialogTB settings = FirstStartSettings(program);

        const fs::path expectedProgram = row.installed ? dir / "prefix" / "share" / "okap" : program;
        EXPECT_EQ(settings.programPath, expectedProgram.string()) << row.note;
        EXPECT_EQ(settings.mapsPath, row.maps) << row.note;
        EXPECT_EQ(settings.dataPath, row.maps == samples.string() ? row.maps : (documents / "data").string())
            << row.note;
        // No half-made copy is left beside the workspace.
        EXPECT_EQ(HomeNames(), row.homeNames) << row.note;
        if (row.ownWorkspace) {
            EXPECT_EQ(test::TempDir::Read(samples / "world.oki"), "changed by the user") << row.note;
            EXPECT_FALSE(fs::exists(samples / "worldmer.mpb")) << row.note;
        } else if (row.withSamples) {
            EXPECT_EQ(test::TempDir::Read(samples / "world.oki"), "installed document") << row.note;
            EXPECT_EQ(test::TempDir::Read(samples / "worldmer.mpb"), "installed map") << row.note;
        }
    }
}

TEST_F(FirstStartTest, SamplesThatCannotBeCopiedWholeLeaveNothingBehind) {
    const fs::path program = Install(true);
    // A named pipe is no file to copy: the copy fails beside files that
    // copy well.
    ASSERT_EQ(mkfifo((dir / "prefix" / "share" / "okap" / "samples" / "pipe").c_str(), 0600), 0);

    const ACDialogTB settings = FirstStartSettings(program);

    EXPECT_EQ(settings.mapsPath, (dir / "home" / "Documents" / "OKAP" / "maps").string());
    EXPECT_EQ(HomeNames(), std::vector<std::string>{"Documents"});
}

}  // namespace
}  // namespace okap
