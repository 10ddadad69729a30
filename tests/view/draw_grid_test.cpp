#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/globals.h"
#include "core/latlong.h"
#include "platform/message_box.h"
#include "platform/recording_dc.h"
#include "support/temp_dir.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {
namespace {

using namespace okap::recorded;

constexpr int32_t kDegree = 1111200;  // angle units

const Pen kMajorPen{Colour::Rgb(0, 0, 0), 2, PenStyle::Solid};
const Pen kMinorPen{Colour::Rgb(128, 128, 128), 1, PenStyle::Dot};

// The values of a grid format file, line by line.
struct FormatLines {
    std::string major = "1 0 0 0 2 0 255 255 255 99";      // black, width 2, solid
    std::string minor = "1 128 128 128 1 2 255 255 255 99";  // grey, width 1, dotted
    std::string ticks = "1 0";
    std::string axes = "1 1 1 1";
    std::string labelFormat = "0";
    // Screen size 10: 200 logical units high at dispix 1.
    std::string labelStyle = "1 \"Arial\" 0 0 0 255 0 10 0 0 0.5 400 0 2 ";

    std::string Text() const {
        return "Grid Format - OKAP version 1\r\n"
               "Major grid style     = " + major + "\r\n"
               "Minor grid style     = " + minor + "\r\n"
               "Ticks                = " + ticks + "\r\n"
               "Axes                 = " + axes + "\r\n"
               "Label format         = " + labelFormat + "\r\n"
               "Label text style     = " + labelStyle + "\r\n";
    }
};

struct Stroke {
    POINT from;
    POINT to;
    friend bool operator==(const Stroke&, const Stroke&) = default;
};
std::ostream& operator<<(std::ostream& os, const Stroke& s) { return os << s.from << "->" << s.to; }

struct Label {
    POINT at;
    std::string text;
    TextAlign align;
    friend bool operator==(const Label&, const Label&) = default;
};
std::ostream& operator<<(std::ostream& os, const Label& l) {
    return os << l.at << " \"" << l.text << "\" " << l.align;
}

// One grid line as drawn: the calls between a SaveDC and its RestoreDC.
struct GridLine {
    Pen pen;
    std::vector<Stroke> strokes;  // segments and ticks, each a MoveTo and a LineTo
    std::vector<Label> labels;
};

std::vector<GridLine> Lines(const RecordingDC& dc) {
    std::vector<GridLine> lines;
    POINT from;
    TextAlign align = TextAlign::Left;
    for (const DcCall& call : dc.calls) {
        if (std::holds_alternative<SaveDC>(call)) lines.emplace_back();
        if (lines.empty()) continue;
        GridLine& line = lines.back();
        if (const auto* c = std::get_if<SelectPen>(&call)) line.pen = c->pen;
        if (const auto* c = std::get_if<MoveTo>(&call)) from = c->p;
        if (const auto* c = std::get_if<LineTo>(&call)) line.strokes.push_back({from, c->p});
        if (const auto* c = std::get_if<SetTextAlign>(&call)) align = c->align;
        if (const auto* c = std::get_if<TextOut>(&call)) line.labels.push_back({c->p, c->text, align});
    }
    return lines;
}

std::vector<Stroke> AllStrokes(const std::vector<GridLine>& lines) {
    std::vector<Stroke> all;
    for (const GridLine& line : lines) all.insert(all.end(), line.strokes.begin(), line.strokes.end());
    return all;
}

std::vector<Label> AllLabels(const std::vector<GridLine>& lines) {
    std::vector<Label> all;
    for (const GridLine& line : lines) all.insert(all.end(), line.labels.begin(), line.labels.end());
    return all;
}

class DrawGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFormat(FormatLines{});
        doc.gridOn = 1;
        doc.gridFormatFile = "std.okg";
        doc.gridSize = 90.0;
        doc.gridIncrement = 3;
        doc.longitudeMode = 1;
        doc.mapRegion = {{-180 * kDegree, 90 * kDegree}, {180 * kDegree, -90 * kDegree}};
        SetView("MERC", Position(), {0, 0}, 300000000);
    }
    void TearDown() override { ResetGlobals(); }

    void WriteFormat(const FormatLines& lines) { dir.Write("std.okg", lines.Text()); }

    // The viewport as Paint sets it for a window of 400 x 300 pixels.
    void SetView(const char* code, Position origin, LPoint centre, int32_t scale) {
        doc.projection = Projection(code, origin);
        doc.windowExtent = {10000, 7500};
        doc.viewportExtent = {400, -300};
        doc.centre = centre;
        doc.scale = scale;
        doc.projection.setvp(doc.windowExtent, doc.viewportExtent, centre, scale);
        lcperdegree = doc.projection.lpextent.cx / (doc.projection.dmextent.x * 8.999280057595392e-07);
    }

    void Draw() { view.DrawGrid(dc, 1.0, TRect{0, 0, 400, 300}); }
    // As Paint draws the window on a device factor times as fine (a page).
    void DrawAtFactor(double factor) {
        doc.viewportExtent = {SafeInt(400 * factor), -SafeInt(300 * factor)};
        view.DrawGrid(dc, factor, TRect{0, 0, 400, 300});
    }

    test::TempDir dir;
    MapDocument doc;
    MapView view{doc, ViewSettings{.mapDirectory = dir.Path().string(), .dataDirectory = ""}};
    RecordingDC dc;
    MessageRecorder messages;
};

// Grid size 90 and increment 3 on the whole world at scale 1:300000000:
// meridians every 30 degrees, those at 0, +-90 and +-180 major. Logical x is
// 5000 + world x / 90000, the world x from PROJ's command-line tool
// (proj +proj=merc +ellps=GRS80 +units=dm): 30 degrees is 33395847 dm, so
// 371.06 units a step, truncated.
TEST_F(DrawGridTest, MeridiansAndParallelsOfTheWholeWorld) {
    FormatLines format;
    format.axes = "0 0 0 0";  // only the lines
    WriteFormat(format);
    Draw();
    const std::vector<GridLine> lines = Lines(dc);
    struct Row {
        double lon;
        int x;
        bool major;
    } meridians[] = {
        {-180, 2773, true},  {-150, 3144, false}, {-120, 3515, false}, {-90, 3886, true}, {-60, 4257, false},
        {-30, 4628, false},  {0, 5000, true},     {30, 5371, false},   {60, 5742, false}, {90, 6113, true},
        {120, 6484, false},  {150, 6855, false},  {180, 7226, true},
    };
    // Parallels at 0, +-30 and +-60 (world y 0, 34821890 and 83626985 dm);
    // those at +-90 lie far beyond the view and draw nothing.
    struct ParallelRow {
        double lat;
        int y;
        bool major;
    } parallels[] = {
        {-60, -4679, false}, {-30, -4136, false}, {0, -3750, true}, {30, -3363, false}, {60, -2820, false},
    };
    ASSERT_EQ(lines.size(), 13u + 7u);
    for (size_t i = 0; i < 13; ++i) {
        const Row& r = meridians[i];
        const GridLine& line = lines[i];
        EXPECT_EQ(line.pen, r.major ? kMajorPen : kMinorPen) << r.lon;
        ASSERT_FALSE(line.strokes.empty()) << r.lon;
        // Walked in steps of 30 degrees; the poles lie beyond the view, so
        // every meridian runs from the bottom edge to the top edge.
        EXPECT_EQ(line.strokes.front().from, (POINT{r.x, -7500})) << r.lon;
        EXPECT_EQ(line.strokes.back().to, (POINT{r.x, 0})) << r.lon;
        for (const Stroke& s : line.strokes) {
            EXPECT_EQ(s.from.x, r.x) << r.lon;
            EXPECT_EQ(s.to.x, r.x) << r.lon;
        }
    }
    EXPECT_EQ(lines[13].pen, kMajorPen);  // -90
    EXPECT_TRUE(lines[13].strokes.empty());
    EXPECT_EQ(lines[19].pen, kMajorPen);  // 90
    EXPECT_TRUE(lines[19].strokes.empty());
    for (size_t i = 0; i < 5; ++i) {
        const ParallelRow& r = parallels[i];
        const GridLine& line = lines[14 + i];
        EXPECT_EQ(line.pen, r.major ? kMajorPen : kMinorPen) << r.lat;
        // From the region's west edge to its east edge in 12 steps, and no
        // further: the edges were seen.
        ASSERT_EQ(line.strokes.size(), 12u) << r.lat;
        EXPECT_EQ(line.strokes.front().from, (POINT{2773, r.y})) << r.lat;
        EXPECT_EQ(line.strokes.back().to, (POINT{7226, r.y})) << r.lat;
        for (size_t k = 0; k < 12; ++k) {
            EXPECT_EQ(line.strokes[k].from, (POINT{meridians[k].x, r.y})) << r.lat;
            EXPECT_EQ(line.strokes[k].to, (POINT{meridians[k + 1].x, r.y})) << r.lat;
        }
    }
    EXPECT_TRUE(AllLabels(lines).empty());
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(badclient, 0);
}

// At scale 1:50000000 the view shows -67 to 67 degrees of longitude and -45
// to 45 of latitude: meridians -60 to 60 cross the top and bottom edges,
// parallels -30 to 30 the left and right ones. Logical x = 5000 + world x /
// 15000, y = -3750 + world y / 15000 (30 degrees: x 2226.4, y 2321.5
// units from the centre, truncated).
enum EdgeBit { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };
struct Tick {
    int edge;
    bool major;
    Stroke stroke;
};
const std::vector<Tick> kAllTicks = {
    {kBottom, false, {{547, -7500}, {547, -7450}}},   {kTop, false, {{547, 0}, {547, -50}}},
    {kBottom, false, {{2773, -7500}, {2773, -7450}}}, {kTop, false, {{2773, 0}, {2773, -50}}},
    {kBottom, true, {{5000, -7500}, {5000, -7400}}},  {kTop, true, {{5000, 0}, {5000, -100}}},
    {kBottom, false, {{7226, -7500}, {7226, -7450}}}, {kTop, false, {{7226, 0}, {7226, -50}}},
    {kBottom, false, {{9452, -7500}, {9452, -7450}}}, {kTop, false, {{9452, 0}, {9452, -50}}},
    {kLeft, false, {{0, -6071}, {50, -6071}}},        {kRight, false, {{10000, -6071}, {9950, -6071}}},
    {kLeft, true, {{0, -3750}, {100, -3750}}},        {kRight, true, {{10000, -3750}, {9900, -3750}}},
    {kLeft, false, {{0, -1428}, {50, -1428}}},        {kRight, false, {{10000, -1428}, {9950, -1428}}},
};
// Labels of the major lines at the inner end of their ticks, moved by the
// offsets of the edge times the font height of 200: left (0.2, 0.5) left
// aligned, right (0, 0.5) right aligned, top (0, 0) and bottom (0, 1)
// centred.
struct EdgeLabel {
    int edge;
    Label label;
};
const std::vector<EdgeLabel> kAllLabels = {
    {kBottom, {{5000, -7200}, "   0.000", TextAlign::Centre}},
    {kTop, {{5000, -100}, "   0.000", TextAlign::Centre}},
    {kLeft, {{140, -3650}, "  0.000", TextAlign::Left}},
    {kRight, {{9900, -3650}, "  0.000", TextAlign::Right}},
};

TEST_F(DrawGridTest, TicksAndLabelsOnlyOnEnabledEdges) {
    struct Row {
        const char* what;
        const char* ticks;
        const char* axes;  // left right top bottom
        bool labelsOn;
        int edges;
        bool ticksShown;
    } rows[] = {
        {"all edges", "1 0", "1 1 1 1", true, kLeft | kRight | kTop | kBottom, true},
        {"left and bottom", "1 0", "1 0 0 1", true, kLeft | kBottom, true},
        {"right and top", "1 1", "0 1 1 0", true, kRight | kTop, true},
        {"ticks off", "0 0", "1 1 1 1", true, kLeft | kRight | kTop | kBottom, false},
        {"labels off", "1 0", "1 1 1 1", false, kLeft | kRight | kTop | kBottom, true},
    };
    for (const Row& r : rows) {
        FormatLines format;
        format.major = "0 0 0 0 2 0 255 255 255 99";  // plot off: the ticks are all that is drawn
        format.minor = "0 128 128 128 1 2 255 255 255 99";
        format.ticks = r.ticks;
        format.axes = r.axes;
        if (!r.labelsOn) format.labelStyle[0] = '0';
        WriteFormat(format);
        SetView("MERC", Position(), {0, 0}, 50000000);
        dc.calls.clear();
        Draw();
        const std::vector<GridLine> lines = Lines(dc);

        std::vector<Stroke> ticks;
        for (const GridLine& line : lines) {
            for (const Stroke& s : line.strokes) {
                ticks.push_back(s);
                // The tick's pen is its line's.
                const bool major = std::abs(s.to.x - s.from.x) + std::abs(s.to.y - s.from.y) == 100;
                EXPECT_EQ(line.pen, major ? kMajorPen : kMinorPen) << r.what << ' ' << s;
            }
        }
        std::vector<Stroke> expectedTicks;
        if (r.ticksShown) {
            for (const Tick& t : kAllTicks)
                if (t.edge & r.edges) expectedTicks.push_back(t.stroke);
        }
        EXPECT_EQ(ticks, expectedTicks) << r.what;

        std::vector<Label> expectedLabels;
        if (r.labelsOn) {
            for (const EdgeLabel& l : kAllLabels)
                if (l.edge & r.edges) expectedLabels.push_back(l.label);
        }
        EXPECT_EQ(AllLabels(lines), expectedLabels) << r.what;
        // Each label is drawn in the label style's font and colour.
        for (const SelectFont& c : dc.CallsOf<SelectFont>())
            EXPECT_EQ(c.font, (Font{"Arial", 200, 0, 400, false, 0})) << r.what;
        for (const SetTextColor& c : dc.CallsOf<SetTextColor>()) EXPECT_EQ(c.colour, Colour::Rgb(0, 0, 255)) << r.what;
        EXPECT_EQ(dc.CallsOf<SelectFont>().size(), expectedLabels.size()) << r.what;
    }
}

// The label format read from the file labels the lines and becomes the
// document's position format. Texts from the display forms: 0 is W and S.
TEST_F(DrawGridTest, LabelsUseTheFormatOfTheFile) {
    struct Row {
        int format;
        const char* meridian;
        const char* parallel;
    } rows[] = {
        {0, "   0.000", "  0.000"},
        {1, "   0.000000", "  0.000000"},
        {2, "000 00\" 00'W", "00 00\" 00'S"},
        {3, "000 00\"W", "00 00\"S"},
        {4, "000 W", "00 S"},
    };
    for (const Row& r : rows) {
        FormatLines format;
        format.labelFormat = std::to_string(r.format);
        WriteFormat(format);
        SetView("MERC", Position(), {0, 0}, 50000000);
        doc.positionFormat = -1;
        dc.calls.clear();
        Draw();
        std::vector<std::string> texts;
        for (const TextOut& t : dc.CallsOf<TextOut>()) texts.push_back(t.text);
        // Meridian 0 at the bottom and the top, then parallel 0 left and right.
        EXPECT_EQ(texts, (std::vector<std::string>{r.meridian, r.meridian, r.parallel, r.parallel})) << r.format;
        EXPECT_EQ(doc.positionFormat, r.format);
    }
}

// Centred on 15 E 15 N (world point from proj) at 1:1000000 the view spans
// less than 3 degrees and lies inside the minor cell 0..30 both ways.
TEST_F(DrawGridTest, AViewInsideOneMinorCellDrawsNothing) {
    SetView("MERC", Position(), {16697923, 16781475}, 1000000);
    Draw();
    EXPECT_TRUE(dc.calls.empty());
    EXPECT_TRUE(messages.messages.empty());
}

// The same small view centred on 0 N 0 E shows the prime meridian and the
// equator, though both of its corners lie within 30 degrees of 0: the cells
// either side of 0 are different cells.
TEST_F(DrawGridTest, AViewAcrossZeroShowsTheLinesThroughIt) {
    FormatLines format;
    format.axes = "0 0 0 0";
    WriteFormat(format);
    SetView("MERC", Position(), {0, 0}, 1000000);
    Draw();
    std::vector<Stroke> strokes = AllStrokes(Lines(dc));
    EXPECT_EQ(strokes, (std::vector<Stroke>{{{5000, -7500}, {5000, -3750}},
                                            {{5000, -3750}, {5000, 0}},
                                            {{0, -3750}, {5000, -3750}},
                                            {{5000, -3750}, {10000, -3750}}}));
}

// Polar stereographic and orthographic maps: the region's corners at the
// pole are converted at 89.999999 degrees, and the parallel at the pole is
// drawn there, as a ring no bigger than a logical unit round the pole's
// point; the other parallels keep their whole degrees.
TEST_F(DrawGridTest, PolarMapsDrawTheParallelAtThePoleJustShortOfIt) {
    struct Row {
        const char* code;
        double originLat;
        LPoint pole;  // world coordinates of the pole (UPST in metres with false origin 2000000)
        int32_t scale;
        int32_t north, south;  // the region, degrees
    } rows[] = {
        {"UPST", -90.0, {2000000, 2000000}, 2000000, 0, -90},
        {"UPST", 90.0, {2000000, 2000000}, 2000000, 90, 0},
        {"ORTH", 90.0, {0, 0}, 20000000, 90, 0},
    };
    for (const Row& r : rows) {
        doc.gridSize = 30.0;
        doc.gridIncrement = 1;
        doc.mapRegion = {{-180 * kDegree, r.north * kDegree}, {180 * kDegree, r.south * kDegree}};
        FormatLines format;
        format.labelFormat = "2";
        WriteFormat(format);
        SetView(r.code, Position(Latitude(r.originLat), Longitude(0.0)), r.pole, r.scale);
        dc.calls.clear();
        Draw();
        const std::vector<GridLine> lines = Lines(dc);
        const POINT pole{5000, -3750};
        int ringsAtThePole = 0;
        for (const GridLine& line : lines) {
            bool atPole = !line.strokes.empty();
            for (const Stroke& s : line.strokes) {
                atPole = atPole && std::abs(s.from.x - pole.x) <= 1 && std::abs(s.from.y - pole.y) <= 1 &&
                         std::abs(s.to.x - pole.x) <= 1 && std::abs(s.to.y - pole.y) <= 1;
            }
            if (atPole) ++ringsAtThePole;
        }
        EXPECT_EQ(ringsAtThePole, 1) << r.code << ' ' << r.originLat;
        const std::vector<Label> labels = AllLabels(lines);
        EXPECT_FALSE(labels.empty()) << r.code << ' ' << r.originLat;
        for (const Label& l : labels) {
            // Whole degrees: no 59 minutes 59 seconds from a grid started
            // a millionth of a degree off the pole.
            EXPECT_EQ(l.text.find("59"), std::string::npos) << r.code << ' ' << l;
        }
        EXPECT_TRUE(messages.messages.empty());
    }
}

// An orthographic globe's graticule runs to the horizon and no further:
// every line drawn lies on the globe, and the lines reach its edge.
TEST_F(DrawGridTest, OrthographicLinesEndAtTheHorizon) {
    doc.gridSize = 30.0;
    doc.gridIncrement = 3;
    doc.mapRegion = {{-180 * kDegree, 90 * kDegree}, {180 * kDegree, -90 * kDegree}};
    SetView("ORTH", Position(Latitude(40.0), Longitude(10.0)), {0, 0}, 60000000);
    Draw();
    const std::vector<Stroke> strokes = AllStrokes(Lines(dc));
    ASSERT_FALSE(strokes.empty());
    // The horizon is some 3540 logical units from the centre (the globe's
    // 6378 km in a view of 18000 km, 10000 units wide).
    const POINT centre{5000, -3750};
    const auto onGlobe = [&](POINT p) {
        // Cut to whole units (on the way to the world and back), a point at
        // the horizon may lie a hair beyond it: three units towards the
        // centre count.
        const double dx = p.x - centre.x, dy = p.y - centre.y, r = std::hypot(dx, dy);
        const POINT in = r < 3 ? p : POINT{SafeInt(centre.x + dx * (r - 3) / r), SafeInt(centre.y + dy * (r - 3) / r)};
        LPoint world;
        Position position;
        return doc.projection.lp2dm(in, world) && doc.projection.dm2pos(world, position);
    };
    for (const Stroke& s : strokes) {
        EXPECT_TRUE(onGlobe(s.from)) << s;
        EXPECT_TRUE(onGlobe(s.to)) << s;
    }
    // Where a line stops short of coming round to itself or of the pole,
    // it stops at the horizon: a little further out is off the globe (PROJ
    // takes back points a few units beyond the edge it projects to).
    LPoint poleWorld;
    TPoint pole;
    ASSERT_TRUE(doc.projection.pos2dm(Position(Latitude(90.0), Longitude(0.0)), poleWorld) &&
                doc.projection.dm2lp(poleWorld, pole));
    const auto beyond = [&](POINT p) {
        const double dx = p.x - centre.x, dy = p.y - centre.y, r = std::hypot(dx, dy);
        return POINT{SafeInt(centre.x + dx * (r + 8) / r), SafeInt(centre.y + dy * (r + 8) / r)};
    };
    int ends = 0;
    for (const GridLine& line : Lines(dc)) {
        std::vector<std::pair<POINT, POINT>> runs;  // first and last point of each run of joined strokes
        for (const Stroke& s : line.strokes) {
            if (!runs.empty() && runs.back().second == s.from)
                runs.back().second = s.to;
            else
                runs.push_back({s.from, s.to});
        }
        for (const auto& [first, last] : runs) {
            if (std::abs(first.x - last.x) <= 3 && std::abs(first.y - last.y) <= 3) continue;  // a whole ring
            for (const POINT end : {first, last}) {
                if (std::abs(end.x - pole.x) <= 3 && std::abs(end.y - pole.y) <= 3) continue;
                EXPECT_FALSE(onGlobe(beyond(end))) << end;
                ++ends;
            }
        }
    }
    EXPECT_GT(ends, 20);
    EXPECT_TRUE(messages.messages.empty());
}

// The meridian at +180 on a polar stereographic map is the one at -180
// again: it gets no second tick or label.
TEST_F(DrawGridTest, PolarStereographicLabelsTheDateLineOnce) {
    doc.gridSize = 30.0;
    doc.gridIncrement = 1;
    doc.mapRegion = {{-180 * kDegree, 0}, {180 * kDegree, -90 * kDegree}};
    FormatLines format;
    format.labelFormat = "4";
    WriteFormat(format);
    SetView("UPST", Position(Latitude(-90.0), Longitude(0.0)), {2000000, 2000000}, 2000000);
    Draw();
    int west = 0, east = 0;
    for (const TextOut& t : dc.CallsOf<TextOut>()) {
        west += t.text == "180 W";
        east += t.text == "180 E";
    }
    EXPECT_EQ(west, 1);
    EXPECT_EQ(east, 0);
}

TEST_F(DrawGridTest, FileErrorsStopTheGridAndMarkThePaintBad) {
    struct Row {
        const char* what;
        bool mapDirectory;  // false: the map file path does not exist
        const char* file;   // null: no grid format file
        const char* message;
        int positionFormat;  // 7 when it keeps its value
    } rows[] = {
        {"no map path", false, nullptr, "Map file path does not exist", 7},
        {"no file", true, nullptr, "Error opening grid format file", 7},
        {"ticks without =", true, "ticks", "Error reading grid format file", 7},
        {"label format not a number", true, "format", "Error reading grid format file", 7},
        // The label format was read before the bad style: it stays stored.
        {"bad label style", true, "style", "Error reading grid format file", 3},
        {"file ends early", true, "short", "Error reading grid format file", 3},
    };
    for (const Row& r : rows) {
        std::filesystem::remove(dir / "std.okg");
        if (r.file) {
            FormatLines format;
            format.labelFormat = "3";
            std::string text = format.Text();
            const std::string which = r.file;
            if (which == "ticks") text.replace(text.find("Ticks                ="), 22, "Ticks");
            if (which == "format") text.replace(text.find("= 3"), 3, "= x");
            if (which == "style") text.replace(text.find("= 1 \"Arial\""), 3, "= z");
            if (which == "short") text.erase(text.find("Label text style"));
            dir.Write("std.okg", text);
        }
        view.SetSettings(ViewSettings{.mapDirectory = r.mapDirectory ? dir.Path().string() : (dir / "gone").string(),
                                      .dataDirectory = ""});
        doc.positionFormat = 7;
        badclient = 0;
        dc.calls.clear();
        MessageRecorder recorder;
        Draw();
        ASSERT_EQ(recorder.messages.size(), 1u) << r.what;
        EXPECT_EQ(recorder.messages[0], (Message{r.message, "Error", MessageButtons::Ok, MessageIcon::Stop})) << r.what;
        EXPECT_EQ(badclient, 1) << r.what;
        EXPECT_TRUE(dc.calls.empty()) << r.what;
        EXPECT_EQ(doc.positionFormat, r.positionFormat) << r.what;
    }
}

// Spacings the grid cannot draw draw nothing and say nothing.
TEST_F(DrawGridTest, UnusableSpacingDrawsNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        double size;
        int increment;
        bool drawn;
    } rows[] = {
        {90.0, 0, false}, {90.0, -3, false}, {0.0, 3, false}, {-90.0, 3, false},
        {nan, 3, false},  {inf, 3, false},   {30.0, 3, true},
    };
    for (const Row& r : rows) {
        doc.gridSize = r.size;
        doc.gridIncrement = r.increment;
        doc.positionFormat = 1;
        dc.calls.clear();
        Draw();
        EXPECT_EQ(!dc.calls.empty(), r.drawn) << r.size << '/' << r.increment;
        EXPECT_TRUE(messages.messages.empty());
        EXPECT_EQ(badclient, 0);
        EXPECT_EQ(doc.positionFormat, 0);  // the file was still read
    }
    // A grid that is off reads nothing.
    doc.gridOn = 0;
    doc.gridSize = 90.0;
    doc.gridIncrement = 3;
    doc.positionFormat = 1;
    dc.calls.clear();
    Draw();
    EXPECT_TRUE(dc.calls.empty());
    EXPECT_EQ(doc.positionFormat, 1);
}

// The whole world in Mercator at full scale is 178 pixels wide in the
// 400-pixel view (400750166 dm of equator in 3 x 300000000 dm), so
// meridians a degree apart are 0.49 pixels apart, on a page four times as
// fine 1.98. Every line is drawn while they stay a pixel apart (the
// parallels spread towards the poles, so the meridians decide); closer,
// only the major lines, and none once those run together as well. The
// view reaches 89.42 degrees north and south, so the parallels run from
// the minor line beyond: -90 to 90 for steps of 1 and 5 degrees, -89.5 to
// 89.5 for 0.25.
TEST_F(DrawGridTest, ADenseGridDrawsEveryLineAPixelApartAndSaysWhatItLeavesOut) {
    FormatLines format;
    format.axes = "0 0 0 0";
    WriteFormat(format);
    const std::string minorLeftOut =
        "The minor grid lines would be closer together than a pixel at this scale; only the major lines are drawn.";
    const std::string gridLeftOut =
        "The grid lines would be closer together than a pixel at this scale; the grid is not drawn.";
    struct Row {
        double size;
        int increment;
        double factor;
        int majorLines, minorLines;  // meridians + parallels
        std::string message;
    } rows[] = {
        {10, 2, 1.0, 37 + 19, 36 + 18, ""},              // 2.5 pixels apart
        {10, 10, 1.0, 37 + 19, 0, minorLeftOut},         // 0.49 apart, the major lines 4.9
        {10, 10, 4.0, 37 + 19, 324 + 162, ""},           // on the page: 1.98 apart
        {1, 4, 16.0, 361 + 179, 1080 + 538, ""},         // a quarter degree on a fine page: 1.98 apart
        {1, 4, 4.0, 361 + 179, 0, minorLeftOut},         // 0.49 apart, the major lines 1.98
        {1, 4, 1.0, 0, 0, gridLeftOut},                  // the major lines 0.49 apart too
        {0.01, 1, 4.0, 0, 0, gridLeftOut},               // 36001 meridians: not one is converted
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.size << '/' << r.increment << " x" << r.factor);
        doc.gridSize = r.size;
        doc.gridIncrement = r.increment;
        dc.calls.clear();
        MessageRecorder recorder;
        DrawAtFactor(r.factor);
        int major = 0, minor = 0;
        size_t longestWalk = 0;
        for (const GridLine& line : Lines(dc)) {
            (line.pen == kMajorPen ? major : minor) += 1;
            longestWalk = std::max(longestWalk, line.strokes.size());
        }
        EXPECT_EQ(major, r.majorLines);
        EXPECT_EQ(minor, r.minorLines);
        // Straight lines are walked no finer than curved ones, in a
        // hundredth of the view's smaller extent (1.79 degrees here): a
        // parallel crosses the world in 202 steps however dense the grid.
        EXPECT_LE(longestWalk, 202u);
        EXPECT_EQ(recorder.Texts(), r.message.empty() ? std::vector<std::string>{} : std::vector{r.message});
        for (const Message& m : recorder.messages) EXPECT_EQ(m.caption, "Information");
        EXPECT_EQ(badclient, 0);
    }
}

// Centred on the date line, the view's middle column of sample points lies
// at 180 degrees, where a step east lands at the map's other end: the
// spacing is still that of neighbouring lines.
TEST_F(DrawGridTest, DensityIsMeasuredAcrossTheDateLine) {
    SetView("MERC", Position(), {200375083, 0}, 300000000);  // 180 E (proj: 200375083 dm)
    doc.gridSize = 10;
    doc.gridIncrement = 10;
    Draw();
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"The minor grid lines would be closer together than a "
                                                          "pixel at this scale; only the major lines are drawn."}));
    const std::vector<GridLine> lines = Lines(dc);
    EXPECT_FALSE(lines.empty());
    for (const GridLine& line : lines) EXPECT_EQ(line.pen, kMajorPen);
}

// What was left out is said once per grid setting, not at every paint: a
// repaint or a zoom that leaves out the same says nothing more.
TEST_F(DrawGridTest, LeavingLinesOutIsSaidOncePerGridSetting) {
    doc.gridSize = 1;
    doc.gridIncrement = 4;
    std::vector<std::string> said;
    const auto paint = [&](double factor) {
        MessageRecorder recorder;
        DrawAtFactor(factor);
        for (const std::string& text : recorder.Texts()) said.push_back(text.substr(0, 9));
    };
    paint(4.0);  // minor lines left out
    paint(4.0);
    paint(1.0);  // all left out
    paint(1.0);
    paint(4.0);
    EXPECT_EQ(said, (std::vector<std::string>{"The minor", "The grid "}));
    doc.gridIncrement = 2;  // a new setting
    paint(1.0);
    paint(1.0);
    EXPECT_EQ(said, (std::vector<std::string>{"The minor", "The grid ", "The grid "}));
}

// A minor step of 90 degrees or more still draws its lines: the walk along
// a line takes shorter steps, so that its segments are not taken for gaps
// over unconverted points.
TEST_F(DrawGridTest, AMinorStepOf90DegreesDrawsItsLines) {
    FormatLines format;
    format.axes = "0 0 0 0";
    WriteFormat(format);
    doc.gridIncrement = 1;
    Draw();
    const std::vector<GridLine> lines = Lines(dc);
    // Meridians -180, -90, 0, 90, 180 and parallels -90, 0, 90, all major.
    ASSERT_EQ(lines.size(), 8u);
    for (const GridLine& line : lines) EXPECT_EQ(line.pen, kMajorPen);
    EXPECT_EQ(lines[2].strokes.front().from, (POINT{5000, -7500}));
    EXPECT_EQ(lines[2].strokes.back().to, (POINT{5000, 0}));
    EXPECT_EQ(lines[6].strokes.front().from, (POINT{2773, -3750}));
    EXPECT_EQ(lines[6].strokes.back().to, (POINT{7226, -3750}));
}

// --- Labels inside the view and apart ------------------------------------------

// The box a label covers by the recorder's measure: 200 units high, each
// character 100 wide, hanging below its point and aligned as drawn.
TBox LabelBox(const Label& l) {
    const int width = 100 * static_cast<int>(l.text.size());
    const int left = l.align == TextAlign::Left ? l.at.x : l.align == TextAlign::Right ? l.at.x - width : l.at.x - width / 2;
    return {{left, l.at.y}, {left + width, l.at.y - 200}};
}

bool Overlap(const TBox& a, const TBox& b) {
    return a.tl.x < b.br.x && b.tl.x < a.br.x && a.br.y < b.tl.y && b.br.y < a.tl.y;
}

// On whole-world, zoomed, polar, orthographic and densely labelled views
// every label lies wholly inside the view and none covers another.
TEST_F(DrawGridTest, LabelsStayInsideTheViewAndApart) {
    struct Row {
        const char* what;
        const char* code;
        double originLat;
        LPoint centre;
        int32_t scale;
        double gridSize;
        int increment;
        int32_t north, south;  // the region, degrees
    } rows[] = {
        {"whole world", "MERC", 0.0, {0, 0}, 300000000, 30.0, 3, 90, -90},
        {"closer", "MERC", 0.0, {0, 0}, 50000000, 90.0, 3, 90, -90},
        {"dense labels", "MERC", 0.0, {0, 0}, 300000000, 10.0, 1, 90, -90},
        {"south polar", "UPST", -90.0, {2000000, 2000000}, 2000000, 30.0, 1, 0, -90},
        {"orthographic", "ORTH", 90.0, {0, 0}, 20000000, 30.0, 1, 90, 0},
        {"polyconic", "POLY", 0.0, {0, 0}, 100000000, 15.0, 1, 90, -90},
    };
    for (const Row& r : rows) {
        doc.gridSize = r.gridSize;
        doc.gridIncrement = r.increment;
        doc.mapRegion = {{-180 * kDegree, r.north * kDegree}, {180 * kDegree, r.south * kDegree}};
        SetView(r.code, Position(Latitude(r.originLat), Longitude(0.0)), r.centre, r.scale);
        dc.calls.clear();
        Draw();
        const std::vector<Label> labels = AllLabels(Lines(dc));
        EXPECT_FALSE(labels.empty()) << r.what;
        for (size_t i = 0; i < labels.size(); ++i) {
            const TBox box = LabelBox(labels[i]);
            EXPECT_TRUE(box.tl.x >= 0 && box.br.x <= 10000 && box.tl.y <= 0 && box.br.y >= -7500)
                << r.what << ' ' << labels[i];
            for (size_t k = i + 1; k < labels.size(); ++k)
                EXPECT_FALSE(Overlap(box, LabelBox(labels[k]))) << r.what << ' ' << labels[i] << " over " << labels[k];
        }
    }
}

// The meridian at 180 W 50 units in from the left edge: its labels at the
// top and bottom, centred on it, would run off the view by 200 units; they
// are moved in to start at the edge. The parallel labels at the left edge
// come after them and keep clear of them.
TEST_F(DrawGridTest, ALabelAtTheEdgeIsMovedIn) {
    FormatLines format;
    format.labelFormat = "4";
    WriteFormat(format);
    LPoint dateLine;
    Projection mercator("MERC", Position());
    mercator.setvp({1, 1}, {1, -1}, {0, 0}, 1);
    ASSERT_TRUE(mercator.pos2dm(Position(Latitude(0.0), Longitude(-180.0)), dateLine));
    // 15000 dm a logical unit at 1:50000000.
    SetView("MERC", Position(), {dateLine.x + 4950 * 15000, 0}, 50000000);
    Draw();
    std::vector<Label> dateLineLabels;
    for (const Label& l : AllLabels(Lines(dc)))
        if (l.text == "180 W") dateLineLabels.push_back(l);
    // "180 W" is 500 wide: centred at 250 it starts at the edge.
    EXPECT_EQ(dateLineLabels, (std::vector<Label>{{{250, -7200}, "180 W", TextAlign::Centre},
                                                  {{250, -100}, "180 W", TextAlign::Centre}}));
}

// Major meridians every 10 degrees are 124 units apart on the whole world,
// and their labels 800 wide: only about one in seven is drawn. A detail
// over the middle of the bottom edge takes the place of the labels there.
TEST_F(DrawGridTest, LabelsOverOthersOrOverADetailAreLeftOut) {
    doc.gridSize = 10.0;
    doc.gridIncrement = 1;
    const auto bottomLabels = [this] {
        dc.calls.clear();
        Draw();
        std::vector<Label> bottom;
        for (const Label& l : AllLabels(Lines(dc)))
            if (l.at.y == -7200) bottom.push_back(l);
        return bottom;
    };
    const std::vector<Label> apart = bottomLabels();
    // The map is 4453 units wide: room for six such labels of its 37.
    ASSERT_GE(apart.size(), 4u);
    EXPECT_LE(apart.size(), 6u);
    for (size_t i = 1; i < apart.size(); ++i) EXPECT_GE(LabelBox(apart[i]).tl.x, LabelBox(apart[i - 1]).br.x);
    EXPECT_TRUE(std::ranges::any_of(apart, [](const Label& l) { return std::abs(l.at.x - 5000) < 500; }));

    // 12 points high, centred at the bottom: 240 high above the edge.
    doc.detailCount = 1;
    doc.details[0] = "Text \"Source\" 0.5 0.968 1 \"Arial\" 0 0 0 0 0 12 0 0 0 400 0 2 ";
    const std::vector<Label> withDetail = bottomLabels();
    EXPECT_LT(withDetail.size(), apart.size());
    const TBox detail{{5000 - 360, -7260}, {5000 + 360, -7500}};
    for (const Label& l : withDetail) EXPECT_FALSE(Overlap(LabelBox(l), detail)) << l;
}

// At 1:100 a polyconic view is 30 m across, and its curved lines would be
// walked in steps of a hundredth of that, millions of points from the minor
// line beyond the view to the one beyond the other side. The walk is
// coarsened to 1000 steps a line, and the lines through the view are still
// drawn edge to edge.
TEST_F(DrawGridTest, AVeryCloseViewOfCurvedLinesIsWalkedInBoundedSteps) {
    FormatLines format;
    format.axes = "0 0 0 0";
    WriteFormat(format);
    SetView("POLY", Position(), {0, 0}, 100);
    Draw();
    EXPECT_EQ(AllStrokes(Lines(dc)), (std::vector<Stroke>{{{5000, -7500}, {5000, 0}}, {{0, -3750}, {10000, -3750}}}));
}

}  // namespace
}  // namespace okap
