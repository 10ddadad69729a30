#pragma once
// Keys of an INI ("profile") file, as the configuration keeps them.
//
// Sections and keys are matched without regard to case. Writing a key
// changes only its own line (or adds one) and keeps every other line of the
// file as it was, comments and line endings included; the file is replaced
// whole, never left half-written.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace okap {

class ProfileFile {
public:
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& Path() const { return path; }

    // The value of section/key with blanks around it removed (and one pair
    // of enclosing quotes), or nothing when the file, section or key is
    // missing.
    std::optional<std::string> GetString(std::string_view section, std::string_view key) const;

    // Sets section/key to value, adding the section or key where missing
    // and creating the file (and its directory) when needed. New lines end
    // in CR LF. False when the file cannot be written.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Removes the key's line from the section (the section's header stays).
    // True when the key is gone afterwards, including when it never was.
    bool DeleteKey(std::string_view section, std::string_view key);

private:
    std::filesystem::path path;
};

}  // namespace okap
