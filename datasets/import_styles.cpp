#include "datasets/import_styles.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace okap {

namespace {

// Soft fills a cartographer would give land classes, and clear line
// colours, for the first types; hues apart from each other. No fill is a
// blue, which a reader takes for water.
constexpr std::array<Colour, 12> kSoftFills = {
    Colour::Rgb(232, 221, 184), Colour::Rgb(199, 224, 183), Colour::Rgb(244, 188, 160), Colour::Rgb(240, 200, 200),
    Colour::Rgb(214, 200, 232), Colour::Rgb(250, 214, 170), Colour::Rgb(190, 228, 218), Colour::Rgb(236, 230, 160),
    Colour::Rgb(220, 208, 198), Colour::Rgb(245, 196, 224), Colour::Rgb(208, 224, 160), Colour::Rgb(226, 186, 214)};
constexpr std::array<Colour, 12> kClearLines = {
    Colour::Rgb(31, 100, 180), Colour::Rgb(200, 50, 40),  Colour::Rgb(40, 140, 60),  Colour::Rgb(230, 120, 20),
    Colour::Rgb(120, 60, 160), Colour::Rgb(140, 90, 40),  Colour::Rgb(0, 140, 140),  Colour::Rgb(200, 40, 140),
    Colour::Rgb(110, 120, 30), Colour::Rgb(70, 70, 70),   Colour::Rgb(0, 90, 110),   Colour::Rgb(170, 30, 80)};

// The graded fills of the sample cities, light to dark.
constexpr std::array<Colour, 5> kDataRamp = {Colour::Rgb(250, 204, 160), Colour::Rgb(242, 150, 100),
                                             Colour::Rgb(226, 98, 62), Colour::Rgb(200, 48, 40),
                                             Colour::Rgb(150, 20, 30)};

Colour FromHsl(double hue, double saturation, double lightness) {
    const double chroma = (1.0 - std::fabs(2.0 * lightness - 1.0)) * saturation;
    const double sector = std::fmod(hue / 60.0, 6.0);
    const double second = chroma * (1.0 - std::fabs(std::fmod(sector, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(sector)) {
        case 0: r = chroma, g = second; break;
        case 1: r = second, g = chroma; break;
        case 2: g = chroma, b = second; break;
        case 3: g = second, b = chroma; break;
        case 4: r = second, b = chroma; break;
        default: r = chroma, b = second; break;
    }
    const double m = lightness - chroma / 2.0;
    const auto level = [m](double c) { return static_cast<int>(std::lround((c + m) * 255.0)); };
    return Colour::Rgb(level(r), level(g), level(b));
}

// Beyond the chosen colours: hues a golden angle apart, so that
// neighbouring types never look alike, at three lightnesses in turn.
double GoldenHue(size_t index) { return std::fmod(static_cast<double>(index) * 137.50776405, 360.0); }
double Band(size_t index) { return static_cast<double>(index % 3); }

// A fill's hue moved out of the blues (175 to 250 degrees), which read as
// water, into the purples and pinks beyond them.
double LandHue(double hue) { return hue >= 175.0 && hue < 250.0 ? hue + 85.0 : hue; }

Colour Darker(Colour c) {
    return Colour::Rgb(c.Red() * 11 / 20, c.Green() * 11 / 20, c.Blue() * 11 / 20);
}

}  // namespace

PlotStyle ImportedTypeStyle(size_t index, bool areas) {
    PlotStyle style;
    style.plot = 1;
    style.lineWidth = 1;
    style.lineType = 0;
    style.fillPattern = kFillSolid;
    style.fillColour = index < kSoftFills.size() ? kSoftFills[index]
                                                 : FromHsl(LandHue(GoldenHue(index)), 0.50, 0.76 + 0.05 * Band(index));
    if (areas) {
        style.lineColour = Darker(style.fillColour);
    } else {
        style.lineColour =
            index < kClearLines.size() ? kClearLines[index] : FromHsl(GoldenHue(index), 0.70, 0.30 + 0.08 * Band(index));
    }
    return style;
}

Colour DataClassFill(size_t index, size_t count) {
    if (count <= 1) return kDataRamp[kDataRamp.size() / 2];
    // Evenly over the ramp, between its colours where there are more
    // classes than colours.
    const double at = static_cast<double>(index) * (kDataRamp.size() - 1) / static_cast<double>(count - 1);
    const size_t low = static_cast<size_t>(at);
    const size_t high = std::min(low + 1, kDataRamp.size() - 1);
    const double t = at - static_cast<double>(low);
    const auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return Colour::Rgb(mix(kDataRamp[low].Red(), kDataRamp[high].Red()),
                       mix(kDataRamp[low].Green(), kDataRamp[high].Green()),
                       mix(kDataRamp[low].Blue(), kDataRamp[high].Blue()));
}

}  // namespace okap
