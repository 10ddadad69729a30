#include "styles/plot_style.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/globals.h"

namespace okap {
namespace {

class PlotStyleTest : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }
};

std::string Written(const PlotStyle& style) {
    std::ostringstream os;
    os << style;
    return os.str();
}

PlotStyle Read(const std::string& text, bool* ok = nullptr) {
    PlotStyle style;
    std::istringstream is(text);
    is >> style;
    if (ok) *ok = !is.fail();
    return style;
}

TEST_F(PlotStyleTest, ExampleLineReadsAsRedDottedLineWithNullFill) {
    bool ok = false;
    const PlotStyle style = Read("1 255 0 0 3 2 0 0 255 98", &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(style.plot, 1);
    EXPECT_EQ(style.pen, (Pen{Colour::Rgb(255, 0, 0), 3, PenStyle::Dot}));
    EXPECT_EQ(style.fillColour, Colour::Rgb(0, 0, 255));
    EXPECT_EQ(style.fillPattern, kFillNull);
    EXPECT_EQ(style.hollow, 1);  // outlined only
    EXPECT_EQ(style.brush, Brush::Solid(Colour::Rgb(0, 0, 255)));
}

TEST_F(PlotStyleTest, DefaultAndResetStyles) {
    const PlotStyle fresh;
    EXPECT_EQ(Written(fresh), "0 0 0 0 1 0 0 0 0 99");  // defaults of the record: off, black, solid
    EXPECT_FALSE(fresh.pen);
    EXPECT_FALSE(fresh.brush);

    PlotStyle reset;
    reset.lineWidth = 7;
    reset.fillPattern = kFillNull;
    reset.SetBrush();
    reset.Reset();
    EXPECT_EQ(Written(reset), "1 0 0 0 1 0 255 255 255 99");  // the form's own example
    EXPECT_EQ(reset.pen, (Pen{Colour::Rgb(0, 0, 0), 1, PenStyle::Solid}));
    EXPECT_EQ(reset.brush, Brush::Solid(Colour::Rgb(255, 255, 255)));
    EXPECT_EQ(reset.hollow, 0);
}

TEST_F(PlotStyleTest, TextFormRoundTrips) {
    const char* const lines[] = {
        "1 0 0 0 1 0 255 255 255 99",
        "0 12 34 56 4 6 200 100 50 3",
        "1 255 255 255 0 5 0 0 0 0",
        "1 1 2 3 -2 9 4 5 6 -7",  // values no dialog makes survive as they are
    };
    for (const char* line : lines) {
        bool ok = false;
        const PlotStyle style = Read(line, &ok);
        ASSERT_TRUE(ok) << line;
        EXPECT_EQ(Written(style), line);
        EXPECT_EQ(Read(Written(style)), style) << line;  // pen and brush included
    }
}

TEST_F(PlotStyleTest, GreenSpillsIntoBlue) {
    // (red & 255) | ((green & 65535) << 8) | ((blue & 255) << 16), by hand:
    // line 256 4660 0: 0 | 0x1234 << 8 = 0x123400, so green 0x34 = 52, blue 0x12 = 18;
    // fill -1 300 2: 0xFF | 0x12C00 | 0x20000 = 0x32CFF, so green 0x2C = 44, blue 3.
    const PlotStyle style = Read("1 256 4660 0 1 0 -1 300 2 99");
    EXPECT_EQ(style.lineColour.value, 0x123400u);
    EXPECT_EQ(style.fillColour.value, 0x032CFFu);
    EXPECT_EQ(Written(style), "1 0 52 18 1 0 255 44 3 99");
}

// The text form is read as a stream reads it: the values read are applied
// in order and the rest keep the values of the style read into (here the
// Reset style, 1 0 0 0 1 0 255 255 255 99); text glued to a number stays
// behind it. Only a text whose first value cannot be read fails.
TEST_F(PlotStyleTest, ReadsAsAStream) {
    struct Row {
        const char* text;
        const char* written;  // the style afterwards; nullptr: the read fails, nothing changes
    };
    const Row rows[] = {
        {"1 255 0 0", "1 255 0 0 1 0 255 255 255 99"},                    // short: a red line
        {"0 255 0 0 3 2 0 0 255 98;", "0 255 0 0 3 2 0 0 255 98"},        // hand-edited end
        {"1 255 0 0 3 2 0 0 255 98x", "1 255 0 0 3 2 0 0 255 98"},
        {"1 255 0 0 3 2 0 0 255", "1 255 0 0 3 2 0 0 255 99"},           // nine values
        {"1 12", "1 12 0 0 1 0 255 255 255 99"},                          // a colour in part
        {"1 255 0 0 x 2 0 0 255 98", "1 255 0 0 1 0 255 255 255 99"},     // stops at the word
        {"1 255 0 0 3.5 2 0 0 255 98", "1 255 0 0 3 0 255 255 255 99"},   // 3, then ".5" is no number
        {"1 255 0 0 3 2 0 0 255 99999999999", "1 255 0 0 3 2 0 0 255 99"},  // beyond 32 bits
        {"", nullptr},
        {"   ", nullptr},
        {"x 1 0 0 1 0 0 0 0 99", nullptr},
        {"; 1 0 0 0 1 0 0 0 0 99", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        PlotStyle style;
        style.Reset();
        const PlotStyle before = style;
        std::istringstream is(row.text);
        is >> style;
        if (!row.written) {
            EXPECT_TRUE(is.fail());
            EXPECT_EQ(style, before);
            continue;
        }
        EXPECT_FALSE(is.fail());
        EXPECT_EQ(Written(style), row.written);
        // The pen and brush follow the values read.
        EXPECT_EQ(Read(row.written), style);
    }
}

TEST_F(PlotStyleTest, ReadingSkipsAnyWhiteSpaceAndSigns) {
    EXPECT_EQ(Written(Read("  +1\t255  0 0\n3 2 0 0 255 98 trailing")), "1 255 0 0 3 2 0 0 255 98");
}

TEST_F(PlotStyleTest, PenWidthScalesByPixwidAndTruncates) {
    struct Row {
        int32_t lineWidth;
        int32_t lineType;
        double pixwid;
        Pen pen;
    } rows[] = {
        {3, 0, 1.0, {Colour::Rgb(9, 8, 7), 3, PenStyle::Solid}},
        {3, 1, 1.5, {Colour::Rgb(9, 8, 7), 4, PenStyle::Dash}},        // 4.5 truncated
        {1, 6, 0.4, {Colour::Rgb(9, 8, 7), 0, PenStyle::InsideFrame}},  // 0.4 truncated: one device pixel
        {-3, 5, 1.5, {Colour::Rgb(9, 8, 7), -4, PenStyle::Null}},     // -4.5 towards zero
        {2, 7, 1.0, {Colour::Rgb(9, 8, 7), 2, PenStyle::Solid}},       // unknown type draws solid
        {2, -1, 1.0, {Colour::Rgb(9, 8, 7), 2, PenStyle::Solid}},
        {2000000000, 0, 10.0, {Colour::Rgb(9, 8, 7), 2147483647, PenStyle::Solid}},  // clamped, no overflow
    };
    for (const Row& r : rows) {
        pixwid = r.pixwid;
        PlotStyle style;
        style.lineColour = Colour::Rgb(9, 8, 7);
        style.lineWidth = r.lineWidth;
        style.lineType = r.lineType;
        style.SetPen();
        EXPECT_EQ(style.pen, r.pen) << r.lineWidth << " x " << r.pixwid << ", type " << r.lineType;
    }
}

TEST_F(PlotStyleTest, BrushForEachFillPattern) {
    const Colour c = Colour::Rgb(10, 20, 30);
    struct Row {
        int32_t pattern;
        Brush brush;
        int32_t hollow;
    } rows[] = {
        {99, Brush::Solid(c), 0},
        {98, Brush::Solid(c), 1},  // "Null": a brush is still made, users draw outlines
        {0, Brush::Hatched(c, HatchStyle::Horizontal), 0},  // the dialog's "Horizontal"
        {1, Brush::Hatched(c, HatchStyle::Vertical), 0},
        {2, Brush::Hatched(c, HatchStyle::FDiagonal), 0},
        {3, Brush::Hatched(c, HatchStyle::BDiagonal), 0},
        {4, Brush::Hatched(c, HatchStyle::Cross), 0},
        {5, Brush::Hatched(c, HatchStyle::DiagCross), 0},
        {6, Brush::Solid(c), 0},  // unknown patterns draw solid, as the dialog shows them
        {97, Brush::Solid(c), 0},
        {-1, Brush::Solid(c), 0},
    };
    for (const Row& r : rows) {
        PlotStyle style;
        style.fillColour = c;
        style.hollow = 1;  // cleared by every pattern but Null
        style.fillPattern = r.pattern;
        style.SetBrush();
        EXPECT_EQ(style.brush, r.brush) << r.pattern;
        EXPECT_EQ(style.hollow, r.hollow) << r.pattern;
    }
}

TEST_F(PlotStyleTest, AssignmentRebuildsOnlyWhatTheSourceHas) {
    PlotStyle source = Read("1 255 0 0 3 2 0 0 255 98");
    pixwid = 2.0;  // a new scale since the source was read
    PlotStyle copy;
    copy.Reset();
    copy = source;
    EXPECT_EQ(Written(copy), Written(source));
    EXPECT_EQ(copy.pen, (Pen{Colour::Rgb(255, 0, 0), 6, PenStyle::Dot}));  // built at the current pixwid
    EXPECT_EQ(copy.brush, source.brush);
    EXPECT_EQ(copy.hollow, 1);

    const PlotStyle bare;  // no pen, no brush
    copy = bare;
    EXPECT_FALSE(copy.pen);
    EXPECT_FALSE(copy.brush);

    PlotStyle constructed(source);
    EXPECT_EQ(constructed, copy = source);

    copy = *&copy;  // assigning itself keeps its pen and brush
    EXPECT_TRUE(copy.pen);
    EXPECT_TRUE(copy.brush);
}

}  // namespace
}  // namespace okap
