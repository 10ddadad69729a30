#include "mapfiles/mapfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/projection.h"
#include "mapfiles/text_header.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"
#include "tests/mapfiles/map_fixtures.h"

namespace okap {
namespace {

using test::BuildMap;
using test::MapLayout;
using test::SegmentLayout;

constexpr const char* kNotAMapFile = "Input file is not an OKAP map file";

// Each test works in a directory of its own, made current as the file
// commands make the map directory current.
class MapfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        std::filesystem::current_path(dir.Path());
    }

    test::TempDir dir;
    MessageRecorder messages;
};

// A map with one segment of two points, for the tests that need any good file.
MapLayout OneSegmentMap() {
    MapLayout layout;
    layout.segments.push_back({"COAST   ", 12, -2, {{100, 200}, {300, 400}}, {{100, 400}, {300, 200}}, {}});
    return layout;
}

TEST(ValidateTest, LowSixteenBitsByExclusiveOr) {
    // Worked by hand: 46 ^ 100 = 0x4A, ^ 0x3AB7 = 0x3AFD.
    EXPECT_EQ(Validate(46, 100, kValidateKey), 15101);
    // Only the low 16 bits count.
    EXPECT_EQ(Validate(0x12340000 + 46, 100, kValidateKey), 15101);
    // 0xC000 ^ 0x3AD3 = 0xFAD3, negative as a signed 16-bit number.
    EXPECT_EQ(Validate(0xC000, 100, kValidateKey), -1325);
}

TEST_F(MapfileTest, HeaderRefusals) {
    struct Row {
        const char* what;
        MapLayout layout;
        size_t cutTo = std::string::npos;
    };
    std::vector<Row> rows;
    MapLayout base = OneSegmentMap();
    const std::string good = BuildMap(base);
    rows.push_back({"version 101", base});
    rows.back().layout.version = 101;
    // The check value matches, but the directory would overlap the header.
    rows.push_back({"directory offset 40", base});
    rows.back().layout.directoryOffset = 40;
    rows.push_back({"bad check value", base});
    rows.back().layout.check = test::CheckValue(static_cast<int32_t>(good.size()) - 34, 100) + 1;
    rows.push_back({"type code", base});
    rows.back().layout.typeCode = "OKAQ";
    rows.push_back({"ellipsoid", base});
    rows.back().layout.ellipsoid = "CL66";
    rows.push_back({"directory offset past the end", base});
    rows.back().layout.directoryOffset = static_cast<int32_t>(good.size()) + 34;
    rows.push_back({"truncated header", base, 30});

    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        badclient = 0;
        messages.messages.clear();
        dir.Write("bad.mpb", BuildMap(row.layout).substr(0, row.cutTo));
        Mapfile map;
        EXPECT_EQ(map.OpenInfile("bad.mpb"), 0);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{kNotAMapFile});
        EXPECT_EQ(messages.messages.at(0).caption, "Error");
        EXPECT_EQ(badclient, 1);
        EXPECT_EQ(map.EndOfInFile(), 1);
        EXPECT_EQ(map.InForm(), Mapfile::NoForm);
    }

    // The unaltered file opens and is positioned at its directory.
    dir.Write("good.mpb", good);
    Mapfile map;
    ASSERT_EQ(map.OpenInfile("good.mpb"), 1);
    EXPECT_EQ(map.EndOfInFile(), 0);
    EXPECT_EQ(map.InHeader().projectionCode, "MERC");
    EXPECT_EQ(map.InHeader().directoryOffset, 46 + 16);
    ASSERT_EQ(map.ReadDirectory(), 1);
    EXPECT_EQ(map.InSegment().name, "COAST   ");
}

TEST_F(MapfileTest, OpenInfileNamesAndFailures) {
    Mapfile map;
    EXPECT_EQ(map.OpenInfile("coast.dat"), 0);
    EXPECT_EQ(map.OpenInfile("none.mpb"), 0);
    EXPECT_EQ(map.OpenInfile("none.mpa"), 0);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Incorrect input map file type : dat",
                                                          "Error opening input map file : none.mpb",
                                                          "Error opening input map file : none.mpa"}));
    EXPECT_EQ(map.EndOfInFile(), 1);

    // A name on disk in capitals opens: the file list shows it, so it must.
    dir.Write("COAST.MPB", BuildMap(OneSegmentMap()));
    EXPECT_EQ(map.OpenInfile("COAST.MPB"), 1);
    // The extension is taken from the file's own name, not from a
    // directory before it.
    std::filesystem::create_directory(dir / "v1.0");
    dir.Write("v1.0/coast.mpa", "\"A\",1,1\r\n1,2\r\n");
    EXPECT_EQ(map.OpenInfile("v1.0/coast.mpa"), 1);
    EXPECT_EQ(map.InHeader().projectionCode, "TEXT");
}

TEST(TextHeaderTest, BothFormsAndTheirFailures) {
    struct Row {
        const char* line;
        TextHeaderError error;
        const char* name;
        int type;
        int32_t count;
    };
    const Row rows[] = {
        // The form's own examples: type and name quoted together, then as written.
        {"\"12COAST\",5", TextHeaderError::None, "COAST   ", 12, 5},
        {"\"COASTLIN\",12,-57       ", TextHeaderError::None, "COASTLIN", 12, -57},
        // Leading blanks stay part of the name; a long name is cut to 8.
        {"\"  AB  \",3,-1", TextHeaderError::None, "  AB    ", 3, -1},
        {"\"LONGNAMEXYZ\", 7 , 4 ", TextHeaderError::None, "LONGNAME", 7, 4},
        // The first two characters are the type, read with "%d".
        {"\"7 COAST\",  9", TextHeaderError::None, "COAST   ", 7, 9},
        {"x\"A\",+2,3", TextHeaderError::None, "A       ", 2, 3},
        {"\"COAST\",abc,5", TextHeaderError::Type, "", 0, 0},
        {"\"AB\",5", TextHeaderError::Type, "", 0, 0},
        {"\"COAST\"", TextHeaderError::Type, "", 0, 0},
        {"\"COAST\",70000,5", TextHeaderError::Type, "", 0, 0},  // no 16-bit type
        {"\"COAST\",3,", TextHeaderError::Count, "", 0, 0},
        {"\"COAST\",3,x", TextHeaderError::Count, "", 0, 0},
        {"\"COAST\",3,--4", TextHeaderError::Count, "", 0, 0},
        // A count whose magnitude has no 32-bit value.
        {"\"COAST\",3,-2147483648", TextHeaderError::Count, "", 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        TextHeader header;
        ASSERT_EQ(ParseTextHeader(row.line, header), row.error);
        if (row.error != TextHeaderError::None) continue;
        EXPECT_EQ(header.name, row.name);
        EXPECT_EQ(header.type, row.type);
        EXPECT_EQ(header.count, row.count);
    }
}

// The kind follows the sign of the stored count, in both forms.
TEST_F(MapfileTest, KindsFromSignedCounts) {
    struct Row {
        int32_t stored;
        int kind;
        int32_t count;
    };
    const Row rows[] = {{5, kAreaKind, 5}, {-4, kLineKind, 4}, {-1, kPointKind, 1},
                        {1, kPointKind, 1}, {0, kAreaKind, 0}};
    MapLayout layout;
    std::string text = "\r\nlines before the first header are passed over\r\n";
    for (const Row& row : rows) {
        layout.segments.push_back({"SEG     ", 3, row.stored, {}, {}, {}});
        text += "\"SEG\",3," + std::to_string(row.stored) + "\r\n0,0\r\n";
    }
    dir.Write("kinds.mpb", BuildMap(layout));
    // The text form read with LF endings as well.
    std::string lf = text;
    std::erase(lf, '\r');
    dir.Write("kinds.mpa", text);
    dir.Write("kindslf.mpa", lf);
    for (const char* name : {"kinds.mpb", "kinds.mpa", "kindslf.mpa"}) {
        SCOPED_TRACE(name);
        Mapfile map;
        ASSERT_EQ(map.OpenInfile(name), 1);
        for (const Row& row : rows) {
            SCOPED_TRACE(row.stored);
            ASSERT_EQ(map.ReadDirectory(), 1);
            ASSERT_EQ(map.EndOfInFile(), 0);
            EXPECT_EQ(map.InSegment().name, "SEG     ");
            EXPECT_EQ(map.InSegment().type, 3);
            EXPECT_EQ(map.InSegment().kind, row.kind);
            EXPECT_EQ(map.InSegment().count, row.count);
        }
        EXPECT_EQ(map.ReadDirectory(), 1);
        EXPECT_EQ(map.EndOfInFile(), 1);
        EXPECT_EQ(map.InSegment().counter, 5);
        EXPECT_EQ(map.CloseInfile(), 1);
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MapfileTest, TextDirectoryFailures) {
    dir.Write("type.mpa", "\"A\",1,2\r\n0,0\r\n1,1\r\n\"B\",x,2\r\n");
    dir.Write("count.mpa", "\"A\",1,\r\n");
    // A header with no points, at the end of the file.
    dir.Write("empty.mpa", "\"A\",1,5");
    Mapfile map;
    ASSERT_EQ(map.OpenInfile("type.mpa"), 1);
    EXPECT_EQ(map.ReadDirectory(), 1);
    EXPECT_EQ(map.ReadDirectory(), 0);
    ASSERT_EQ(map.OpenInfile("count.mpa"), 1);
    EXPECT_EQ(map.ReadDirectory(), 0);
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Can not read a type code from input text map file",
                                        "Can not read number of points in a segment from input text map file"}));
    EXPECT_EQ(badclient, 1);
    ASSERT_EQ(map.OpenInfile("empty.mpa"), 1);
    EXPECT_EQ(map.ReadDirectory(), 1);
    EXPECT_EQ(map.InSegment().count, 5);
    EXPECT_EQ(map.ReadDirectory(), 1);
    EXPECT_EQ(map.EndOfInFile(), 1);
}

// A view of 1000 x 1000 logical units over world (-1500, 1500)-(1500, -1500):
// setvp with scale 1000 spans 3 x 1000 decimetres.
Projection ViewProjection() {
    Projection view("MERC", Position());
    view.setvp({1000, 1000}, {}, {0, 0}, 1000);
    return view;
}

TEST_F(MapfileTest, LoadSegmentSkipsWhatTheViewCannotShow) {
    MapLayout layout;
    // Wholly inside; wholly outside (east of the view); partly inside.
    layout.segments.push_back({"INSIDE  ", 1, -2, {{0, 0}, {300, 300}}, {{0, 300}, {300, 0}}, {}});
    layout.segments.push_back({"OUTSIDE ", 2, 2, {{10000, 0}, {20000, 0}}, {{10000, 0}, {20000, 0}}, {}});
    layout.segments.push_back({"PARTLY  ", 3, -2, {{-3000, 0}, {600, -300}}, {{-3000, 0}, {600, -300}}, {}});
    dir.Write("view.mpb", BuildMap(layout));
    Projection view = ViewProjection();
    Mapfile map;
    ASSERT_EQ(map.OpenInfile("view.mpb"), 1);
    std::vector<POINT> pts{{9, 9}};
    int inside = -1;

    ASSERT_EQ(map.LoadSegment(pts, view, inside), 1);
    EXPECT_EQ(map.InSegment().name, "INSIDE  ");
    EXPECT_EQ(inside, 1);
    ASSERT_EQ(pts.size(), 2u);
    // dm2lp: x = 300 / 3 + 500, y = 300 / 3 - 500.
    EXPECT_EQ(pts[0], (POINT{500, -500}));
    EXPECT_EQ(pts[1], (POINT{600, -400}));

    ASSERT_EQ(map.LoadSegment(pts, view, inside), 1);
    EXPECT_EQ(map.InSegment().name, "OUTSIDE ");
    EXPECT_TRUE(pts.empty());
    EXPECT_EQ(inside, 0);

    // The file was left at the next record: the third segment follows.
    ASSERT_EQ(map.LoadSegment(pts, view, inside), 1);
    EXPECT_EQ(map.InSegment().name, "PARTLY  ");
    EXPECT_EQ(inside, 0);
    ASSERT_EQ(pts.size(), 2u);
    EXPECT_EQ(pts[0], (POINT{-500, -500}));
    EXPECT_EQ(pts[1], (POINT{700, -600}));

    EXPECT_EQ(map.LoadSegment(pts, view, inside), 0);
    EXPECT_EQ(map.EndOfInFile(), 1);
    EXPECT_TRUE(messages.messages.empty());

    dir.Write("text.mpa", "\"A\",1,1\r\n1,1\r\n");
    ASSERT_EQ(map.OpenInfile("text.mpa"), 1);
    EXPECT_EQ(map.LoadSegment(pts, view, inside), 0);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Can only map binary files"});
    EXPECT_EQ(map.EndOfInFile(), 1);
}

// Malformed directory records: a count is never taken as the size of a
// buffer before the file is known to hold that many points, and every fault
// is reported.
TEST_F(MapfileTest, LoadSegmentMalformedRecords) {
    struct Row {
        const char* what;
        SegmentLayout segment;
        int result;
        int npts;
        const char* message;
    };
    const LBox box{{0, 100}, {100, 0}};
    const Row rows[] = {
        {"count 0", {"S", 1, 0, {}, box, {}}, 1, 0, nullptr},
        {"count 1", {"S", 1, 1, {{50, 50}}, box, {}}, 1, 1, nullptr},
        {"count -1", {"S", 1, -1, {{50, 50}}, box, {}}, 1, 1, nullptr},
        // 16 GB of points that the file cannot hold: refused, not allocated.
        {"count beyond the file", {"S", 1, INT_MAX, {{50, 50}}, box, {}}, 0, 0, "Unexpected end of input file"},
        {"line beyond the file", {"S", 1, -INT_MAX, {{50, 50}}, box, {}}, 0, 0, "Unexpected end of input file"},
        {"most negative count", {"S", 1, INT_MIN, {{50, 50}}, box, {}}, 0, 0, kNotAMapFile},
        // Six points need 48 bytes; the one point and the record give 42.
        {"fewer points than counted", {"S", 1, 6, {{50, 50}}, box, {}}, 0, 0, "Unexpected end of input file"},
        {"data past the end", {"S", 1, 1, {{50, 50}}, box, 1000000}, 0, 0, "Unexpected end of input file"},
        {"data in the header", {"S", 1, 1, {{50, 50}}, box, 26}, 0, 0, kNotAMapFile},
        {"type 0", {"S", 0, 1, {{50, 50}}, box, {}}, 0, 0, kNotAMapFile},
    };
    Projection view = ViewProjection();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        messages.messages.clear();
        badclient = 0;
        MapLayout layout;
        layout.segments.push_back(row.segment);
        layout.segments.back().name = "SEGMENT1";
        dir.Write("bad.mpb", BuildMap(layout));
        Mapfile map;
        ASSERT_EQ(map.OpenInfile("bad.mpb"), 1);
        std::vector<POINT> pts{{9, 9}};
        int inside = 0;
        EXPECT_EQ(map.LoadSegment(pts, view, inside), row.result);
        EXPECT_EQ(pts.size(), static_cast<size_t>(row.npts));
        if (row.message) {
            EXPECT_EQ(messages.Texts(), std::vector<std::string>{row.message});
            EXPECT_EQ(badclient, 1);
        } else {
            EXPECT_TRUE(messages.messages.empty());
        }
    }
}

TEST_F(MapfileTest, TrailingPartialRecordEndsTheInput) {
    std::string bytes = BuildMap(OneSegmentMap()) + "PARTIAL";
    dir.Write("partial.mpb", bytes);
    Mapfile map;
    ASSERT_EQ(map.OpenInfile("partial.mpb"), 1);
    EXPECT_EQ(map.ReadDirectory(), 1);
    EXPECT_EQ(map.EndOfInFile(), 0);
    EXPECT_EQ(map.ReadDirectory(), 1);
    EXPECT_EQ(map.EndOfInFile(), 1);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MapfileTest, OpenOutfileShortensTheName) {
    struct Row {
        const char* name;
        const char* projection;
        const char* file;
    };
    const Row rows[] = {
        {"coastline.x", "Mercator Cylindrical", "coastlin.mpb"},  // first 8 characters, no full stop left
        {"newmap.mpb", "Mercator Cylindrical", "newmap.mpb"},
        {"my map", "Mercator Cylindrical", "my.mpb"},
        {"coastline", "Import/Export Text", "coastlin.mpa"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Mapfile map;
        ASSERT_EQ(map.SetOutProjection(row.projection), 1);
        ASSERT_EQ(map.OpenOutfile(row.name), 1);
        EXPECT_EQ(map.OutputFileName(), row.file);
        EXPECT_EQ(map.WriteOutHeader(), 1);
        EXPECT_EQ(map.CloseOutfile(), 1);
        EXPECT_TRUE(std::filesystem::exists(dir / row.file));
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MapfileTest, OpenOutfileRefusals) {
    Mapfile map;
    EXPECT_EQ(map.OpenOutfile("newmap"), 0);
    dir.Write("coast.mpb", BuildMap(OneSegmentMap()));
    ASSERT_EQ(map.OpenInfile("coast.mpb"), 1);
    ASSERT_EQ(map.SetOutProjection("Mercator Cylindrical"), 1);
    EXPECT_EQ(map.OpenOutfile("coast"), 0);
    EXPECT_EQ(map.OpenOutfile(""), 0);
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Uninitialised projection for output map file",
                                        "Can't read and write to same file", "Error opening : "}));
    EXPECT_EQ(badclient, 1);
}

TEST_F(MapfileTest, EmptyBinaryMapAndTheReplaceQuestion) {
    dir.Write("newmap.mpb", "old contents");
    messages.Answer({MessageResult::No});
    {
        Mapfile map;
        map.SetOutProjection("Mercator Cylindrical");
        EXPECT_EQ(map.OpenOutfile("newmap"), 0);
    }
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0], (Message{"File newmap.mpb already exists - Replace?", "Query",
                                             MessageButtons::YesNo, MessageIcon::Question}));
    // No is a choice, not an error.
    EXPECT_EQ(badclient, 0);
    EXPECT_EQ(test::TempDir::Read(dir / "newmap.mpb"), "old contents");

    // Yes: the old file stays until the new one is complete.
    messages.Answer({MessageResult::Yes});
    Mapfile map;
    map.SetOutProjection("Mercator Cylindrical");
    map.SetOutOrigin(Position(Latitude(2.0), Longitude(1.0)));
    map.SetTransClip(Position(Latitude(10.0), Longitude(-20.0)), Position(Latitude(-10.0), Longitude(20.0)));
    ASSERT_EQ(map.OpenOutfile("newmap"), 1);
    ASSERT_EQ(map.WriteOutHeader(), 1);
    EXPECT_EQ(test::TempDir::Read(dir / "newmap.mpb"), "old contents");
    ASSERT_EQ(map.CloseOutfile(), 1);
    // The temporary files are gone.
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"newmap.mpb"});

    MapLayout expected;
    expected.originLon = 1111200;
    expected.originLat = 2222400;
    expected.west = -22224000;
    expected.north = 11112000;
    expected.east = 22224000;
    expected.south = -11112000;
    // An empty map: the directory starts right after the header.
    EXPECT_EQ(test::TempDir::Read(dir / "newmap.mpb"), BuildMap(expected));
    EXPECT_EQ(map.OutHeader().directoryOffset, 46);
    EXPECT_EQ(map.OutHeader().check, 15101);
}

TEST_F(MapfileTest, UnclosedOutputLeavesNothingBehind) {
    dir.Write("newmap.mpb", "old contents");
    {
        Mapfile map;
        map.SetOutProjection("Mercator Cylindrical");
        ASSERT_EQ(map.OpenOutfile("newmap"), 1);
        ASSERT_EQ(map.WriteOutHeader(), 1);
    }
    EXPECT_EQ(test::TempDir::Read(dir / "newmap.mpb"), "old contents");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"newmap.mpb"});
}

TEST_F(MapfileTest, CallsOutOfTurn) {
    Mapfile map;
    EXPECT_EQ(map.WriteOutHeader(), 0);
    EXPECT_EQ(map.CloseOutfile(), 0);
    EXPECT_EQ(map.CloseInfile(), 0);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"No output file for header write", "No output file to close",
                                                          "Incorrect input map file type : "}));
    EXPECT_EQ(badclient, 1);
}

}  // namespace
}  // namespace okap
