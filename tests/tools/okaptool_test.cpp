// okaptool's commands, run as a user runs them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <QImage>

#include "mapfiles/line_reader.h"
#include "support/temp_dir.h"
#include "tools/okaptool_fixture.h"
#include "view/map_layer_fixture.h"

namespace okap {
namespace {

using test::OkaptoolTest;
using test::Quoted;
using test::Result;

const char* const kCoast = "\"COASTLIN\",12,-3        \r\n10.5,45.25\r\n11,46\r\n12,47.5\r\n";

TEST_F(OkaptoolTest, HelpExplainsEveryOption) {
    Result r = Run({"translate", "--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"--projection", "--origin-lon", "--origin-lat", "--resolution", "--boundary", "--west",
                               "--east", "--north", "--south", "--threads", "--maps", "--replace", "Mercator Cylindrical", "UPST"})
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

// A text map with lines ending in CR alone translates as one ending in
// CR LF; an input that yields nothing says so.
TEST_F(OkaptoolTest, LineEndsAndAnEmptyInput) {
    dir.Write("lf.mpa", "\"A\",1,-2\r\n0,0\r\n1,1\r\n");
    dir.Write("cr.mpa", "\"A\",1,-2\r0,0\r1,1\r");
    dir.Write("none.mpa", "");
    Result r = Run({"translate", "lf.mpa", "lf"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Run({"translate", "cr.mpa", "cr"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(test::TempDir::Read(dir / "cr.mpb"), test::TempDir::Read(dir / "lf.mpb"));
    r = Run({"translate", "none.mpa", "none"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("Translation done: 0 segments and 0 points written to none.mpb"), std::string::npos) << r.err;
}

TEST_F(OkaptoolTest, WrongArgumentsAndFailures) {
    dir.Write("coast.mpa", kCoast);
    dir.Write("bad.mpb", "OKAP but nothing more");
    std::filesystem::create_directory(dir / "folder.mpa");
    // A line without an end, longer than any text map's line.
    const std::string endless(LineReader::kMaxLineLength + 1, '1');
    dir.Write("endless.mpa", endless);
    dir.Write("endless2.mpa", "\"A\",1,-2\r\n" + endless);
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
        {{"translate", "coast.mpa", "x", "--threads", "0"}, 2, "--threads needs a whole number from 1 to 1024, not '0'"},
        {{"translate", "coast.mpa", "x", "--threads", "two"}, 2, "--threads needs a whole number"},
        {{"translate", "coast.mpa", "x", "--threads=1.5"}, 2, "--threads needs a whole number"},
        {{"import", "coast.geojson", "x", "--threads", "-2"}, 2, "--threads needs a whole number"},
        {{"translate", "coast.mpa", "x", "--maps", "nowhere"}, 1, "Error: Map file path does not exist"},
        {{"translate", "coast.mpa", "x", "--west", "10", "--east", "5"}, 1,
         "Error: Invalid selection of map boundary positions"},
        {{"translate", "none.mpa", "x"}, 1, "Error: Error opening input map file : none.mpa"},
        // A folder reads as an empty file: refused as a missing one.
        {{"translate", "folder.mpa", "x"}, 1, "Error: Error opening input map file : folder.mpa"},
        {{"translate", "coast.mpa", "coast", "--projection", "TEXT"}, 1, "Error: Can't read and write to same file"},
        {{"translate", "endless.mpa", "x"}, 1,
         "Error: Line 1 of input text map file is longer than 16 MB: it is not a text map"},
        {{"translate", "endless2.mpa", "x", "--threads", "2"}, 1,
         "Error: Line 2 of input text map file is longer than 16 MB: it is not a text map"},
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

// A document of a 200 x 150 window at scale 1000000 on a sea-blue map box
// with one green island: logical (4000, -3000)-(6000, -4500), pixels
// (80, 60)-(120, 90) (see the view tests' fixture).
class RenderTest : public OkaptoolTest {
protected:
    static constexpr const char* kGridFormat =
        "Grid Format - OKAP version 1\r\n"
        "Major grid style     = 1 0 0 0 1 0 255 255 255 99\r\n"
        "Minor grid style     = 1 0 0 0 1 0 255 255 255 99\r\n"
        "Ticks                = 0 0\r\n"
        "Axes                 = 0 0 0 0\r\n"
        "Label format         = 0\r\n"
        "Label text style     = 0 \"Arial\" 0 0 0 0 0 10 0 0 0.5 400 0 2 \r\n";

    // The map and format files go to mapDir, the document to docDir.
    void WriteDocument(const std::string& docDir, const std::string& mapDir, bool withGridFormat = true) {
        std::filesystem::create_directories(dir / docDir);
        std::filesystem::create_directories(dir / mapDir);
        dir.Write(mapDir + "/islands.mpb",
                  test::BuildMap(test::MapOf({test::Area(1, test::Square(4000, -3000, 6000, -4500))})));
        dir.Write(mapDir + "/islands.okf", "F1 = Island : 1 0 0 0 0 0 0 200 0 99\r\n");
        if (withGridFormat) dir.Write(mapDir + "/std.okg", kGridFormat);
        dir.Write(docDir + "/islands.oki",
                  "Map File Information - OKAP version 1\r\n"
                  "Window origin        = 0 0\r\n"
                  "Window size          = 200 150\r\n"
                  "Number of map files  = 1\r\n"
                  "Mapfile  1 = islands.mpb islands.okf\r\n"
                  "Number of data files = 0\r\n"
                  "Number of details    = 0\r\n"
                  "Window extent        = 10000 7500\r\n"
                  "Centre               = 0 0\r\n"
                  "Scale                = 1000000\r\n"
                  "Projection type      = MERC\r\n"
                  "Projection origin    = 0 0\r\n"
                  "Map box style        = 1 0 0 0 1 0 0 0 200 99\r\n"
                  "Grid style           = std.okg\r\n"
                  "Grid position        = 2\r\n"
                  "Grid on/off          = 0\r\n"
                  "Grid size            = 90\r\n"
                  "Grid increment       = 3\r\n");
    }

    // The island's middle is green, the sea around it blue.
    static void ExpectIsland(const std::filesystem::path& png, int width, int height) {
        QImage image;
        ASSERT_TRUE(image.load(QString::fromStdString(png.string()), "PNG"));
        EXPECT_EQ(image.size(), QSize(width, height));
        const QColor land(0, 200, 0), sea(0, 0, 200);
        EXPECT_EQ(image.pixelColor(width / 2, height / 2), land);
        EXPECT_EQ(image.pixelColor(width * 2 / 5 + 3, height * 2 / 5 + 3), land);
        EXPECT_EQ(image.pixelColor(width / 5, height / 5), sea);
        EXPECT_EQ(image.pixelColor(width * 9 / 10, height * 9 / 10), sea);
    }
};

TEST_F(RenderTest, PngSvgAndPdf) {
    WriteDocument("docs", "maps");
    // The document's window size by default.
    Result r = Run({"render", "docs/islands.oki", "out.png", "--maps", "maps"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    ExpectIsland(dir / "out.png", 200, 150);

    r = Run({"render", "docs/islands.oki", "big.png", "--maps", "maps", "--size", "400x300"});
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectIsland(dir / "big.png", 400, 300);

    r = Run({"render", "docs/islands.oki", "out.svg", "--maps=maps"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(test::TempDir::Read(dir / "out.svg").find("<svg"), std::string::npos);

    r = Run({"render", "docs/islands.oki", "out.PDF", "--maps", "maps", "--size", "300x200"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::TempDir::Read(dir / "out.PDF").substr(0, 4), "%PDF");
}

// An SVG holds its lines at their true width in its own units, so that a
// renderer that knows nothing of non-scaling strokes (librsvg) draws the
// coast and the grid where the PNG has them. The island's coast is a red
// hairline; the grid, under the map, has yellow lines 3 pixels wide
// (12 line-width units of a quarter pixel) through the view's middle.
// Neither the sea, the land nor the white around has any red in it, so a
// pixel's red tells how much of it a line covers.
TEST_F(RenderTest, SvgLinesShowAtTheirWidthInAnyRenderer) {
    if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "rsvg-convert (Debian's librsvg2-bin) is not installed";
    WriteDocument("docs", "maps");
    dir.Write("maps/islands.okf", "F1 = Island : 1 255 0 0 0 0 0 200 0 99\r\n");
    std::string grid = kGridFormat;
    for (const char* style : {"Major grid style     = ", "Minor grid style     = "}) {
        const size_t at = grid.find(style) + std::string(style).size();
        grid.replace(at, grid.find('\r', at) - at, "1 255 255 0 12 0 255 255 255 99");
    }
    dir.Write("maps/std.okg", grid);
    std::string document = test::TempDir::Read(dir / "docs/islands.oki");
    document.replace(document.find("Grid position        = 2"), 24, "Grid position        = 0");
    document.replace(document.find("Grid on/off          = 0"), 24, "Grid on/off          = 1");
    dir.Write("docs/islands.oki", document);

    for (const char* out : {"out.png", "out.svg"}) {
        Result r = Run({"render", "docs/islands.oki", out, "--maps", "maps"});
        ASSERT_EQ(r.status, 0) << r.err;
    }
    const std::string rasterise = "rsvg-convert -w 200 -h 150 -o " + Quoted((dir / "svg.png").string()) + " " +
                                  Quoted((dir / "out.svg").string());
    ASSERT_EQ(std::system(rasterise.c_str()), 0);
    QImage png, svg;
    ASSERT_TRUE(png.load(QString::fromStdString((dir / "out.png").string()), "PNG"));
    ASSERT_TRUE(svg.load(QString::fromStdString((dir / "svg.png").string()), "PNG"));
    ASSERT_EQ(svg.size(), png.size());

    struct Line {
        const char* what;
        QColor colour;
        int minimumPixels;  // in the PNG
        bool wide;
    };
    for (const Line& line : {Line{"coast", QColor(255, 0, 0), 100, false}, Line{"grid", QColor(255, 255, 0), 400, true}}) {
        SCOPED_TRACE(line.what);
        int pixels = 0, missing = 0, covered = 0;
        for (int y = 1; y < png.height() - 1; ++y) {
            for (int x = 1; x < png.width() - 1; ++x) {
                if (png.pixelColor(x, y) != line.colour) continue;
                ++pixels;
                // The rasteriser smooths a line's edges: a hairline between
                // two pixels covers half of each.
                int strongest = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) strongest = std::max(strongest, svg.pixelColor(x + dx, y + dy).red());
                missing += strongest < 96;
                const QColor here = svg.pixelColor(x, y);
                covered += here.red() > 240 && std::abs(here.green() - line.colour.green()) < 16;
            }
        }
        EXPECT_GE(pixels, line.minimumPixels);
        EXPECT_EQ(missing, 0);
        // A 3-pixel stroke covers two of its three pixels whole wherever it
        // lies; a hairline at most one.
        if (line.wide) EXPECT_GE(covered * 2, pixels);
    }
}

TEST_F(RenderTest, MapDirectoryFromOkapIniOrTheDocument) {
    // okap.ini's "Map Files", when there is no --maps.
    WriteDocument("docs", "maps");
    std::filesystem::create_directories(output / "config/okap");
    output.Write("config/okap/okap.ini", "[File Paths]\r\nMap Files=" + (dir / "maps").string() +
                                             "\r\nData Files=" + (dir / "maps").string() + "\r\n");
    Result r = Run({"render", "docs/islands.oki", "ini.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectIsland(dir / "ini.png", 200, 150);

    // Else the document's own directory.
    std::filesystem::remove(output / "config/okap/okap.ini");
    WriteDocument("together", "together");
    r = Run({"render", "together/islands.oki", "own.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectIsland(dir / "own.png", 200, 150);
}

TEST_F(RenderTest, FailuresWriteNothing) {
    WriteDocument("docs", "maps");
    WriteDocument("nogrid", "nogrid", false);
    WriteDocument("folders", "folders");
    std::filesystem::remove(dir / "folders/islands.okf");
    std::filesystem::create_directory(dir / "folders/islands.okf");
    dir.Write("docs/islands.txt", "not a document");
    dir.Write("docs/std.okg", kGridFormat);
    dir.Write("out.png", "old picture");
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* err;  // part of standard error
    };
    const Row rows[] = {
        {{"render", "docs/islands.oki", "out.png", "--maps", "nowhere"}, 1, "Error: Map file path does not exist"},
        // The map layer is not in the document's directory (its grid format is).
        {{"render", "docs/islands.oki", "out.png"}, 1, "Error: Error opening input map file : islands.mpb"},
        {{"render", "nogrid/islands.oki", "out.png"}, 1, "Error: Error opening grid format file"},
        {{"render", "folders/islands.oki", "out.png"}, 1, "Error: Error opening map format file"},
        {{"render", "docs/none.oki", "out.png", "--maps", "maps"}, 1, "Unable to read file"},
        {{"render", "docs/islands.txt", "out.png", "--maps", "maps"}, 2, "Input file is not an OKAP .oki file"},
        {{"render", "docs/islands.oki", "out.gif", "--maps", "maps"}, 2, "OUTPUT must end in .png, .svg or .pdf"},
        {{"render", "docs/islands.oki", "out.png", "--size", "0x10"}, 2, "--size needs WIDTHxHEIGHT"},
        {{"render", "docs/islands.oki", "out.png", "--size", "wide"}, 2, "--size needs WIDTHxHEIGHT"},
        {{"render", "docs/islands.oki"}, 2, "wrong number of arguments"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args[1] + " " + row.args.back());
        Result r = Run(row.args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
        EXPECT_EQ(test::TempDir::Read(dir / "out.png"), "old picture");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out.gif"));

    Result r = Run({"render", "--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"--size", "--maps", "--data", "okap.ini", ".png", ".svg", ".pdf"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace okap
