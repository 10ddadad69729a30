// The data format file: reading, writing, and the failures of both.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "mapfiles/line_reader.h"
#include "tests/data/datafile_fixture.h"

namespace okap {
namespace {

using test::ClassLines;
using test::DatafileTest;
using test::FormatWithClasses;
using test::kNewFormat;
using test::LfOnly;
using test::TempDir;

// A format with a value in every field that differs from a new format's,
// written exactly as the writer writes it (keys and blanks as in the file
// layout; the text style form ends with a blank). The legend name keeps its
// inner double blank; 1.5e+06 is the general notation of one and a half
// million; the position is typed in the form the edit dialog starts from.
const char kRichFormat[] =
    "Format type        = 0\r\n"
    "Number of symbols  = 2\r\n"
    "Legend             = 1\r\n"
    "Legend name        = Rainfall  in mm\r\n"
    "Legend name style  = 0 \"Times New Roman\" 18 0 0 128 1 2.5 0 0 0.5 700 1 2 \r\n"
    "Legend border plot style = 1 0 0 0 2 0 255 255 255 99\r\n"
    "Legend border position   = 0.1 0.2 0.45 0.9\r\n"
    "Legend columns     = 2\r\n"
    "Symbol join style  = 1 255 0 0 1 2 0 0 0 98\r\n"
    "Symbol1 name       = square\r\n"
    "Symbol1 rsize      = 0\r\n"
    "Symbol1 size       = 12\r\n"
    "Symbol1 low value  = 0\r\n"
    "Symbol1 high value = 10\r\n"
    "Symbol1 plot style = 1 0 0 0 1 0 0 0 255 99\r\n"
    "Symbol1 text style = 1 \"Arial\" 0 128 128 128 0 12 0 0 0.5 500 0 2 \r\n"
    "Symbol1 label      = 0-10\r\n"
    "Symbol2 name       = triangle\r\n"
    "Symbol2 rsize      = 1\r\n"
    "Symbol2 size       = 0.125\r\n"
    "Symbol2 low value  = 10\r\n"
    "Symbol2 high value = 1.5e+06\r\n"
    "Symbol2 plot style = 0 0 128 0 3 1 255 255 0 5\r\n"
    "Symbol2 text style = 0 \"Courier New\" 49 0 0 0 1 0.5 30 0.5 -1 400 0 0 \r\n"
    "Symbol2 label      = 10 and above\r\n";

using DataFormatFile = DatafileTest;

TEST_F(DataFormatFile, ReadsEveryFieldFromCrLfAndLfFiles) {
    for (const std::string& text : {std::string(kRichFormat), LfOnly(kRichFormat)}) {
        SCOPED_TRACE(text.find('\r') == std::string::npos ? "LF" : "CR LF");
        WriteFormatFile("rain.okd", text);
        auto file = MakeFile();
        ASSERT_EQ(file->ReadFormat("rain.okd"), 1);
        EXPECT_TRUE(messages.messages.empty());
        EXPECT_EQ(badclient, 0);

        EXPECT_EQ(file->formatType, 0);
        EXPECT_EQ(file->symbolCount, 2);
        EXPECT_EQ(file->legend, 1);
        EXPECT_EQ(file->legendName, "Rainfall  in mm");
        EXPECT_EQ(file->legendNameStyle.on, 0);
        EXPECT_EQ(file->legendNameStyle.fontName, "Times New Roman");
        EXPECT_EQ(file->legendNameStyle.weight, 700);
        EXPECT_EQ(file->legendBorderStyle.plot, 1);
        EXPECT_EQ(file->legendBorderStyle.fillColour, Colour::Rgb(255, 255, 255));
        EXPECT_EQ(file->legendBorderPosition, (std::array<double, 4>{0.1, 0.2, 0.45, 0.9}));
        EXPECT_EQ(file->legendColumns, 2);
        EXPECT_EQ(file->symbolJoinStyle.lineColour, Colour::Rgb(255, 0, 0));
        EXPECT_EQ(file->symbolJoinStyle.hollow, 1);  // fill pattern 98 is "Null"

        const DataClass& first = file->classes[0];
        EXPECT_EQ(first.symbol.name, "square");
        EXPECT_EQ(first.symbol.sizeBasis, kSizeScreen);
        EXPECT_EQ(first.symbol.size, 12.0);
        EXPECT_EQ(first.lowValue, 0.0);
        EXPECT_EQ(first.highValue, 10.0);
        EXPECT_EQ(first.plotStyle.fillColour, Colour::Rgb(0, 0, 255));
        EXPECT_EQ(first.label, "0-10");
        // The outline comes from okap.sym: the square's five points.
        EXPECT_EQ(first.symbol.valid, 1);
        ASSERT_EQ(first.symbol.pointCount, 5);
        EXPECT_EQ(first.symbol.points[2], (POINT{98, -98}));

        const DataClass& second = file->classes[1];
        EXPECT_EQ(second.symbol.name, "triangle");
        EXPECT_EQ(second.symbol.sizeBasis, kSizeMap);
        EXPECT_EQ(second.symbol.size, 0.125);
        EXPECT_EQ(second.symbol.pointCount, 4);
        EXPECT_EQ(second.highValue, 1.5e6);
        EXPECT_EQ(second.plotStyle.plot, 0);
        EXPECT_EQ(second.textStyle.fontName, "Courier New");
        EXPECT_EQ(second.textStyle.orientation, 30.0);
        EXPECT_EQ(second.label, "10 and above");

        // The view's scales: 10000 units over 10 degrees; 10000 / 10.
        EXPECT_EQ(file->unitsPerDegree, 1000);
        EXPECT_EQ(file->widthTenth, 1000);
    }
}

TEST_F(DataFormatFile, KeysAreNotComparedAndValuesAreTrimmed) {
    std::string text = LfOnly(kRichFormat);
    // Other key texts, no blank after "=", blanks and a tab around values.
    text.replace(text.find("Legend name        = Rainfall  in mm"), 36, "title=   Rainfall  in mm \t");
    text.replace(text.find("Symbol2 label      = 10 and above"), 33, "x =10 and above   ");
    text.replace(text.find("Symbol1 name       = square"), 27, "name=square");
    WriteFormatFile("keys.okd", text);
    auto file = MakeFile();
    ASSERT_EQ(file->ReadFormat("keys.okd"), 1);
    EXPECT_EQ(file->legendName, "Rainfall  in mm");
    EXPECT_EQ(file->classes[0].symbol.name, "square");
    EXPECT_EQ(file->classes[1].label, "10 and above");
}

TEST_F(DataFormatFile, WritesBackExactlyWhatItRead) {
    // The LF file is written back with CR LF line ends.
    for (const std::string& text : {std::string(kRichFormat), LfOnly(kRichFormat)}) {
        WriteFormatFile("rain.okd", text);
        auto file = MakeFile();
        ASSERT_EQ(file->ReadFormat("rain.okd"), 1);
        ASSERT_EQ(file->WriteFormat("copy.okd", OptionTexts(*file)), 1);
        EXPECT_EQ(TempDir::Read(dir / "maps/copy.okd"), kRichFormat);
    }
}

// Label overlaps and the class method come after the classes, each only
// when in use; a format without them (every older one) means labels drawn
// where they fall and equal intervals.
TEST_F(DataFormatFile, NewerSettingsFollowTheClasses) {
    const std::string newer = std::string(kRichFormat) +
                              "Avoid label overlaps = 1\r\n"
                              "Class method       = 2\r\n";
    struct Case {
        std::string text;
        int32_t avoid;
        ClassMethod method;
    };
    const Case cases[] = {
        {kRichFormat, 0, ClassMethod::EqualIntervals},
        {newer, 1, ClassMethod::NaturalBreaks},
        {std::string(kRichFormat) + "Class method = 1\r\n", 0, ClassMethod::Quantiles},
        {std::string(kRichFormat) + "Class method = 9\r\nAvoid label overlaps = 0\r\n", 0,
         ClassMethod::EqualIntervals},
    };
    for (const Case& c : cases) {
        WriteFormatFile("rain.okd", c.text);
        auto file = MakeFile();
        ASSERT_EQ(file->ReadFormat("rain.okd"), 1) << c.text;
        EXPECT_EQ(file->avoidLabelOverlaps, c.avoid) << c.text;
        EXPECT_EQ(file->classMethod, c.method) << c.text;
    }
    WriteFormatFile("rain.okd", newer);
    auto file = MakeFile();
    ASSERT_EQ(file->ReadFormat("rain.okd"), 1);
    ASSERT_EQ(file->WriteFormat("copy.okd", OptionTexts(*file)), 1);
    EXPECT_EQ(TempDir::Read(dir / "maps/copy.okd"), newer);
}

TEST_F(DataFormatFile, NewFormatIsWrittenAndReadBack) {
    auto file = MakeFile();
    ASSERT_EQ(file->WriteFormat("new000.okd", DataOptionTexts()), 1);
    EXPECT_EQ(TempDir::Read(dir / "maps/new000.okd"), kNewFormat);

    // A format with no classes reads without error.
    auto read = MakeFile();
    read->legendName = "changed";
    ASSERT_EQ(read->ReadFormat("new000.okd"), 1);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(read->symbolCount, 0);
    EXPECT_EQ(read->legendName, "Legend");
    EXPECT_EQ(read->legendBorderPosition, (std::array<double, 4>{0.05, 0.5, 0.4, 0.95}));
    EXPECT_EQ(read->legendColumns, 1);
}

TEST_F(DataFormatFile, RecordSurvivesWriteAndRead) {
    WriteDataFile("values.dat", "151.2 -33.9 1234564\n150 -30 17.25\n");
    auto file = MakeFile();
    ASSERT_EQ(file->OpenInfile("values.dat"), 1);
    int added = 0;
    ASSERT_EQ(file->NewClass(0, added), 1);
    ASSERT_EQ(file->NewClass(0, added), 1);
    file->SetClass(1, {"1000", "1e+06", 1, 0, "1000 to 1e6"});
    file->classes[1].symbol.name = "triangle";
    file->classes[1].symbol.size = 1.0 / 3.0;
    file->classes[1].textStyle.fontName = "Times  New   Roman";
    DataOptionTexts texts;
    texts.legend = 1;
    texts.titleOn = 0;
    texts.legendName = "Population";
    texts.position = "0.5 0.25 0.75 1";
    texts.columns = "3";
    ASSERT_EQ(file->WriteFormat("pop.okd", texts), 1);
    EXPECT_EQ(file->legendNameStyle.on, 0);  // the title's flag is stored before writing

    auto read = MakeFile();
    ASSERT_EQ(read->ReadFormat("pop.okd"), 1);
    EXPECT_EQ(read->legend, 1);
    EXPECT_EQ(read->legendName, "Population");
    EXPECT_EQ(read->legendNameStyle.on, 0);
    EXPECT_EQ(read->legendBorderPosition, (std::array<double, 4>{0.5, 0.25, 0.75, 1.0}));
    EXPECT_EQ(read->legendColumns, 3);
    ASSERT_EQ(read->symbolCount, 2);
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const DataClass& written = file->classes[i];
        const DataClass& back = read->classes[i];
        EXPECT_EQ(back.symbol.name, written.symbol.name);
        EXPECT_EQ(back.symbol.sizeBasis, written.symbol.sizeBasis);
        EXPECT_EQ(back.symbol.size, written.symbol.size);
        EXPECT_EQ(back.lowValue, written.lowValue);
        EXPECT_EQ(back.highValue, written.highValue);
        EXPECT_EQ(back.plotStyle, written.plotStyle);
        EXPECT_EQ(back.label, written.label);
        EXPECT_EQ(back.textStyle.colour, written.textStyle.colour);
        EXPECT_EQ(back.textStyle.size, written.textStyle.size);
    }
    // The data's largest value 1234564 has 7 digits; cut to 6 (1.23456e+06)
    // the bound would leave it outside its class.
    EXPECT_EQ(read->classes[0].highValue, 1234564.0);
    // Runs of blanks in a quoted font name come back as single blanks.
    EXPECT_EQ(read->classes[1].textStyle.fontName, "Times New Roman");
}

TEST_F(DataFormatFile, FiftyClassesAreTheLimit) {
    std::string classes;
    for (int k = 1; k <= 51; ++k) classes += ClassLines(k, "square");
    const std::string fiftyOne = FormatWithClasses(51, classes);
    WriteFormatFile("fifty.okd", FormatWithClasses(50, classes.substr(0, classes.find("Symbol51"))));
    WriteFormatFile("fiftyone.okd", fiftyOne);

    auto file = MakeFile();
    EXPECT_EQ(file->ReadFormat("fifty.okd"), 1);
    EXPECT_EQ(file->symbolCount, 50);
    EXPECT_TRUE(messages.messages.empty());

    // The table holds 50: a 51st class is refused, not written past its end.
    auto refused = MakeFile();
    EXPECT_EQ(refused->ReadFormat("fiftyone.okd"), 0);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Error reading data format file : fiftyone.okd"});
    EXPECT_EQ(refused->symbolCount, 0);
}

// Styles are read as a stream: a short style sets the values it has, and
// text glued to its last number stays behind it.
TEST_F(DataFormatFile, ShortStylesReadAsAStream) {
    std::string text = FormatWithClasses(1, ClassLines(1, "square"));
    text.replace(text.find("0 0 0 0 1 0 0 0 0 99"), 20, "1 255 0 0");
    text.replace(text.find("1 0 0 0 1 0 0 0 0 99"), 20, "1 0 0 255 3 0 0 255 0 99;");
    const std::string labelStyle = "0 128 128 128 0 12 0 0 0.5 500 0 2 \r\nSymbol1";
    text.replace(text.find(labelStyle), labelStyle.size(), "0 0 128 0\r\nSymbol1");
    WriteFormatFile("short.okd", text);
    auto file = MakeFile();
    ASSERT_EQ(file->ReadFormat("short.okd"), 1);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(file->legendBorderStyle.plot, 1);
    EXPECT_EQ(file->legendBorderStyle.lineColour, Colour::Rgb(255, 0, 0));
    const DataClass& first = file->classes[0];
    EXPECT_EQ(first.plotStyle.lineColour, Colour::Rgb(0, 0, 255));
    EXPECT_EQ(first.plotStyle.lineWidth, 3);
    EXPECT_EQ(first.plotStyle.fillColour, Colour::Rgb(0, 255, 0));
    EXPECT_EQ(first.plotStyle.fillPattern, kFillSolid);
    EXPECT_EQ(first.textStyle.colour, Colour::Rgb(0, 128, 0));
    EXPECT_EQ(first.textStyle.fontName, "Arial");
}

TEST_F(DataFormatFile, RefusedFormatsReportAndLeaveTheRecord) {
    struct Row {
        const char* note;
        std::optional<std::string> file;  // written as bad.okd when given
        std::string library;  // replaces okap.sym; "-" removes it
        std::string message;
    } rows[] = {
        {"no such file", std::nullopt, "", "Error opening data format file : bad.okd"},
        {"format type 1", "Format type        = 1\r\n", "", "Unknown format type in : bad.okd"},
        {"format type not a number", "Format type        = zero\r\n", "", "Error reading data format file : bad.okd"},
        {"empty file", "", "", "Error reading data format file : bad.okd"},
        {"columns not a number", [] {
             std::string t = kNewFormat;
             return t.replace(t.find("columns     = 1"), 15, "columns     = two");
         }(), "", "Error reading data format file : bad.okd"},
        {"three position numbers", [] {
             std::string t = kNewFormat;
             return t.replace(t.find(" 0.95"), 5, "");
         }(), "", "Error reading data format file : bad.okd"},
        {"file ends in the header", [] {
             std::string t = kNewFormat;
             return t.substr(0, t.find("Legend columns"));
         }(), "",
         "Error reading data format file : bad.okd"},
        {"a style with no value", [] {
             std::string t = kNewFormat;
             return t.replace(t.find("0 0 0 0 1 0 0 0 0 99\r\n"), 20, "none");
         }(), "", "Error reading data format file : bad.okd"},
        {"negative count", FormatWithClasses(-1, ""), "", "Error reading data format file : bad.okd"},
        // Not read into memory whole: a file without line breaks, or no
        // format file at all.
        {"a line longer than any text file holds",
         [] {
             std::string t = kNewFormat;
             return t.insert(t.find("\r\n"), LineReader::kMaxLineLength, ' ');
         }(), "",
         "Error reading data format file : bad.okd"},
        {"low value not a number", FormatWithClasses(1, ClassLines(1, "square", "low")), "",
         "Error reading data format file : bad.okd"},
        {"fewer classes than counted", FormatWithClasses(2, ClassLines(1, "square")), "",
         "Error reading data format file : bad.okd"},
        {"file ends before the last label", [] {
             std::string t = FormatWithClasses(1, ClassLines(1, "square"));
             return t.substr(0, t.find("Symbol1 label"));
         }(), "", "Error reading data format file : bad.okd"},
        {"symbol not in the library", FormatWithClasses(2, ClassLines(1, "square") + ClassLines(2, "circle")), "",
         "Could not find symbol circle in okap.sym"},
        {"names are matched with case", FormatWithClasses(1, ClassLines(1, "Square")), "",
         "Could not find symbol Square in okap.sym"},
        // The library's own example: its last entry needs a line break.
        {"library's last entry without a line break", FormatWithClasses(1, ClassLines(1, "triangle")),
         "symbol  = triangle\npoints  = 4\n0 100\n87 -50\n-87 -50\n0 100",
         "Could not find symbol triangle in okap.sym"},
        {"no library", FormatWithClasses(1, ClassLines(1, "square")), "-", "Error opening okap.sym"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        std::filesystem::remove(dir / "maps/bad.okd");
        if (row.file) WriteFormatFile("bad.okd", *row.file);
        if (row.library == "-") std::filesystem::remove(dir / "maps/okap.sym");
        if (!row.library.empty() && row.library != "-") dir.Write("maps/okap.sym", row.library);
        messages.messages.clear();
        badclient = 0;

        auto file = MakeFile();
        EXPECT_EQ(file->ReadFormat("bad.okd"), 0);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, row.message);
        EXPECT_EQ(messages.messages[0].caption, "Error");
        EXPECT_EQ(badclient, 1);
        EXPECT_EQ(file->symbolCount, 0);
        EXPECT_EQ(file->legendName, "Legend");

        dir.Write("maps/okap.sym", test::kLibrary);
    }
}

TEST_F(DataFormatFile, MissingMapDirectory) {
    Datafile file(view, (dir / "nowhere").string(), DataPath());
    EXPECT_EQ(file.ReadFormat("any.okd"), 0);
    EXPECT_EQ(badclient, 1);
    badclient = 0;
    EXPECT_EQ(file.WriteFormat("any.okd", DataOptionTexts()), 0);
    EXPECT_EQ(badclient, 0);  // writing is no drawing or reading
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Data file path does not exist", "Map file path does not exist"}));
}

TEST_F(DataFormatFile, SavingReplacesTheOldFileOnlyWhenComplete) {
    WriteFormatFile("old.okd", "an old format\r\n");
    auto file = MakeFile();
    ASSERT_EQ(file->WriteFormat("old.okd", DataOptionTexts()), 1);
    EXPECT_EQ(TempDir::Read(dir / "maps/old.okd"), kNewFormat);

    EXPECT_EQ(file->WriteFormat("nodir/new.okd", DataOptionTexts()), 0);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Error opening data format file : nodir/new.okd"});
    // No temporary file is left beside the formats.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "maps"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"okap.sym", "old.okd"}));
}

}  // namespace
}  // namespace okap
