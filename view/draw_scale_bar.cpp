#include "view/draw_scale_bar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "core/geometry.h"
#include "core/number_text.h"
#include "core/projection.h"
#include "core/view_geodesy.h"
#include "data/scale_units.h"
#include "styles/text_style.h"

namespace okap {

namespace {

// The bar aims at this share of the view's width.
constexpr double kBarShare = 0.2;
// Where the scale of the view differs by more than this ratio from place to
// place or between directions, one length does not fit the whole map and
// the bar says where it holds.
constexpr double kScaleSpread = 1.03;
// The view is sampled for its scale on a lattice of this many points a side.
constexpr int kScaleSamples = 5;
constexpr int kBisections = 60;

constexpr std::array<double, 4> kRoundSteps = {1.0, 2.0, 5.0, 10.0};

// The bar's ends for a length in logical units: where the bar starts
// relative to its place, as a share of its length.
struct BarLine {
    Projection& projection;
    double x;
    double y;
    double start;  // 0 for a left, -0.5 for a centred, -1 for a right justified bar

    // The distance on the ellipsoid between the ends of a bar length long.
    std::optional<double> Metres(double length) const {
        const std::optional<LonLat> a = LogicalToLonLat(projection, x + start * length, y);
        const std::optional<LonLat> b = LogicalToLonLat(projection, x + (start + 1.0) * length, y);
        if (!a || !b) return std::nullopt;
        return GeodesicMetres(*a, *b);
    }
};

// Metres per logical unit across and up a view at (x, y), over a small step
// either way; empty off the map.
std::optional<std::array<double, 2>> LocalScales(Projection& projection, double x, double y, double step) {
    const std::optional<LonLat> west = LogicalToLonLat(projection, x - step, y);
    const std::optional<LonLat> east = LogicalToLonLat(projection, x + step, y);
    const std::optional<LonLat> south = LogicalToLonLat(projection, x, y - step);
    const std::optional<LonLat> north = LogicalToLonLat(projection, x, y + step);
    if (!west || !east || !south || !north) return std::nullopt;
    return std::array<double, 2>{GeodesicMetres(*west, *east) / (2.0 * step),
                                 GeodesicMetres(*south, *north) / (2.0 * step)};
}

// Whether the view's scale is the same, within kScaleSpread, at the bar's
// place and over a lattice of the view, across and up.
bool ScaleVaries(Projection& projection, TSize extent, double x, double y) {
    const double step = extent.cx * 0.001;
    double least = HUGE_VAL, most = 0.0;
    const auto take = [&](double px, double py) {
        if (const auto scales = LocalScales(projection, px, py, step)) {
            for (const double s : *scales) {
                least = std::min(least, s);
                most = std::max(most, s);
            }
        }
    };
    take(x, y);
    for (int i = 0; i < kScaleSamples; ++i) {
        for (int j = 0; j < kScaleSamples; ++j) {
            take(extent.cx * (i + 0.5) / kScaleSamples, -extent.cy * (j + 0.5) / kScaleSamples);
        }
    }
    return least > 0.0 && most / least > kScaleSpread;
}

// The bar length in logical units whose ends lie metres apart, searched
// between 0 and high, where the ends lie at least that far apart.
double LengthFor(const BarLine& line, double metres, double high) {
    double low = 0.0;
    for (int i = 0; i < kBisections; ++i) {
        const double middle = (low + high) / 2.0;
        const std::optional<double> apart = line.Metres(middle);
        if (apart && *apart < metres)
            low = middle;
        else
            high = middle;
    }
    return (low + high) / 2.0;
}

// "at latitude 45° N" for the latitude in whole degrees.
std::string LatitudeNote(double latitude) {
    const long long degrees = std::llround(std::fabs(latitude));
    std::string note = "at latitude " + FormatInt(degrees) + "\u00B0";
    if (degrees != 0) note += latitude > 0.0 ? " N" : " S";
    return note;
}

}  // namespace

double RoundLengthNear(double length) {
    if (!(length > 0.0) || !std::isfinite(length)) return 0.0;
    const double power = std::pow(10.0, std::floor(std::log10(length)));
    double best = power;
    for (const double step : kRoundSteps) {
        if (std::fabs(std::log(step * power / length)) < std::fabs(std::log(best / length))) best = step * power;
    }
    return best;
}

double RoundLengthBelow(double length) {
    if (!(length > 0.0) || !std::isfinite(length)) return 0.0;
    const double power = std::pow(10.0, std::floor(std::log10(length)));
    double best = power;
    for (const double step : kRoundSteps) {
        if (step * power <= length) best = step * power;
    }
    return best;
}

void DrawScaleBar(DeviceContext& dc, Projection& projection, TSize windowExtent, POINT place,
                  const TextStyle& style, std::string_view unitWord) {
    const ScaleUnit& unit = ScaleUnitOf(unitWord);
    const double start = style.justification == kJustifyLeft    ? 0.0
                         : style.justification == kJustifyRight ? -1.0
                                                                : -0.5;
    const BarLine line{projection, static_cast<double>(place.x), static_cast<double>(place.y), start};
    const double aimed = windowExtent.cx * kBarShare;
    const std::optional<double> aimedMetres = line.Metres(aimed);
    if (!aimedMetres || !(*aimedMetres > 0.0)) return;

    // The round length nearest to a fifth of the view, unless its ends would
    // leave the map (or the view); then the one just below, which fits
    // within the fifth.
    double length = RoundLengthNear(*aimedMetres / unit.metres);
    double high = aimed;
    for (std::optional<double> apart = *aimedMetres; apart && *apart < length * unit.metres;) {
        high *= 1.25;
        apart = high <= windowExtent.cx ? line.Metres(high) : std::nullopt;
        if (!apart) {
            length = RoundLengthBelow(*aimedMetres / unit.metres);
            high = aimed;
        }
    }
    const double barLength = LengthFor(line, length * unit.metres, high);

    const int height = std::max(1, style.fontRequest.height);
    const int thickness = std::max(1, height / 3);
    const int gap = std::max(1, height / 4);
    const double left = place.x + start * barLength;
    std::array<int, 5> ticks;
    for (size_t i = 0; i < ticks.size(); ++i) ticks[i] = SafeInt(std::round(left + barLength * i / 4.0));

    // In doubles and clamped: a place far outside the window (a number
    // typed in a detail's line) must not overflow.
    const int barTop = SafeInt(static_cast<double>(place.y) - thickness);
    SavedDC saved(dc);
    dc.SelectPen(Pen{style.colour, height / 16, PenStyle::Solid});
    for (size_t i = 0; i + 1 < ticks.size(); ++i) {
        dc.SelectBrush(Brush::Solid(i % 2 == 0 ? style.colour : Colour::Rgb(255, 255, 255)));
        dc.Rectangle(TBox{{ticks[i], place.y}, {ticks[i + 1], barTop}});
    }

    TextStyle labels(style);
    labels.orientation = 0.0;
    labels.offsetX = 0.0;
    labels.offsetY = 0.0;
    labels.justification = kJustifyCentre;
    labels.SetFont();
    const int labelTop = SafeInt(static_cast<double>(place.y) + gap + height);
    DrawText(dc, ticks[0], labelTop, labels, "0");
    DrawText(dc, ticks[2], labelTop, labels, FormatGeneral(length / 2.0));
    const std::string whole = FormatGeneral(length);
    DrawText(dc, ticks[4], labelTop, labels, whole);
    // The unit on the labels' line, after the last number rather than
    // over it.
    TextStyle unitLabel(labels);
    unitLabel.justification = kJustifyLeft;
    const std::optional<TBox> last = TextBox(dc, ticks[4], labelTop, labels, whole);
    const int unitLeft = SafeInt(static_cast<double>(last ? std::max(last->tl.x, last->br.x) : ticks[4]) + gap);
    DrawText(dc, unitLeft, labelTop, unitLabel, std::string(unit.word));
    if (ScaleVaries(projection, windowExtent, place.x, place.y)) {
        if (const std::optional<LonLat> at = LogicalToLonLat(projection, left + barLength / 2.0, place.y))
            DrawText(dc, ticks[2], SafeInt(static_cast<double>(barTop) - gap), labels, LatitudeNote(at->lat));
    }
}

}  // namespace okap
