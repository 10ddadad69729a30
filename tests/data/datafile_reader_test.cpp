// Reading data files: placing, classifying, turning and labelling points.

#include <gtest/gtest.h>

#include <filesystem>

#include <cstdlib>
#include <string>
#include <vector>

#include "mapfiles/line_reader.h"
#include "tests/data/datafile_fixture.h"

namespace okap {
namespace {

using test::ClassLines;
using test::FormatWithClasses;
using test::LfOnly;

// Three classes. With the fixture's view (W / 10 = 1000, 1000 units a
// degree): a "Screen" symbol has scale 0.01 x (1000 / 2) x size, a "Map"
// symbol (1000 / 2) x size; an outline point p lands 0.01 x p x scale from
// the centre, truncated.
//   class 0: square, 0 to 10, Screen 12: scale 60, so +-98 -> +-58.8 -> +-58
//   class 1: triangle, 10 to 20, Screen 20: scale 100, so p -> p
//   class 2: triangle, 100 to 200, Map 2: scale 1000, so p -> 10 p (1 degree for 100)
const std::string kFormat = FormatWithClasses(3, ClassLines(1, "square", "0", "10") +
                                                     ClassLines(2, "triangle", "10", "20", "0", "20") +
                                                     ClassLines(3, "triangle", "100", "200", "1", "2"));

constexpr POINT kSydney{5000, -3750};  // the fixture view's centre
constexpr TBox kEmptyBox{{2147483647, -2147483647}, {-2147483647, 2147483647}};

// Outline offsets from kSydney, worked out from the scales above.
std::vector<POINT> Around(POINT centre, std::vector<POINT> offsets) {
    for (POINT& p : offsets) p = {centre.x + p.x, centre.y + p.y};
    return offsets;
}
const std::vector<POINT> kSquare12 = Around(kSydney, {{-58, 58}, {58, 58}, {58, -58}, {-58, -58}, {-58, 58}});
const std::vector<POINT> kTriangle20 = Around(kSydney, {{0, 100}, {87, -50}, {-87, -50}, {0, 100}});
const std::vector<POINT> kTriangleMap2 = Around(kSydney, {{0, 1000}, {870, -500}, {-870, -500}, {0, 1000}});
// Their extents: left, top, right, bottom (y grows upwards).
constexpr TBox kSquare12Box{{4942, -3692}, {5058, -3808}};
constexpr TBox kTriangle20Box{{4913, -3650}, {5087, -3800}};
constexpr TBox kTriangleMap2Box{{4130, -2750}, {5870, -4250}};

class DatafileReader : public test::DatafileTest {
protected:
    // A Datafile with kFormat read and the data file holding text opened.
    std::unique_ptr<Datafile> Open(const std::string& text) {
        WriteFormatFile("points.okd", kFormat);
        WriteDataFile("points.dat", text);
        auto file = MakeFile();
        EXPECT_EQ(file->ReadFormat("points.okd"), 1);
        EXPECT_EQ(file->OpenInfile("points.dat"), 1);
        return file;
    }

    static std::vector<POINT> Outline(const Datafile& file, const POINT* points) {
        return {points, points + file.classes[static_cast<size_t>(file.currentClass)].symbol.pointCount};
    }

    POINT points[Symbol::kMaxPoints];
    TBox box;
};

TEST_F(DatafileReader, PlacesAndClassifiesPoints) {
    struct Row {
        const char* line;
        int32_t valid;
        int32_t cls;
        int32_t hasLabel;
        std::vector<POINT> outline;
        TBox box;
    } rows[] = {
        // The Part's example: 33.9 S 151.2 E, value 17.5, unturned, unlabelled.
        {"151.2 -33.9 17.5", 1, 1, 0, kTriangle20, kTriangle20Box},
        // The label's quote ends the numbers: no angle.
        {"151.2 -33.9 17.5 \"Sydney\"", 1, 1, 1, kTriangle20, kTriangle20Box},
        {"  151.2\t-33.9   17.5   ", 1, 1, 0, kTriangle20, kTriangle20Box},
        {"151.2 -33.9 5", 1, 0, 0, kSquare12, kSquare12Box},
        // 10 is the high value of class 0 and the low value of class 1: the
        // higher class wins.
        {"151.2 -33.9 10", 1, 1, 0, kTriangle20, kTriangle20Box},
        // A "Map" symbol: 100 outline units are one degree, 1000 units.
        {"151.2 -33.9 150", 1, 2, 0, kTriangleMap2, kTriangleMap2Box},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        auto file = Open(std::string(row.line) + "\r\n");
        ASSERT_EQ(file->GetPlot(points, box, 3), 1);
        EXPECT_EQ(file->pointValid, row.valid);
        EXPECT_EQ(file->currentClass, row.cls);
        EXPECT_EQ(file->hasLabel, row.hasLabel);
        EXPECT_EQ(file->hasOutline, 1);
        EXPECT_EQ(file->outlineKind, 3);
        EXPECT_EQ(file->centre, kSydney);
        EXPECT_EQ(Outline(*file, points), row.outline);
        EXPECT_EQ(box, row.box);
        EXPECT_EQ(file->EndOfInfile(), 0);
    }
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(badclient, 0);
}

TEST_F(DatafileReader, PositionOnlyMode) {
    auto file = Open("151.2 -33.9 17.5\n");
    points[1] = {7, 7};
    ASSERT_EQ(file->GetPlot(points, box, 1), 1);
    EXPECT_EQ(file->pointValid, 1);
    EXPECT_EQ(file->value, 17.5);
    EXPECT_EQ(points[0], kSydney);
    EXPECT_EQ(points[1], (POINT{7, 7}));  // no outline
    EXPECT_EQ(box, kEmptyBox);
}

TEST_F(DatafileReader, AngleTurnsTheSymbolClockwise) {
    struct Row {
        const char* line;
        std::vector<POINT> outline;
        bool label;
    } rows[] = {
        // The triangle (0 100) (87 -50) (-87 -50) turned 90 degrees clockwise
        // is (100 0) (-50 -87) (-50 87): the top point goes east.
        {"151.2 -33.9 17.5 90", Around(kSydney, {{100, 0}, {-50, -87}, {-50, 87}, {100, 0}}), false},
        // The Part's example: 45 degrees and a label. (0 100) goes to
        // (70.7 70.7), (87 -50) to (26.2 -96.9), (-87 -50) to (-96.9 26.2).
        {"151.2 -33.9 17.5 45 \"Sydney\"", Around(kSydney, {{71, 71}, {26, -97}, {-97, 26}, {71, 71}}), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        auto file = Open(std::string(row.line) + "\n");
        ASSERT_EQ(file->GetPlot(points, box, 3), 1);
        const std::vector<POINT> outline = Outline(*file, points);
        ASSERT_EQ(outline.size(), row.outline.size());
        for (size_t i = 0; i < outline.size(); ++i) {
            // Rotation works with an approximate pi and truncates.
            EXPECT_LE(std::abs(outline[i].x - row.outline[i].x), 1) << i;
            EXPECT_LE(std::abs(outline[i].y - row.outline[i].y), 1) << i;
        }
        // The box keeps the unturned extent.
        EXPECT_EQ(box, kTriangle20Box);
        std::string label;
        if (row.label) {
            EXPECT_EQ(file->GetLabel(label), 1);
            EXPECT_EQ(label, "Sydney");
        }
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DatafileReader, ReadsToTheEndSkippingValuesOutsideEveryClass) {
    const std::string text =
        "151.2 -33.9 5\r\n"
        "151.2 -33.9 25\r\n"  // above every class: skipped, no message
        "151.2 -33.9 -1 \"below\"\r\n"
        "151.2 -33.9 17.5 \"Sydney\"\r\n"
        "151.2 -33.9 18";  // no line break: the end, not drawn
    for (const std::string& variant : {text, LfOnly(text)}) {
        auto file = Open(variant);
        struct Step {
            int result, valid, end;
        } expected[] = {{1, 1, 0}, {1, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 1}, {0, 0, 1}};
        for (const Step& step : expected) {
            EXPECT_EQ(file->GetPlot(points, box, 3), step.result);
            EXPECT_EQ(file->pointValid, step.valid);
            EXPECT_EQ(file->EndOfInfile(), step.end);
        }
    }
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(badclient, 0);
}

TEST_F(DatafileReader, BadLineEndsTheLayer) {
    const char* lines[] = {
        "151.2 -33.9",                 // two numbers
        "151.2 -33.9 \"17.5\"",        // the quote ends the numbers before the value
        "151.2,-33.9,17.5",            // not separated by white space
        "151.2 -33.9 many",
        "151.2 -33.9x 17.5",           // the latitude's glued text stops the reading
        "",                            // every line is a point
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        auto file = Open(std::string(line) + "\r\n151.2 -33.9 5\r\n");
        messages.messages.clear();
        badclient = 0;
        EXPECT_EQ(file->GetPlot(points, box, 3), 0);
        EXPECT_EQ(file->pointValid, 0);
        EXPECT_EQ(file->EndOfInfile(), 1);
        EXPECT_EQ(badclient, 1);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, "Unknown data file type");
        EXPECT_EQ(messages.messages[0].caption, "Error");
    }
}

// A file whose line is longer than any text file of the program holds (a
// file without line breaks, or no data file at all) is refused at that line
// rather than read whole into memory; the points before it are drawn.
TEST_F(DatafileReader, LineTooLongIsABadDataFile) {
    const std::string padded = "151.2 -33.9 5" + std::string(LineReader::kMaxLineLength, ' ');
    auto file = Open("151.2 -33.9 5\r\n" + padded + "\r\n151.2 -33.9 5\r\n");
    messages.messages.clear();
    badclient = 0;
    EXPECT_EQ(file->GetPlot(points, box, 3), 1);
    EXPECT_EQ(file->pointValid, 1);
    EXPECT_EQ(file->GetPlot(points, box, 3), 0);
    EXPECT_EQ(file->EndOfInfile(), 1);
    EXPECT_EQ(badclient, 1);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unknown data file type"});
}

// The numbers are read as a stream reads them: text glued to a number
// stays behind it and ends the numbers there.
TEST_F(DatafileReader, TextGluedToANumberEndsTheNumbers) {
    for (const char* line : {"151.2 -33.9 17.5abc", "151.2 -33.9 17.5;", "151.2 -33.9 1.75e1x 90",
                             "151.2 -33.9 17.5 0deg \"Sydney\""}) {
        SCOPED_TRACE(line);
        auto file = Open(std::string(line) + "\r\n");
        EXPECT_EQ(file->GetPlot(points, box, 3), 1);
        EXPECT_EQ(file->pointValid, 1);
        EXPECT_EQ(file->value, 17.5);
        EXPECT_EQ(Outline(*file, points), kTriangle20) << "no angle, or 0";
    }
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(badclient, 0);
}

TEST_F(DatafileReader, NoClassesDrawNothing) {
    WriteFormatFile("empty.okd", test::kNewFormat);
    WriteDataFile("points.dat", "151.2 -33.9 5\n");
    auto file = MakeFile();
    ASSERT_EQ(file->ReadFormat("empty.okd"), 1);
    ASSERT_EQ(file->OpenInfile("points.dat"), 1);
    EXPECT_EQ(file->GetPlot(points, box, 3), 1);
    EXPECT_EQ(file->pointValid, 0);
    EXPECT_EQ(file->GetPlot(points, box, 3), 0);
}

TEST_F(DatafileReader, PositionThatCannotBeProjected) {
    // An orthographic view of the hemisphere around 0 N 0 E cannot show a
    // point at 180 E: it is passed over without a word.
    Projection globe("ORTH", test::At(0.0, 0.0));
    globe.setvp(kExtent, kExtent, {0, 0}, kScale);
    WriteFormatFile("points.okd", kFormat);
    WriteDataFile("points.dat", "180 0 5\n0 0 5\n");
    Datafile file(globe, MapPath(), DataPath());
    ASSERT_EQ(file.ReadFormat("points.okd"), 1);
    ASSERT_EQ(file.OpenInfile("points.dat"), 1);
    EXPECT_EQ(file.GetPlot(points, box, 3), 1);
    EXPECT_EQ(file.pointValid, 0);
    EXPECT_EQ(file.hidden, 1);
    EXPECT_EQ(file.GetPlot(points, box, 1), 1);
    EXPECT_EQ(file.pointValid, 1);
    EXPECT_EQ(file.hidden, 0);
    EXPECT_EQ(points[0], (POINT{5000, -3750}));  // 0 N 0 E is the view's centre
    EXPECT_EQ(badclient, 0);
    EXPECT_TRUE(messages.messages.empty());

    // A point in sight that still cannot be converted (here for want of a
    // viewport) is reported, and only this point is lost.
    Projection unset("ORTH", test::At(0.0, 0.0));
    Datafile again(unset, MapPath(), DataPath());
    ASSERT_EQ(again.ReadFormat("points.okd"), 1);
    ASSERT_EQ(again.OpenInfile("points.dat"), 1);
    EXPECT_EQ(again.GetPlot(points, box, 3), 1);  // 180 E, passed over
    EXPECT_EQ(again.GetPlot(points, box, 3), 0);
    EXPECT_EQ(again.pointValid, 0);
    EXPECT_EQ(again.hidden, 0);
    EXPECT_EQ(again.EndOfInfile(), 0);
    EXPECT_EQ(badclient, 1);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Can not convert data point position"});
}

TEST_F(DatafileReader, Labels) {
    struct Row {
        const char* line;
        int result;
        const char* label;    // when found
        const char* message;  // when not
    } rows[] = {
        {"151.2 -33.9 17.5 \"Sydney\"", 1, "Sydney", nullptr},
        {"151.2 -33.9 17.5 45 \"Port Jackson\" ignored \"x\"", 1, "Port Jackson", nullptr},
        {"151.2 -33.9 17.5 \"\"", 1, "", nullptr},
        {"151.2 -33.9 17.5 \"Sydney", 0, nullptr, "Error reading a data label"},
        {"151.2 -33.9 17.5", 0, nullptr, "Could not find a data label"},
        // A skipped point has no label to give.
        {"151.2 -33.9 25 \"Sydney\"", 0, nullptr, "Could not find a data label"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        auto file = Open(std::string(row.line) + "\n151.2 -33.9 5\n");
        messages.messages.clear();
        badclient = 0;
        ASSERT_EQ(file->GetPlot(points, box, 3), 1);
        std::string label = "unchanged";
        EXPECT_EQ(file->GetLabel(label), row.result);
        if (row.result) {
            EXPECT_EQ(label, row.label);
            EXPECT_TRUE(messages.messages.empty());
            EXPECT_EQ(file->EndOfInfile(), 0);
        } else {
            EXPECT_EQ(messages.Texts(), std::vector<std::string>{row.message});
            EXPECT_EQ(messages.messages[0].caption, "Error");
            EXPECT_EQ(badclient, 1);
            EXPECT_EQ(file->pointValid, 0);
            EXPECT_EQ(file->EndOfInfile(), 1);
        }
    }
}

TEST_F(DatafileReader, DataRangeStopsAtTheFirstBadLineAndRewinds) {
    // Ten lines, the third bad: only the first two count.
    std::string text = "0 0 4\r\n0 0 -2\r\n0 0\r\n";
    for (int i = 0; i < 7; ++i) text += "0 0 100\r\n";
    auto file = Open(text);
    ASSERT_EQ(file->GetPlot(points, box, 1), 1);  // reading has begun
    double min = 0, max = 0;
    file->GetDataRange(min, max);
    EXPECT_EQ(min, -2.0);
    EXPECT_EQ(max, 4.0);
    EXPECT_TRUE(messages.messages.empty());  // the bad line is no error here
    EXPECT_EQ(file->GetPlot(points, box, 1), 1);
    EXPECT_EQ(file->value, 4.0);  // back at the first line

    struct Row {
        const char* note;
        std::string text;
        double min, max;
    } rows[] = {
        {"empty file", "", 1e32, -1e32},
        {"last line without a line break is not read", "0 0 3\n0 0 50", 3.0, 3.0},
        {"labels and angles", "0 0 7 45 \"a\"\n0 0 -7 \"b\"\n", -7.0, 7.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        auto ranged = Open(row.text);
        ranged->GetDataRange(min, max);
        EXPECT_EQ(min, row.min);
        EXPECT_EQ(max, row.max);
    }

    // No open data file: nothing to range over.
    auto closed = MakeFile();
    min = max = 5.0;
    closed->GetDataRange(min, max);
    EXPECT_EQ(min, 0.0);
    EXPECT_EQ(max, 0.0);
}

TEST_F(DatafileReader, LegendSymbol) {
    auto file = Open("");
    ASSERT_EQ(file->GetLegendSymbol(points, box, 0, {1000, -1000}), 1);
    EXPECT_EQ(file->currentClass, 0);
    EXPECT_EQ(file->pointValid, 1);
    EXPECT_EQ(file->centre, (POINT{1000, -1000}));
    EXPECT_EQ(Outline(*file, points),
              (std::vector<POINT>{{942, -942}, {1058, -942}, {1058, -1058}, {942, -1058}, {942, -942}}));
    EXPECT_EQ(box, (TBox{{942, -942}, {1058, -1058}}));

    ASSERT_EQ(file->GetLegendSymbol(points, box, 2, kSydney), 1);
    EXPECT_EQ(Outline(*file, points), kTriangleMap2);

    // No such class: nothing to draw.
    EXPECT_EQ(file->GetLegendSymbol(points, box, 3, kSydney), 0);
    EXPECT_TRUE(messages.messages.empty());

    // A view with no viewport cannot place it.
    Projection bare("MERC", test::At(0.0, 0.0));
    Datafile unplaced(bare, MapPath(), DataPath());
    ASSERT_EQ(unplaced.ReadFormat("points.okd"), 1);
    EXPECT_EQ(unplaced.GetLegendSymbol(points, box, 0, {1000, -1000}), 0);
    EXPECT_EQ(badclient, 1);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Can not convert data point position"});
}

TEST_F(DatafileReader, OpeningAndClosing) {
    auto file = MakeFile();
    // A new Datafile is at the end and has no point.
    EXPECT_EQ(file->EndOfInfile(), 1);
    EXPECT_EQ(file->pointValid, 0);
    EXPECT_EQ(file->currentClass, 0);
    EXPECT_EQ(file->GetPlot(points, box, 3), 0);

    EXPECT_EQ(file->OpenInfile("none.dat"), 0);
    EXPECT_EQ(file->EndOfInfile(), 1);
    EXPECT_EQ(badclient, 1);
    // A folder reads as an empty file: refused as a missing one.
    std::filesystem::create_directory(dir / "folder.dat");
    EXPECT_EQ(file->OpenInfile("folder.dat"), 0);
    Datafile lost(view, MapPath(), (dir / "nowhere").string());
    EXPECT_EQ(lost.OpenInfile("points.dat"), 0);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Error opening data file : none.dat",
                                                          "Error opening data file : folder.dat",
                                                          "Data file path does not exist"}));

    auto open = Open("151.2 -33.9 5\n");
    EXPECT_EQ(open->EndOfInfile(), 0);
    EXPECT_EQ(open->dataFileName, "points.dat");
    EXPECT_EQ(open->CloseInfile(), 1);
    EXPECT_EQ(open->EndOfInfile(), 1);
    EXPECT_EQ(open->GetPlot(points, box, 3), 0);
}

}  // namespace
}  // namespace okap
