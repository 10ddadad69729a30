#include "styles/text_style.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/geometry.h"
#include "core/globals.h"
#include "core/number_text.h"
#include "core/utf8_prefix.h"
#include "styles/text_form.h"

namespace okap {

namespace {

// The font name of the text form. The first word loses its first character
// when it holds a double quote, and the name is complete when what is left
// still holds one (losing its last character). Otherwise words are added
// after single blanks until one holding a double quote, which loses its last
// character. A first word with no double quote is the whole name.
bool ReadFontName(std::istream& is, std::string& name) {
    std::string word;
    if (!(is >> word)) return false;
    if (word.find('"') == std::string::npos) {
        name = word;
        return true;
    }
    name = word.substr(1);
    if (name.find('"') != std::string::npos) {
        name.pop_back();
        return true;
    }
    while (is >> word) {
        const bool last = word.find('"') != std::string::npos;
        if (last) word.pop_back();
        name += ' ';
        name += word;
        if (last) return true;
    }
    return false;
}

}  // namespace

TextStyle::TextStyle(const TextStyle& other) { *this = other; }

TextStyle& TextStyle::operator=(const TextStyle& other) {
    if (this == &other) return *this;
    usable = 1;
    font.reset();
    fontRequest = Font{other.fontRequest.face, 0, 0, 0, false, 0};
    on = other.on;
    fontName = other.fontName;
    family = other.family;
    colour = other.colour;
    sizeBasis = other.sizeBasis;
    size = other.size;
    scale = other.scale;
    orientation = other.orientation;
    offsetX = other.offsetX;
    offsetY = other.offsetY;
    weight = other.weight;
    italic = other.italic;
    justification = other.justification;
    if (other.font) SetFont();
    return *this;
}

void TextStyle::SetFont() {
    usable = 0;
    font.reset();
    fontRequest.face = Utf8Prefix(fontName, kMaxFaceName);
    fontRequest.pitchAndFamily = family;
    scale = sizeBasis == kSizeMap ? lcperdegree : dispix * 20.0;
    fontRequest.weight = weight;
    fontRequest.italic = italic != 0;
    int escapement = SafeInt(orientation * 10.0);
    // Some PostScript printers turn text the other way round.
    if (isprinting && postmod && escapement > 0) escapement = 3600 - escapement;
    fontRequest.escapement = escapement;
    const double height = size * scale;
    if (!(height >= 1.0)) return;  // too small to show at this scale (NaN included)
    usable = 1;
    fontRequest.height = SafeInt(height);
    font = fontRequest;
}

std::ostream& operator<<(std::ostream& os, const TextStyle& style) {
    os << FormatInt(style.on) << " \"" << style.fontName << "\" " << FormatInt(style.family) << ' ';
    WriteColour(os, style.colour);
    return os << ' ' << FormatInt(style.sizeBasis) << ' ' << FormatGeneral(style.size) << ' '
              << FormatGeneral(style.orientation) << ' ' << FormatGeneral(style.offsetX) << ' '
              << FormatGeneral(style.offsetY) << ' ' << FormatInt(style.weight) << ' ' << FormatInt(style.italic)
              << ' ' << FormatInt(style.justification) << ' ';
}

std::istream& operator>>(std::istream& is, TextStyle& style) {
    if (!ReadInt(is, style.on)) return is;
    std::string fontName;
    if (ReadFontName(is, fontName)) {
        style.fontName = fontName;
    } else {
        is.setstate(std::ios::failbit);
    }
    // The 8-bit fields keep the low byte.
    int32_t family = style.family;
    ReadInt(is, family);
    style.family = static_cast<uint8_t>(family);
    ReadColour(is, style.colour);
    ReadInt(is, style.sizeBasis);
    ReadNumber(is, style.size);
    ReadNumber(is, style.orientation);
    ReadNumber(is, style.offsetX);
    ReadNumber(is, style.offsetY);
    ReadInt(is, style.weight);
    int32_t italic = style.italic;
    ReadInt(is, italic);
    style.italic = static_cast<uint8_t>(italic);
    ReadInt(is, style.justification);
    style.SetFont();
    EndStyleForm(is);
    return is;
}

namespace {

// Where TextOut puts the text: (x, y) moved by the style's offsets, in
// multiples of the font height.
POINT TextPoint(int x, int y, const TextStyle& style) {
    const int height = style.fontRequest.height;
    const int dx = SafeInt(style.offsetX * height);
    const int dy = SafeInt(style.offsetY * height);
    return {SafeInt(static_cast<long long>(x) + dx), SafeInt(static_cast<long long>(y) + dy)};
}

// How far left of its point a text of width starts.
int AlignShift(const TextStyle& style, int width) {
    return style.justification == kJustifyRight ? width : style.justification == kJustifyCentre ? width / 2 : 0;
}

}  // namespace

int DrawText(DeviceContext& dc, int x, int y, const TextStyle& style, const std::string& text) {
    if (!style.usable || !style.font) return 0;
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.SetTextAlign(style.justification == kJustifyRight    ? TextAlign::Right
                    : style.justification == kJustifyCentre ? TextAlign::Centre
                                                            : TextAlign::Left);
    dc.SelectFont(*style.font);
    dc.SetTextColor(style.colour);
    dc.TextOut(TextPoint(x, y, style), text);
    return 1;
}

std::optional<TBox> TextBox(DeviceContext& dc, int x, int y, const TextStyle& style, const std::string& text) {
    if (!style.usable || !style.font) return std::nullopt;
    const TSize size = dc.GetTextExtent(*style.font, text);
    const POINT at = TextPoint(x, y, style);
    const double left = -static_cast<double>(AlignShift(style, size.cx));
    // The cell hangs below its point and turns about it, counter-clockwise
    // by the escapement (y grows upwards).
    const double turn = style.font->escapement / 10.0 * std::numbers::pi / 180.0;
    const double c = std::cos(turn);
    const double s = std::sin(turn);
    double minX = HUGE_VAL, maxX = -HUGE_VAL, minY = HUGE_VAL, maxY = -HUGE_VAL;
    for (const double cx : {left, left + size.cx}) {
        for (const double cy : {0.0, -static_cast<double>(size.cy)}) {
            const double px = at.x + cx * c - cy * s;
            const double py = at.y + cx * s + cy * c;
            minX = std::min(minX, px);
            maxX = std::max(maxX, px);
            minY = std::min(minY, py);
            maxY = std::max(maxY, py);
        }
    }
    // Rounded outwards, past the rounding errors of the turn.
    constexpr double kSlack = 1e-6;
    return TBox{{SafeInt(std::floor(minX + kSlack)), SafeInt(std::ceil(maxY - kSlack))},
                {SafeInt(std::ceil(maxX - kSlack)), SafeInt(std::floor(minY + kSlack))}};
}

POINT TextOriginFor(POINT at, TSize size, const TextStyle& style) {
    const POINT moved = TextPoint(0, 0, style);
    return {SafeInt(static_cast<long long>(at.x) + AlignShift(style, size.cx) - moved.x),
            SafeInt(static_cast<long long>(at.y) - moved.y)};
}

}  // namespace okap
