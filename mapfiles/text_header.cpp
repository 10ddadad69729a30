#include "mapfiles/text_header.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/number_text.h"

namespace okap {

namespace {

std::string_view WithoutTrailingBlanks(std::string_view text) {
    size_t last = text.find_last_not_of(" \t");
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// A whole number the way scanf's "%d" reads one: leading blanks skipped, an
// optional sign, then digits; what follows is ignored. Empty when there is
// no number or it falls outside lo..hi.
std::optional<int64_t> ReadInteger(std::string_view text, int64_t lo, int64_t hi) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    uint64_t magnitude = 0;
    auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), magnitude);
    if (error != std::errc() || end == text.data() + i) return std::nullopt;
    if (magnitude > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) return std::nullopt;
    int64_t value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (value < lo || value > hi) return std::nullopt;
    return value;
}

// Blank-padded and cut to width characters.
std::string Padded(std::string_view text, size_t width) {
    std::string padded(text.substr(0, width));
    padded.resize(width, ' ');
    return padded;
}

}  // namespace

TextHeaderError ParseTextHeader(std::string_view line, TextHeader& header) {
    size_t open = line.find('"');
    if (open == std::string_view::npos) return TextHeaderError::Type;
    size_t close = line.find('"', open + 1);
    std::string_view quoted = WithoutTrailingBlanks(
        line.substr(open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1));
    std::string_view rest = close == std::string_view::npos ? std::string_view() : line.substr(close + 1);

    // Fields after the closing quote: fields[0] is whatever stands before
    // the first comma; the values follow.
    std::string_view fields[3];
    size_t commas = 0;
    size_t start = 0;
    for (size_t i = 0; i <= rest.size(); ++i) {
        if (i == rest.size() || rest[i] == ',') {
            if (commas < 3) fields[commas] = rest.substr(start, i - start);
            if (i < rest.size()) ++commas;
            start = i + 1;
        }
    }

    // A 16-bit type, and a count whose magnitude can be taken (so never the
    // most negative 32-bit value).
    constexpr int64_t kCountLimit = std::numeric_limits<int32_t>::max();
    std::optional<int64_t> type;
    std::optional<int64_t> count;
    if (commas == 1) {
        std::string code = Padded(quoted, 10);
        type = ReadInteger(std::string_view(code).substr(0, 2), INT16_MIN, INT16_MAX);
        if (!type) return TextHeaderError::Type;
        header.name = code.substr(2, 8);
        count = ReadInteger(WithoutTrailingBlanks(fields[1]), -kCountLimit, kCountLimit);
    } else {
        header.name = Padded(quoted, 8);
        if (commas >= 1) type = ReadInteger(WithoutTrailingBlanks(fields[1]), INT16_MIN, INT16_MAX);
        if (!type) return TextHeaderError::Type;
        if (commas >= 2) count = ReadInteger(WithoutTrailingBlanks(fields[2]), -kCountLimit, kCountLimit);
    }
    if (!count) return TextHeaderError::Count;
    header.type = static_cast<int16_t>(*type);
    header.count = static_cast<int32_t>(*count);
    return TextHeaderError::None;
}

std::string TextHeaderStart(std::string_view name, int type) {
    // A double quote would end the name early and a line end would break
    // the header in two: the file could not be read back.
    std::string written(name.substr(0, 8));
    for (char& c : written) {
        if (c == '"') c = '\'';
        if (c == '\r' || c == '\n') c = ' ';
    }
    return '"' + written + "\"," + FormatInt(type) + ',';
}

}  // namespace okap
