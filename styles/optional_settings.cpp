#include "styles/optional_settings.h"

#include <sstream>

#include "styles/strip_header.h"
#include "styles/text_form.h"

namespace okap {

namespace {

std::string Trimmed(std::string_view text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return std::string(text.substr(begin, text.find_last_not_of(" \t") - begin + 1));
}

}  // namespace

OptionalSettings OptionalSettings::Read(std::istream& is) {
    OptionalSettings settings;
    std::string line;
    while (ReadLine(is, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string value = line;
        StripHeader(value);
        settings.values[Trimmed(std::string_view(line).substr(0, equals))] = std::move(value);
    }
    return settings;
}

std::optional<std::string> OptionalSettings::Value(std::string_view key) const {
    const auto found = values.find(Trimmed(key));
    if (found == values.end()) return std::nullopt;
    return found->second;
}

int32_t OptionalSettings::Int(std::string_view key, int32_t absent) const {
    const std::optional<std::string> text = Value(key);
    if (!text) return absent;
    std::istringstream number(*text);
    int32_t value = absent;
    return ReadInt(number, value) ? value : absent;
}

void WriteSetting(std::ostream& os, std::string_view key, std::string_view value) {
    os << key << "= " << value << "\r\n";
}

}  // namespace okap
