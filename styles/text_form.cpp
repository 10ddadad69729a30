#include "styles/text_form.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "core/number_text.h"

namespace okap {

namespace {

std::optional<int32_t> ParseInt(std::string_view word) {
    const bool plus = !word.empty() && word[0] == '+';
    if (plus) word.remove_prefix(1);
    // from_chars takes a minus but no plus; one sign at most either way.
    if (word.empty() || !((word[0] >= '0' && word[0] <= '9') || (!plus && word[0] == '-'))) return std::nullopt;
    int32_t value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

}  // namespace

std::istream& ReadLine(std::istream& is, std::string& line) {
    if (std::getline(is, line) && !line.empty() && line.back() == '\r') line.pop_back();
    return is;
}

std::istream& ReadInt(std::istream& is, int32_t& value) {
    std::string word;
    if (!(is >> word)) return is;
    if (std::optional<int32_t> number = ParseInt(word)) {
        value = *number;
    } else {
        is.setstate(std::ios::failbit);
    }
    return is;
}

std::istream& ReadNumber(std::istream& is, double& value) {
    std::string word;
    if (!(is >> word)) return is;
    if (std::optional<double> number = ReadWholeDouble(word)) {
        value = *number;
    } else {
        is.setstate(std::ios::failbit);
    }
    return is;
}

Colour ColourFromComponents(int32_t red, int32_t green, int32_t blue) {
    return Colour{(static_cast<uint32_t>(red) & 255u) | ((static_cast<uint32_t>(green) & 65535u) << 8) |
                  ((static_cast<uint32_t>(blue) & 255u) << 16)};
}

void WriteColour(std::ostream& os, Colour colour) {
    os << FormatInt(colour.Red()) << ' ' << FormatInt(colour.Green()) << ' ' << FormatInt(colour.Blue());
}

}  // namespace okap
