#include "styles/plot_style.h"

#include "core/geometry.h"
#include "core/globals.h"
#include "core/number_text.h"
#include "styles/text_form.h"

namespace okap {

PlotStyle::PlotStyle(const PlotStyle& other) { *this = other; }

PlotStyle& PlotStyle::operator=(const PlotStyle& other) {
    if (this == &other) return *this;
    pen.reset();
    brush.reset();
    plot = other.plot;
    hollow = other.hollow;
    lineColour = other.lineColour;
    lineWidth = other.lineWidth;
    lineType = other.lineType;
    fillColour = other.fillColour;
    fillPattern = other.fillPattern;
    if (other.pen) SetPen();
    if (other.brush) SetBrush();
    return *this;
}

void PlotStyle::SetPen() {
    const PenStyle style = lineType >= 0 && lineType <= 6 ? static_cast<PenStyle>(lineType) : PenStyle::Solid;
    pen = Pen{lineColour, SafeInt(lineWidth * pixwid), style};
}

void PlotStyle::SetBrush() {
    hollow = 0;
    switch (fillPattern) {
    case kFillNull:
        hollow = 1;
        brush = Brush::Solid(fillColour);
        break;
    // Pattern 0 is the hatch style "Horizontal", and the plot style dialog
    // offers it to the user by that name, so it is drawn hatched like 1 to 5
    // rather than solid.
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        brush = Brush::Hatched(fillColour, static_cast<HatchStyle>(fillPattern));
        break;
    // kFillSolid, and any value the dialog does not know, which it shows as
    // "Solid".
    default:
        brush = Brush::Solid(fillColour);
        break;
    }
}

void PlotStyle::Reset() {
    plot = 1;
    lineColour = Colour::Rgb(0, 0, 0);
    lineWidth = 1;
    lineType = 0;
    fillColour = Colour::Rgb(255, 255, 255);
    fillPattern = kFillSolid;
    SetBrush();
    SetPen();
}

std::ostream& operator<<(std::ostream& os, const PlotStyle& style) {
    os << FormatInt(style.plot) << ' ';
    WriteColour(os, style.lineColour);
    os << ' ' << FormatInt(style.lineWidth) << ' ' << FormatInt(style.lineType) << ' ';
    WriteColour(os, style.fillColour);
    return os << ' ' << FormatInt(style.fillPattern);
}

std::istream& operator>>(std::istream& is, PlotStyle& style) {
    if (!ReadInt(is, style.plot)) return is;
    ReadColour(is, style.lineColour);
    ReadInt(is, style.lineWidth);
    ReadInt(is, style.lineType);
    style.SetPen();
    ReadColour(is, style.fillColour);
    ReadInt(is, style.fillPattern);
    style.SetBrush();
    EndStyleForm(is);
    return is;
}

}  // namespace okap
