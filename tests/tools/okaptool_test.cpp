// okaptool's translate and info commands, run as a user runs them.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace okap {
namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class OkaptoolTest : public ::testing::Test {
protected:
    // Runs okaptool with args in the test's directory.
    Result Run(const std::vector<std::string>& args) {
        std::string command = "cd " + Quoted(dir.Path().string()) + " && " + Quoted(OKAPTOOL_PATH);
        for (const std::string& arg : args) command += " " + Quoted(arg);
        command += " >" + Quoted((output / "out").string()) + " 2>" + Quoted((output / "err").string());
        Result result;
        int raw = std::system(command.c_str());
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = test::TempDir::Read(output / "out");
        result.err = test::TempDir::Read(output / "err");
        return result;
    }

    test::TempDir dir;
    // Standard output and error are kept apart from the maps.
    test::TempDir output;
};

const char* const kCoast = "\"COASTLIN\",12,-3        \r\n10.5,45.25\r\n11,46\r\n12,47.5\r\n";

TEST_F(OkaptoolTest, HelpExplainsEveryOption) {
    Result r = Run({"translate", "--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"--projection", "--origin-lon", "--origin-lat", "--resolution", "--boundary", "--west",
                               "--east", "--north", "--south", "--maps", "--replace", "Mercator Cylindrical", "UPST"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
    r = Run({"info", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("tab-separated"), std::string::npos);
}

TEST_F(OkaptoolTest, TranslateInTheMapDirectoryThenInfo) {
    std::filesystem::create_directory(dir / "maps");
    dir.Write("maps/coast.mpa", kCoast);
    Result r = Run({"translate", "coast.mpa", "coastline", "--maps", "maps"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "coastlin.mpb\n");
    EXPECT_EQ(r.err, "");
    ASSERT_TRUE(std::filesystem::exists(dir / "maps/coastlin.mpb"));

    r = Run({"info", "maps/coastlin.mpb"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line : {"form: binary\n", "projection: MERC\n", "region west: -180.000000\n",
                             "directory offset: 70\n", "segments: 1\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
    // The box from PROJ's command-line tool, truncated:
    // proj +proj=merc +ellps=GRS80 +units=dm gives 11688546.53 56306076.50
    // for 10.5 45.25 and 13358338.90 59925538.25 for 12 47.5.
    EXPECT_NE(r.out.find("\n\nname\ttype\tkind\tcount\tdata\twest\tnorth\teast\tsouth\n"
                         "COASTLIN\t12\tline\t3\t46\t11688546\t59925538\t13358338\t56306076\n"),
              std::string::npos)
        << r.out;

    r = Run({"info", "maps/coast.mpa"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("form: text\n"), std::string::npos);
    EXPECT_NE(r.out.find("projection: TEXT\n"), std::string::npos);
    EXPECT_NE(r.out.find("COASTLIN\t12\tline\t3\t-\t-\t-\t-\t-\n"), std::string::npos) << r.out;
}

TEST_F(OkaptoolTest, ProjectionByNameOrCode) {
    dir.Write("coast.mpa", kCoast);
    struct Row {
        const char* projection;
        const char* file;
        const char* code;
    };
    const Row rows[] = {{"eqic", "a.mpb", "EQIC"},
                        {"Equidistant Cylindrical", "b.mpb", "EQIC"},
                        {"TEXT", "c.mpa", "TEXT"},
                        {"Import/Export Text", "d.mpa", "TEXT"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.projection);
        const std::string name(row.file, 1);
        Result r = Run({"translate", "coast.mpa", name, "--projection", row.projection, "--origin-lon", "12"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, std::string(row.file) + "\n");
        r = Run({"info", row.file});
        EXPECT_NE(r.out.find(std::string("projection: ") + row.code + "\n"), std::string::npos) << r.out;
    }
}

TEST_F(OkaptoolTest, ExistingOutputNeedsReplace) {
    dir.Write("coast.mpa", kCoast);
    dir.Write("newmap.mpb", "old contents");
    Result r = Run({"translate", "coast.mpa", "newmap"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("File newmap.mpb already exists"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--replace"), std::string::npos) << r.err;
    EXPECT_EQ(test::TempDir::Read(dir / "newmap.mpb"), "old contents");

    r = Run({"translate", "coast.mpa", "newmap", "--replace"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::TempDir::Read(dir / "newmap.mpb").substr(0, 4), "OKAP");
}

TEST_F(OkaptoolTest, WrongArgumentsAndFailures) {
    dir.Write("coast.mpa", kCoast);
    dir.Write("bad.mpb", "OKAP but nothing more");
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* err;  // part of standard error
    };
    const Row rows[] = {
        {{"translate", "coast.mpa"}, 2, "wrong number of arguments"},
        {{"translate", "coast.mpa", "x", "--projection", "Gnomonic"}, 2, "unknown projection 'Gnomonic'"},
        {{"translate", "coast.mpa", "x", "--west", "abc"}, 2, "--west needs a number of degrees"},
        {{"translate", "coast.mpa", "x", "--bogus"}, 2, "unknown option --bogus"},
        {{"translate", "coast.mpa", "x", "--maps", "nowhere"}, 1, "Error: Map file path does not exist"},
        {{"translate", "coast.mpa", "x", "--west", "10", "--east", "5"}, 1,
         "Error: Invalid selection of map boundary positions"},
        {{"translate", "none.mpa", "x"}, 1, "Error: Error opening input map file : none.mpa"},
        {{"translate", "coast.mpa", "coast", "--projection", "TEXT"}, 1, "Error: Can't read and write to same file"},
        {{"info", "bad.mpb"}, 1, "Error: Input file is not an OKAP map file"},
        {{"info"}, 2, "wrong number of arguments"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.back());
        Result r = Run(row.args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "x.mpb"));
}

}  // namespace
}  // namespace okap
