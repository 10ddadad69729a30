#pragma once
// How a text is drawn: on or off, font, colour, size and what the size is
// measured against, orientation, offsets, weight, italics, justification;
// and the font made from them by SetFont.
//
// The font follows the values only when SetFont is called: after editing a
// field, and for "Map" sizes whenever lcperdegree changes. A style is drawn
// only once SetFont has built its font.

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "core/coordinates.h"
#include "platform/colour.h"
#include "platform/device_context.h"

namespace okap {

// What a text or symbol size is measured in.
inline constexpr int32_t kSizeScreen = 0;  // points: 20 x dispix logical units each
inline constexpr int32_t kSizeMap = 1;     // degrees of latitude at the current map scale

inline constexpr int32_t kJustifyLeft = 0;
inline constexpr int32_t kJustifyRight = 1;
inline constexpr int32_t kJustifyCentre = 2;

// The longest face name a font request holds.
inline constexpr size_t kMaxFaceName = 31;

class TextStyle {
public:
    TextStyle() = default;
    // A copy takes every stored value, the on flag included, and builds its
    // own font at the current scales when the source has one; otherwise it
    // has no font until SetFont is called.
    TextStyle(const TextStyle& other);
    TextStyle& operator=(const TextStyle& other);

    // Fills the font request and, when the text is at least one logical unit
    // high at the current scale, makes the font and sets usable; otherwise
    // the style is unusable and has no font. Scale: 20 x dispix for "Screen"
    // sizes, lcperdegree for "Map" sizes; a size basis of any other value
    // (only a hand-edited file holds one) counts as "Screen". While printing
    // with the PostScript modification, escapements above 0 are mirrored to
    // 3600 - escapement.
    void SetFont();

    friend bool operator==(const TextStyle&, const TextStyle&) = default;

    // What SetFont last asked for; its height and escapement are what
    // DrawText places the text by.
    Font fontRequest{"Arial", 0, 0, 0, false, 0};
    int32_t on = 1;      // 1 = draw the text ("Text On")
    int32_t usable = 1;  // 0 when SetFont found the text too small to draw
    std::optional<Font> font;  // the font the record owns, once built
    std::string fontName = "Arial";
    uint8_t family = 0;  // pitch-and-family code handed to the font request
    Colour colour = Colour::Rgb(128, 128, 128);
    int32_t sizeBasis = kSizeScreen;
    double size = 12.0;
    double scale = 0.0;        // logical units per size unit, worked out by SetFont
    double orientation = 0.0;  // degrees, counter-clockwise
    double offsetX = 0.0;      // multiples of the text height
    double offsetY = 0.5;
    int32_t weight = 500;  // 0 to 1000; 400 normal, 700 bold
    uint8_t italic = 0;
    int32_t justification = kJustifyCentre;
};

// The text form: fourteen values, each followed by one blank: on, the font
// name in double quotes, family, colour (red green blue), size basis, size,
// orientation, offset X, offset Y, weight, italic, justification. Doubles
// are written with 6 significant digits in general notation.
std::ostream& operator<<(std::ostream& os, const TextStyle& style);

// Reads the text form and builds the font. A quoted name keeps its words
// but runs of blanks inside it become single blanks; an unquoted word is
// taken as the whole name. Read as a stream reads: each value read is
// applied and the values after one that cannot be read stay as they were;
// the font is built from what the style then holds. Only when the first
// value cannot be read does the stream fail, with the style left alone.
std::istream& operator>>(std::istream& is, TextStyle& style);

// Draws text with its cell's top at (x, y) moved by the style's offsets
// (multiples of the font height), aligned by the justification, in the
// style's font and colour on a transparent background. Returns 1 when drawn,
// 0 when the style has no usable font.
int DrawText(DeviceContext& dc, int x, int y, const TextStyle& style, const std::string& text);

// The box that DrawText with the same values covers: the text's cell, and
// for turned text the level box around the turned cell. Empty when DrawText
// would draw nothing.
std::optional<TBox> TextBox(DeviceContext& dc, int x, int y, const TextStyle& style, const std::string& text);

// The point to hand DrawText so that the level text of style, size wide and
// high, covers the box whose top-left corner is at: the inverse of TextBox
// for text that is not turned.
POINT TextOriginFor(POINT at, TSize size, const TextStyle& style);

}  // namespace okap
