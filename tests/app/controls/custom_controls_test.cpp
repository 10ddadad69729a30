// The owner-drawn style controls: what the two lists draw for an entry and
// the two buttons for their sample, recorded, and one list painted for real.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QSignalSpy>
#include <memory>
#include <vector>

#include "app/controls/font_button.h"
#include "app/controls/owner_draw_button.h"
#include "app/controls/style_list_box.h"
#include "app/controls/symbol_button.h"
#include "app/controls/symbol_list_box.h"
#include "core/globals.h"
#include "core/projection.h"
#include "data/datafile.h"
#include "platform/message_box.h"
#include "platform/recording_dc.h"

namespace okap {
namespace {

using namespace recorded;

const Colour kBlack = Colour::Rgb(0, 0, 0);
const Colour kWhite = Colour::Rgb(255, 255, 255);
const Colour kRed = Colour::Rgb(255, 0, 0);
const Colour kBlue = Colour::Rgb(0, 0, 255);
const Colour kGrey = Colour::Rgb(128, 128, 128);

PlotStyle Style(int32_t plot, Colour line, Colour fill, int32_t pattern, int32_t width = 1) {
    PlotStyle style;
    style.plot = plot;
    style.lineColour = line;
    style.lineWidth = width;
    style.fillColour = fill;
    style.fillPattern = pattern;
    return style;
}

// The calls that follow the first one equal to first; empty when there is
// none.
std::vector<DcCall> CallsAfter(const RecordingDC& dc, const DcCall& first, size_t count) {
    for (size_t i = 0; i < dc.calls.size(); ++i) {
        if (dc.calls[i] == first) {
            const auto from = dc.calls.begin() + static_cast<std::ptrdiff_t>(i + 1);
            return {from, from + static_cast<std::ptrdiff_t>(std::min(count, dc.calls.size() - i - 1))};
        }
    }
    return {};
}

class CustomControls : public testing::Test {
protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override { ResetGlobals(); }
};

TEST_F(CustomControls, StyleListEntryPlacesItsSampleAndText) {
    // Row 200 x 20 at the origin, borders of 1: the box runs from x 2 to
    // 2 + 2 x 14 = 30 and from y 1 + 2 = 3 to 20 - 3 = 17; a filled sample
    // is framed there and filled one pixel inside; the text starts 4 to the
    // right of the box as left by the fill (29 + 4), a hollow sample's line
    // runs through the centre row (3 + 17) / 2 = 10 and its text starts at
    // 30 + 4.
    std::vector<PlotStyle> styles{Style(1, kRed, kBlue, kFillSolid, 2), Style(1, kRed, kBlue, kFillNull, 2)};
    TXStyleListBox list(nullptr, styles, 28038);
    const TBox row{{0, 0}, {200, 20}};
    const Pen redPen{kRed, 2, PenStyle::Solid};  // 2 units at one pixel each, not at the view's 3

    pixwid = 3.0;
    RecordingDC filled;
    list.DrawListItem(filled, row, "  1 Coast");
    EXPECT_EQ(filled.calls, (std::vector<DcCall>{
                                FillRect{row, Brush::Solid(kWhite)},
                                SelectPen{redPen},
                                SelectBrush{Brush::Solid(kBlue)},
                                Rectangle{{{2, 3}, {30, 17}}},
                                FillRect{{{3, 4}, {29, 16}}, Brush::Solid(kBlue)},
                                SetBkMode{BackgroundMode::Transparent},
                                DrawTextLine{{{33, 0}, {200, 20}}, "  1 Coast"},
                            }));

    RecordingDC hollow;
    list.DrawListItem(hollow, row, "  2 Border");
    EXPECT_EQ(hollow.calls, (std::vector<DcCall>{
                                FillRect{row, Brush::Solid(kWhite)},
                                SelectPen{redPen},
                                MoveTo{{2, 10}},
                                LineTo{{30, 10}},
                                SetBkMode{BackgroundMode::Transparent},
                                DrawTextLine{{{34, 0}, {200, 20}}, "  2 Border"},
                            }));
    EXPECT_EQ(styles[1].hollow, 1);
    EXPECT_EQ(pixwid, 3.0);  // the view's scale is left as it was

    // An entry whose number names no style, or that has none, gets its text
    // only, where it would stand after a hollow sample.
    for (const char* text : {"  3 Nothing", "Legend"}) {
        RecordingDC none;
        list.DrawListItem(none, row, text);
        EXPECT_EQ(none.calls, (std::vector<DcCall>{
                                  FillRect{row, Brush::Solid(kWhite)},
                                  SetBkMode{BackgroundMode::Transparent},
                                  DrawTextLine{{{34, 0}, {200, 20}}, text},
                              }));
    }
}

TEST_F(CustomControls, StyleListCrossesSwitchedOffStylesInAColourThatShows) {
    // Row 200 x 21: box x 2 to 32, y 3 to 18, centre (17, 10). A filled
    // sample's cross takes a third of the inner box, 13 / 3 = 4; a hollow
    // one's a third of the whole box, 15 / 3 = 5. The reference colour is
    // the fill for a filled style and the line for a hollow one.
    const std::vector<DcCall> filledCross{MoveTo{{21, 6}}, LineTo{{12, 15}}, MoveTo{{13, 6}}, LineTo{{22, 15}}};
    const std::vector<DcCall> hollowCross{MoveTo{{22, 5}}, LineTo{{11, 16}}, MoveTo{{12, 5}}, LineTo{{23, 16}}};
    struct Row {
        const char* note;
        PlotStyle style;
        Colour cross;
        const std::vector<DcCall>& lines;
    };
    const Row rows[] = {
        {"fill sum 200 is dark", Style(0, kRed, Colour::Rgb(100, 50, 50), kFillSolid), kWhite, filledCross},
        {"fill sum 201 is light", Style(0, kRed, Colour::Rgb(100, 50, 51), kFillSolid), kBlack, filledCross},
        {"hollow: light line, black fill", Style(0, Colour::Rgb(255, 255, 0), kBlack, kFillNull), kBlack, hollowCross},
        {"hollow: black line, white fill", Style(0, kBlack, kWhite, kFillNull), kWhite, hollowCross},
        {"hatched: the hatch colour decides", Style(0, kRed, kWhite, 4), kBlack, filledCross},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        std::vector<PlotStyle> styles{row.style};
        TXStyleListBox list(nullptr, styles, 1);
        RecordingDC dc;
        list.DrawListItem(dc, {{0, 0}, {200, 21}}, "  1 Off");
        EXPECT_EQ(CallsAfter(dc, SelectPen{Pen{row.cross, 1, PenStyle::Solid}}, 4), row.lines);
    }

    // Switched on: no cross.
    std::vector<PlotStyle> on{Style(1, kBlack, kWhite, kFillSolid)};
    TXStyleListBox list(nullptr, on, 1);
    RecordingDC dc;
    list.DrawListItem(dc, {{0, 0}, {200, 21}}, "  1 On");
    EXPECT_EQ(dc.CallsOf<SelectPen>().size(), 1u);
    EXPECT_TRUE(dc.CallsOf<LineTo>().empty());
}

TEST_F(CustomControls, StyleListSwapsRowAndTextColoursWhenTheLineIsTheBackground) {
    // A style drawn in the list's own background colour would vanish: its
    // row takes the text colour and its text the background colour, and the
    // text colour is put back afterwards. Colours other than black and
    // white show that the device's own are used.
    const Colour background = Colour::Rgb(230, 230, 200);
    const Colour text = Colour::Rgb(0, 0, 128);
    std::vector<PlotStyle> styles{Style(1, background, kRed, kFillSolid), Style(1, kRed, background, kFillSolid)};
    TXStyleListBox list(nullptr, styles, 1);
    const TBox row{{0, 40}, {200, 60}};

    RecordingDC swapped;
    swapped.SetBkColor(background);
    swapped.SetTextColor(text);
    swapped.calls.clear();
    list.DrawListItem(swapped, row, "  1 Pale");
    EXPECT_EQ(swapped.calls.front(), DcCall(FillRect{row, Brush::Solid(text)}));
    EXPECT_EQ(CallsAfter(swapped, SetBkMode{BackgroundMode::Transparent}, 3),
              (std::vector<DcCall>{SetTextColor{background}, DrawTextLine{{{33, 40}, {200, 60}}, "  1 Pale"},
                                   SetTextColor{text}}));

    // Only the line colour counts: a fill in the background colour does not swap.
    RecordingDC plain;
    plain.SetBkColor(background);
    plain.SetTextColor(text);
    plain.calls.clear();
    list.DrawListItem(plain, row, "  2 Red");
    EXPECT_EQ(plain.calls.front(), DcCall(FillRect{row, Brush::Solid(background)}));
    EXPECT_TRUE(plain.CallsOf<SetTextColor>().empty());
}

// A data layer's classes for the symbol list and button: class 0 a square
// of the library (the default symbol's five points), 12 points on the
// screen basis, from 0 to 12.5.
class SymbolControls : public CustomControls {
protected:
    void SetUp() override {
        CustomControls::SetUp();
        // 10000 logical units across 10 degrees of latitude, as in the
        // Datafile tests: 3 x 3704000 dm = 10 x 1111200 dm.
        view.setvp({10000, 7500}, {10000, 7500}, {0, 0}, 3704000);
        data->widthTenth = 1000;
        data->unitsPerDegree = 1000;
        data->symbolCount = 2;
        for (DataClass* cls : {&data->classes[0], &data->classes[1]}) {
            cls->symbol.name = "square";
            const POINT square[] = {{-98, 98}, {98, 98}, {98, -98}, {-98, -98}, {-98, 98}};
            std::copy(std::begin(square), std::end(square), cls->symbol.points.begin());
            cls->symbol.pointCount = 5;
            cls->symbol.sizeBasis = kSizeScreen;
            cls->symbol.size = 12;
        }
        data->classes[0].lowValue = 0;
        data->classes[0].highValue = 12.5;
        data->classes[0].label = "0-12.5";
    }

    Projection view{"MERC", Position(Latitude(0.0), Longitude(0.0))};
    std::unique_ptr<Datafile> data = std::make_unique<Datafile>(view, "", "");  // large: on the heap
};

TEST_F(SymbolControls, SymbolListEntryShowsSymbolLabelAndRangeAndLeavesTheTextStyleAlone) {
    DataClass& cls = data->classes[0];
    cls.plotStyle = Style(1, kBlack, kRed, kFillSolid, 3);
    // A label style the row could not hold: 0.5 degrees on the map basis,
    // turned 30 degrees, bold italic Times in green.
    lcperdegree = 1000.0;
    TextStyle& label = cls.textStyle;
    label.fontName = "Times New Roman";
    label.colour = Colour::Rgb(0, 128, 0);
    label.sizeBasis = kSizeMap;
    label.size = 0.5;
    label.orientation = 30.0;
    label.weight = 700;
    label.italic = 1;
    label.SetFont();
    const TextStyle before = label;
    ASSERT_EQ(before.font->height, 500);

    TXSymbolListBox list(nullptr, *data, 28200);
    RecordingDC dc;
    const TBox row{{0, 0}, {300, 20}};
    list.DrawListItem(dc, row, 0, cls.label);
    // Square box x 2 to 18, y 1 + 1 = 2 to 20 - 2 = 18. Symbol x -98 maps
    // to 2 + trunc(16 x 2 x 0.005) = 2 and 98 to 2 + trunc(15.84) = 17; y 98
    // to 18 - 15 = 3 and -98 to 18. The label starts at 18 + 4 = 22, 0.7
    // points x 20 = 14 high, level; the range at 22 + (300 - 22) / 2 = 161.
    EXPECT_EQ(dc.calls, (std::vector<DcCall>{
                            FillRect{row, Brush::Solid(kWhite)},
                            SelectPen{Pen{kBlack, 3, PenStyle::Solid}},
                            SelectBrush{Brush::Solid(kRed)},
                            Polygon{{{2, 3}, {17, 3}, {17, 18}, {2, 18}, {2, 3}}, PolyFillMode::Alternate},
                            SetBkMode{BackgroundMode::Transparent},
                            SetTextColor{Colour::Rgb(0, 128, 0)},
                            SelectFont{Font{"Times New Roman", 14, 0, 700, true, 0}},
                            DrawTextLine{{{22, 0}, {300, 20}}, "0-12.5"},
                            SetTextColor{kBlack},
                            DrawTextLine{{{161, 0}, {300, 20}}, "[0-12.5]"},
                        }));
    EXPECT_EQ(label, before);

    // A style whose font was never built stays without one.
    DataClass& other = data->classes[1];
    other.plotStyle = Style(1, kBlack, kRed, kFillSolid);
    const TextStyle unbuilt = other.textStyle;
    RecordingDC second;
    list.DrawListItem(second, row, 1, "x");
    EXPECT_EQ(other.textStyle, unbuilt);
    EXPECT_FALSE(other.textStyle.font.has_value());

    // No such class: the row only.
    RecordingDC none;
    list.DrawListItem(none, row, 2, "y");
    EXPECT_EQ(none.calls, (std::vector<DcCall>{FillRect{row, Brush::Solid(kWhite)}}));
}

TEST_F(SymbolControls, SymbolListCrossesBySymbolFillAndOutlinesHollowSymbols) {
    // Switched off and hollow, with a light fill and a dark line: the
    // cross follows the fill (black on light), and the symbol is outlined
    // as on the map. Box (2, 2) to (18, 18): centre (10, 10), arms 16 / 3 = 5.
    data->classes[0].plotStyle = Style(0, kRed, Colour::Rgb(250, 250, 250), kFillNull);
    TXSymbolListBox list(nullptr, *data, 1);
    RecordingDC dc;
    list.DrawListItem(dc, {{0, 0}, {300, 20}}, 0, "off");
    EXPECT_EQ(CallsAfter(dc, SelectPen{Pen{kRed, 1, PenStyle::Solid}}, 7),
              (std::vector<DcCall>{SelectBrush{Brush::Hollow()},
                                   Polygon{{{2, 3}, {17, 3}, {17, 18}, {2, 18}, {2, 3}}, PolyFillMode::Alternate},
                                   SelectPen{Pen{kBlack, 1, PenStyle::Solid}}, MoveTo{{15, 5}}, LineTo{{4, 16}},
                                   MoveTo{{5, 5}}, LineTo{{16, 16}}}));
}

TEST_F(SymbolControls, SymbolButtonDrawsTheLegendSymbolAtMapSizeOnAContrastingGround) {
    // Button 100 x 50 on a view 1000 pixels wide: a tenth of the view's
    // 10000 units, so the window is 1000 x -500 and its centre (500, -250).
    // A 12-point screen symbol spans 0.01 x 500 x 12 = 60 units per 100
    // symbol units: +-98 gives trunc(58.8) = 58.
    const std::vector<POINT> square{{442, -192}, {558, -192}, {558, -308}, {442, -308}, {442, -192}};
    struct Row {
        const char* note;
        PlotStyle style;
        Colour ground;
        DcCall figure;
    };
    const Row rows[] = {
        {"line sum 301: black ground", Style(1, Colour::Rgb(101, 100, 100), kBlue, kFillSolid), kBlack,
         Polygon{square, PolyFillMode::Alternate}},
        {"line sum 300: white ground, hollow", Style(1, Colour::Rgb(100, 100, 100), kBlue, kFillNull), kWhite,
         Polyline{square}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        data->classes[0].plotStyle = row.style;
        RecordingDC dc;
        DrawSymbolSample(dc, {100, 50}, 1000, *data, 0);
        const PlotStyle& style = data->classes[0].plotStyle;
        EXPECT_EQ(dc.calls, (std::vector<DcCall>{
                                SetWindowExt{{1000, -500}},
                                SetWindowOrg{{0, 0}},
                                SetViewportExt{{100, 50}},
                                SetViewportOrg{{0, 0}},
                                SelectPen{Pen{row.ground, 1, PenStyle::Solid}},
                                SelectBrush{Brush::Solid(row.ground)},
                                Rectangle{{{0, 0}, {999, -499}}},
                                SelectBrush{*style.brush},
                                SelectPen{*style.pen},
                                row.figure,
                            }));
    }

    // A view never painted has no width to scale by; a class the format
    // does not have has no symbol.
    RecordingDC unpainted;
    DrawSymbolSample(unpainted, {100, 50}, 0, *data, 0);
    EXPECT_TRUE(unpainted.calls.empty());
    RecordingDC noClass;
    DrawSymbolSample(noClass, {100, 50}, 1000, *data, 2);
    EXPECT_EQ(noClass.calls.size(), 4u);  // the mapping only
}

TEST_F(CustomControls, FontButtonDrawsTheSampleAtItsMapPlaceAgainstCrossHairs) {
    // Button 100 x 50, view 1000 wide: window 1000 x -500, centre
    // (500, -250). A 12-point screen text is 240 units high; its offset of
    // half a height lifts the cell's top to -250 + 120.
    struct Row {
        const char* note;
        Colour text;
        Colour ground;
    };
    const Row rows[] = {
        {"text sum 301: black ground", Colour::Rgb(100, 100, 101), kBlack},
        {"text sum 300: white ground", Colour::Rgb(100, 100, 100), kWhite},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        TextStyle style;  // never built: the button builds its font
        style.colour = row.text;
        RecordingDC dc;
        DrawTextSample(dc, {100, 50}, 1000, style, "Sample");
        ASSERT_TRUE(style.font.has_value());
        EXPECT_EQ(dc.calls, (std::vector<DcCall>{
                                SetWindowExt{{1000, -500}},
                                SetWindowOrg{{0, 0}},
                                SetViewportExt{{100, 50}},
                                SetViewportOrg{{0, 0}},
                                SelectPen{Pen{kBlack, 1, PenStyle::Solid}},
                                SelectBrush{Brush::Solid(row.ground)},
                                Rectangle{{{0, 0}, {999, -499}}},
                                SelectPen{Pen{kGrey, 1, PenStyle::Solid}},
                                MoveTo{{500, 0}},
                                LineTo{{500, -500}},
                                MoveTo{{0, -250}},
                                LineTo{{1000, -250}},
                                SetBkMode{BackgroundMode::Transparent},
                                SetTextAlign{TextAlign::Centre},
                                SelectFont{*style.font},
                                SetTextColor{row.text},
                                TextOut{{500, -130}, "Sample"},
                            }));
    }

    TextStyle style;
    RecordingDC unpainted;
    DrawTextSample(unpainted, {100, 50}, 0, style, "Sample");
    EXPECT_TRUE(unpainted.calls.empty());
}

TEST_F(CustomControls, StyleListPaintsItsSamplesOnScreen) {
    // Entry 1 a red fill; entry 2 a line in the list's base colour, so its
    // row is painted in the text colour.
    std::vector<PlotStyle> styles{Style(1, kBlack, kRed, kFillSolid), Style(1, kWhite, kBlue, kFillSolid)};
    TXStyleListBox list(nullptr, styles, 1);
    QPalette palette = list.palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, QColor(0, 0, 128));
    list.setPalette(palette);
    list.addItem("  1 Red");
    list.addItem("  2 White");
    list.resize(240, 120);
    list.doItemsLayout();

    const QImage image = list.viewport()->grab().toImage();
    const QRect first = list.visualItemRect(list.item(0));
    const QRect second = list.visualItemRect(list.item(1));
    ASSERT_GE(first.height(), 10);
    // The centre of the first sample: x 2 + (height - 6), y in the middle.
    const QPoint centre(first.left() + 2 + (first.height() - 6), first.top() + first.height() / 2);
    EXPECT_EQ(image.pixelColor(centre), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(first.right() - 2, centre.y()), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(second.right() - 2, second.center().y()), QColor(0, 0, 128));
}

TEST_F(CustomControls, ListTellsItsParentOnceWhenItLosesTheFocus) {
    std::vector<PlotStyle> styles{Style(1, kBlack, kRed, kFillSolid)};
    TXStyleListBox list(nullptr, styles, 1);
    QSignalSpy lost(&list, &OwnerDrawListBox::FocusLost);
    // A parent that moves the focus on again while told must not start
    // another round.
    QObject::connect(&list, &OwnerDrawListBox::FocusLost, [&list] {
        QFocusEvent again(QEvent::FocusOut);
        QApplication::sendEvent(&list, &again);
    });
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(&list, &out);
    EXPECT_EQ(lost.count(), 1);
    QApplication::sendEvent(&list, &out);
    EXPECT_EQ(lost.count(), 2);
}

// A sample whose drawing always fails, as a class that cannot be placed does.
class FailingSample : public OwnerDrawButton {
public:
    using OwnerDrawButton::OwnerDrawButton;
    void ODADrawEntire(DeviceContext&) override { ShowError("Can not convert data point position"); }
};

TEST(OwnerDrawButton, ShowsADrawingsMessageOnceAfterThePaint) {
    MessageRecorder messages;
    FailingSample button(nullptr);
    button.resize(60, 30);
    // Shown from inside the paint, its box would bring on the next paint and
    // the same message again.
    button.grab();
    EXPECT_TRUE(messages.messages.empty());
    QApplication::processEvents();
    for (int paint = 0; paint < 2; ++paint) {
        button.grab();
        QApplication::processEvents();
    }
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Can not convert data point position"});
}

}  // namespace
}  // namespace okap
