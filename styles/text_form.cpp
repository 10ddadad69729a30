#include "styles/text_form.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "core/number_text.h"
#include "mapfiles/line_reader.h"

namespace okap {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSign(char c) { return c == '+' || c == '-'; }
bool IsPoint(char c) { return c == '.'; }
bool IsExponentMark(char c) { return c == 'e' || c == 'E'; }

// Moves the next character into text when it passes test. At the end of
// the stream there is none (and peeking again would fail the stream).
bool TakeIf(std::istream& is, std::string& text, bool (*test)(char)) {
    if (!is.good()) return false;
    const int c = is.peek();
    if (c == std::char_traits<char>::eof() || !test(static_cast<char>(c))) return false;
    text += static_cast<char>(is.get());
    return true;
}

void TakeDigits(std::istream& is, std::string& text) {
    while (TakeIf(is, text, IsDigit)) {
    }
}

// The characters of the number at the stream's position after white
// space: a sign and digits, and for a decimal number also a point with
// digits and an exponent. An exponent mark with no digits after it is no
// part of the number and goes back to the stream. Empty when nothing is
// there.
std::string NumberText(std::istream& is, bool decimal) {
    std::string text;
    const std::istream::sentry skipBlanks(is);
    if (!skipBlanks) return text;
    TakeIf(is, text, IsSign);
    TakeDigits(is, text);
    if (!decimal) return text;
    if (TakeIf(is, text, IsPoint)) TakeDigits(is, text);
    std::string exponent;
    if (TakeIf(is, exponent, IsExponentMark)) {
        TakeIf(is, exponent, IsSign);
        const size_t marks = exponent.size();
        TakeDigits(is, exponent);
        if (exponent.size() > marks) {
            text += exponent;
        } else {
            for (size_t i = marks; i > 0; --i) is.putback(exponent[i - 1]);
        }
    }
    return text;
}

std::optional<int32_t> ParseInt(std::string_view text) {
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    // from_chars takes a minus but no plus; one sign at most either way.
    if (text.empty() || !(IsDigit(text[0]) || text[0] == '-')) return std::nullopt;
    int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::istream& ReadLine(std::istream& is, std::string& line) {
    line.clear();
    const std::istream::sentry good(is, true);
    if (!good) return is;
    std::streambuf& in = *is.rdbuf();
    for (;;) {
        const int c = in.sbumpc();
        if (c == std::char_traits<char>::eof()) {
            // As getline: a line cut by the end of the file still counts.
            is.setstate(line.empty() ? std::ios::eofbit | std::ios::failbit : std::ios::eofbit);
            break;
        }
        if (c == '\n') break;
        if (line.size() == LineReader::kMaxLineLength) {
            is.setstate(std::ios::failbit);
            break;
        }
        line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return is;
}

bool LineTooLong(const std::istream& is) { return is.fail() && !is.eof() && !is.bad(); }

std::istream& ReadInt(std::istream& is, int32_t& value) {
    if (std::optional<int32_t> number = ParseInt(NumberText(is, false))) {
        value = *number;
    } else {
        is.setstate(std::ios::failbit);
    }
    return is;
}

std::istream& ReadNumber(std::istream& is, double& value) {
    if (std::optional<double> number = ReadWholeDouble(NumberText(is, true))) {
        value = *number;
    } else {
        is.setstate(std::ios::failbit);
    }
    return is;
}

std::istream& ReadColour(std::istream& is, Colour& colour) {
    int32_t red = colour.Red(), green = colour.Green(), blue = colour.Blue();
    if (!ReadInt(is, red)) return is;
    ReadInt(is, green);
    ReadInt(is, blue);
    colour = ColourFromComponents(red, green, blue);
    return is;
}

void EndStyleForm(std::istream& is) { is.clear(is.rdstate() & ~std::ios::failbit); }

Colour ColourFromComponents(int32_t red, int32_t green, int32_t blue) {
    return Colour{(static_cast<uint32_t>(red) & 255u) | ((static_cast<uint32_t>(green) & 65535u) << 8) |
                  ((static_cast<uint32_t>(blue) & 255u) << 16)};
}

void WriteColour(std::ostream& os, Colour colour) {
    os << FormatInt(colour.Red()) << ' ' << FormatInt(colour.Green()) << ' ' << FormatInt(colour.Blue());
}

}  // namespace okap
