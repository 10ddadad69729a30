#include "styles/text_style.h"

#include <gtest/gtest.h>

#include <cmath>
#include <locale>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/globals.h"
#include "platform/recording_dc.h"

namespace okap {
namespace {

class TextStyleTest : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }
};
using DrawTextTest = TextStyleTest;

std::string Written(const TextStyle& style) {
    std::ostringstream os;
    os << style;
    return os.str();
}

TextStyle Read(const std::string& text, bool* ok = nullptr) {
    TextStyle style;
    std::istringstream is(text);
    is >> style;
    if (ok) *ok = !is.fail();
    return style;
}

TEST_F(TextStyleTest, DefaultStyleIsWrittenExactly) {
    EXPECT_EQ(Written(TextStyle()), "1 \"Arial\" 0 128 128 128 0 12 0 0 0.5 500 0 2 ");  // the form's own example
    EXPECT_FALSE(TextStyle().font);
}

TEST_F(TextStyleTest, ExampleLineReadsAsBoldItalicMapText) {
    lcperdegree = 100.0;
    bool ok = false;
    const TextStyle style = Read("1 \"Times New Roman\" 0 0 0 0 1 0.5 45 0 0.5 700 1 0", &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(style.fontName, "Times New Roman");
    EXPECT_EQ(style.sizeBasis, kSizeMap);
    EXPECT_EQ(style.size, 0.5);
    EXPECT_EQ(style.orientation, 45.0);
    EXPECT_EQ(style.weight, 700);
    EXPECT_EQ(style.italic, 1);
    EXPECT_EQ(style.justification, kJustifyLeft);
    EXPECT_EQ(style.usable, 1);
    // 0.5 degrees x 100 units per degree = 50 high; 45 degrees = 450 tenths.
    EXPECT_EQ(style.font, (Font{"Times New Roman", 50, 450, 700, true, 0}));
    EXPECT_EQ(style.fontRequest, style.font);
}

TEST_F(TextStyleTest, FontNames) {
    struct Row {
        const char* written;
        const char* name;
    } rows[] = {
        {"\"Arial\"", "Arial"},
        {"\"Arial  Narrow\"", "Arial Narrow"},  // runs of blanks inside become one
        {"\"Matura  MT \t Script Capitals\"", "Matura MT Script Capitals"},
        {"Courier", "Courier"},  // no quotes: the word is the whole name
        {"\"\"", ""},
        {"\" Arial\"", " Arial"},  // a lone quote opens the name: the words after it follow one blank
        {"\"Arial \"", "Arial "},
        {"\"Say\"Cheese\"", "Say\"Cheese"},  // only the outer quotes go
    };
    for (const Row& r : rows) {
        bool ok = false;
        const TextStyle style = Read(std::string("0 ") + r.written + " 0 1 2 3 0 10 0 0 0.5 400 0 1", &ok);
        ASSERT_TRUE(ok) << r.written;
        EXPECT_EQ(style.fontName, r.name) << r.written;
        EXPECT_EQ(style.colour, Colour::Rgb(1, 2, 3)) << r.written;  // the values after the name still line up
    }
}

TEST_F(TextStyleTest, TextFormRoundTrips) {
    const char* const lines[] = {
        "1 \"Arial\" 0 128 128 128 0 12 0 0 0.5 500 0 2 ",
        "0 \"Times New Roman\" 18 1 2 3 1 0.125 -30.5 -1.25 2 700 1 1 ",
        "1 \"Arial \" 255 0 0 0 0 1.5e+06 359.999 0 0 0 0 0 ",
        "1 \"\" 0 0 0 0 2 1e-05 0 0 0 1000 1 7 ",
    };
    for (const char* line : lines) {
        bool ok = false;
        const TextStyle style = Read(line, &ok);
        ASSERT_TRUE(ok) << line;
        EXPECT_EQ(Written(style), line);
        EXPECT_EQ(Read(Written(style)), style) << line;
    }
}

TEST_F(TextStyleTest, DoublesWrittenWithSixSignificantDigits) {
    TextStyle style;
    style.size = 12.3456789;
    style.orientation = 1234567.0;
    style.offsetX = -0.000012345;
    EXPECT_EQ(Written(style), "1 \"Arial\" 0 128 128 128 0 12.3457 1.23457e+06 -1.2345e-05 0.5 500 0 2 ");
}

// A stream that uses a decimal comma and digit grouping must not change the
// text form either way.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST_F(TextStyleTest, StreamLocaleDoesNotMatter) {
    const std::locale comma(std::locale::classic(), new CommaPunct);
    std::ostringstream os;
    os.imbue(comma);
    TextStyle style;
    style.size = 2.5;
    style.weight = 1000;
    os << style;
    EXPECT_EQ(os.str(), "1 \"Arial\" 0 128 128 128 0 2.5 0 0 0.5 1000 0 2 ");
    std::istringstream is(os.str());
    is.imbue(comma);
    TextStyle back;
    is >> back;
    EXPECT_FALSE(is.fail());
    EXPECT_EQ(back.size, 2.5);
    EXPECT_EQ(back.weight, 1000);
}

// Read as a stream reads: the values read are applied in order and the
// rest keep those of the style read into (the default style, written
// 1 "Arial" 0 128 128 128 0 12 0 0 0.5 500 0 2); only a text whose first
// value cannot be read fails.
TEST_F(TextStyleTest, ReadsAsAStream) {
    struct Row {
        const char* text;
        const char* written;  // nullptr: the read fails, nothing changes
    };
    const Row rows[] = {
        {"0 \"Times New Roman\" 0 255 0 0", "0 \"Times New Roman\" 0 255 0 0 0 12 0 0 0.5 500 0 2 "},
        {"1 \"Arial\" 0 0 0 0 1 0.5 45 0 0.5 700 1 0;", "1 \"Arial\" 0 0 0 0 1 0.5 45 0 0.5 700 1 0 "},
        {"1 \"Arial\" 0 0 0 0 0 10.5pt", "1 \"Arial\" 0 0 0 0 0 10.5 0 0 0.5 500 0 2 "},
        // No closing quote: the name takes every word and is not read.
        {"0 \"Times New Roman 0 0 0 0 1 0.5 45 0 0.5 700 1 0", "0 \"Arial\" 0 128 128 128 0 12 0 0 0.5 500 0 2 "},
        {"1 \"Arial\" 0 0 0 0 0 big 45", "1 \"Arial\" 0 0 0 0 0 12 0 0 0.5 500 0 2 "},
        {"1 \"Arial\" 0 0 0 0 0 2,5 45", "1 \"Arial\" 0 0 0 0 0 2 0 0 0.5 500 0 2 "},  // a decimal comma ends the number
        {"1 \"Arial\" 0 0 0 0 0 nan 45", "1 \"Arial\" 0 0 0 0 0 12 0 0 0.5 500 0 2 "},
        {"1 \"Arial\" 0 0 0 0 0 1e 45", "1 \"Arial\" 0 0 0 0 0 1 0 0 0.5 500 0 2 "},  // "e" stays behind
        {"x \"Arial\" 0 0 0 0 1 0.5 45 0 0.5 700 1 0", nullptr},
        {"", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        TextStyle style;
        style.SetFont();
        const TextStyle before = style;
        std::istringstream is(row.text);
        is >> style;
        if (!row.written) {
            EXPECT_TRUE(is.fail());
            EXPECT_EQ(style, before);
            continue;
        }
        EXPECT_FALSE(is.fail());
        EXPECT_EQ(Written(style), row.written);
        EXPECT_EQ(Read(row.written), style) << "the font follows the values read";
    }
}

TEST_F(TextStyleTest, EightBitFieldsKeepTheLowByte) {
    const TextStyle style = Read("1 \"Arial\" 258 0 0 0 0 12 0 0 0.5 500 257 2");
    EXPECT_EQ(style.family, 2);
    EXPECT_EQ(style.italic, 1);
    EXPECT_EQ(style.fontRequest.pitchAndFamily, 2);
}

TEST_F(TextStyleTest, FontSizeFollowsBasisAndScale) {
    struct Row {
        int32_t sizeBasis;
        double size;
        double dispix;
        double lcperdegree;
        int32_t usable;
        int height;
    } rows[] = {
        {kSizeScreen, 12.0, 1.0, 100.0, 1, 240},  // 12 points x 20
        {kSizeScreen, 12.0, 1.5, 100.0, 1, 360},
        {kSizeScreen, 0.04, 1.0, 100.0, 0, 0},    // 0.8 units: too small to draw
        {kSizeScreen, 0.05, 1.0, 100.0, 1, 1},    // exactly one unit is drawn
        {kSizeScreen, -12.0, 1.0, 100.0, 0, 0},
        {kSizeMap, 0.5, 1.0, 100.0, 1, 50},       // 0.5 degrees x 100
        {kSizeMap, 0.5, 1.0, 3.9, 1, 1},          // 1.95 truncated
        {kSizeMap, 0.5, 1.0, 1.9, 0, 0},          // 0.95
        {kSizeMap, 0.009, 1.0, 100.0, 0, 0},      // 0.9
        {2, 12.0, 1.0, 100.0, 1, 240},            // an unknown basis counts as "Screen"
        {-1, 12.0, 1.0, 5.0, 1, 240},
        {kSizeScreen, 1e300, 1.0, 100.0, 1, 2147483647},  // clamped, no overflow
    };
    for (const Row& r : rows) {
        dispix = r.dispix;
        lcperdegree = r.lcperdegree;
        TextStyle style;
        style.sizeBasis = r.sizeBasis;
        style.size = r.size;
        style.SetFont();
        EXPECT_EQ(style.usable, r.usable) << r.sizeBasis << ' ' << r.size;
        EXPECT_EQ(style.font.has_value(), r.usable == 1) << r.sizeBasis << ' ' << r.size;
        if (style.font) {
            EXPECT_EQ(style.font->height, r.height) << r.sizeBasis << ' ' << r.size;
        }
    }
}

TEST_F(TextStyleTest, EscapementWhilePrintingWithPostScriptModification) {
    struct Row {
        double orientation;
        int isprinting;
        int postmod;
        int escapement;
    } rows[] = {
        {30.0, 1, 1, 3300},  // mirrored: 3600 - 300
        {0.0, 1, 1, 0},      // only escapements above 0 are mirrored
        {-30.0, 1, 1, -300},
        {30.0, 1, 0, 300},
        {30.0, 0, 1, 300},   // on the screen the setting does nothing
        {45.67, 0, 0, 456},  // tenths of a degree, truncated
        {-45.67, 0, 0, -456},
    };
    for (const Row& r : rows) {
        isprinting = r.isprinting;
        postmod = r.postmod;
        TextStyle style;
        style.orientation = r.orientation;
        style.SetFont();
        ASSERT_TRUE(style.font);
        EXPECT_EQ(style.font->escapement, r.escapement) << r.orientation << ' ' << r.isprinting << r.postmod;
    }
}

TEST_F(TextStyleTest, LongFontNameIsCutInTheRequestOnly) {
    TextStyle style;
    style.fontName = std::string(40, 'x');
    style.SetFont();
    EXPECT_EQ(style.fontRequest.face, std::string(31, 'x'));
    EXPECT_EQ(style.fontName, std::string(40, 'x'));  // written back to files whole
    // A two-byte character across the cut is left out whole, not halved.
    style.fontName = std::string(30, 'x') + "\xc3\xa9" + "yy";
    style.SetFont();
    EXPECT_EQ(style.fontRequest.face, std::string(30, 'x'));
}

TEST_F(TextStyleTest, TooSmallForTheNewScaleDropsTheOldFont) {
    lcperdegree = 100.0;
    TextStyle style;
    style.sizeBasis = kSizeMap;
    style.size = 0.5;
    style.SetFont();
    ASSERT_TRUE(style.font);
    lcperdegree = 1.0;  // zoomed out
    style.SetFont();
    EXPECT_EQ(style.usable, 0);
    EXPECT_FALSE(style.font);
}

TEST_F(TextStyleTest, AssignmentCopiesEveryStoredValueAndTheOnFlag) {
    TextStyle source = Read("0 \"Times New Roman\" 18 1 2 3 1 0.125 -30.5 -1.25 2 700 1 1");
    ASSERT_TRUE(source.font);
    TextStyle copy;
    copy = source;
    EXPECT_EQ(copy.on, 0);  // text off stays off
    EXPECT_EQ(Written(copy), Written(source));
    EXPECT_EQ(copy, source);  // font rebuilt from the same values and scales

    lcperdegree = 200.0;  // the copy's font follows the scale at the time of copying
    TextStyle later(source);
    EXPECT_EQ(later.font->height, 25);  // 0.125 x 200

    // A source without a font gives a copy without one, holding only the face.
    TextStyle bare;
    bare.fontName = "Courier";
    bare.SetFont();
    bare.size = 0.01;
    bare.font.reset();
    copy = bare;
    EXPECT_FALSE(copy.font);
    EXPECT_EQ(copy.usable, 1);
    EXPECT_EQ(copy.fontRequest, (Font{"Courier", 0, 0, 0, false, 0}));
    EXPECT_EQ(copy.size, 0.01);
}

// ------------------------------------------------------------------ DrawText

using namespace okap::recorded;

TEST_F(DrawTextTest, DeviceCallsForEachJustification) {
    struct Row {
        int32_t justification;
        TextAlign align;
    } rows[] = {
        {kJustifyLeft, TextAlign::Left},
        {kJustifyRight, TextAlign::Right},
        {kJustifyCentre, TextAlign::Centre},
        {3, TextAlign::Left},  // unknown values align left
        {-1, TextAlign::Left},
    };
    for (const Row& r : rows) {
        TextStyle style;  // 12 points: 240 units high
        style.colour = Colour::Rgb(10, 20, 30);
        style.offsetX = 0.3;   // 72
        style.offsetY = -0.33; // -79.2 truncated towards zero
        style.justification = r.justification;
        style.SetFont();
        RecordingDC dc;
        EXPECT_EQ(DrawText(dc, 100, 200, style, "Sydney"), 1);
        EXPECT_EQ(dc.calls, (std::vector<DcCall>{
                                SetBkMode{BackgroundMode::Transparent},
                                SetTextAlign{r.align},
                                SelectFont{Font{"Arial", 240, 0, 500, false, 0}},
                                SetTextColor{Colour::Rgb(10, 20, 30)},
                                TextOut{{172, 121}, "Sydney"},
                            }))
            << r.justification;
    }
}

TEST_F(DrawTextTest, DefaultOffsetPutsTheCellTopHalfAHeightAbove) {
    TextStyle style;
    style.SetFont();
    RecordingDC dc;
    DrawText(dc, 0, 0, style, "x");
    EXPECT_EQ(dc.CallsOf<TextOut>(), (std::vector<TextOut>{{{0, 120}, "x"}}));  // 0.5 x 240, y upwards
}

TEST_F(DrawTextTest, NothingDrawnWithoutAUsableFont) {
    TextStyle tooSmall;
    tooSmall.size = 0.04;  // 0.8 units at dispix 1
    tooSmall.SetFont();
    TextStyle neverBuilt;  // usable, but no font was made
    for (const TextStyle* style : {&tooSmall, &neverBuilt}) {
        RecordingDC dc;
        EXPECT_EQ(DrawText(dc, 5, 5, *style, "x"), 0);
        EXPECT_TRUE(dc.calls.empty());
    }
}

// The box DrawText covers, by the recorder's measure (240 high, 120 a
// character): the cell from the moved point down, aligned as drawn, and for
// turned text the level box round it; TextOriginFor finds the point again
// for a level box.
TEST_F(DrawTextTest, TextBoxIsTheCellDrawTextCovers) {
    struct Row {
        int32_t justification;
        double orientation;
        TBox box;
    } rows[] = {
        // "Sydney" is 720 wide; the point (100, 200) moves by (72, -79).
        {kJustifyLeft, 0, {{172, 121}, {892, -119}}},
        {kJustifyRight, 0, {{-548, 121}, {172, -119}}},
        {kJustifyCentre, 0, {{-188, 121}, {532, -119}}},
        // Turned a quarter counter-clockwise about its point: it runs up
        // from there, its cell to the right.
        {kJustifyLeft, 90, {{172, 121 + 720}, {172 + 240, 121}}},
    };
    for (const Row& r : rows) {
        TextStyle style;
        style.offsetX = 0.3;
        style.offsetY = -0.33;
        style.justification = r.justification;
        style.orientation = r.orientation;
        style.SetFont();
        RecordingDC dc;
        const std::optional<TBox> box = TextBox(dc, 100, 200, style, "Sydney");
        ASSERT_TRUE(box) << r.justification;
        EXPECT_EQ(box->tl.x, r.box.tl.x) << r.justification << ' ' << r.orientation;
        EXPECT_EQ(box->br.x, r.box.br.x) << r.justification << ' ' << r.orientation;
        EXPECT_EQ(box->tl.y, r.box.tl.y) << r.justification << ' ' << r.orientation;
        EXPECT_EQ(box->br.y, r.box.br.y) << r.justification << ' ' << r.orientation;
        EXPECT_TRUE(dc.calls.empty());  // measuring draws nothing
        if (r.orientation == 0)
            EXPECT_EQ(TextOriginFor(box->tl, {720, 240}, style), (POINT{100, 200})) << r.justification;
    }
    TextStyle tooSmall;
    tooSmall.size = 0.04;
    tooSmall.SetFont();
    RecordingDC dc;
    EXPECT_FALSE(TextBox(dc, 0, 0, tooSmall, "x"));
}

TEST_F(DrawTextTest, OffsetsNearTheCoordinateLimitDoNotOverflow) {
    TextStyle style;
    style.offsetX = 1e6;
    style.offsetY = -1e6;
    style.SetFont();
    RecordingDC dc;
    DrawText(dc, 2147483000, -2147483000, style, "x");
    EXPECT_EQ(dc.CallsOf<TextOut>(), (std::vector<TextOut>{{{2147483647, -2147483647}, "x"}}));
}

}  // namespace
}  // namespace okap
