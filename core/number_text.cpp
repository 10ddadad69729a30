#include "core/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace okap {

std::optional<double> ReadDouble(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i < text.size() && text[i] == '-') return std::nullopt;  // from_chars would take a second sign
    // from_chars takes neither blanks nor a sign; it accepts the rest of
    // what scanf does, including "inf" and "nan".
    double value = 0.0;
    auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // scanf gives +-HUGE_VAL on overflow and a tiny value on underflow.
        std::string_view digits = text.substr(i, static_cast<size_t>(end - (text.data() + i)));
        bool huge = digits.find_first_of("eE") == std::string_view::npos ||
                    digits[digits.find_first_of("eE") + 1] != '-';
        value = huge ? HUGE_VAL : 0.0;
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<double> ReadWholeDouble(std::string_view text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return std::nullopt;
    text = text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
    size_t signLength = text[0] == '+' || text[0] == '-' ? 1 : 0;
    // from_chars takes a minus of its own: refuse a second sign.
    if (text.size() > signLength && text[signLength] == '-') return std::nullopt;
    double value = 0.0;
    auto [end, error] = std::from_chars(text.data() + signLength, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return text[0] == '-' ? -value : value;
}

std::string FormatFixed(double value, int precision, int width) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    std::string text(buffer, result.ptr);
    if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    return text;
}

std::string FormatGeneral(double value, int significant) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, significant);
    return std::string(buffer, result.ptr);
}

std::string FormatShortest(double value) {
    for (int digits = 6; digits < 17; ++digits) {
        std::string text = FormatGeneral(value, digits);
        if (ReadWholeDouble(text) == value) return text;
    }
    return FormatGeneral(value, 17);
}

std::string FormatInt(long long value, int width) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value < 0 ? -value : value);
    std::string digits(buffer, result.ptr);
    if (static_cast<int>(digits.size()) < width - (value < 0 ? 1 : 0))
        digits.insert(0, static_cast<size_t>(width - (value < 0 ? 1 : 0)) - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

}  // namespace okap
