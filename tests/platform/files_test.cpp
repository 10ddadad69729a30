// The file stand-ins: profile files, directory search, SetWD and safe writing.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include "platform/config_location.h"
#include "platform/directory_search.h"
#include "platform/profile_file.h"
#include "platform/safe_file_writer.h"
#include "platform/set_wd.h"
#include "support/temp_dir.h"

namespace okap {
namespace {

using test::TempDir;

TEST(ProfileFileTest, ReadsKeysWithoutRegardToCase) {
    TempDir dir;
    ProfileFile ini(dir.Write("okap.ini",
                              "; settings\r\n[File Paths]\r\nMap Path = /home/me/maps  \r\n"
                              "[Configuration]\nPostscript modification=\"1\"\n"));
    EXPECT_EQ(ini.GetString("file paths", "MAP PATH"), "/home/me/maps");
    EXPECT_EQ(ini.GetString("Configuration", "postscript modification"), "1");  // quotes removed, LF accepted
    EXPECT_EQ(ini.GetString("Configuration", "Map Path"), std::nullopt);        // key of another section
    EXPECT_EQ(ini.GetString("Missing", "Map Path"), std::nullopt);
    EXPECT_EQ(ProfileFile(dir / "absent.ini").GetString("File Paths", "Map Path"), std::nullopt);
}

TEST(ProfileFileTest, WritingChangesOnlyItsOwnLine) {
    TempDir dir;
    ProfileFile ini(dir.Write("okap.ini", "; keep me\n[File Paths]\r\nmap path=/old\r\nData Path=/data\n\n[Other]\nx=1"));
    ASSERT_TRUE(ini.WriteString("FILE PATHS", "Map Path", "/new"));
    ASSERT_TRUE(ini.WriteString("File Paths", "Program Path", "/prog"));  // new key after the section's last key
    ASSERT_TRUE(ini.WriteString("Other", "y", "2"));                     // section at the end without a final newline
    ASSERT_TRUE(ini.WriteString("Configuration", "Metafile resolution", "1000"));
    EXPECT_EQ(TempDir::Read(dir / "okap.ini"),
              "; keep me\n[File Paths]\r\nmap path=/new\r\nData Path=/data\nProgram Path=/prog\r\n\n"
              "[Other]\nx=1\r\ny=2\r\n[Configuration]\r\nMetafile resolution=1000\r\n");
}

TEST(ProfileFileTest, DeletingAKeyRemovesOnlyItsLine) {
    TempDir dir;
    ProfileFile ini(dir.Write("okap.ini", "[A]\r\nx=1\r\n[Recent Files]\r\nFile1=/a.oki\r\nfile2=/b.oki\r\n[B]\r\nFile2=keep\r\n"));
    ASSERT_TRUE(ini.DeleteKey("recent files", "FILE2"));
    ASSERT_TRUE(ini.DeleteKey("Recent Files", "File7"));  // absent: nothing to do
    ASSERT_TRUE(ProfileFile(dir / "absent.ini").DeleteKey("A", "x"));
    EXPECT_FALSE(std::filesystem::exists(dir / "absent.ini"));
    EXPECT_EQ(TempDir::Read(dir / "okap.ini"), "[A]\r\nx=1\r\n[Recent Files]\r\nFile1=/a.oki\r\n[B]\r\nFile2=keep\r\n");
}

TEST(ProfileFileTest, WritingCreatesTheFileAndItsDirectory) {
    TempDir dir;
    ProfileFile ini(dir / "okap" / "okap.ini");
    ASSERT_TRUE(ini.WriteString("File Paths", "Map Path", "/maps"));
    EXPECT_EQ(TempDir::Read(ini.Path()), "[File Paths]\r\nMap Path=/maps\r\n");
}

TEST(ConfigLocationTest, FollowsTheXdgBaseDirectories) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "/root";
    setenv("HOME", home.c_str(), 1);
    const struct {
        const char* variable;
        std::filesystem::path (*location)();
        const char* underVariable;  // with the variable set to /tmp/xdg
        const char* underHome;      // with it empty
    } rows[] = {
        {"XDG_CONFIG_HOME", ConfigFilePath, "/tmp/xdg/okap/okap.ini", ".config/okap/okap.ini"},
        {"XDG_STATE_HOME", StateDirectory, "/tmp/xdg/okap", ".local/state/okap"},
    };
    for (const auto& row : rows) {
        const char* saved = std::getenv(row.variable);
        const std::string savedValue = saved ? saved : "";
        setenv(row.variable, "/tmp/xdg", 1);
        EXPECT_EQ(row.location(), std::filesystem::path(row.underVariable));
        setenv(row.variable, "", 1);
        EXPECT_EQ(row.location(), std::filesystem::path(home) / row.underHome);
        if (saved) {
            setenv(row.variable, savedValue.c_str(), 1);
        } else {
            unsetenv(row.variable);
        }
    }
}

TEST(DirectorySearchTest, MatchesWithoutRegardToCaseAndSortsByName) {
    TempDir dir;
    for (const char* name : {"World.OKF", "coast.okf", "b.okf.bak", "Rivers.okf", "readme"}) dir.Write(name, "");
    std::filesystem::create_directory(dir / "dir.okf");  // directories are not listed
    EXPECT_EQ(FindFiles("*.okf", dir.Path()), (std::vector<std::string>{"coast.okf", "Rivers.okf", "World.OKF"}));
    EXPECT_EQ(FindFiles("*.*", dir.Path()).size(), 5u);
    EXPECT_EQ(FindFiles("?oast.OKF", dir.Path()), std::vector<std::string>{"coast.okf"});
    EXPECT_TRUE(FindFiles("*", dir / "missing").empty());
}

TEST(DirectorySearchTest, WildcardTable) {
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    } const cases[] = {
        {"*.mpb", "coast.MPB", true}, {"*.mpb", "coast.mpb.tmp", false}, {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYc d", false},  {"*", "", true},                    {"?", "", false},
        {"*.*", "noext", true},       {"c?ast*", "coast", true},
    };
    for (const Case& c : cases) EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

TEST(SetWDTest, EntersTheDirectoryWithTrailingBlanksRemoved) {
    TempDir dir;
    std::filesystem::create_directory(dir / "maps");
    EXPECT_EQ(SetWD((dir / "maps").string() + "   "), 0);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir / "maps"));
    EXPECT_EQ(SetWD((dir / "nowhere").string()), 1);
    EXPECT_EQ(SetWD("   "), 1);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir / "maps"));  // unchanged on failure
}

TEST(SafeFileWriterTest, ReplacesTheTargetOnlyOnCommit) {
    TempDir dir;
    std::filesystem::path target = dir.Write("map.oki", "old");
    {
        SafeFileWriter writer(target);
        ASSERT_TRUE(writer.IsOpen());
        writer.Stream() << "half";
        // Abandoned: no commit.
    }
    EXPECT_EQ(TempDir::Read(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // temporary file removed

    // While it is written the new file has no name: a writer killed then
    // leaves nothing behind.
    {
        SafeFileWriter writer(target);
        ASSERT_TRUE(writer.IsOpen());
        writer.Stream() << "newer";
        writer.Stream().flush();
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
        ASSERT_TRUE(writer.Commit());
    }
    EXPECT_EQ(TempDir::Read(target), "newer");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    // A new file, and one that must not replace what appeared meanwhile.
    {
        SafeFileWriter first(dir / "new.mpb", false);
        SafeFileWriter second(dir / "new.mpb", false);
        first.Stream() << "first";
        second.Stream() << "second";
        EXPECT_TRUE(first.Commit());
        EXPECT_FALSE(second.Commit());
        EXPECT_TRUE(second.TargetAppeared());
    }
    EXPECT_EQ(TempDir::Read(dir / "new.mpb"), "first");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);

    ASSERT_TRUE(WriteFileSafely(target, "new"));
    EXPECT_EQ(TempDir::Read(target), "new");
    EXPECT_FALSE(WriteFileSafely(dir / "missing" / "x.oki", "data"));
}

TEST(SafeFileWriterTest, RemovesHiddenTemporariesOfKilledWritersOnly) {
    TempDir dir;
    const std::filesystem::path target = dir.Write("map.oki", "old");
    // Left by a writer killed while its file had a name, and one whose
    // writer still lives (it holds the lock), and another file's.
    const std::filesystem::path stale = dir.Write(".map.oki.a1B2c3", "half");
    const std::filesystem::path live = dir.Write(".map.oki.x9Y8z7", "being written");
    const std::filesystem::path otherFiles = dir.Write(".europe.oki.a1B2c3", "half");
    const int liveWriter = open(live.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(liveWriter, 0);
    ASSERT_EQ(flock(liveWriter, LOCK_EX), 0);

    ASSERT_TRUE(WriteFileSafely(target, "new"));
    EXPECT_EQ(TempDir::Read(target), "new");
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(live));
    EXPECT_TRUE(std::filesystem::exists(otherFiles));
    close(liveWriter);
}

}  // namespace
}  // namespace okap
