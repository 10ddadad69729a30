#include "styles/grid_format.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "core/globals.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"

namespace okap {
namespace {

class GridFormatTest : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }
};

// A grid format as the file format lays it out, keys padded to 21
// characters before "= ".
const std::string kSample =
    "Grid Format - OKAP version 1\r\n"
    "Major grid style     = 1 0 0 0 1 0 255 255 255 99\r\n"
    "Minor grid style     = 1 128 128 128 1 2 255 255 255 98\r\n"
    "Ticks                = 1 0\r\n"
    "Axes                 = 1 0 0 1\r\n"
    "Label format         = 2\r\n"
    "Label text style     = 1 \"Arial\" 0 128 128 128 0 12 0 0 0.5 500 0 2 \r\n";

std::string Written(const GridFormat& format) {
    std::ostringstream os;
    WriteGridFormat(os, format);
    return os.str();
}

GridFormat Read(const std::string& text, int* ok = nullptr) {
    GridFormat format;
    std::istringstream is(text);
    const int result = ReadGridFormat(is, format);
    if (ok) *ok = result;
    return format;
}

TEST_F(GridFormatTest, ReadsEveryValueAndWritesTheSameBytes) {
    int ok = 0;
    const GridFormat format = Read(kSample, &ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(format.majorStyle.lineColour, Colour::Rgb(0, 0, 0));
    EXPECT_EQ(format.minorStyle.lineType, 2);
    EXPECT_EQ(format.minorStyle.hollow, 1);  // pattern 98 outlines only
    EXPECT_EQ(format.ticksOn, 1);
    EXPECT_EQ(format.ticksIn, 0);
    // The sample's "1 0 0 1": left and bottom only.
    EXPECT_EQ(format.axes, (std::array<uint16_t, 4>{1, 0, 0, 1}));
    EXPECT_EQ(format.labelFormat, 2);
    EXPECT_EQ(format.labelStyle.fontName, "Arial");
    EXPECT_EQ(format.labelStyle.on, 1);
    EXPECT_EQ(Written(format), kSample);
}

TEST_F(GridFormatTest, LinesAreTakenByPositionWhateverTheirEnds) {
    std::string lfOnly;
    for (char c : kSample) {
        if (c != '\r') lfOnly += c;
    }
    std::string otherFirstLine = kSample;
    otherFirstLine.replace(0, otherFirstLine.find('\r'), "anything at all = 3");
    for (const std::string& text : {lfOnly, otherFirstLine}) {
        int ok = 0;
        EXPECT_EQ(Written(Read(text, &ok)), kSample) << text;
        EXPECT_EQ(ok, 1);
    }
}

TEST_F(GridFormatTest, ABadLineKeepsItsFieldsAndTheRestIsStillRead) {
    std::string text = kSample;
    text.replace(text.find("Ticks                = 1 0"), 26, "Ticks 1 0");  // no "=": not readable
    GridFormat format;
    format.ticksOn = 7;
    std::istringstream is(text);
    EXPECT_EQ(ReadGridFormat(is, format), 0);
    EXPECT_EQ(format.ticksOn, 7);
    EXPECT_EQ(format.axes, (std::array<uint16_t, 4>{1, 0, 0, 1}));
    EXPECT_EQ(format.labelFormat, 2);

    int ok = 1;
    Read(kSample.substr(0, kSample.find("Label format")), &ok);  // a file that stops early
    EXPECT_EQ(ok, 0);
}

// The styles are read as a stream: a short style sets what it has and
// counts as read; a style with no value at all is a bad line.
TEST_F(GridFormatTest, ShortStylesReadAsAStream) {
    std::string text = kSample;
    text.replace(text.find("1 0 0 0 1 0 255 255 255 99"), 26, "1 255 0 0 2");
    text.replace(text.find("128 128 128 0 12 0 0 0.5 500 0 2 "), 33, "0 255 0 9;");
    int ok = 0;
    const GridFormat format = Read(text, &ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(format.majorStyle.lineColour, Colour::Rgb(255, 0, 0));
    EXPECT_EQ(format.majorStyle.lineWidth, 2);
    EXPECT_EQ(format.majorStyle.fillPattern, GridFormat().majorStyle.fillPattern);
    EXPECT_EQ(format.labelStyle.colour, Colour::Rgb(0, 255, 0));
    EXPECT_EQ(format.labelStyle.sizeBasis, 9);

    text.replace(text.find("1 255 0 0 2"), 11, "solid");
    Read(text, &ok);
    EXPECT_EQ(ok, 0);
}

// The file keeps the axes left, right, top, bottom; the dialog shows its
// check boxes left, top, right, bottom.
TEST_F(GridFormatTest, AxesMoveBetweenFileOrderAndDialogOrder) {
    struct Row {
        const char* axes;  // the file's fifth line value
        int32_t left, top, right, bottom;
    } rows[] = {
        {"1 0 0 0", 1, 0, 0, 0},
        {"0 1 0 0", 0, 0, 1, 0},
        {"0 0 1 0", 0, 1, 0, 0},
        {"0 0 0 1", 0, 0, 0, 1},
        {"1 0 0 1", 1, 0, 0, 1},  // the edge case: left and bottom
    };
    for (const Row& r : rows) {
        std::string text = kSample;
        text.replace(text.find("1 0 0 1"), 7, r.axes);
        GridFormat format = Read(text);
        const GridOptionDialogTB values = GridOptionDialogValues(format);
        EXPECT_EQ(values.left, r.left) << r.axes;
        EXPECT_EQ(values.top, r.top) << r.axes;
        EXPECT_EQ(values.right, r.right) << r.axes;
        EXPECT_EQ(values.bottom, r.bottom) << r.axes;
        format.axes = {};
        ApplyGridOptionDialogValues(values, format);
        EXPECT_EQ(Written(format), text) << r.axes;
    }
}

TEST_F(GridFormatTest, LabelFormatOutsideTheListSelectsTheFirstEntry) {
    struct Row {
        int32_t stored;
        int32_t shown;
    } rows[] = {{0, 0}, {4, 4}, {5, 0}, {-1, 0}};
    for (const Row& r : rows) {
        GridFormat format;
        format.labelFormat = r.stored;
        EXPECT_EQ(GridOptionDialogValues(format).labelFormat, r.shown) << r.stored;
    }
    // Reading does not check the range.
    std::string text = kSample;
    text.replace(text.find("format         = 2") + 17, 1, "9");
    EXPECT_EQ(Read(text).labelFormat, 9);
}

TEST_F(GridFormatTest, DialogValuesGoBackIntoTheFile) {
    GridFormat format = Read(kSample);
    GridOptionDialogTB values = GridOptionDialogValues(format);
    EXPECT_EQ(values, (GridOptionDialogTB{1, 0, 1, 0, 0, 1, 1, 2}));
    values.ticksOn = 0;
    values.ticksIn = 1;
    values.labelsOn = 0;  // labels off: the style is written with on 0
    values.labelFormat = 4;
    ApplyGridOptionDialogValues(values, format);
    const std::string text = Written(format);
    EXPECT_NE(text.find("Ticks                = 0 1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Label format         = 4\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Label text style     = 0 \"Arial\" 0 128"), std::string::npos) << text;
}

TEST_F(GridFormatTest, EditingLoadsFromTheMapDirectory) {
    test::TempDir dir;
    dir.Write("std.okg", kSample);
    MessageRecorder recorder;
    GridFormat format;
    EXPECT_EQ(LoadGridFormatForEditing(dir.Path().string(), "std.okg", format), 1);
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), dir.Path()));
    EXPECT_EQ(Written(format), kSample);
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(badclient, 0);
}

TEST_F(GridFormatTest, EditingReportsAMissingDirectoryOrFile) {
    test::TempDir dir;
    struct Row {
        std::string path;
        const char* message;
    } rows[] = {
        {(dir / "nowhere").string(), "Map file path does not exist"},
        {dir.Path().string(), "Error opening grid format file"},
    };
    for (const Row& r : rows) {
        MessageRecorder recorder;
        badclient = 0;
        GridFormat format;
        format.labelFormat = 3;
        EXPECT_EQ(LoadGridFormatForEditing(r.path, "std.okg", format), 0);
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0], (Message{r.message, "Error", MessageButtons::Ok, MessageIcon::Stop}));
        EXPECT_EQ(badclient, 1);
        EXPECT_EQ(format.labelFormat, 3);
    }
}

TEST_F(GridFormatTest, SavingWritesTheFileOrNamesTheEntryThatFailed) {
    test::TempDir dir;
    const GridFormat format = Read(kSample);
    MessageRecorder recorder;
    EXPECT_EQ(SaveGridFormat(dir / "mine.okg", "std.okg", format), 1);
    EXPECT_EQ(test::TempDir::Read(dir / "mine.okg"), kSample);
    EXPECT_TRUE(recorder.messages.empty());

    EXPECT_EQ(SaveGridFormat(dir / "missing" / "mine.okg", "std.okg", format), 0);
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{"Error opening grid format file : std.okg"});
    EXPECT_EQ(badclient, 1);
}

TEST_F(GridFormatTest, TheRefilledListSelectsTheSavedFile) {
    test::TempDir dir;
    for (const char* name : {"std.okg", "B.OKG", "a.okg", "notes.txt", "std.okg.bak"}) dir.Write(name, kSample);
    std::filesystem::current_path(dir.Path());
    const std::vector<std::string> names = GridFormatFiles();
    // Matched and sorted without regard to case; names kept as on disk.
    EXPECT_EQ(names, (std::vector<std::string>{"a.okg", "B.OKG", "std.okg"}));
    EXPECT_EQ(FindGridFormatEntry(names, dir / "std.okg"), 2);
    EXPECT_EQ(FindGridFormatEntry(names, dir / "B.OKG"), 1);
    EXPECT_EQ(FindGridFormatEntry(names, dir / "b.okg"), -1);  // another file on a case-sensitive disk
    EXPECT_EQ(FindGridFormatEntry(names, dir / "new.okg"), -1);
}

}  // namespace
}  // namespace okap
