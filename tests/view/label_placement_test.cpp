// Data labels of layers that avoid label overlaps: placed clear of each
// other, of the grid labels, the legends, the details and the symbols of
// higher classes, or left out; layers without the setting draw their labels
// where their style puts them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/globals.h"
#include "core/latlong.h"
#include "core/number_text.h"
#include "data/data_line.h"
#include "platform/recording_dc.h"
#include "view/data_layer_fixture.h"
#include "view/map_layer_fixture.h"

namespace okap::test {
namespace {

using namespace okap::recorded;

// A text as the recording shows it drawn: its place, and the box it covers
// by the recorder's measure (each character half the font height wide).
struct DrawnText {
    std::string text;
    TBox box;
};

std::vector<DrawnText> DrawnTexts(const RecordingDC& dc) {
    std::vector<DrawnText> texts;
    int height = 0;
    TextAlign align = TextAlign::Left;
    for (const DcCall& call : dc.calls) {
        if (const auto* c = std::get_if<SelectFont>(&call)) height = std::abs(c->font.height);
        if (const auto* c = std::get_if<SetTextAlign>(&call)) align = c->align;
        if (const auto* c = std::get_if<TextOut>(&call)) {
            const auto characters = std::ranges::count_if(c->text, [](char ch) { return (ch & 0xC0) != 0x80; });
            const int width = static_cast<int>(std::lround(0.5 * height * static_cast<double>(characters)));
            const int left = align == TextAlign::Left ? c->p.x : align == TextAlign::Right ? c->p.x - width : c->p.x - width / 2;
            texts.push_back({c->text, {{left, c->p.y}, {left + width, c->p.y - height}}});
        }
    }
    return texts;
}

bool Overlap(const TBox& a, const TBox& b) {
    return a.tl.x < b.br.x && b.tl.x < a.br.x && a.br.y < b.tl.y && b.br.y < a.tl.y;
}

bool Inside(const TBox& box, TSize extent) {
    return box.tl.x >= 0 && box.br.x <= extent.cx && box.tl.y <= 0 && box.br.y >= -extent.cy;
}

// --- The sample world --------------------------------------------------------

// The sample world document with its cities, grid, legend and details; a
// small map stands in for the shorelines, which the labels do not need.
// Every city is labelled, the largest first.
class SampleWorldLabels : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        for (const char* name : {"world-mercator.oki", "world.okf", "std.okg", "cities.dat", "cities.okd", "okap.sym"})
            std::filesystem::copy_file(std::filesystem::path(OKAP_SAMPLES_DIR) / name, dir / name);
        dir.Write("worldmer.mpb", BuildMap(MapOf({Area(1, Square(1000, -1000, 2000, -2000))})));
        // Every class labelled (the sample labels only the largest cities),
        // so that the labels crowd each other.
        std::string format = TempDir::Read(dir / "cities.okd");
        for (size_t at = 0; (at = format.find("text style = 0", at)) != std::string::npos;) format[at + 13] = '1';
        dir.Write("cities.okd", format);
        std::ifstream cities(dir / "cities.dat", std::ios::binary);
        for (std::string line; std::getline(cities, line);) {
            DataLine numbers;
            if (!ReadDataLine(line, numbers)) continue;
            if (const auto label = DataLabel(line)) places.push_back({*label, numbers.latitude, numbers.longitude, numbers.value});
        }
    }
    void TearDown() override { ResetGlobals(); }

    RecordingDC Paint(MapDocument& document, TSize size) {
        MapView view(document, ViewSettings{dir.Path().string(), dir.Path().string()});
        RecordingDC dc(size);
        view.Paint(dc, {0, 0, size.cx, size.cy});
        return dc;
    }

    struct Place {
        std::string name;
        double latitude, longitude, value;
    };
    TempDir dir;
    std::vector<Place> places;
    MessageRecorder messages;
};

TEST_F(SampleWorldLabels, NoTwoLabelsOverlapAndTheLargestCitiesAreAllNamed) {
    for (const TSize size : {TSize{800, 600}, TSize{1600, 1000}, TSize{3000, 2000}}) {
        MapDocument document("", (dir / "world-mercator.oki").string());
        std::filesystem::current_path(dir.Path());  // where the document's grid format is read from
        ASSERT_EQ(LoadTextFile(document), 1);
        const RecordingDC dc = Paint(document, size);
        const TSize extent = document.windowExtent;
        const std::string where = std::to_string(size.cx) + "x" + std::to_string(size.cy);

        std::set<std::string> names;
        for (const Place& p : places) names.insert(p.name);
        // The legend box of cities.okd, 0.02 0.55 0.24 0.77 of the view, and
        // the texts of its title and entries.
        const TBox legend{{SafeInt(extent.cx * 0.02), -SafeInt(extent.cy * 0.55)},
                          {SafeInt(extent.cx * 0.24), -SafeInt(extent.cy * 0.77)}};
        const std::set<std::string> legendTexts{"City population", "0.5 - 2 million",  "2 - 5 million",
                                                "5 - 10 million",  "10 - 22 million", "22 million and more"};
        std::vector<DrawnText> labels, details;
        std::set<std::string> named;
        for (const DrawnText& t : DrawnTexts(dc)) {
            if (t.text.starts_with("The world") || t.text.starts_with("Shorelines")) {
                details.push_back(t);
            } else if (!legendTexts.contains(t.text)) {
                labels.push_back(t);  // the cities' and the grid's
                if (!names.contains(t.text)) continue;
                named.insert(t.text);
                EXPECT_FALSE(Overlap(t.box, legend)) << where << ' ' << t.text;
            }
        }
        ASSERT_EQ(details.size(), 2u) << where << ::testing::PrintToString(messages.Texts());
        EXPECT_GT(named.size(), 100u) << where;
        for (size_t i = 0; i < labels.size(); ++i) {
            EXPECT_TRUE(Inside(labels[i].box, extent)) << where << ' ' << labels[i].text << labels[i].box;
            for (const DrawnText& d : details)
                EXPECT_FALSE(Overlap(labels[i].box, d.box)) << where << ' ' << labels[i].text << " over " << d.text;
            for (size_t k = i + 1; k < labels.size(); ++k)
                EXPECT_FALSE(Overlap(labels[i].box, labels[k].box))
                    << where << ' ' << labels[i].text << labels[i].box << " over " << labels[k].text << labels[k].box;
        }
        // Cities of over 10 million, their stars well inside the view.
        int largest = 0;
        for (const Place& p : places) {
            if (p.value < 10000) continue;
            LPoint world;
            POINT at;
            ASSERT_TRUE(document.projection.pos2dm(Position(Latitude(p.latitude), Longitude(p.longitude)), world));
            ASSERT_TRUE(document.projection.dm2lp(world, at));
            if (at.x < 200 || at.x > extent.cx - 200 || at.y > -200 || at.y < 200 - extent.cy) continue;
            ++largest;
            EXPECT_TRUE(named.contains(p.name)) << where << ' ' << p.name;
        }
        EXPECT_EQ(largest, 15) << where;
    }
    EXPECT_TRUE(messages.messages.empty());
}

// --- What labels keep clear of ------------------------------------------------

class LabelObstacles : public DataLayerTest {
protected:
    // Labels right of the point, level with it, as the samples have them:
    // 240 units high (12 points), 120 a character.
    DataClass& LabelledClass(double low, double high) {
        DataClass& added = AddClass("square", low, high);
        added.textStyle.offsetX = 0.6;
        added.textStyle.offsetY = 0.5;
        added.textStyle.justification = kJustifyLeft;
        return added;
    }
    RecordingDC PaintView() {
        RecordingDC recording{{400, 300}};
        view.Paint(recording, kViewRect);
        return recording;
    }
    // The box the recording shows text drawn in; none when it was not drawn.
    static std::optional<TBox> BoxOf(const RecordingDC& recording, const std::string& text) {
        for (const DrawnText& t : DrawnTexts(recording))
            if (t.text == text) return t.box;
        return std::nullopt;
    }
    // Where the style puts a label of n characters at p: 144 right of it,
    // its middle level with it.
    static TBox Styled(POINT p, int characters) {
        return {{p.x + 144, p.y + 120}, {p.x + 144 + 120 * characters, p.y - 120}};
    }
};

// A legend box or a detail over the label's own place moves it to the first
// free place around the symbol (left of it); one over every place leaves
// the label out. The symbol is a square 58 units from the point each way,
// and a label beside it keeps a fifth of its height (48) off it.
TEST_F(LabelObstacles, ALabelOverALegendOrADetailIsMovedOrLeftOut) {
    const POINT point = kMiddle;
    const TBox left{{point.x - 58 - 48 - 600, point.y + 120}, {point.x - 58 - 48, point.y - 120}};
    const std::string detailStyle = "1 \"Arial\" 0 0 0 0 0 12 0 0 0.5 400 0 0 ";
    struct Row {
        const char* what;
        const char* legendPosition;  // empty: no legend
        std::string detail;          // empty: no detail
        std::optional<TBox> expected;
    } rows[] = {
        {"nothing in the way", "", "", Styled(point, 5)},
        {"a legend right of the point", "0.55 0.48 0.9 0.52", "", left},
        {"a detail right of the point", "", "Text \"Note\" 0.56 0.5 " + detailStyle, left},
        {"a legend over the whole view", "0 0 1 1", "", std::nullopt},
    };
    for (const Row& r : rows) {
        format = std::make_unique<DataFormat>();
        format->avoidLabelOverlaps = 1;
        LabelledClass(0, 10).label = "Entry";
        format->legend = *r.legendPosition ? 1 : 0;
        if (*r.legendPosition) ASSERT_TRUE(ReadLegendPosition(r.legendPosition, format->legendBorderPosition));
        format->legendNameStyle.on = 0;
        document.dataLayerCount = 0;
        AddLayer("avoid.okd", "points.dat", "0 0 5 \"Alpha\"\r\n");
        document.detailCount = r.detail.empty() ? 0 : 1;
        document.details[0] = r.detail;

        const RecordingDC recording = PaintView();
        EXPECT_EQ(BoxOf(recording, "Alpha"), r.expected) << r.what;
    }
    EXPECT_TRUE(messages.messages.empty());
}

// Two points a label's width apart in one layer: the label of the lower
// class would cover the symbol of the higher, so it goes left; the higher
// class's label keeps its own place. Without the setting both are drawn
// where their style puts them, each after its symbol, one over the other's
// symbol, as they always were.
TEST_F(LabelObstacles, HigherClassesComeFirstAndLayersWithoutTheSettingDrawAsBefore) {
    LabelledClass(0, 10);
    LabelledClass(10, 20);
    const POINT low = At(0, 0);
    const POINT high = At(0, 0.5);  // 500 units east: inside "Lower"'s own place
    const std::string data = "0 0 5 \"Lower\"\r\n0.5 0 15 \"Upper\"\r\n";

    AddLayer("plain.okd", "points.dat", data);
    const RecordingDC before = PaintView();
    EXPECT_EQ(BoxOf(before, "Lower"), Styled(low, 5));
    EXPECT_EQ(BoxOf(before, "Upper"), Styled(high, 5));
    std::vector<std::string> order;
    for (const DcCall& call : before.calls) {
        if (std::holds_alternative<Polygon>(call)) order.push_back("symbol");
        if (const auto* t = std::get_if<TextOut>(&call)) order.push_back(t->text);
    }
    // The map box first.
    EXPECT_EQ(order, (std::vector<std::string>{"symbol", "symbol", "Lower", "symbol", "Upper"}));

    format->avoidLabelOverlaps = 1;
    WriteFormat("plain.okd");
    const RecordingDC after = PaintView();
    EXPECT_EQ(BoxOf(after, "Upper"), Styled(high, 5));
    EXPECT_EQ(BoxOf(after, "Lower"), (TBox{{low.x - 58 - 48 - 600, low.y + 120}, {low.x - 58 - 48, low.y - 120}}));
    EXPECT_EQ(after.CallsOf<TextOut>().front().text, "Upper");
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace okap::test
