#include "styles/optional_settings.h"

#include <sstream>

#include "styles/strip_header.h"
#include "styles/text_form.h"

namespace okap {

namespace {

// A key without the blanks that pad it: StripHeader trims text that has no
// "=".
std::string KeyOf(std::string_view text) {
    std::string key(text);
    StripHeader(key);
    return key;
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
        settings.values[KeyOf(std::string_view(line).substr(0, equals))] = std::move(value);
    }
    return settings;
}

std::optional<std::string> OptionalSettings::Value(std::string_view key) const {
    const auto found = values.find(KeyOf(key));
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
