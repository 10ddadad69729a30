#include "platform/profile_file.h"

#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "platform/letter_case.h"
#include "platform/safe_file_writer.h"

namespace okap {

namespace {

// One line of the file with its own line ending, so that lines the writer
// does not touch are written back byte for byte.
struct Line {
    std::string text;
    std::string ending;
};

std::vector<Line> ReadLines(const std::filesystem::path& path) {
    std::vector<Line> lines;
    std::ifstream in(path, std::ios::binary);
    if (!in) return lines;
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t start = 0;
    while (start < all.size()) {
        size_t newline = all.find('\n', start);
        if (newline == std::string::npos) {
            lines.push_back({all.substr(start), ""});
            break;
        }
        size_t textEnd = newline > start && all[newline - 1] == '\r' ? newline - 1 : newline;
        lines.push_back({all.substr(start, textEnd - start), all.substr(textEnd, newline + 1 - textEnd)});
        start = newline + 1;
    }
    return lines;
}

std::string_view Trim(std::string_view s) {
    size_t begin = s.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    size_t end = s.find_last_not_of(" \t");
    return s.substr(begin, end - begin + 1);
}

// The section name of a "[name]" line, or nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
    std::string_view t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// The key of a "key = value" line, or nothing for blank and comment lines.
std::optional<std::string_view> KeyName(std::string_view line) {
    std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';') return std::nullopt;
    size_t equals = t.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return Trim(t.substr(0, equals));
}

// Index range [first, last) of the lines of a section's body; first is
// npos when the section is missing.
struct SectionSpan {
    size_t first = std::string::npos;
    size_t last = 0;
};

SectionSpan FindSection(const std::vector<Line>& lines, std::string_view section) {
    SectionSpan span;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::string_view> name = SectionName(lines[i].text);
        if (!name) continue;
        if (span.first != std::string::npos) {
            span.last = i;
            return span;
        }
        if (EqualIgnoringCase(*name, section)) span.first = i + 1;
    }
    span.last = lines.size();
    return span;
}

// The index of the key's line within the section, or npos.
size_t FindKey(const std::vector<Line>& lines, const SectionSpan& span, std::string_view key) {
    if (span.first == std::string::npos) return std::string::npos;
    for (size_t i = span.first; i < span.last; ++i) {
        std::optional<std::string_view> name = KeyName(lines[i].text);
        if (name && EqualIgnoringCase(*name, key)) return i;
    }
    return std::string::npos;
}

bool WriteLines(const std::filesystem::path& path, const std::vector<Line>& lines) {
    std::string contents;
    for (const Line& line : lines) contents += line.text + line.ending;
    std::error_code ignored;
    if (!path.parent_path().empty()) std::filesystem::create_directories(path.parent_path(), ignored);
    return WriteFileSafely(path, contents);
}

}  // namespace

ProfileFile::ProfileFile(std::filesystem::path filePath) : path(std::move(filePath)) {}

std::optional<std::string> ProfileFile::GetString(std::string_view section, std::string_view key) const {
    std::vector<Line> lines = ReadLines(path);
    const size_t i = FindKey(lines, FindSection(lines, section), key);
    if (i == std::string::npos) return std::nullopt;
    std::string_view value = Trim(std::string_view(lines[i].text).substr(lines[i].text.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::vector<Line> lines = ReadLines(path);
    std::string entry = std::string(key) + "=" + std::string(value);
    SectionSpan span = FindSection(lines, section);
    if (span.first == std::string::npos) {
        if (!lines.empty() && lines.back().ending.empty()) lines.back().ending = "\r\n";
        std::string header(1, '[');
        header.append(section).append(1, ']');
        lines.push_back({header, "\r\n"});
        lines.push_back({entry, "\r\n"});
    } else {
        bool replaced = false;
        size_t lastKey = span.first;  // a new key goes after the section's last key line
        for (size_t i = span.first; i < span.last && !replaced; ++i) {
            std::optional<std::string_view> name = KeyName(lines[i].text);
            if (!name) continue;
            lastKey = i + 1;
            if (EqualIgnoringCase(*name, key)) {
                // Keep the key as it is spelled in the file.
                lines[i].text = std::string(*name) + "=" + std::string(value);
                replaced = true;
            }
        }
        if (!replaced) {
            if (lastKey > 0 && lines[lastKey - 1].ending.empty()) lines[lastKey - 1].ending = "\r\n";
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastKey), Line{entry, "\r\n"});
        }
    }
    return WriteLines(path, lines);
}

bool ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
    std::vector<Line> lines = ReadLines(path);
    const size_t line = FindKey(lines, FindSection(lines, section), key);
    if (line == std::string::npos) return true;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(line));
    return WriteLines(path, lines);
}

}  // namespace okap
