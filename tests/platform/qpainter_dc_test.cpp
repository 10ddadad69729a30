#include "platform/qpainter_dc.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace okap {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 200);
const QColor kYellow(255, 255, 0);
const Colour kBlueColour = Colour::Rgb(0, 0, 200);
const Colour kYellowColour = Colour::Rgb(255, 255, 0);
const Colour kBlack = Colour::Rgb(0, 0, 0);

bool IsDark(QColor c) { return c.red() + c.green() + c.blue() < 384; }

// Where the dark pixels of a rectangle are: count, bounding box, centroid and
// the direction of their principal axis (degrees, device y downwards).
struct Ink {
    int count = 0;
    QRect box;
    double cx = 0, cy = 0, angle = 0;
};

Ink InkIn(const QImage& image, QRect area) {
    Ink ink;
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!IsDark(image.pixelColor(x, y))) continue;
            ++ink.count;
            ink.box = ink.box.united(QRect(x, y, 1, 1));
            sx += x, sy += y, sxx += double(x) * x, syy += double(y) * y, sxy += double(x) * y;
        }
    }
    if (ink.count == 0) return ink;
    ink.cx = sx / ink.count, ink.cy = sy / ink.count;
    const double cxx = sxx / ink.count - ink.cx * ink.cx, cyy = syy / ink.count - ink.cy * ink.cy;
    const double cxy = sxy / ink.count - ink.cx * ink.cy;
    ink.angle = 0.5 * std::atan2(2 * cxy, cxx - cyy) * 180 / std::numbers::pi;
    return ink;
}

int CountColour(const QImage& image, QRect area, QColor colour) {
    int n = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += image.pixelColor(x, y) == colour;
    return n;
}

// A 200 x 200 white image drawn through QPainterDC with the map view's kind
// of mapping: 1000 logical units across, y upwards, so logical (x, y) lands
// on device (x / 5, 200 - y / 5).
class QPainterDCTest : public testing::Test {
protected:
    QImage image{200, 200, QImage::Format_RGB32};

    void SetUp() override { image.fill(kWhite); }

    void Draw(const std::function<void(DeviceContext&)>& draw) {
        QPainter painter(&image);
        QPainterDC dc(painter);
        dc.SetWindowExt({1000, 1000});
        dc.SetViewportExt({200, -200});
        dc.SetViewportOrg({0, 200});
        draw(dc);
    }
};

TEST_F(QPainterDCTest, HatchesAreDevicePixelPatternsWithGapsByBackgroundMode) {
    // Which device pixels each hatch sets, from the platform's 8 x 8 hatch
    // patterns aligned to device (0, 0): "\" is FDiagonal, "/" BDiagonal.
    struct Row {
        HatchStyle hatch;
        bool (*set)(int x, int y);
    };
    const Row rows[] = {
        {HatchStyle::Horizontal, [](int, int y) { return y % 8 == 3; }},
        {HatchStyle::Vertical, [](int x, int) { return x % 8 == 4; }},
        {HatchStyle::FDiagonal, [](int x, int y) { return (x - y + 800) % 8 == 0; }},
        {HatchStyle::BDiagonal, [](int x, int y) { return (x + y) % 8 == 7; }},
        {HatchStyle::Cross, [](int x, int y) { return y % 8 == 3 || x % 8 == 4; }},
        {HatchStyle::DiagCross, [](int x, int y) { return (x - y + 800) % 8 == 0 || (x + y) % 8 == 7; }},
    };
    for (const Row& row : rows) {
        for (BackgroundMode mode : {BackgroundMode::Transparent, BackgroundMode::Opaque}) {
            SCOPED_TRACE(testing::Message() << row.hatch << ' ' << mode);
            image.fill(kWhite);
            Draw([&](DeviceContext& dc) {
                dc.SelectPen(Pen{kBlack, 0, PenStyle::Null});
                dc.SelectBrush(Brush::Hatched(kBlueColour, row.hatch));
                dc.SetBkColor(kYellowColour);
                dc.SetBkMode(mode);
                dc.Polygon(std::vector<POINT>{{100, 100}, {900, 100}, {900, 900}, {100, 900}});  // device 20..180
            });
            const QColor gap = mode == BackgroundMode::Opaque ? kYellow : kWhite;
            int wrong = 0, hatched = 0;
            for (int y = 22; y < 178; ++y) {
                for (int x = 22; x < 178; ++x) {
                    const QColor expected = row.set(x, y) ? kBlue : gap;
                    wrong += image.pixelColor(x, y) != expected;
                    hatched += row.set(x, y);
                }
            }
            EXPECT_EQ(wrong, 0);
            EXPECT_GT(hatched, 156 * 156 / 8 - 200);  // lines every 8 pixels, not scaled by the mapping
            // Nothing outside the square, beyond a pixel for the edge.
            const int whiteOutside =
                CountColour(image, image.rect(), kWhite) - CountColour(image, QRect(18, 18, 164, 164), kWhite);
            EXPECT_EQ(whiteOutside, 200 * 200 - 164 * 164);
        }
    }
}

TEST_F(QPainterDCTest, StyledPensDashInDevicePixelsWhenThin) {
    // On and off runs of the platform's styled one-pixel pens, in pixels.
    struct Row {
        PenStyle style;
        std::vector<int> cycle;
    };
    const Row rows[] = {
        {PenStyle::Dash, {18, 6}},
        {PenStyle::Dot, {3, 3}},
        {PenStyle::DashDot, {9, 6, 3, 6}},
        {PenStyle::DashDotDot, {9, 3, 3, 3, 3, 3}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.style);
        image.fill(kWhite);
        Draw([&](DeviceContext& dc) {
            dc.SelectPen(Pen{kBlack, 0, row.style});
            dc.SetBkMode(BackgroundMode::Transparent);
            dc.MoveTo({100, 500});  // device (20, 100) to (180, 100)
            dc.LineTo({900, 500});
            dc.SetBkMode(BackgroundMode::Opaque);
            dc.SetBkColor(kYellowColour);
            dc.MoveTo({100, 250});  // device row 150
            dc.LineTo({900, 250});
        });
        // Runs along the transparent line from its start; the last may be cut.
        std::vector<int> runs;
        bool on = true;
        int length = 0;
        for (int x = 20; x < 180; ++x) {
            const bool dark = IsDark(image.pixelColor(x, 100));
            if (dark != on) {
                runs.push_back(length);
                on = dark, length = 0;
            }
            ++length;
        }
        ASSERT_GT(runs.size(), row.cycle.size());
        for (size_t i = 0; i < runs.size(); ++i) EXPECT_EQ(runs[i], row.cycle[i % row.cycle.size()]) << "run " << i;
        EXPECT_EQ(InkIn(image, QRect(20, 90, 160, 9)).count + InkIn(image, QRect(20, 102, 160, 9)).count, 0);
        // In opaque mode the gaps take the background colour.
        for (int x = 20; x < 178; ++x) {
            const QColor c = image.pixelColor(x, 150);
            EXPECT_TRUE(IsDark(c) || c == kYellow) << "x " << x;
        }
        EXPECT_GT(CountColour(image, QRect(20, 150, 160, 1), kYellow), 20);
    }

    // A styled pen wider than a pixel is drawn solid.
    image.fill(kWhite);
    Draw([](DeviceContext& dc) {
        dc.SelectPen(Pen{kBlack, 20, PenStyle::Dash});  // 20 / 5 = 4 pixels
        dc.MoveTo({100, 500});
        dc.LineTo({900, 500});
    });
    EXPECT_EQ(InkIn(image, QRect(25, 100, 150, 1)).count, 150);
}

TEST_F(QPainterDCTest, DashesKeepTheirLengthOnPaper) {
    // On a 300 dpi page a screen pixel is 3 device dots (300 / 96 whole), so
    // the 18-on 6-off dash becomes 54 on 18 off, for a hairline and for a
    // pen as wide as a screen pixel (15 logical units = 3 dots) alike,
    // instead of a line that looks solid.
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    for (int penWidth : {0, 15}) {
        SCOPED_TRACE(penWidth);
        image.fill(kWhite);
        Draw([&](DeviceContext& dc) {
            dc.SelectPen(Pen{kBlack, penWidth, PenStyle::Dash});
            dc.SetBkMode(BackgroundMode::Transparent);
            dc.MoveTo({0, 500});  // device (0, 100) to (200, 100)
            dc.LineTo({1000, 500});
        });
        std::vector<int> runs{0};
        bool on = true;
        for (int x = 0; x < 200; ++x) {
            if (IsDark(image.pixelColor(x, 100)) != on) on = !on, runs.push_back(0);
            ++runs.back();
        }
        ASSERT_GE(runs.size(), 4u);
        EXPECT_EQ(runs[0], 54);
        EXPECT_EQ(runs[1], 18);
        EXPECT_EQ(runs[2], 54);
    }
}

TEST_F(QPainterDCTest, PenWidthScalesByTheXAxisWithOnePixelMinimum) {
    struct Row {
        TSize windowExt;
        int width;
        int pixels;  // thickness across the line
    };
    // Viewport (200, -200): x scale 200 / windowExt.cx, y scale 200 / windowExt.cy.
    const Row rows[] = {
        {{1000, 1000}, 0, 1},   // width 0: one pixel at scale 0.2
        {{10, 10}, 0, 1},       // and at scale 20
        {{1000, 1000}, 3, 1},   // 0.6 pixels: one pixel at least
        {{1000, 1000}, 20, 4},  // 20 x 0.2
        {{100, 10}, 3, 6},      // x scale 2 gives the width, even across a horizontal line; y scale 20 is ignored
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "window " << row.windowExt << " width " << row.width);
        image.fill(kWhite);
        {
            QPainter painter(&image);
            QPainterDC dc(painter);
            dc.SetWindowExt(row.windowExt);
            dc.SetViewportExt({200, -200});
            dc.SetViewportOrg({0, 200});
            dc.SelectPen(Pen{kBlack, row.width, PenStyle::Solid});
            // A horizontal line through device row 100 and a vertical one through column 100.
            const int cx = row.windowExt.cx, cy = row.windowExt.cy;
            dc.Polyline(std::vector<POINT>{{cx / 10, cy / 2}, {cx * 4 / 10, cy / 2}});
            dc.Polyline(std::vector<POINT>{{cx / 2, cy * 6 / 10}, {cx / 2, cy * 9 / 10}});
        }
        EXPECT_EQ(InkIn(image, QRect(50, 0, 1, 200)).count, row.pixels);
        EXPECT_EQ(InkIn(image, QRect(0, 50, 200, 1)).count, row.pixels);
    }
}

// Smooth drawing blends the edges of a slanted line into the background,
// yet a one-pixel line along a row stays on that one row, sharp, on a plain
// image and on a high-density one alike.
TEST_F(QPainterDCTest, AntialiasingSmoothsSlantsAndKeepsRowsSharp) {
    auto greys = [](const QImage& picture, QRect area) {
        int partial = 0;
        area = area.intersected(picture.rect());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const int grey = qGray(picture.pixel(x, y));
                partial += grey > 0 && grey < 255;
            }
        return partial;
    };
    for (const double ratio : {1.0, 2.0}) {
        for (const bool smooth : {false, true}) {
            SCOPED_TRACE(testing::Message() << "ratio " << ratio << " smooth " << smooth);
            QImage picture(QSize(200, 200) * ratio, QImage::Format_RGB32);
            picture.setDevicePixelRatio(ratio);
            picture.fill(kWhite);
            {
                QPainter painter(&picture);
                QPainterDC dc(painter);
                dc.SetWindowExt({1000, 1000});
                dc.SetViewportExt({200, -200});
                dc.SetViewportOrg({0, 200});
                dc.SetAntialiasing(smooth);
                dc.SelectPen(Pen{kBlack, 0, PenStyle::Solid});
                dc.Polyline(std::vector<POINT>{{100, 100}, {900, 400}});  // slanted, in the lower half
                dc.Polyline(std::vector<POINT>{{100, 750}, {900, 750}});  // along device row 50
            }
            const int r = static_cast<int>(ratio);
            EXPECT_EQ(greys(picture, QRect(0, 100 * r, 200 * r, 100 * r)) > 0, smooth);
            // The row's column 100: one dark pixel, no grey beside it.
            EXPECT_EQ(InkIn(picture, QRect(100 * r, 0, 1, 100 * r)).count, 1);
            EXPECT_EQ(greys(picture, QRect(100 * r, 0, 1, 100 * r)), 0);
        }
    }
}

TEST_F(QPainterDCTest, FillModeDecidesTheOverlapOfASelfCrossingPolygon) {
    // A five-pointed star: its centre is inside twice by winding, so only
    // the winding mode fills it; the points are filled in both modes.
    const std::vector<POINT> star = {{500, 900}, {735, 176}, {119, 624}, {881, 624}, {265, 176}};
    for (PolyFillMode mode : {PolyFillMode::Alternate, PolyFillMode::Winding}) {
        SCOPED_TRACE(testing::Message() << mode);
        image.fill(kWhite);
        Draw([&](DeviceContext& dc) {
            dc.SelectPen(Pen{kBlack, 0, PenStyle::Null});
            dc.SelectBrush(Brush::Solid(kBlueColour));
            dc.SetPolyFillMode(mode);
            dc.Polygon(star);
        });
        const bool centreFilled = mode == PolyFillMode::Winding;
        EXPECT_EQ(CountColour(image, QRect(95, 95, 10, 10), centreFilled ? kBlue : kWhite), 100);
        EXPECT_EQ(image.pixelColor(100, 30), kBlue);   // top point, logical (500, 850)
        EXPECT_EQ(image.pixelColor(100, 190), kWhite);  // below the star, logical y 50

        // Hatches follow the same rule.
        image.fill(kWhite);
        Draw([&](DeviceContext& dc) {
            dc.SelectPen(Pen{kBlack, 0, PenStyle::Null});
            dc.SelectBrush(Brush::Hatched(kBlueColour, HatchStyle::Cross));
            dc.SetBkMode(BackgroundMode::Transparent);
            dc.SetPolyFillMode(mode);
            dc.Polygon(star);
        });
        EXPECT_EQ(CountColour(image, QRect(95, 95, 10, 10), kBlue) > 0, centreFilled);
        EXPECT_GT(CountColour(image, QRect(90, 20, 20, 20), kBlue), 0);
        EXPECT_EQ(CountColour(image, QRect(0, 185, 200, 15), kBlue), 0);
    }
}

TEST_F(QPainterDCTest, TextHangsFromItsPointUnmirroredWithTheCellHeightAsked) {
    // Arial (Liberation Sans) capitals are 0.716 em high and the cell is
    // 1.117 em (ascent 0.905 + descent 0.212): a cell of 40 pixels gives
    // capitals of about 25.6 pixels; a character height of 40 gives 28.6.
    struct Row {
        TextAlign align;
        int height;  // logical; 200 is 40 pixels
        int capitals;
    };
    const Row rows[] = {
        {TextAlign::Left, 200, 26},
        {TextAlign::Right, 200, 26},
        {TextAlign::Centre, 200, 26},
        {TextAlign::Left, -200, 29},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.align << " height " << row.height);
        image.fill(kWhite);
        Draw([&](DeviceContext& dc) {
            dc.SelectFont(Font{"Arial", row.height, 0, 400, false, 0});
            dc.SetTextAlign(row.align);
            dc.SetBkMode(BackgroundMode::Transparent);
            dc.TextOut({500, 750}, "HL");  // device (100, 50)
        });
        const Ink ink = InkIn(image, image.rect());
        ASSERT_GT(ink.count, 0);
        EXPECT_NEAR(ink.box.height(), row.capitals, 1.5);
        EXPECT_GT(ink.box.top(), 50);  // below the top of the cell, by the internal leading
        EXPECT_LT(ink.box.top(), 50 + 10);
        switch (row.align) {
        case TextAlign::Left: EXPECT_NEAR(ink.box.left(), 100, 5); break;
        case TextAlign::Right: EXPECT_NEAR(ink.box.right(), 100, 5); break;
        case TextAlign::Centre: EXPECT_NEAR((ink.box.left() + ink.box.right()) / 2.0, 100, 3); break;
        }
        // Not mirrored by the upward y axis: the L's foot is at its bottom
        // and its stem on its left.
        const QRect lBox(ink.box.center().x(), ink.box.top(), ink.box.right() - ink.box.center().x() + 1,
                         ink.box.height());
        const Ink l = InkIn(image, lBox);
        EXPECT_GT(l.cy, l.box.center().y());
        EXPECT_LT(l.cx, l.box.center().x());
    }

    // Opaque mode fills the cell behind the text with the background colour.
    image.fill(kWhite);
    Draw([](DeviceContext& dc) {
        dc.SelectFont(Font{"Arial", 200, 0, 400, false, 0});
        dc.SetBkColor(kYellowColour);
        dc.TextOut({500, 750}, "HL");
    });
    EXPECT_EQ(image.pixelColor(101, 50), kYellow);  // top of the cell, left of the H's ink
    EXPECT_EQ(image.pixelColor(101, 89), kYellow);  // bottom of the 40-pixel cell
    EXPECT_EQ(image.pixelColor(101, 91), kWhite);
}

TEST_F(QPainterDCTest, TextLineIsCentredVerticallyInItsBoxAndClippedToIt) {
    // Box: device x 20 to 180, y 50 to 90. A 20-pixel cell centred in the
    // 40-pixel box spans 60 to 80; Liberation Sans capitals (0.716 em of a
    // 1.117 em cell, ascent 0.905 em) run from about 63.4 down to the base
    // line at 76.2.
    const TBox box{{100, 750}, {900, 550}};
    Draw([&](DeviceContext& dc) {
        dc.SelectFont(Font{"Arial", 100, 300, 400, false, 0});  // the escapement is ignored
        dc.SetTextAlign(TextAlign::Right);                       // and so is the alignment
        dc.SetBkMode(BackgroundMode::Transparent);
        dc.DrawTextLine(box, "HHH");
    });
    Ink ink = InkIn(image, image.rect());
    ASSERT_GT(ink.count, 0);
    EXPECT_NEAR(ink.box.top(), 63, 1.5);
    EXPECT_NEAR(ink.box.bottom(), 75.5, 1.5);
    EXPECT_NEAR(ink.box.left(), 20, 3);  // the H's left side bearing
    EXPECT_NEAR(ink.angle, 0, 1);

    // A long text and a box lower than the cell: nothing outside the box.
    // The opaque background fills the cell behind the text, inside the box.
    image.fill(kWhite);
    const TBox narrow{{100, 675}, {500, 625}};  // device x 20 to 100, y 65 to 75
    Draw([&](DeviceContext& dc) {
        dc.SelectFont(Font{"Arial", 100, 0, 400, false, 0});
        dc.SetBkColor(kYellowColour);
        dc.DrawTextLine(narrow, std::string(30, 'H'));
    });
    ink = InkIn(image, image.rect());
    ASSERT_GT(ink.count, 0);
    EXPECT_TRUE(QRect(20, 65, 80, 10).contains(ink.box)) << ink.box.x() << ' ' << ink.box.y() << ' '
                                                         << ink.box.width() << ' ' << ink.box.height();
    EXPECT_EQ(CountColour(image, image.rect(), kYellow), CountColour(image, QRect(20, 65, 80, 10), kYellow));
    EXPECT_GT(CountColour(image, QRect(20, 65, 80, 10), kYellow), 0);
}

TEST_F(QPainterDCTest, EscapementTurnsTheBaseLineCounterClockwiseOnTheDevice) {
    Draw([](DeviceContext& dc) {
        dc.SelectFont(Font{"Arial", 100, 300, 700, false, 0});  // 20-pixel cell, 30 degrees
        dc.SetBkMode(BackgroundMode::Transparent);
        dc.TextOut({100, 250}, "HHHHHHHHHH");  // device (20, 150)
    });
    const Ink ink = InkIn(image, image.rect());
    ASSERT_GT(ink.count, 100);
    // Up and to the right on the device, along the 30-degree base line.
    EXPECT_NEAR(ink.angle, -30, 3);
    EXPECT_GT(ink.box.right(), 120);
    EXPECT_LT(ink.box.top(), 150 - 40);
    // Nothing where the unrotated text would be, right of the point below it.
    EXPECT_EQ(InkIn(image, QRect(60, 152, 140, 18)).count, 0);
}

TEST_F(QPainterDCTest, RestoreDCReturnsToTheSavedMappingAndPen) {
    Draw([](DeviceContext& dc) {
        dc.SelectPen(Pen{kBlack, 0, PenStyle::Solid});
        dc.SaveDC();
        dc.SetWindowExt({100, 100});  // ten times larger
        dc.SetViewportOrg({0, 180});
        dc.SelectPen(Pen{kBlueColour, 5, PenStyle::Solid});
        dc.Polyline(std::vector<POINT>{{10, 10}, {10, 50}});  // device column 20, rows 160 up to 80
        dc.RestoreDC();
        dc.RestoreDC();  // nothing saved: no change
        dc.Polyline(std::vector<POINT>{{500, 900}, {900, 900}});  // device row 20, columns 100 to 180
        dc.SetWindowExt({0, 100});  // refused: the mapping stays
        dc.Polyline(std::vector<POINT>{{500, 800}, {900, 800}});  // device row 40
    });
    EXPECT_EQ(CountColour(image, QRect(0, 120, 200, 1), kBlue), 10);  // 5 x 2 pixels wide
    EXPECT_EQ(InkIn(image, QRect(0, 20, 200, 1)).count, 80);
    EXPECT_EQ(CountColour(image, QRect(0, 20, 200, 1), QColor(0, 0, 0)), 80);
    EXPECT_EQ(InkIn(image, QRect(0, 40, 200, 1)).count, 80);
    EXPECT_EQ(InkIn(image, QRect(0, 0, 200, 15)).count, 0);
}

// The extent of a text is its cell as TextOut draws it, in logical units:
// the ink of the text lies inside it, it is the font's cell high, and the
// selected font stays in force.
TEST_F(QPainterDCTest, TextExtentIsTheCellTextOutDraws) {
    TSize extent;
    Draw([&](DeviceContext& dc) {
        dc.SelectFont(Font{"Arial", 100, 0, 400, false, 0});
        extent = dc.GetTextExtent(Font{"Arial", 200, 0, 400, false, 0}, "Wellington");
        dc.SetBkMode(BackgroundMode::Transparent);
        dc.TextOut({100, 750}, "Wellington");  // device (20, 50), in the font selected
    });
    EXPECT_NEAR(extent.cy, 200, 5);  // 40 pixels
    EXPECT_GT(extent.cx, 600);
    EXPECT_LT(extent.cx, 1000);
    const Ink small = InkIn(image, image.rect());
    EXPECT_LE(small.box.height(), 20);  // drawn at 100 units, not 200

    image.fill(kWhite);
    Draw([&](DeviceContext& dc) {
        dc.SelectFont(Font{"Arial", 200, 0, 400, false, 0});
        dc.SetBkMode(BackgroundMode::Transparent);
        dc.TextOut({100, 750}, "Wellington");
    });
    const Ink ink = InkIn(image, image.rect());
    ASSERT_GT(ink.count, 0);
    const QRect cell(20, 50, extent.cx / 5, extent.cy / 5);
    EXPECT_TRUE(cell.adjusted(-1, -1, 1, 1).contains(ink.box)) << ink.box.left() << ' ' << ink.box.right();
    EXPECT_GT(ink.box.right(), cell.right() - 5);  // and not much wider than the ink
}

TEST_F(QPainterDCTest, DeviceCapsAreThePaintDeviceSize) {
    QImage wide(320, 120, QImage::Format_RGB32);
    QPainter painter(&wide);
    QPainterDC dc(painter);
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::HorzRes), 320);
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::VertRes), 120);
}

}  // namespace
}  // namespace okap
