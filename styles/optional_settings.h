#pragma once
// Settings added to a text file format after the lines it has always had:
// "key = value" lines after its last fixed line, found by key. Files
// written before have none and read as they did; programs that read the
// fixed lines by position stop before them. A setting is written only when
// it differs from what its absence means, so a file that uses none of them
// is written exactly as before.

#include <cstdint>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace okap {

class OptionalSettings {
public:
    // Reads every line left in is. A line without "=" is passed over; of two
    // lines with the same key the later counts.
    static OptionalSettings Read(std::istream& is);

    // The value of key (compared without its padding blanks), trimmed.
    std::optional<std::string> Value(std::string_view key) const;
    // The whole number at the start of key's value; absent when the key is
    // missing or its value does not start with a number.
    int32_t Int(std::string_view key, int32_t absent) const;

private:
    std::map<std::string, std::string, std::less<>> values;
};

// One "key = value" line ended by CR LF; key is written as given, with the
// blanks that line it up with the file's other keys.
void WriteSetting(std::ostream& os, std::string_view key, std::string_view value);

}  // namespace okap
