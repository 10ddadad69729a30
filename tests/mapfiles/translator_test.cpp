#include "mapfiles/translator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/bridges.h"
#include "core/geometry.h"
#include "core/globals.h"
#include "core/number_text.h"
#include "mapfiles/mapfile.h"
#include "mapfiles/point_line.h"
#include "mapfiles/segment_source.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"
#include "tests/mapfiles/map_fixtures.h"

namespace okap {
namespace {

using test::TextSegment;

constexpr const char* kText = "Import/Export Text";

class TranslatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        std::filesystem::current_path(dir.Path());
    }

    // The settings for input in.mpa (written from text) into a new out.mpa.
    TranslatorSettings TextToText(const std::string& text) {
        dir.Write("in.mpa", text);
        std::filesystem::remove(dir / "out.mpa");
        TranslatorSettings s;
        s.inputName = "in.mpa";
        s.outputName = "out";
        s.projectionName = kText;
        return s;
    }

    // Runs a translation that must succeed and returns the text output.
    std::vector<TextSegment> Run(const TranslatorSettings& settings) {
        EXPECT_EQ(TranslateMap(settings), 1);
        EXPECT_TRUE(messages.messages.empty()) << messages.messages.at(0);
        bool crlf = false;
        std::vector<TextSegment> out = test::ReadTextMap(test::TempDir::Read(dir / "out.mpa"), &crlf);
        EXPECT_TRUE(crlf) << "every line ends with CR LF";
        return out;
    }

    test::TempDir dir;
    MessageRecorder messages;
};

using Points = std::vector<std::pair<double, double>>;

TEST_F(TranslatorTest, SettingsRefusals) {
    struct Row {
        const char* what;
        void (*change)(TranslatorSettings&);
        std::vector<std::string> messages;
    };
    const std::string region = "Invalid selection of map boundary positions";
    const Row rows[] = {
        {"west of east", [](TranslatorSettings& s) { s.west = "10"; s.east = "5"; }, {region}},
        {"north below south", [](TranslatorSettings& s) { s.north = "-10"; s.south = "10"; }, {region}},
        {"wider than 360 degrees", [](TranslatorSettings& s) { s.west = "-190"; }, {region}},
        {"negative resolution", [](TranslatorSettings& s) { s.resolution = "-0.5"; },
         {"Invalid selection map resolution"}},
        {"negative boundary spacing", [](TranslatorSettings& s) { s.boundarySpacing = "-1"; },
         {"Invalid selection map boundary points"}},
        {"unknown projection", [](TranslatorSettings& s) { s.projectionName = "Bogus"; },
         {"Output projection type not found"}},
        // A tile needs room for its box's corners and its closing point.
        {"too few points a segment", [](TranslatorSettings& s) { s.maxPoints = 4; },
         {"Invalid maximum number of points in a segment"}},
        {"negative points a segment", [](TranslatorSettings& s) { s.maxPoints = -1; },
         {"Invalid maximum number of points in a segment"}},
        // Every setting is applied, each failure reported.
        {"two at once",
         [](TranslatorSettings& s) {
             s.west = "10";
             s.east = "5";
             s.resolution = "-1";
         },
         {region, "Invalid selection map resolution"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        messages.messages.clear();
        badclient = 0;
        TranslatorSettings settings = TextToText("\"A\",1,-2\r\n0,0\r\n1,1\r\n");
        row.change(settings);
        EXPECT_EQ(TranslateMap(settings), 0);
        EXPECT_EQ(messages.Texts(), row.messages);
        EXPECT_EQ(badclient, 1);
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"in.mpa"});
    }
}

TEST_F(TranslatorTest, OffsetModeFollowsTheRegion) {
    struct Row {
        double west, east;
        int mode;
        const char* longitude;  // of the input point
        double expected;        // as written out
    };
    const Row rows[] = {
        {-190, -100, 0, "170.0", -190.0},  // the form's own example
        {-180, 180, 1, "190.0", -170.0},
        {-360, -10, 0, "10", -350.0},
        {0, 190, 2, "-170", 190.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.longitude);
        Mapfile map;
        ASSERT_EQ(map.SetTransClip(Position(Latitude(90.0), Longitude(row.west)),
                                   Position(Latitude(-90.0), Longitude(row.east))),
                  1);
        EXPECT_EQ(map.OffsetMode(), row.mode);

        TranslatorSettings s = TextToText("\"P\",1,1\r\n" + std::string(row.longitude) + ",10\r\n");
        s.west = FormatGeneral(row.west);
        s.east = FormatGeneral(row.east);
        std::vector<TextSegment> out = Run(s);
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0].points, (Points{{row.expected, 10.0}}));
    }
    // Mode 0 chooses by the input's own region: 0 for a text file.
    Mapfile map;
    dir.Write("in.mpa", "");
    ASSERT_EQ(map.OpenInfile("in.mpa"), 1);
    map.SetTransClip(Position(Latitude(90.0), Longitude(-190.0)), Position(Latitude(-90.0), Longitude(-100.0)));
    map.SetOffset(0);
    EXPECT_EQ(map.OffsetMode(), 1);
}

// The point reader's quick road must give what Longitude and Latitude make
// of the same text, folded as the offset mode folds.
TEST(PointLineTest, ReadsAsLongitudeAndLatitudeReadText) {
    const char* const fields[] = {
        "12.5", " 12.5", "+12.5", "-12.5", "-12.5abc", "12.5   ", "1.23456789012345678901",
        "123456789012345678901234", "--5", "-", "abc", "", "1e2", "-0.0000005", "0.0000005", "-0", "1e999",
        "-1e999", "1e-999", "nan", "inf", "-.5", ".5", "190", "-190", "359.9999999", "720.5", "-180", "180",
        "179.99999999", "-180.0000001", "0x10", "5e", "12.5e+1x", "\t7", "-44.6538", "83.2633", "0.1", "1.",
        "-0.", "179.999999999999", "1799999999999.99", "0.000000000000001", "-12.34567890123456", "9.99999999999999",
        "45.25E1"};
    for (const char* field : fields) {
        for (int mode = 0; mode <= 3; ++mode) {
            SCOPED_TRACE(std::string("'") + field + "' mode " + std::to_string(mode));
            Longitude lon{std::string_view(field)};
            lon.PutDegrees(lon.GetDegrees(mode));
            const Latitude lat{std::string_view(field)};
            EXPECT_EQ(ReadPointLine(std::string(field) + "," + field, mode), (LPoint{lon.GetLong(), lat.GetLong()}));
            EXPECT_EQ(ReadPointLine(field, mode), (LPoint{lon.GetLong(), 0}));
        }
    }
}

TEST_F(TranslatorTest, ThinningToTheResolution) {
    const std::string line = "\"ROAD\",4,-4\r\n0,0\r\n0.2,0\r\n0.4,0\r\n1,0\r\n";
    struct Row {
        const char* resolution;
        Points expected;
    };
    const Row rows[] = {
        {"0.0", {{0, 0}, {0.2, 0}, {0.4, 0}, {1, 0}}},
        // 0.4 lies 0.4 degrees from 0: the point between goes; 1 lies 1
        // degree from 0 and stays, so 0.4 stays too.
        {"0.5", {{0, 0}, {0.4, 0}, {1, 0}}},
        {"2", {{0, 0}, {1, 0}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.resolution);
        TranslatorSettings s = TextToText(line);
        s.resolution = row.resolution;
        std::vector<TextSegment> out = Run(s);
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0].header, "\"ROAD    \",4,-" + std::to_string(row.expected.size()) + "        ");
        EXPECT_EQ(out[0].points, row.expected);
    }
}

TEST_F(TranslatorTest, CrossingTheDateLineSplitsALine) {
    // 181 degrees is read as -179 in the default region: the line jumps
    // 358 degrees, really running 2 degrees east across the 180 degree
    // meridian; it comes out as its two halves, cut at the region's edges.
    std::vector<TextSegment> out = Run(TextToText("\"FERRY\",7,-2\r\n179,0\r\n181,0\r\n"));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].header, "\"FERRY   \",7,-2        ");
    EXPECT_EQ(out[0].points, (Points{{179, 0}, {180, 0}}));
    EXPECT_EQ(out[1].header, "\"FERRY   \",7,-2        ");
    EXPECT_EQ(out[1].points, (Points{{-180, 0}, {-179, 0}}));
}

TEST_F(TranslatorTest, BoundaryPointsAlongACutEdge) {
    // A square from -5 to 5 degrees cut by the region's east edge at 2
    // degrees: the cut edge runs from (2, -5) to (2, 5).
    const std::string square = "\"ISLE\",9,5\r\n-5,-5\r\n5,-5\r\n5,5\r\n-5,5\r\n-5,-5\r\n";
    struct Row {
        const char* spacing;
        std::vector<double> edge;  // latitudes of the points on the cut edge, in order
    };
    const Row rows[] = {
        {"0", {5, -5, 5}},
        {"1.0", {5, -5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5}},
        {"2.5", {5, -5, -2.5, 0, 2.5, 5}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.spacing);
        TranslatorSettings s = TextToText(square);
        s.boundarySpacing = row.spacing;
        s.west = "-10";
        s.east = "2";
        s.north = "10";
        s.south = "-10";
        std::vector<TextSegment> out = Run(s);
        ASSERT_EQ(out.size(), 1u);
        const Points& pts = out[0].points;
        const std::string count = std::to_string(pts.size());
        EXPECT_EQ(out[0].header, "\"ISLE    \",9," + count + std::string(10 - count.size(), ' '));
        ASSERT_FALSE(pts.empty());
        EXPECT_EQ(pts.front(), pts.back()) << "closed";
        std::vector<double> edge;
        for (const auto& [lon, lat] : pts) {
            EXPECT_LE(lon, 2.0);
            if (lon == 2.0) edge.push_back(lat);
        }
        EXPECT_EQ(edge, row.edge);
    }
}

TEST_F(TranslatorTest, SegmentOutsideTheRegionIsLeftOut) {
    TranslatorSettings s = TextToText("\"OUT\",1,-2\r\n20,20\r\n30,25\r\n\"IN\",2,-2\r\n1,1\r\n2,2\r\n");
    s.projectionName = "Mercator Cylindrical";
    s.west = "0";
    s.east = "10";
    s.north = "10";
    s.south = "0";
    TranslationSummary summary;
    ASSERT_EQ(TranslateMap(s, {}, &summary), 1);
    EXPECT_EQ(summary.outputFile, "out.mpb");
    EXPECT_EQ(summary.segmentsRead, 2);
    EXPECT_EQ(summary.segmentsWritten, 1);
    EXPECT_EQ(summary.pointsWritten, 2);

    Mapfile map;
    ASSERT_EQ(map.OpenInfile("out.mpb"), 1);
    // The header carries the region in angle units.
    EXPECT_EQ(map.InHeader().east, 11112000);
    EXPECT_EQ(map.InHeader().north, 11112000);
    ASSERT_EQ(map.ReadDirectory(), 1);
    EXPECT_EQ(map.InSegment().name, "IN      ");
    EXPECT_EQ(map.InSegment().kind, kLineKind);
    EXPECT_EQ(map.InSegment().dataPosition, 46);
    // Mercator on GRS80, from PROJ's command-line tool:
    // echo "1 1" | proj -f %.4f +proj=merc +ellps=GRS80 +units=dm gives
    // 1113194.9079 1105799.6522, "2 2" gives 2226389.8159 2211940.7716; the
    // box holds the truncated values.
    EXPECT_EQ(map.InSegment().box, (LBox{{1113194, 2211940}, {2226389, 1105799}}));
    ASSERT_EQ(map.ReadDirectory(), 1);
    EXPECT_EQ(map.EndOfInFile(), 1);
    EXPECT_TRUE(messages.messages.empty());
}

// Small outlines of Antarctica, one area each, as text.
std::string AreaText(const Points& points) {
    std::string text = "\"ANTARC\",1," + std::to_string(points.size()) + "\r\n";
    for (const auto& [lon, lat] : points) text += FormatGeneral(lon) + "," + FormatGeneral(lat) + "\r\n";
    return text;
}
// Along the coast from -170 to 170 degrees, jumping back to -170 near it.
const Points kCoastJump = {{-170, -70}, {-110, -72}, {-50, -68}, {10, -70}, {70, -66},
                           {130, -68},  {170, -71},  {-170, -70}};
// Along the coast from -180 to 180, then over the pole: (180, -90) to
// (-180, -90).
const Points kPoleLeg = {{-180, -70}, {-120, -72}, {-60, -68}, {0, -70},    {60, -66},
                         {120, -68},  {180, -70},  {180, -90}, {-180, -90}, {-180, -70}};

Points Reversed(Points points) {
    std::reverse(points.begin(), points.end());
    return points;
}

// Whether a place lies within a translated outline (degrees, as text).
bool Inside(const Points& ring, double lon, double lat) {
    std::vector<LPoint> points;
    for (const auto& [x, y] : ring) points.push_back({Longitude(x).GetLong(), Latitude(y).GetLong()});
    return PointInPolygon(points.data(), static_cast<int>(points.size()),
                          LPoint{Longitude(lon).GetLong(), Latitude(lat).GetLong()}) != 0;
}

// An outline that winds once round a pole closes through that pole, which
// ever way it runs and whether it jumps near the coast or carries the leg
// over the pole; translated to text it stays one area round the pole, with
// the cut meridian's edges and the pole's side laid along the region.
TEST_F(TranslatorTest, RingsRoundAPoleCloseThroughThePole) {
    struct Row {
        const char* what;
        Points ring;
        std::vector<std::pair<double, double>> land, sea;
    };
    const std::vector<std::pair<double, double>> south = {{0, -80}, {179.5, -85}, {-179.5, -85}, {90, -89.9}};
    const std::vector<std::pair<double, double>> north = {{0, -60}, {0, 0}, {-90, 60}, {0, 89.9}, {179.5, 0}};
    const Row rows[] = {
        {"jump near the coast", kCoastJump, south, north},
        {"the same running west", Reversed(kCoastJump), south, north},
        {"leg over the pole", kPoleLeg, south, north},
        {"leg over the pole, running west", Reversed(kPoleLeg), south, north},
        // Round the north pole: the detours have always run over the north.
        {"round the north pole", [] {
             Points arctic = kCoastJump;
             for (auto& point : arctic) point.second = -point.second;
             return arctic;
         }(), {{0, 80}, {179.5, 85}, {90, 89.9}}, {{0, 60}, {0, 0}, {0, -89.9}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<TextSegment> out = Run(TextToText(AreaText(row.ring)));
        ASSERT_EQ(out.size(), 1u);
        const Points& ring = out[0].points;
        ASSERT_GE(ring.size(), 4u);
        EXPECT_EQ(ring.front(), ring.back()) << "closed";
        for (const auto& [lon, lat] : row.land) EXPECT_TRUE(Inside(ring, lon, lat)) << lon << ", " << lat;
        for (const auto& [lon, lat] : row.sea) EXPECT_FALSE(Inside(ring, lon, lat)) << lon << ", " << lat;
    }
}

// Mercator puts the poles beyond the 32-bit range (PROJ's command-line tool
// gives -2424858876.08 for 0 -90 with +proj=merc +ellps=GRS80 +units=dm):
// the leg over the pole is kept at the limit, far below anything a view
// shows, so the area is not closed by a chord across the land.
TEST_F(TranslatorTest, AnAreasPoleLegStaysAtTheMapsEdge) {
    TranslatorSettings s = TextToText(AreaText(kPoleLeg));
    s.projectionName = "Mercator Cylindrical";
    s.boundarySpacing = "0";
    s.outputName = "merc";
    TranslationSummary summary;
    ASSERT_EQ(TranslateMap(s, {}, &summary), 1);
    TranslatorSettings asText = TextToText(AreaText(kPoleLeg));
    asText.boundarySpacing = "0";
    std::vector<TextSegment> text = Run(asText);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(summary.pointsWritten, static_cast<int64_t>(text[0].points.size())) << "every point kept";

    Mapfile map;
    ASSERT_EQ(map.OpenInfile("merc.mpb"), 1);
    ASSERT_EQ(map.ReadDirectory(), 1);
    EXPECT_EQ(map.InSegment().box.br.y, -2147483647);
    EXPECT_EQ(map.InSegment().kind, kAreaKind);
}

// Text to binary in Mercator, binary to binary in the row's projection,
// and back to text: the same points, to within the rounding of the
// projected coordinates (decimetres, metres for UPST) and of the text's six
// significant digits.
TEST_F(TranslatorTest, RoundTripThroughBinary) {
    const std::string text =
        "\"COASTLIN\",12,-4        \r\n10.5,45.25\r\n11,46\r\n12.1235,47.5\r\n13.75,48.125\r\n"
        "\"ISLAND  \",3,5         \r\n1.5,40\r\n2.25,40\r\n2.25,41.75\r\n1.5,41.75\r\n1.5,40\r\n"
        "\"TOWN    \",1,1         \r\n-3.70379,40.4168\r\n";
    struct Row {
        const char* projection;
        double tolerance;
    };
    const Row rows[] = {
        {"Mercator Cylindrical", 1e-5},  {"Peters Cylindrical", 1e-5},   {"Miller Cylindrical", 1e-5},
        {"Equidistant Cylindrical", 1e-5}, {"Lambert Cylindrical", 1e-5}, {"Polyconic", 1e-5},
        {"Orthographic", 1e-5},
        // Metres, not decimetres: ten times the rounding.
        {"Universal Polar Stereographic", 1e-4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.projection);
        TranslatorSettings s = TextToText(text);
        s.projectionName = "Mercator Cylindrical";
        s.outputName = "merc";
        s.originLongitude = "5";
        ASSERT_EQ(TranslateMap(s), 1);
        s.inputName = "merc.mpb";
        s.outputName = "other";
        s.projectionName = row.projection;
        s.originLongitude = "10";
        s.originLatitude = "40";
        ASSERT_EQ(TranslateMap(s), 1);
        s.inputName = "other.mpb";
        s.outputName = "out";
        s.projectionName = kText;
        std::vector<TextSegment> back = Run(s);
        std::vector<TextSegment> original = test::ReadTextMap(text);
        ASSERT_EQ(back.size(), original.size());
        for (size_t i = 0; i < back.size(); ++i) {
            EXPECT_EQ(back[i].header, original[i].header);
            ASSERT_EQ(back[i].points.size(), original[i].points.size());
            for (size_t j = 0; j < back[i].points.size(); ++j) {
                EXPECT_NEAR(back[i].points[j].first, original[i].points[j].first, row.tolerance);
                EXPECT_NEAR(back[i].points[j].second, original[i].points[j].second, row.tolerance);
            }
        }
        std::filesystem::remove(dir / "merc.mpb");
        std::filesystem::remove(dir / "other.mpb");
    }
}

// A binary segment's name holding a double quote or a line end is written
// to text so that the text map reads back.
TEST_F(TranslatorTest, NamesWithQuotesOrLineEndsReadBack) {
    test::MapLayout layout;
    layout.segments.push_back({"A\"B\r\nC  ", 1, -2, {{0, 0}, {100000, 100000}}, {{0, 100000}, {100000, 0}}, {}});
    dir.Write("odd.mpb", test::BuildMap(layout));
    TranslatorSettings s;
    s.inputName = "odd.mpb";
    s.outputName = "odd";
    s.projectionName = kText;
    ASSERT_EQ(TranslateMap(s), 1);
    EXPECT_EQ(test::TempDir::Read(dir / "odd.mpa").rfind("\"A'B  C  \",1,-2", 0), 0u);

    s.inputName = "odd.mpa";
    s.outputName = "back";
    s.projectionName = "Mercator Cylindrical";
    ASSERT_EQ(TranslateMap(s), 1);
    const std::vector<test::SegmentLayout> back = test::ReadMap(test::TempDir::Read(dir / "back.mpb"));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].name, "A'B  C  ");
    EXPECT_TRUE(messages.messages.empty());
}

// Segments handed over in angle units, as an import does.
class ListSource : public SegmentSource {
public:
    explicit ListSource(std::vector<SourceSegment> segments, bool failAtEnd = false)
        : segments(std::move(segments)), failAtEnd(failAtEnd) {}
    Read Next(SourceSegment& segment) override {
        if (next == segments.size()) {
            if (!failAtEnd) return Read::End;
            ShowError("Broken dataset");
            return Read::Failed;
        }
        segment = segments[next++];
        return Read::Segment;
    }
    double Progress() const override { return segments.empty() ? 1.0 : double(next) / segments.size(); }

private:
    std::vector<SourceSegment> segments;
    size_t next = 0;
    bool failAtEnd;
};

LPoint Units(double lon, double lat) { return {Longitude(lon).GetLong(), Latitude(lat).GetLong()}; }

// A source's segments take the text map's road: a binary map made from
// them is byte for byte the one made from the same points written as a text
// map, folding, thinning, the 180 degree crossing and cutting included.
TEST_F(TranslatorTest, ASourceTranslatesAsTheEquivalentTextMap) {
    const std::string text =
        "\"COASTLIN\",12,-5        \r\n170.5,45.25\r\n175,46\r\n-179.5,46.5\r\n-175.25,47\r\n-170,47.5\r\n"
        "\"ISLAND  \",3,5         \r\n1.5,40\r\n2.25,40\r\n2.25,41.75\r\n1.5,41.75\r\n1.5,40\r\n"
        "\"TOWN    \",1,1         \r\n-3.70379,40.4168\r\n";
    std::vector<SourceSegment> segments(3);
    segments[0] = {"COASTLINE", 12, kLineKind,
                   {Units(170.5, 45.25), Units(175, 46), Units(-179.5, 46.5), Units(-175.25, 47), Units(-170, 47.5)}};
    segments[1] = {"ISLAND", 3, kAreaKind,
                   {Units(1.5, 40), Units(2.25, 40), Units(2.25, 41.75), Units(1.5, 41.75), Units(1.5, 40)}};
    segments[2] = {"TOWN", 1, kPointKind, {Units(-3.70379, 40.4168)}};

    TranslatorSettings s = TextToText(text);
    s.projectionName = "Mercator Cylindrical";
    s.resolution = "0.5";
    s.west = "-200";
    s.east = "160";
    s.outputName = "fromtext";
    ASSERT_EQ(TranslateMap(s), 1);
    ListSource source(segments);
    s.inputName = "dataset";
    s.outputName = "fromsrc";
    TranslationSummary summary;
    ASSERT_EQ(TranslateMap(s, {}, &summary, &source), 1);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(summary.segmentsRead, 3);
    EXPECT_EQ(test::TempDir::Read(dir / "fromsrc.mpb"), test::TempDir::Read(dir / "fromtext.mpb"));

    // A source that fails stops the translation and leaves no output.
    ListSource failing(segments, true);
    s.outputName = "failed";
    EXPECT_EQ(TranslateMap(s, {}, nullptr, &failing), 0);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Broken dataset"});
    EXPECT_FALSE(std::filesystem::exists(dir / "failed.mpb"));
}

// A point the projection cannot take (the far side of the globe in
// Orthographic; PROJ's tool prints "* *" for it) is dropped, and the points
// after it in the same segment convert as usual.
TEST_F(TranslatorTest, UnprojectablePointsAreDropped) {
    // The island starts and ends on the far side: what is left of it is
    // still closed, or the paint could not clip it.
    TranslatorSettings s = TextToText(
        "\"ROUTE\",5,-3\r\n0,0\r\n120,0\r\n10,10\r\n\"FAR\",6,-2\r\n150,0\r\n160,0\r\n"
        "\"ISLAND\",7,5\r\n100,0\r\n20,-10\r\n30,0\r\n20,10\r\n100,0\r\n");
    s.projectionName = "Orthographic";
    s.outputName = "ortho";
    TranslationSummary summary;
    ASSERT_EQ(TranslateMap(s, {}, &summary), 1);
    // Nothing of the far segment is written, not even a directory record.
    EXPECT_EQ(summary.segmentsWritten, 2);
    EXPECT_EQ(summary.pointsWritten, 6);
    s.inputName = "ortho.mpb";
    s.outputName = "out";
    s.projectionName = kText;
    std::vector<TextSegment> out = Run(s);
    ASSERT_EQ(out.size(), 2u);
    ASSERT_EQ(out[1].points.size(), 4u);
    EXPECT_EQ(out[1].points.front(), out[1].points.back());
    EXPECT_EQ(out[0].header, "\"ROUTE   \",5,-2        ");
    ASSERT_EQ(out[0].points.size(), 2u);
    EXPECT_EQ(out[0].points[0], (std::pair<double, double>{0, 0}));
    EXPECT_NEAR(out[0].points[1].first, 10.0, 1e-5);
    EXPECT_NEAR(out[0].points[1].second, 10.0, 1e-5);
}

// A translation that fails part-way leaves the file it would have replaced
// as it was, and nothing else behind.
TEST_F(TranslatorTest, FailuresLeaveNoOutput) {
    test::MapLayout binaryTooLong;
    binaryTooLong.segments.push_back({"LONG    ", 1, 10001, {{0, 0}}, {{0, 0}, {0, 0}}, {}});
    test::MapLayout binaryShort;
    binaryShort.segments.push_back({"SHORT   ", 1, 2, {{0, 0}}, {{0, 0}, {0, 0}}, 100000});

    struct Row {
        const char* what;
        std::string input;
        std::string contents;
        std::vector<std::string> messages;
    };
    const Row rows[] = {
        {"unclosed area cut by the region", "in.mpa", "\"A\",1,3\r\n0,0\r\n20,0\r\n20,5\r\n",
         {"ClipPoly - polygon not closed", "Insufficient memory to clip polygon"}},
        {"bad type after a good segment", "in.mpa", "\"A\",1,-2\r\n0,0\r\n1,1\r\n\"B\",?,1\r\n1,1\r\n",
         {"Can not read a type code from input text map file"}},
        // No reader takes a binary segment of type 0 or less.
        {"type 0", "in.mpa", "\"A\",1,-2\r\n0,0\r\n1,1\r\n\r\n\"B\",0,1\r\n1,1\r\n",
         {"Segment type 0 at line 5 of input text map file: a type runs from 1 to 32767"}},
        {"negative type in the two-digit form", "in.mpa", "\"-3NAME\",1\r\n1,1\r\n",
         {"Segment type -3 at line 1 of input text map file: a type runs from 1 to 32767"}},
        {"binary count beyond the file", "in.mpb", test::BuildMap(binaryTooLong), {"Unexpected end of input file"}},
        {"binary data past the end", "in.mpb", test::BuildMap(binaryShort), {"Unexpected end of input file"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        for (const std::string& name : dir.Names()) std::filesystem::remove(dir / name);
        messages.messages.clear();
        dir.Write(row.input, row.contents);
        dir.Write("out.mpb", "old contents");
        TranslatorSettings s;
        s.inputName = row.input;
        s.outputName = "out";
        s.east = "10";
        EXPECT_EQ(TranslateMap(s), 0);
        std::vector<std::string> texts = messages.Texts();
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.front(), "File out.mpb already exists - Replace?");
        texts.erase(texts.begin());
        EXPECT_EQ(texts, row.messages);
        EXPECT_EQ(test::TempDir::Read(dir / "out.mpb"), "old contents");
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{row.input, "out.mpb"}));
    }
}

TEST_F(TranslatorTest, InputWithoutPoints) {
    for (const char* contents : {"", "\"A\",1,5\r\n", "\"A\",1,5\r\n\r\n   \r\n\"B\",2,-3"}) {
        SCOPED_TRACE(contents);
        TranslatorSettings s = TextToText(contents);
        s.projectionName = "Mercator Cylindrical";
        s.outputName = "empty";
        ASSERT_EQ(TranslateMap(s), 1);
        Mapfile map;
        ASSERT_EQ(map.OpenInfile("empty.mpb"), 1);
        EXPECT_EQ(map.InHeader().directoryOffset, 46);
        std::filesystem::remove(dir / "empty.mpb");
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(TranslatorTest, ProgressAndStopping) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += "\"S\",1,-2\r\n0,0\r\n1,1\r\n";
    TranslatorSettings s = TextToText(text);
    std::vector<double> seen;
    ASSERT_EQ(TranslateMap(s, [&](double f) {
                  seen.push_back(f);
                  return true;
              }),
              1);
    ASSERT_EQ(seen.size(), 50u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GT(seen.front(), 0.0);
    EXPECT_EQ(seen.back(), 1.0);

    // Stopping is not an error: no message, and no output.
    std::filesystem::remove(dir / "out.mpa");
    int calls = 0;
    EXPECT_EQ(TranslateMap(s, [&](double) { return ++calls < 3; }), 0);
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"in.mpa"});
}

// Of two translations to one new output, the second to finish does not
// replace the first's file: the output that appeared while it ran is left
// as it is, and nothing of the second stays behind.
TEST_F(TranslatorTest, AnOutputThatAppearsMeanwhileIsNotReplaced) {
    for (const char* projection : {kText, "Mercator Cylindrical"}) {
        SCOPED_TRACE(projection);
        TranslatorSettings s = TextToText("\"S\",1,-2\r\n0,0\r\n1,1\r\n\"T\",1,-2\r\n0,0\r\n1,1\r\n");
        s.projectionName = projection;
        const std::string output = projection == kText ? "out.mpa" : "out.mpb";
        messages.messages.clear();
        EXPECT_EQ(TranslateMap(s, [&](double) {
                      if (!std::filesystem::exists(dir / output)) dir.Write(output, "the other translation's");
                      return true;
                  }),
                  0);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"File " + output +
                                                             " appeared while it was being written and was left as it is"});
        EXPECT_EQ(test::TempDir::Read(dir / output), "the other translation's");
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{"in.mpa", output}));
        std::filesystem::remove(dir / output);
    }
}

double Area(const std::vector<LPoint>& ring) {
    double sum = 0;
    for (size_t i = 0; i + 1 < ring.size(); ++i)
        sum += double(ring[i].x) * ring[i + 1].y - double(ring[i + 1].x) * ring[i].y;
    return std::abs(sum) / 2;
}

// A segment of any length stays whole: a ring of 25000 points is one area
// of 25000 points, there and back, and a line that leaves the region 3000
// times gives all its 3000 pieces.
TEST_F(TranslatorTest, SegmentsOfAnyLength) {
    TranslatorSettings s = TextToText(test::WobblyRing(25000));
    s.projectionName = "Mercator Cylindrical";
    s.outputName = "ring";
    ASSERT_EQ(TranslateMap(s), 1);
    const std::vector<test::SegmentLayout> stored = test::ReadMap(test::TempDir::Read(dir / "ring.mpb"));
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].storedCount, 25000);
    s.inputName = "ring.mpb";
    s.outputName = "out";
    s.projectionName = kText;
    const std::vector<TextSegment> back = Run(s);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].points.size(), 25000u);

    std::string zigzag = "\"ZIGZAG\",1,-6001\r\n";
    for (int i = 0; i <= 6000; ++i) zigzag += std::string(i % 2 ? "1," : "-1,") + FormatGeneral(i * 0.01) + "\r\n";
    s = TextToText(zigzag);
    s.west = "0";
    EXPECT_EQ(Run(s).size(), 3000u);
}

// A limit on the points a segment may have: a ring of 25000 points comes
// out as closed tiles within the limit that together cover what the whole
// ring covers, a line as consecutive pieces sharing their end points.
TEST_F(TranslatorTest, MaxPointsCutsLongSegments) {
    std::string line = "\"ROUTE\",2,-25000\r\n";
    for (int i = 0; i < 25000; ++i) line += FormatGeneral(-20 + i * 0.001) + ",30\r\n";
    TranslatorSettings s = TextToText(test::WobblyRing(25000) + line);
    s.projectionName = "Mercator Cylindrical";
    s.outputName = "whole";
    ASSERT_EQ(TranslateMap(s), 1);
    const double wholeArea = Area(test::ReadMap(test::TempDir::Read(dir / "whole.mpb"))[0].points);

    s.outputName = "tiled";
    s.maxPoints = 10000;
    ASSERT_EQ(TranslateMap(s), 1);
    EXPECT_TRUE(messages.messages.empty());
    double tiledArea = 0;
    std::vector<std::vector<LPoint>> routePieces;
    int tiles = 0;
    for (const test::SegmentLayout& segment : test::ReadMap(test::TempDir::Read(dir / "tiled.mpb"))) {
        EXPECT_LE(segment.points.size(), 10000u);
        if (segment.type == 1) {
            ++tiles;
            EXPECT_GT(segment.storedCount, 0);
            EXPECT_EQ(segment.points.front(), segment.points.back()) << "closed";
            tiledArea += Area(segment.points);
        } else {
            EXPECT_LT(segment.storedCount, 0);
            routePieces.push_back(segment.points);
        }
    }
    EXPECT_GE(tiles, 3);
    // The cuts cross the outline at points rounded to whole units.
    EXPECT_NEAR(tiledArea, wholeArea, wholeArea * 1e-6);
    ASSERT_EQ(routePieces.size(), 3u);
    EXPECT_EQ(routePieces[0].size(), 10000u);
    EXPECT_EQ(routePieces[1].size(), 10000u);
    EXPECT_EQ(routePieces[2].size(), 5002u);
    EXPECT_EQ(routePieces[0].back(), routePieces[1].front());
    EXPECT_EQ(routePieces[1].back(), routePieces[2].front());

    // The same limit holds for a text output.
    s.projectionName = kText;
    s.outputName = "out";
    for (const TextSegment& segment : Run(s)) {
        EXPECT_LE(segment.points.size(), 10000u);
        EXPECT_EQ(segment.header.find("\"RING    \",1,-"), std::string::npos) << "areas stay areas";
    }
}

// A hole joined to its outer ring by a short bridge, thinned: both visits
// of each end of the bridge stay (taken once each, H would go for lying
// within the resolution of the points either side of it), so the bridge is
// still a pair of opposite edges and the outline splits into ring and hole.
TEST_F(TranslatorTest, ThinningKeepsBridges) {
    // The outer ring anticlockwise, with A = (1, 0.5) and a point every
    // 0.05 degrees down its west side; the hole clockwise from H = (0.9, 0.5).
    std::string text =
        "\"LAND\",1,36\r\n0,0\r\n0.5,0\r\n1,0\r\n1,0.25\r\n1,0.5\r\n0.9,0.5\r\n0.9,0.4\r\n0.7,0.4\r\n"
        "0.7,0.6\r\n0.9,0.6\r\n0.9,0.5\r\n1,0.5\r\n1,0.75\r\n1,1\r\n0.5,1\r\n";
    for (int i = 20; i >= 0; --i) text += "0," + FormatGeneral(i * 0.05) + "\r\n";
    TranslatorSettings s = TextToText(text);
    s.resolution = "0.15";
    const std::vector<TextSegment> out = Run(s);
    ASSERT_EQ(out.size(), 1u);
    std::vector<LPoint> ring;
    for (const auto& [lon, lat] : out[0].points) ring.push_back(Units(lon, lat));
    EXPECT_LT(ring.size(), 30u) << "thinned";
    const std::vector<bool> bridges = BridgeEdges(ring);
    EXPECT_EQ(std::count(bridges.begin(), bridges.end(), true), 2);
    EXPECT_EQ(SplitBridges(ring).size(), 2u);
}

}  // namespace
}  // namespace okap
