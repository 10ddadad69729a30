#include "styles/map_format.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/globals.h"
#include "mapfiles/map_fixtures.h"
#include "platform/message_box.h"
#include "styles/map_format_editing.h"
#include "support/temp_dir.h"

namespace okap {
namespace {

using test::TempDir;

const std::string kComment = kMapFormatComment;

class MapFormatTest : public ::testing::Test {
protected:
    void TearDown() override {
        ResetGlobals();
        gformatfile.clear();
        gmapfile.clear();
    }
};

// A style built from its values, pen and brush made as a reader makes them.
PlotStyle Style(int32_t plot, Colour line, int32_t width, int32_t type, Colour fill, int32_t pattern) {
    PlotStyle s;
    s.plot = plot;
    s.lineColour = line;
    s.lineWidth = width;
    s.lineType = type;
    s.fillColour = fill;
    s.fillPattern = pattern;
    s.SetPen();
    s.SetBrush();
    return s;
}

const Colour kBlack = Colour::Rgb(0, 0, 0);
const Colour kWhite = Colour::Rgb(255, 255, 255);
const Colour kRed = Colour::Rgb(255, 0, 0);

// F7 = Coastline : 1 0 0 0 1 0 255 255 255 99, the file format's own example:
// plotted, black solid line of width 1, white solid fill.
const PlotStyle kCoastline = Style(1, kBlack, 1, 0, kWhite, kFillSolid);
// F3 = Roads : 1 255 0 0 2 0 0 0 0 98: a red solid line of width 2, areas
// outlined only.
const PlotStyle kRoads = Style(1, kRed, 2, 0, kBlack, kFillNull);

std::string Join(const std::vector<std::string>& lines, std::string_view eol) {
    std::string text;
    for (const std::string& line : lines) text += line + std::string(eol);
    return text;
}

// A binary map file whose segments have the given types, in that order.
void WriteMap(const TempDir& dir, const std::string& name, const std::vector<int>& types) {
    test::MapLayout layout;
    for (int type : types) {
        test::SegmentLayout segment;
        segment.type = type;
        layout.segments.push_back(segment);
    }
    dir.Write(name, test::BuildMap(layout));
}

TEST_F(MapFormatTest, FeatureLineRules) {
    struct Row {
        std::string line;
        std::optional<int32_t> drawingNumber;  // "%d" over the five characters after "F"
        std::optional<int32_t> number;         // integer between "F" and the first "="
        std::string name;                      // between "= " and " :"
        std::string styleText;                 // after the first ":"
    };
    const Row rows[] = {
        {"F7 = Coastline : 1 0 0 0 1 0 255 255 255 99", 7, 7, "Coastline", " 1 0 0 0 1 0 255 255 255 99"},
        {"F100 = Major Roads : 1", 100, 100, "Major Roads", " 1"},
        // Trailing blanks of a name belong to it; an "=" after the first is
        // part of the name.
        {"F12 = Ends in blanks   : 0", 12, 12, "Ends in blanks  ", " 0"},
        {"F5 = a = b : 1", 5, 5, "a = b", " 1"},
        {"F 9 = Blank first : 1", 9, 9, "Blank first", " 1"},
        {"F-3 = Negative : 1", -3, -3, "Negative", " 1"},
        // The drawing sees only "00000"; the other readers the whole number.
        {"F000007 = Padded : 1", 0, 7, "Padded", " 1"},
        {"F123456 = Long : 1", 12345, 123456, "Long", " 1"},
        // A number beyond 32 bits is no number for the editor.
        {"F99999999999 = Huge : 1", 99999, std::nullopt, "Huge", " 1"},
        {"Fx = No number : 1", std::nullopt, std::nullopt, "No number", " 1"},
        {"F7 = No colon", 7, 7, "", ""},
        {"F8 : 1 0 0 0 1 0 255 255 255 99", 8, 8, "", " 1 0 0 0 1 0 255 255 255 99"},  // no "="
        {"F9 =  : 1", 9, 9, "", " 1"},  // an empty name
        {"[Features]", std::nullopt, std::nullopt, "", ""},
        {kComment, std::nullopt, std::nullopt, "", ""},  // a comment, though it holds "="
        {"f7 = Lower case : 1", std::nullopt, std::nullopt, "Lower case", " 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(DrawingFeatureNumber(row.line), row.drawingNumber);
        EXPECT_EQ(FeatureNumber(row.line), row.number);
        EXPECT_EQ(FeatureName(row.line), row.name);
        EXPECT_EQ(FeatureStyleText(row.line), row.styleText);
    }
}

TEST_F(MapFormatTest, EntryTexts) {
    EXPECT_EQ(FeatureEntryText(7, "Coastline"), "  7 Coastline");  // two blanks, 7, a blank, the name
    EXPECT_EQ(FeatureEntryText(12, "Major Roads"), " 12 Major Roads");
    EXPECT_EQ(FeatureEntryText(100, "Last"), "100 Last");
    EXPECT_EQ(EntryFeatureNumber("  7 Coastline"), 7);
    EXPECT_EQ(EntryFeatureNumber("100 Last"), 100);
    EXPECT_EQ(EntryFeatureName("  7 Coastline"), "Coastline");
    EXPECT_EQ(EntryFeatureName(" 12 Name  "), "Name  ");
    EXPECT_EQ(EntryFeatureName("  7"), "");
}

// Every format file is read by both readers, with CR LF and with LF line
// ends.
class MapFormatReadTest : public MapFormatTest, public ::testing::WithParamInterface<const char*> {};

INSTANTIATE_TEST_SUITE_P(LineEnds, MapFormatReadTest, ::testing::Values("\r\n", "\n"),
                         [](const auto& info) { return std::string(info.param[0] == '\r' ? "CrLf" : "Lf"); });

TEST_P(MapFormatReadTest, BothReadersTakeFeatureLinesOnly) {
    struct Row {
        const char* what;
        std::vector<std::string> lines;
        std::map<int, PlotStyle> styles;    // the styles set, by feature number; all others stay PlotStyle()
        std::vector<FeatureEntry> entries;  // the feature editor's list
    };
    const std::string roads = "F3 = Roads : 1 255 0 0 2 0 0 0 0 98";
    const std::string coast = "F7 = Coastline : 1 0 0 0 1 0 255 255 255 99";
    const Row rows[] = {
        {"only the Roads line", {roads}, {{3, kRoads}}, {{"  3 Roads", true}}},
        {"header, comment and the example line",
         {"[Features]", kComment, coast},
         {{7, kCoastline}},
         {{"  7 Coastline", true}}},
        {"comments, headers and blank lines anywhere, file order kept",
         {"; a note", coast, "[Features]", "", roads, kComment, "[Features]"},
         {{7, kCoastline}, {3, kRoads}},
         {{"  7 Coastline", true}, {"  3 Roads", true}}},
        {"numbers outside 1 to 100 are ignored",
         {"F0 = Zero : 1 255 0 0 2 0 0 0 0 98", "F101 = Over : 1 255 0 0 2 0 0 0 0 98",
          "F-3 = Negative : 1 255 0 0 2 0 0 0 0 98", "F32767 = Far : 1 255 0 0 2 0 0 0 0 98",
          "F100 = Last : 0 0 0 255 3 2 0 255 0 4"},
         {{100, Style(0, Colour::Rgb(0, 0, 255), 3, 2, Colour::Rgb(0, 255, 0), 4)}},
         {{"100 Last", false}}},
        {"lines that do not start with F",
         {" F7 = Indented : 1 0 0 0 1 0 255 255 255 99", "f7 = Lower : 1 0 0 0 1 0 255 255 255 99"},
         {},
         {}},
        // The style is read as a stream: a short one sets what it has (the
        // rest of the entry stays as it was, here the default), text glued
        // to its last number stays behind it, and one with no value at all
        // leaves the entry alone while the editor still lists the feature.
        {"a short style, one with text glued on and one with no value",
         {"F4 = Short : 1 255 0", "F5 = Glued : 1 255 0 0 2 0 0 0 0 98;", "F6 = Empty : ; 1 0 0 0"},
         {{4, Style(1, kRed, 1, 0, kBlack, kFillSolid)}, {5, kRoads}},
         {{"  4 Short", true}, {"  5 Glued", true}, {"  6 Empty", false}}},
    };
    const std::string eol = GetParam();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        dir.Write("test.okf", Join(row.lines, eol));
        FeatureStyles expected;
        for (const auto& [number, style] : row.styles) expected[static_cast<size_t>(number - 1)] = style;

        MessageRecorder messages;
        std::filesystem::current_path(dir.Path());
        FeatureStyles drawn;
        EXPECT_EQ(LoadFeatureStyles("test.okf", drawn), 1);
        EXPECT_EQ(drawn, expected);

        FeatureStyles document;
        std::vector<FeatureEntry> entries;
        EXPECT_EQ(FillFeatureList(dir.Path().string(), "test.okf", "unused.mpb", document, entries), 1);
        EXPECT_EQ(entries, row.entries);
        EXPECT_EQ(document, expected);
        EXPECT_TRUE(messages.messages.empty());
        EXPECT_EQ(badclient, 0);
    }
}

TEST_F(MapFormatTest, DrawingTableKeepsWhatEarlierLayersSet) {
    // One table serves every layer of a paint: a later file that does not
    // name feature 5 leaves the style an earlier one gave it.
    TempDir dir;
    dir.Write("first.okf", "F1 = A : 1 0 0 0 1 0 255 255 255 99\r\nF5 = B : 1 255 0 0 2 0 0 0 0 98\r\n");
    dir.Write("second.okf", "F1 = A : 0 255 0 0 2 0 0 0 0 98\r\n");
    std::filesystem::current_path(dir.Path());
    FeatureStyles styles;
    ASSERT_EQ(LoadFeatureStyles("first.okf", styles), 1);
    ASSERT_EQ(LoadFeatureStyles("second.okf", styles), 1);
    EXPECT_EQ(styles[0], Style(0, kRed, 2, 0, kBlack, kFillNull));
    EXPECT_EQ(styles[4], kRoads);
}

TEST_F(MapFormatTest, WriteThenReadGivesTheSameTable) {
    FeatureStyles styles;
    styles[6] = kCoastline;
    styles[11] = Style(0, Colour::Rgb(12, 34, 56), 4, 2, Colour::Rgb(200, 100, 50), 3);
    styles[99] = kRoads;
    const std::vector<FeatureEntry> entries = {
        {" 12 Major Roads", false}, {"  7 Coastline", true}, {"100 Trailing blank ", true}};

    // Written by hand from the format: header, comment, then the entries in
    // list order with CR LF ends.
    const std::string expected =
        "[Features]\r\n" + kComment + "\r\n" +
        "F12 = Major Roads : 0 12 34 56 4 2 200 100 50 3\r\n"
        "F7 = Coastline : 1 0 0 0 1 0 255 255 255 99\r\n"
        "F100 = Trailing blank  : 1 255 0 0 2 0 0 0 0 98\r\n";
    std::ostringstream os;
    WriteMapFormat(os, entries, styles);
    EXPECT_EQ(os.str(), expected);

    TempDir dir;
    MessageRecorder messages;
    std::string formatName = "old.okf";
    ASSERT_EQ(SaveFeatureList((dir / "layer.okf").string(), entries, styles, formatName), 1);
    EXPECT_EQ(formatName, "layer.okf");
    EXPECT_EQ(TempDir::Read(dir / "layer.okf"), expected);

    FeatureStyles document;
    std::vector<FeatureEntry> read;
    ASSERT_EQ(FillFeatureList(dir.Path().string(), "layer.okf", "", document, read), 1);
    EXPECT_EQ(read, entries);
    EXPECT_EQ(document, styles);

    FeatureStyles drawn;
    ASSERT_EQ(LoadFeatureStyles("layer.okf", drawn), 1);
    EXPECT_EQ(drawn, styles);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MapFormatTest, NewFormatFromMapSegmentTypes) {
    TempDir dir;
    // Types 1, 2 and 5; a repeated type gives one feature, and types beyond
    // the table (101, 32767) none.
    WriteMap(dir, "world.mpb", {5, 1, 2, 2, 101, 32767});
    MessageRecorder messages;
    FeatureStyles styles;
    styles[2] = kRoads;  // the document's table is replaced whole
    std::vector<FeatureEntry> entries;
    ASSERT_EQ(FillFeatureList(dir.Path().string(), kNewFormatName, "world.mpb", styles, entries), 1);
    const std::vector<FeatureEntry> expectedEntries = {
        {"  1 New feature name", true}, {"  2 New feature name", true}, {"  5 New feature name", true}};
    EXPECT_EQ(entries, expectedEntries);
    PlotStyle off = kCoastline;  // Reset with the plot flag cleared
    off.plot = 0;
    for (size_t i = 0; i < styles.size(); ++i) {
        EXPECT_EQ(styles[i], (i == 0 || i == 1 || i == 4) ? kCoastline : off) << "feature " << i + 1;
    }

    // Saved without edits under the name the save dialog proposes.
    std::string formatName = kNewFormatName;
    EXPECT_EQ(FormatSaveStartName(formatName), "new000.okf");
    ASSERT_EQ(SaveFeatureList((dir / "new000.okf").string(), entries, styles, formatName), 1);
    EXPECT_EQ(formatName, "new000.okf");
    EXPECT_EQ(TempDir::Read(dir / "new000.okf"), "[Features]\r\n" + kComment +
                                                     "\r\n"
                                                     "F1 = New feature name : 1 0 0 0 1 0 255 255 255 99\r\n"
                                                     "F2 = New feature name : 1 0 0 0 1 0 255 255 255 99\r\n"
                                                     "F5 = New feature name : 1 0 0 0 1 0 255 255 255 99\r\n");

    // The new file fits the map it was made from.
    FormatFileList list;
    ASSERT_EQ(ListFittingFormats(dir.Path().string(), "world.mpb", formatName, list), 1);
    EXPECT_EQ(list.names, std::vector<std::string>{"new000.okf"});
    EXPECT_EQ(list.selected, 0);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MapFormatTest, FittingFormatsNameExactlyTheMapsSegmentTypes) {
    TempDir dir;
    WriteMap(dir, "world.mpb", {1, 2, 5, 101});
    const std::string s = " : 1 0 0 0 1 0 255 255 255 99\r\n";
    dir.Write("exact.okf", "[Features]\r\n" + kComment + "\r\nF1 = A" + s + "F2 = B" + s + "F5 = C" + s);
    dir.Write("extra.okf", "F1 = A" + s + "F2 = B" + s + "F5 = C" + s + "F6 = D" + s);
    dir.Write("short.okf", "F1 = A" + s + "F2 = B" + s);
    // Another order, numbers outside the table ignored, capitals in the name.
    dir.Write("Mixed.OKF", "F5 = C" + s + "; note\r\nF0 = Z" + s + "F2 = B" + s + "F101 = Y" + s + "F1 = A" + s);
    dir.Write("doubled.okf", "F1 = A" + s + "F1 = A" + s + "F2 = B" + s + "F5 = C" + s);
    dir.Write("notes.txt", "F1 = A" + s + "F2 = B" + s + "F5 = C" + s);

    struct Row {
        std::string formatName;
        int selected;
    };
    const Row rows[] = {
        {"mixed.okf", 2},  // a lower-cased name finds the file with capitals
        {"Mixed.OKF", 2},
        {"exact.okf", 1},
        {"extra.okf", 0},  // does not fit: the first entry
        {"", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.formatName);
        MessageRecorder messages;
        FormatFileList list{{"stale.okf"}, 0};
        ASSERT_EQ(ListFittingFormats(dir.Path().string(), "world.mpb", row.formatName, list), 1);
        // Directory order, names as on disk so that they can be opened.
        const std::vector<std::string> fitting = {"doubled.okf", "exact.okf", "Mixed.OKF"};
        EXPECT_EQ(list.names, fitting);
        EXPECT_EQ(list.selected, row.selected);
        EXPECT_TRUE(messages.messages.empty());
    }

    // No format fits a map of type 7 alone: an empty list with nothing
    // selected.
    WriteMap(dir, "other.mpb", {7});
    FormatFileList list;
    ASSERT_EQ(ListFittingFormats(dir.Path().string(), "other.mpb", "exact.okf", list), 1);
    EXPECT_TRUE(list.names.empty());
    EXPECT_EQ(list.selected, -1);
}

TEST_F(MapFormatTest, FailuresReportAndLeaveStateAlone) {
    TempDir dir;
    WriteMap(dir, "world.mpb", {1});
    const std::string path = dir.Path().string();
    const std::string missingPath = (dir / "no such dir").string();
    const std::vector<FeatureEntry> seeded = {{"  9 Kept", true}};
    const FormatFileList seededList{{"kept.okf"}, 0};

    struct Row {
        const char* what;
        std::function<int()> run;
        std::string message;  // the last message shown
        int badclient;
    };
    // Each call must leave its output as it found it.
    auto fill = [&](std::string mapPath, std::string format, std::string map) {
        return [=] {
            std::vector<FeatureEntry> entries = seeded;
            FeatureStyles styles;
            const int result = FillFeatureList(mapPath, format, map, styles, entries);
            EXPECT_EQ(entries, seeded);
            EXPECT_EQ(styles, FeatureStyles{});
            return result;
        };
    };
    auto listing = [&](std::string mapPath, std::string map) {
        return [=] {
            FormatFileList list = seededList;
            const int result = ListFittingFormats(mapPath, map, "kept.okf", list);
            EXPECT_EQ(list.names, seededList.names);
            EXPECT_EQ(list.selected, seededList.selected);
            return result;
        };
    };
    const Row rows[] = {
        {"editor, no map directory", fill(missingPath, "a.okf", ""), "Map file path does not exist", 1},
        {"editor, no format file", fill(path, "gone.okf", ""), "Error opening map format file : gone.okf", 1},
        // The map file's own message comes first; the dialog's does not
        // spoil the next paint.
        {"editor, no map file", fill(path, kNewFormatName, "gone.mpb"), "Error opening map file gone.mpb", 0},
        {"listing, no map directory", listing(missingPath, "world.mpb"), "Map file path does not exist", 1},
        {"listing, no map file", listing(path, "gone.mpb"), "Error opening map file gone.mpb", 0},
        {"drawing, no format file",
         [&] {
             std::filesystem::current_path(dir.Path());
             FeatureStyles styles;
             return LoadFeatureStyles("gone.okf", styles);
         },
         "Error opening map format file", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        badclient = 0;
        MessageRecorder messages;
        EXPECT_EQ(row.run(), 0);
        ASSERT_FALSE(messages.messages.empty());
        EXPECT_EQ(messages.Texts().back(), row.message);
        for (const Message& m : messages.messages) EXPECT_EQ(m.caption, "Error") << m.text;
        EXPECT_EQ(badclient, row.badclient);
    }
}

TEST_F(MapFormatTest, SaveCancelledOrFailedKeepsFileAndName) {
    TempDir dir;
    const std::string old = "F1 = Old : 1 0 0 0 1 0 255 255 255 99\r\n";
    dir.Write("roads.okf", old);
    FeatureStyles styles;
    const std::vector<FeatureEntry> entries = {{"  1 New", true}};

    MessageRecorder messages;
    std::string formatName = "roads.okf";
    // Cancelled: the editor closes with OK and nothing is written.
    EXPECT_EQ(SaveFeatureList("", entries, styles, formatName), 1);
    EXPECT_EQ(formatName, "roads.okf");
    EXPECT_EQ(TempDir::Read(dir / "roads.okf"), old);
    EXPECT_TRUE(messages.messages.empty());

    // A directory that does not exist: the message names the current format,
    // which stays, and the editor stays open.
    EXPECT_EQ(SaveFeatureList((dir / "gone" / "x.okf").string(), entries, styles, formatName), 0);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Error opening map format file : roads.okf"});
    EXPECT_EQ(badclient, 1);
    EXPECT_EQ(formatName, "roads.okf");

    // A target that cannot be replaced (a directory of that name): the
    // temporary file is removed and nothing else changes.
    std::filesystem::create_directory(dir / "blocked.okf");
    EXPECT_EQ(SaveFeatureList((dir / "blocked.okf").string(), entries, styles, formatName), 0);
    EXPECT_EQ(formatName, "roads.okf");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "blocked.okf"));
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) files += entry.is_regular_file();
    EXPECT_EQ(files, 1u);  // roads.okf only
    EXPECT_EQ(TempDir::Read(dir / "roads.okf"), old);
}

TEST_F(MapFormatTest, BareFileNameAndStartName) {
    const std::pair<std::string, std::string> rows[] = {
        {"/home/user/maps/roads.okf", "roads.okf"},
        {"roads.okf", "roads.okf"},
        {"C:\\MAPS\\ROADS.OKF", "ROADS.OKF"},  // typed the old way
        {"maps/old\\coast.okf", "coast.okf"},
        {"/", ""},
    };
    for (const auto& [chosen, bare] : rows) EXPECT_EQ(BareFileName(chosen), bare) << chosen;
    EXPECT_EQ(FormatSaveStartName(kNewFormatName), "new000.okf");
    EXPECT_EQ(FormatSaveStartName("coast.okf"), "coast.okf");
}

}  // namespace
}  // namespace okap
