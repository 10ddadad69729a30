#pragma once
// How a line or an area is drawn: on or off, line colour, width and type,
// fill colour and pattern, and the pen and brush made from them.
//
// The pen and brush follow the values only when SetPen and SetBrush are
// called; editing a field does not rebuild them. The stream reader and
// Reset rebuild both.

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>

#include "platform/colour.h"
#include "platform/device_context.h"

namespace okap {

// Fill patterns of the program's own beside the hatch styles 0 to 5.
inline constexpr int32_t kFillNull = 98;   // areas are outlined, not filled
inline constexpr int32_t kFillSolid = 99;

class PlotStyle {
public:
    PlotStyle() = default;
    // A copy takes the values and builds its own pen and brush at the
    // current pixwid, each only when the source has one.
    PlotStyle(const PlotStyle& other);
    PlotStyle& operator=(const PlotStyle& other);

    // Pen of the line colour, width = line width x pixwid truncated, style =
    // line type (a type outside 0 to 6 draws solid, as the plot style
    // dialog shows it).
    void SetPen();
    // Brush of the fill colour for the fill pattern; sets hollow for
    // kFillNull and clears it otherwise.
    void SetBrush();
    // Plot on, a black solid line of width 1, a white solid fill; pen and
    // brush made. The styles of a new map format start so.
    void Reset();

    friend bool operator==(const PlotStyle&, const PlotStyle&) = default;

    int32_t plot = 0;    // 1 = draw with this style ("Plot On")
    int32_t hollow = 0;  // fill pattern "Null": draw outlines (polylines) instead of filled polygons
    Colour lineColour;
    int32_t lineWidth = 1;  // line-width units, scaled by pixwid
    int32_t lineType = 0;   // the PenStyle values 0 to 6
    Colour fillColour;
    int32_t fillPattern = kFillSolid;  // hatch styles 0 to 5, kFillNull, kFillSolid
    // The drawing objects, present once built; the record owns them.
    std::optional<Pen> pen;
    std::optional<Brush> brush;
};

// The text form: ten integers with single blanks between and none around:
// plot, line colour (red green blue), line width, line type, fill colour
// (red green blue), fill pattern.
std::ostream& operator<<(std::ostream& os, const PlotStyle& style);

// Reads the integers of the text form in order, skipping any white space
// between them, as a stream does: each value read is applied, the pen is
// built after the line values and the brush after the fill values, and the
// values after one that cannot be read (a short text) stay as they were.
// Only when the first value cannot be read does the stream fail, with the
// style left alone.
std::istream& operator>>(std::istream& is, PlotStyle& style);

}  // namespace okap
