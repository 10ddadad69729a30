#include "view/map_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/globals.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"

namespace okap {
namespace {

// The format's own example: a new document saved after one map layer was
// added and before any zoom.
const std::vector<std::string> kExample = {
    "Map File Information - OKAP version 1",
    "Window origin        = 0 0",
    "Window size          = 480 360",
    "Number of map files  = 1",
    "Mapfile  1 = world.mpb world.okf",
    "Number of data files = 0",
    "Number of details    = 0",
    "Window extent        = 10000 9837",
    "Centre               = -919528 -25585314",
    "Scale                = 200000000",
    "Projection type      = MERC",
    "Projection origin    = 0 0",
    "Map box style        = 1 255 255 255 1 0 0 0 0 99",
    "Grid style           = std.okg",
    "Grid position        = 2",
    "Grid on/off          = 0",
    "Grid size            = 90",
    "Grid increment       = 3",
};
// Where the lines of kExample stand.
enum Line { kOrigin = 1, kSize, kMapCount, kMapfile1, kDataCount, kDetailCount, kExtent, kCentre, kScale,
            kType, kProjOrigin, kBoxStyle, kGridStyle, kGridPosition, kGridOn, kGridSize, kGridIncrement };

// A grid format file whose line styles differ from every document's.
const std::string kGridFormat =
    "Grid Format - OKAP version 1\r\n"
    "Major grid style     = 1 255 0 0 2 0 255 255 255 99\r\n"
    "Minor grid style     = 1 0 0 255 1 2 255 255 255 98\r\n"
    "Ticks                = 1 1\r\n"
    "Axes                 = 1 1 1 1\r\n"
    "Label format         = 0\r\n"
    "Label text style     = 1 \"Arial\" 0 0 0 0 0 10 0 0 0.5 400 0 2 \r\n";

std::string Join(const std::vector<std::string>& lines, const char* end = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

// kExample with the count line given and n copies of entry after it (the
// example's map layer removed first).
std::vector<std::string> WithEntries(Line countLine, const std::string& count, const std::string& entry, int n) {
    std::vector<std::string> lines = kExample;
    if (countLine == kMapCount) lines.erase(lines.begin() + kMapfile1);
    lines[countLine] = count;
    lines.insert(lines.begin() + countLine + 1, static_cast<size_t>(n), entry);
    return lines;
}

template <typename T>
std::string Form(const T& value) {
    std::ostringstream os;
    os << value;
    return os.str();
}

std::string Written(const MapDocument& document, WindowPlacement placement = {0, 0, 480, 360}) {
    std::ostringstream os;
    document.Write(os, placement);
    return os.str();
}

// Every field the file stores; the grid styles are compared apart.
void ExpectSameFileFields(const MapDocument& a, const MapDocument& b) {
    EXPECT_EQ(a.mapLayerCount, b.mapLayerCount);
    EXPECT_EQ(a.dataLayerCount, b.dataLayerCount);
    EXPECT_EQ(a.detailCount, b.detailCount);
    EXPECT_EQ(a.mapLayers, b.mapLayers);
    EXPECT_EQ(a.dataLayers, b.dataLayers);
    EXPECT_EQ(a.details, b.details);
    EXPECT_EQ(a.windowExtent, b.windowExtent);
    EXPECT_EQ(a.centre, b.centre);
    EXPECT_EQ(a.scale, b.scale);
    EXPECT_EQ(a.projection.Type, b.projection.Type);
    EXPECT_EQ(a.projection.Origin, b.projection.Origin);
    EXPECT_EQ(Form(a.mapBoxStyles[0]), Form(b.mapBoxStyles[0]));
    EXPECT_EQ(a.gridFormatFile, b.gridFormatFile);
    EXPECT_EQ(a.gridPosition, b.gridPosition);
    EXPECT_EQ(a.gridOn, b.gridOn);
    EXPECT_EQ(a.gridSize, b.gridSize);
    EXPECT_EQ(a.gridIncrement, b.gridIncrement);
    EXPECT_EQ(a.antialiasing, b.antialiasing);
}

class MapDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("std.okg", kGridFormat);
        std::filesystem::current_path(dir.Path());
    }
    void TearDown() override { ResetGlobals(); }

    // Reads text as a document file of that name would be read.
    int Read(MapDocument& document, const std::string& text) {
        std::istringstream is(text);
        return document.Read(is);
    }

    test::TempDir dir;
    MessageRecorder recorder;
};

// The format's example, but with the look a new map has: a sea-blue map
// box and a 30-degree grid between the map and the data layers.
TEST_F(MapDocumentTest, NewDocumentWithOneLayerIsWrittenByteForByte) {
    MapDocument document("Document0");
    document.New();
    document.mapLayerCount = 1;
    document.mapLayers[0] = {"world.mpb", "world.okf"};
    std::vector<std::string> expected = kExample;
    expected[kBoxStyle] = "Map box style        = 1 0 0 0 1 0 170 211 232 99";
    expected[kGridPosition] = "Grid position        = 1";
    expected[kGridOn] = "Grid on/off          = 1";
    expected[kGridSize] = "Grid size            = 30";
    expected.push_back("Antialiasing         = 1");
    EXPECT_EQ(Written(document), Join(expected));
}

// Settings newer than the format's fixed lines follow them, found by key;
// a document without them reads as it always did and is written back
// exactly, so older programs and older files keep working.
TEST_F(MapDocumentTest, NewerSettingsFollowTheFixedLines) {
    struct Case {
        std::vector<std::string> extra;
        int antialiasing;
    };
    const Case cases[] = {
        {{}, 0},
        {{"Antialiasing         = 1"}, 1},
        {{"Antialiasing = 1"}, 1},  // padding is not part of the key
        {{"Antialiasing         = 0"}, 0},
        {{"Unknown later key    = 7", "Antialiasing         = 1"}, 1},
        {{"Antialiasing         = yes"}, 0},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = kExample;
        lines.insert(lines.end(), c.extra.begin(), c.extra.end());
        MapDocument read("map.oki", "map.oki");
        read.antialiasing = 5;
        ASSERT_EQ(Read(read, Join(lines)), 1);
        EXPECT_EQ(read.antialiasing, c.antialiasing) << Join(lines);
    }
    MapDocument old("map.oki", "map.oki");
    ASSERT_EQ(Read(old, Join(kExample)), 1);
    EXPECT_EQ(Written(old), Join(kExample));
}

// Modified means: what Save would write of the map differs from what was
// read or last saved. The window's place and size and the window extent
// follow the window, not the map, and do not count.
TEST_F(MapDocumentTest, ModifiedFollowsTheContentAgainstTheFile) {
    const std::filesystem::path path = dir.Write("map.oki", Join(kExample));
    MapDocument document("map.oki", path.string());
    ASSERT_EQ(LoadTextFile(document), 1);
    EXPECT_EQ(document.modified, 0);

    struct Row {
        const char* change;
        void (*apply)(MapDocument&);
        int modified;
    };
    const Row rows[] = {
        {"nothing", [](MapDocument&) {}, 0},
        {"window extent", [](MapDocument& d) { d.windowExtent = {10000, 5000}; }, 0},
        {"scale", [](MapDocument& d) { d.scale = 100000000; }, 1},
        {"centre", [](MapDocument& d) { d.centre.x += 1; }, 1},
        {"grid", [](MapDocument& d) { d.gridOn = 1; }, 1},
        {"map box style", [](MapDocument& d) { d.mapBoxStyles[0].lineWidth = 2; }, 1},
        {"layer", [](MapDocument& d) { d.mapLayers[0].format = "other.okf"; }, 1},
    };
    for (const Row& row : rows) {
        MapDocument changed = document;
        row.apply(changed);
        changed.UpdateModified();
        EXPECT_EQ(changed.modified, row.modified) << row.change;
    }

    // A change undone is no change; a save makes the saved state the new
    // reference.
    document.scale = 5;
    document.UpdateModified();
    EXPECT_EQ(document.modified, 1);
    document.scale = 200000000;
    document.UpdateModified();
    EXPECT_EQ(document.modified, 0);
    document.scale = 5;
    ASSERT_EQ(document.Save({0, 0, 480, 360}), 1);
    document.UpdateModified();
    EXPECT_EQ(document.modified, 0);
}

TEST_F(MapDocumentTest, WriteThenReadGivesTheSameRecord) {
    MapDocument written("Document1");
    written.New();
    written.mapLayerCount = 2;
    written.mapLayers[0] = {"world.mpb", "world.okf"};
    written.mapLayers[1] = {"COAST.MPB", "my coast style.okf"};  // names as on disk; blanks in the format
    written.dataLayerCount = 1;
    written.dataLayers[0] = {"cities.dat", "cities.okd"};
    written.detailCount = 4;
    written.details[0] = MakeDetail("Title", "0.50 0.05", TextStyle());  // ends with a blank
    written.details[1] = "Text \"a = b\" 0.1 0.9 0 \"Times New Roman\" 0 0 0 0 1 0.5 45 0 0.5 700 1 0";
    written.details[2] = "Scale \"nmi\" 0.2 0.93 1 \"Arial\" 0 0 0 0 0 10 0 0 0.5 400 0 0";
    written.details[3] = "North \"N\" 0.94 0.1 1 \"Arial\" 0 0 0 0 0 12 0 0 0.5 700 0 2";
    written.windowExtent = {10000, 7500};
    written.centre = {123456, -654321};
    written.scale = 5000000;
    written.projection = Projection("ORTH", Position(Latitude(45.5), Longitude(-12.25)));
    std::istringstream("1 10 20 30 2 1 200 210 220 3") >> written.mapBoxStyles[0];
    written.gridPosition = 1;
    written.gridOn = 1;
    written.gridSize = 2.5;
    written.gridIncrement = 4;

    const std::string text = Written(written);
    EXPECT_NE(text.find("\nDetail   1 = Text \"Title\" 0.50 0.05 1 \"Arial\" 0 128 128 128 0 12 0 0 0.5 500 0 2\r\n"),
              std::string::npos)
        << "details are written without the blanks at their ends";

    MapDocument read("map.oki", "map.oki");
    ASSERT_EQ(Read(read, text), 1);
    written.details[0].pop_back();  // as the file keeps it
    ExpectSameFileFields(read, written);
    // The grid styles come from the grid format file, not the document.
    EXPECT_EQ(Form(read.gridStyles[0]), "1 255 0 0 2 0 255 255 255 99");
    EXPECT_EQ(Form(read.gridStyles[1]), "1 0 0 255 1 2 255 255 255 98");
    EXPECT_EQ(Written(read), Written(written));
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(MapDocumentTest, LayerLinesSplitAtTheFirstExtension) {
    struct Row {
        Line line;
        const char* written;
        okapFileInfo entry;
    } rows[] = {
        {kMapfile1, "Mapfile  1 = world.mpb world.okf", {"world.mpb", "world.okf"}},
        {kMapfile1, "Mapfile  1 = a.mpb b.mpb.okf", {"a.mpb", "b.mpb.okf"}},  // the first ".mpb"
        {kMapfile1, "Mapfile  1 = world.mpb my coast style.okf", {"world.mpb", "my coast style.okf"}},
        {kMapfile1, "Mapfile  1 = my world.mpb world.okf", {"my world.mpb", "world.okf"}},
        {kMapfile1, "Mapfile  1 = WORLD.MPB world.okf", {"WORLD.MPB", "world.okf"}},  // any case
        {kMapfile1, "Mapfile  1 = world.mpb", {"world.mpb", ""}},
        {kDataCount, "Datafile 1 = cities.dat cities.okd", {"cities.dat", "cities.okd"}},
        // The first ".dat"; the character after it is dropped as the blank would be.
        {kDataCount, "Datafile 1 = a.dat.dat b.okd", {"a.dat", "dat b.okd"}},
    };
    for (const Row& r : rows) {
        std::vector<std::string> lines = kExample;
        if (r.line == kDataCount) {
            lines = WithEntries(kDataCount, "Number of data files = 1", r.written, 1);
        } else {
            lines[r.line] = r.written;
        }
        MapDocument document("map.oki", "map.oki");
        ASSERT_EQ(Read(document, Join(lines)), 1) << r.written;
        const okapFileInfo& entry = r.line == kDataCount ? document.dataLayers[0] : document.mapLayers[0];
        EXPECT_EQ(entry, r.entry) << r.written;
    }
}

TEST_F(MapDocumentTest, ValuesAreReadAsTheFormatSays) {
    std::vector<std::string> lines = WithEntries(
        kDetailCount, "Number of details    = 1",
        "Detail   1 =    Text \"x\" 0.5 0.5 1 \"Arial\" 0 0 0 0 0 9 0 0 0.5 500 0 2  \t", 1);
    lines[kProjOrigin + 1] = "Projection origin    = 12 34";     // longitude first
    lines[kType + 1] = "Projection type      = ORTHOGRAPHIC";  // the four characters after the blank
    lines[kGridStyle + 1] = "Grid style           = my grid.okg";  // everything after "= "
    dir.Write("my grid.okg", kGridFormat);
    MapDocument document("map.oki", "map.oki");
    ASSERT_EQ(Read(document, Join(lines)), 1);
    EXPECT_EQ(document.projection.Origin.Long.GetLong(), 12);
    EXPECT_EQ(document.projection.Origin.Lat.GetLong(), 34);
    EXPECT_EQ(document.projection.Type, "ORTH");
    EXPECT_EQ(document.projection.ProjIndex, 8);
    EXPECT_EQ(document.detailCount, 1);
    EXPECT_EQ(document.details[0], "Text \"x\" 0.5 0.5 1 \"Arial\" 0 0 0 0 0 9 0 0 0.5 500 0 2");  // stripped
    EXPECT_EQ(document.gridFormatFile, "my grid.okg");
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(MapDocumentTest, UnreadableNumbersKeepTheirValues) {
    struct Row {
        Line line;
        const char* written;
        int32_t cx, cy, scale, increment;
        double gridSize;
    } rows[] = {
        // As "%d", "%ld" and "%lf" read them: digits up to the first other character.
        {kExtent, "Window extent        = 5 x", 5, -2, -3, -4, -5.0},
        {kExtent, "Window extent        = x 5", -1, -2, -3, -4, -5.0},
        {kScale, "Scale                = abc", -1, -2, -3, -4, -5.0},
        {kScale, "Scale                = 250000abc", -1, -2, 250000, -4, -5.0},
        {kScale, "Scale                = 99999999999", -1, -2, 2147483647, -4, -5.0},  // clamped to 32 bits
        {kGridIncrement, "Grid increment       = 4abc", -1, -2, -3, 4, -5.0},
        {kGridSize, "Grid size            = 2.5e", -1, -2, -3, -4, 2.5},
        {kGridSize, "Grid size            = nan", -1, -2, -3, -4, -5.0},  // the grid needs a finite spacing
        {kGridSize, "Grid size", -1, -2, -3, -4, -5.0},                    // no "="
    };
    for (const Row& r : rows) {
        std::vector<std::string> lines = kExample;
        lines[r.line] = r.written;
        MapDocument document("map.oki", "map.oki");
        document.windowExtent = {-1, -2};
        document.scale = -3;
        document.gridIncrement = -4;
        document.gridSize = -5.0;
        // Only the line under test is read differently from the example.
        if (r.line != kExtent) lines[kExtent] = "Window extent        = ";
        if (r.line != kScale) lines[kScale] = "Scale                = ";
        if (r.line != kGridIncrement) lines[kGridIncrement] = "Grid increment       = ";
        if (r.line != kGridSize) lines[kGridSize] = "Grid size            = ";
        ASSERT_EQ(Read(document, Join(lines)), 1) << r.written;
        EXPECT_EQ(document.windowExtent, (TSize{r.cx, r.cy})) << r.written;
        EXPECT_EQ(document.scale, r.scale) << r.written;
        EXPECT_EQ(document.gridIncrement, r.increment) << r.written;
        EXPECT_EQ(document.gridSize, r.gridSize) << r.written;
    }
}

// A count beyond its table, or an entry the reader cannot split, would
// write past a table or misplace every later line: the file is refused.
TEST_F(MapDocumentTest, FilesBeyondTheFormatAreRefused) {
    std::vector<std::string> truncated(kExample.begin(), kExample.end() - 1);
    std::vector<std::string> noMpb = kExample;
    noMpb[kMapfile1] = "Mapfile  1 = world.map world.okf";
    std::vector<std::string> noDat = WithEntries(kDataCount, "Number of data files = 1", "Datafile 1 = c.txt c.okd", 1);
    struct Row {
        const char* note;
        std::vector<std::string> lines;
    } rows[] = {
        {"21 map layers", WithEntries(kMapCount, "Number of map files  = 21", "Mapfile  1 = w.mpb w.okf", 21)},
        {"21 data layers", WithEntries(kDataCount, "Number of data files = 21", "Datafile 1 = c.dat c.okd", 21)},
        {"16 details", WithEntries(kDetailCount, "Number of details    = 16", "Detail   1 = Text \"t\"", 16)},
        {"a negative count", WithEntries(kMapCount, "Number of map files  = -1", "", 0)},
        {"an unreadable count", WithEntries(kMapCount, "Number of map files  = many", "", 0)},
        {"a map layer without .mpb", noMpb},
        {"a data layer without .dat", noDat},
        {"a file that ends early", truncated},
    };
    for (const Row& r : rows) {
        const std::filesystem::path path = dir.Write("bad.oki", Join(r.lines));
        MapDocument document("bad.oki", path.string());
        MessageRecorder messages;
        EXPECT_EQ(LoadTextFile(document), 0) << r.note;
        ASSERT_EQ(messages.messages.size(), 1u) << r.note;
        EXPECT_EQ(messages.messages[0], (Message{"Unable to read file " + path.string() + " from disk.", "OKAP",
                                                 MessageButtons::Ok, MessageIcon::Warning}))
            << r.note;
        // Nothing of the file was taken.
        EXPECT_EQ(document.mapLayerCount, 0) << r.note;
        EXPECT_EQ(document.scale, 0) << r.note;
        EXPECT_EQ(document.mapLayers[0], okapFileInfo{}) << r.note;
    }
    // The counts at capacity are still read.
    std::vector<std::string> full = WithEntries(kMapCount, "Number of map files  = 20", "Mapfile  1 = w.mpb w.okf", 20);
    MapDocument document("map.oki", "map.oki");
    EXPECT_EQ(Read(document, Join(full)), 1);
    EXPECT_EQ(document.mapLayerCount, 20);
    EXPECT_EQ(document.mapLayers[19], (okapFileInfo{"w.mpb", "w.okf"}));
}

TEST_F(MapDocumentTest, MissingGridFormatFileIsReportedAndTheRestIsRead) {
    std::vector<std::string> lines = kExample;
    lines[kGridStyle] = "Grid style           = gone.okg";
    MapDocument document("map.oki", "map.oki");
    std::istringstream("1 1 2 3 1 0 4 5 6 99") >> document.gridStyles[0];
    ASSERT_EQ(Read(document, Join(lines)), 1);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], (Message{"Error opening grid format file", "Error", MessageButtons::Ok,
                                             MessageIcon::Stop}));
    EXPECT_EQ(badclient, 1);
    EXPECT_EQ(Form(document.gridStyles[0]), "1 1 2 3 1 0 4 5 6 99");  // kept
    EXPECT_EQ(document.scale, 200000000);                           // the rest as read
    EXPECT_EQ(document.gridFormatFile, "gone.okg");
}

TEST_F(MapDocumentTest, LineFeedOnlyFilesReadTheSame) {
    MapDocument fromCrLf("a.oki", "a.oki"), fromLf("b.oki", "b.oki");
    ASSERT_EQ(Read(fromCrLf, Join(kExample)), 1);
    ASSERT_EQ(Read(fromLf, Join(kExample, "\n")), 1);
    ExpectSameFileFields(fromLf, fromCrLf);
    EXPECT_EQ(Form(fromLf.gridStyles[1]), Form(fromCrLf.gridStyles[1]));

    WindowPlacement placement;
    std::istringstream lf(Join(kExample, "\n"));
    EXPECT_EQ(placement.Read(lf), 1);
    EXPECT_EQ(placement, (WindowPlacement{0, 0, 480, 360}));
}

TEST_F(MapDocumentTest, PlacementComesOnlyFromLinesTwoAndThree) {
    std::vector<std::string> moved = kExample;
    moved[kOrigin] = "Window origin        = 40 -30";
    moved[kSize] = "Window size          = 640 x";  // the height cannot be read
    const std::filesystem::path path = dir.Write("moved.oki", Join(moved));

    WindowPlacement placement{1, 2, 3, 4};
    EXPECT_EQ(ReadTextFile(path.string(), placement), 1);
    EXPECT_EQ(placement, (WindowPlacement{40, -30, 640, 4}));

    // The content pass never looks at them.
    MapDocument original("a.oki", "a.oki"), changed("moved.oki", path.string());
    ASSERT_EQ(Read(original, Join(kExample)), 1);
    ASSERT_EQ(LoadTextFile(changed), 1);
    ExpectSameFileFields(changed, original);

    EXPECT_EQ(ReadTextFile((dir / "absent.oki").string(), placement), 0);
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{"Unable to read file " + (dir / "absent.oki").string() +
                                                         " from disk."});
}

TEST_F(MapDocumentTest, SaveReplacesTheFileOnlyWhenTheNewOneIsComplete) {
    const std::filesystem::path path = dir.Write("map.oki", "previous contents");
    MapDocument document("map.oki", path.string());
    document.New();
    document.modified = 1;
    EXPECT_EQ(document.Save({0, 0, 480, 360}), 1);
    EXPECT_EQ(document.modified, 0);
    EXPECT_EQ(test::TempDir::Read(path), Written(document));
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++files;
    EXPECT_EQ(files, 2u) << "map.oki and std.okg, no temporary file left";

    document.fileName = (dir / "missing" / "map.oki").string();
    document.modified = 1;
    EXPECT_EQ(document.Save({0, 0, 480, 360}), 0);
    EXPECT_EQ(document.modified, 1);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0],
              (Message{"Unable to open file", "File Error", MessageButtons::Ok, MessageIcon::Warning}));
}

TEST_F(MapDocumentTest, DefaultsOfTheTwoKindsOfDocument) {
    const MapDocument unnamed("Document0");  // ResetAll
    EXPECT_EQ(unnamed.centre, (LPoint{0, 0}));
    EXPECT_EQ(unnamed.scale, 300000000);
    EXPECT_EQ(unnamed.projection.Type, "MERC");
    EXPECT_EQ(unnamed.projection.Valid, 1);
    EXPECT_EQ(unnamed.windowExtent, (TSize{1, 1}));
    EXPECT_EQ(unnamed.positionFormat, 1);
    EXPECT_EQ(unnamed.modified, 0);

    const MapDocument named("map.oki", "map.oki");  // its values come from the file
    EXPECT_EQ(named.scale, 0);
    EXPECT_EQ(named.modified, 0);
    EXPECT_EQ(named.drawn, 0);
    EXPECT_EQ(named.painting, 0);

    MapDocument fresh("Document1");
    fresh.New();
    EXPECT_EQ(Form(fresh.gridStyles[0]), "1 0 0 0 1 0 170 211 232 99");  // both grid styles as the map box
    EXPECT_EQ(Form(fresh.gridStyles[1]), Form(fresh.mapBoxStyles[0]));
    EXPECT_EQ(fresh.gridSize, 30.0);
    EXPECT_EQ(fresh.modified, 0);
}

TEST_F(MapDocumentTest, OpenTakesOnlyDocumentNames) {
    struct Row {
        const char* name;
        int ok;
    } rows[] = {{"MAP.OKI", 1}, {"map.oki", 1}, {"/maps/Map.Oki", 1}, {"map.txt", 0}, {"map.ok", 0}};
    for (const Row& r : rows) {
        MessageRecorder messages;
        EXPECT_EQ(CheckDocumentName(r.name), r.ok) << r.name;
        EXPECT_EQ(messages.Texts(),
                  r.ok ? std::vector<std::string>{} : std::vector<std::string>{"Input file is not an OKAP .oki file"})
            << r.name;
    }
}

}  // namespace
}  // namespace okap
