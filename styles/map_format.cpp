#include "styles/map_format.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

#include "core/globals.h"
#include "core/number_text.h"
#include "platform/message_box.h"
#include "platform/safe_file_writer.h"
#include "styles/text_form.h"
#include "platform/set_wd.h"
#include "platform/directory_check.h"

namespace okap {

std::string gformatfile;
std::string gmapfile;

namespace {

// An integer at the start of text as "%d" and the stream reader take it:
// leading white space skipped, one optional sign, then digits up to the
// first other character. None when there are no digits or the number does
// not fit 32 bits.
std::optional<int32_t> LeadingInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i == digits) return std::nullopt;
    // The digits are parsed with their sign, so that the most negative value
    // is not refused.
    std::string number(negative ? "-" : "");
    number.append(text.substr(digits, i - digits));
    int32_t value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc()) return std::nullopt;
    return value;
}

}  // namespace

bool IsFeatureLine(std::string_view line) { return !line.empty() && line[0] == 'F'; }

bool IsFeatureNumber(int32_t number) { return number >= 1 && number <= kMaxFeatures; }

std::optional<int32_t> DrawingFeatureNumber(std::string_view line) {
    if (!IsFeatureLine(line)) return std::nullopt;
    return LeadingInt(line.substr(1, 5));
}

std::optional<int32_t> FeatureNumber(std::string_view line) {
    if (!IsFeatureLine(line)) return std::nullopt;
    // Without an "=" the count is huge and substr takes the rest of the line.
    return LeadingInt(line.substr(1, line.find('=') - 1));
}

std::string_view FeatureStyleText(std::string_view line) {
    const size_t colon = line.find(':');
    return colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
}

std::string FeatureName(std::string_view line) {
    const size_t equals = line.find('=');
    const size_t colon = line.find(':');
    if (equals == std::string_view::npos || colon == std::string_view::npos || colon <= equals + 3) return {};
    const size_t begin = equals + 2;
    return std::string(line.substr(begin, colon - 1 - begin));
}

bool ReadFeatureStyle(std::string_view line, PlotStyle& style) {
    std::istringstream in{std::string(FeatureStyleText(line))};
    return !(in >> style).fail();
}

std::string FeatureEntryText(int32_t number, std::string_view name) {
    std::string text = FormatInt(number);
    if (text.size() < 3) text.insert(0, 3 - text.size(), ' ');
    text += ' ';
    text += name;
    return text;
}

std::optional<int32_t> EntryFeatureNumber(std::string_view entry) { return LeadingInt(entry); }

std::string_view EntryFeatureName(std::string_view entry) {
    return entry.size() > 4 ? entry.substr(4) : std::string_view();
}

void ReadFeatureStyles(std::istream& is, FeatureStyles& styles) {
    std::string line;
    while (ReadLine(is, line)) {
        const std::optional<int32_t> number = DrawingFeatureNumber(line);
        if (!number || !IsFeatureNumber(*number)) continue;
        ReadFeatureStyle(line, styles[static_cast<size_t>(*number - 1)]);
    }
}

std::map<int32_t, std::string> ReadFeatureNames(std::istream& is) {
    std::map<int32_t, std::string> names;
    std::string line;
    while (ReadLine(is, line)) {
        if (!IsFeatureLine(line)) continue;
        if (std::optional<int32_t> number = FeatureNumber(line)) {
            std::string name = FeatureName(line);
            name.erase(name.find_last_not_of(' ') + 1);
            names.emplace(*number, std::move(name));
        }
    }
    return names;
}

int LoadFeatureStyles(const std::string& name, FeatureStyles& styles) {
    const std::string path = WorkPath(name);
    std::ifstream file(path, std::ios::binary);
    if (!file || IsDirectory(path)) {
        ShowError("Error opening map format file");
        badclient = 1;
        return 0;
    }
    ReadFeatureStyles(file, styles);
    return 1;
}

void WriteMapFormat(std::ostream& os, const std::vector<FeatureEntry>& entries, const FeatureStyles& styles) {
    os << kMapFormatHeader << "\r\n" << kMapFormatComment << "\r\n";
    for (const FeatureEntry& entry : entries) {
        const std::optional<int32_t> number = EntryFeatureNumber(entry.text);
        if (!number || !IsFeatureNumber(*number)) continue;
        os << 'F' << FormatInt(*number) << " = " << EntryFeatureName(entry.text) << " : "
           << styles[static_cast<size_t>(*number - 1)] << "\r\n";
    }
}

int SaveMapFormat(const std::filesystem::path& path, const std::vector<FeatureEntry>& entries,
                  const FeatureStyles& styles, const std::string& formatName) {
    SafeFileWriter writer(path);
    if (writer.IsOpen()) {
        WriteMapFormat(writer.Stream(), entries, styles);
        if (writer.Commit()) return 1;
    }
    ShowError("Error opening map format file : " + formatName);
    badclient = 1;
    return 0;
}

}  // namespace okap
