// Reading and writing the .oki file of a map document.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <limits>
#include <optional>
#include <span>
#include <sstream>
#include <string_view>

#include "core/globals.h"
#include "core/number_text.h"
#include "platform/message_box.h"
#include "styles/grid_format.h"
#include "styles/optional_settings.h"
#include "styles/text_form.h"
#include "view/map_document.h"

namespace okap {

namespace {

constexpr std::string_view kAntialiasingKey = "Antialiasing         ";

// Reads a whole number as scanf's "%d" and "%ld" do: leading white space
// skipped, an optional sign, then digits, with the rest left in text for
// the next number. A value beyond 32 bits is clamped. False, with text
// unchanged, when no number starts the text.
bool ScanInt(std::string_view& text, int32_t& value) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t digits = i;
    long long number = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        number = std::min(number * 10 + (text[i] - '0'), 1LL << 40);  // capped, still beyond 32 bits
    }
    if (i == digits) return false;
    if (negative) number = -number;
    value = static_cast<int32_t>(std::clamp<long long>(number, std::numeric_limits<int32_t>::min(),
                                                       std::numeric_limits<int32_t>::max()));
    text.remove_prefix(i);
    return true;
}

// "%d %d" and the like: reads numbers into fields in turn until one cannot
// be read; the fields from there on keep their values.
template <typename... Fields>
void ScanInts(std::string_view text, Fields&... fields) {
    int32_t value = 0;
    (... && (ScanInt(text, value) ? (fields = value, true) : false));
}

// The value of the next line: the text after its first "=", empty when the
// line has none. False at the end of the file.
bool NextValue(std::istream& is, std::string& value) {
    std::string line;
    if (!ReadLine(is, line)) return false;
    const size_t equals = line.find('=');
    value = equals == std::string::npos ? std::string() : line.substr(equals + 1);
    return true;
}

size_t FindIgnoringCase(std::string_view text, std::string_view word) {
    auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    auto it = std::search(text.begin(), text.end(), word.begin(), word.end(),
                          [&](char a, char b) { return lower(a) == lower(b); });
    return it == text.end() ? std::string_view::npos : static_cast<size_t>(it - text.begin());
}

std::string Trim(std::string_view text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return std::string(text.substr(begin, text.find_last_not_of(" \t") - begin + 1));
}

// A count line: a number from 0 to the table's capacity, or the file is
// refused.
bool ReadCount(std::istream& is, size_t capacity, int& count) {
    std::string value;
    if (!NextValue(is, value)) return false;
    std::string_view text = value;
    int32_t n = 0;
    if (!ScanInt(text, n) || n < 0 || static_cast<size_t>(n) > capacity) return false;
    count = n;
    return true;
}

// The count and entry lines of one layer table. Each entry value is the
// blank after "=", the file name up to and including the first occurrence
// of extension, a blank and the format file name (which may hold blanks).
// The extension is found in any case, since names are kept as they are on
// disk.
bool ReadLayers(std::istream& is, std::string_view extension, int& count, std::span<okapFileInfo> table) {
    int n = 0;
    if (!ReadCount(is, table.size(), n)) return false;
    std::string value;
    for (int k = 0; k < n; ++k) {
        if (!NextValue(is, value)) return false;
        const size_t at = FindIgnoringCase(value, extension);
        if (at == std::string::npos) return false;
        const size_t formatStart = at + extension.size() + 1;
        table[k].file = value.substr(1, at + extension.size() - 1);
        table[k].format = formatStart < value.size() ? value.substr(formatStart) : std::string();
    }
    std::fill(table.begin() + n, table.end(), okapFileInfo{});
    count = n;
    return true;
}

bool ReadDetails(std::istream& is, int& count, DetailTable& details) {
    int n = 0;
    if (!ReadCount(is, details.size(), n)) return false;
    std::string value;
    for (int k = 0; k < n; ++k) {
        if (!NextValue(is, value)) return false;
        details[k] = Trim(value);
    }
    std::fill(details.begin() + n, details.end(), std::string());
    count = n;
    return true;
}

// Everything after the placement lines, into document. False when the file
// ends early or is refused; document may then be partly changed.
bool ReadContent(std::istream& is, MapDocument& document) {
    std::string value;
    for (int line = 1; line <= 3; ++line) {
        if (!NextValue(is, value)) return false;
    }
    if (!ReadLayers(is, ".mpb", document.mapLayerCount, document.mapLayers)) return false;
    if (!ReadLayers(is, ".dat", document.dataLayerCount, document.dataLayers)) return false;
    if (!ReadDetails(is, document.detailCount, document.details)) return false;

    if (!NextValue(is, value)) return false;
    ScanInts(value, document.windowExtent.cx, document.windowExtent.cy);
    if (!NextValue(is, value)) return false;
    ScanInts(value, document.centre.x, document.centre.y);
    if (!NextValue(is, value)) return false;
    ScanInts(value, document.scale);

    // The code is the four characters after the blank that follows "=".
    std::string type = document.projection.Type;
    if (!NextValue(is, value)) return false;
    if (value.size() > 1) type = value.substr(1, 4);
    // The origin is written longitude first.
    int32_t longitude = document.projection.Origin.Long.GetLong();
    int32_t latitude = document.projection.Origin.Lat.GetLong();
    if (!NextValue(is, value)) return false;
    ScanInts(value, longitude, latitude);
    Position origin;
    origin.Lat.PutLong(latitude);
    origin.Long.PutLong(longitude);
    document.projection = Projection(type, origin);

    if (!NextValue(is, value)) return false;
    std::istringstream style(value);
    style >> document.mapBoxStyles[0];
    // The name runs from after "= " to the end of the line, blanks and all.
    if (!NextValue(is, value)) return false;
    if (!value.empty()) document.gridFormatFile = value.substr(1);
    if (!NextValue(is, value)) return false;
    ScanInts(value, document.gridPosition);
    if (!NextValue(is, value)) return false;
    ScanInts(value, document.gridOn);
    if (!NextValue(is, value)) return false;
    // The grid arithmetic needs a finite spacing.
    if (std::optional<double> size = ReadDouble(value); size && std::isfinite(*size)) document.gridSize = *size;
    if (!NextValue(is, value)) return false;
    ScanInts(value, document.gridIncrement);

    const OptionalSettings settings = OptionalSettings::Read(is);
    document.antialiasing = settings.Int(kAntialiasingKey, 0) != 0 ? 1 : 0;
    return true;
}

// Lines 2 and 3 of the document's grid format file into its grid styles.
void LoadGridStyles(MapDocument& document) {
    std::ifstream file(document.gridFormatFile, std::ios::binary);
    if (!file) {
        ShowError("Error opening grid format file");
        badclient = 1;
        return;
    }
    GridFormat format;
    format.majorStyle = document.gridStyles[0];
    format.minorStyle = document.gridStyles[1];
    ReadGridFormat(file, format);
    document.gridStyles[0] = format.majorStyle;
    document.gridStyles[1] = format.minorStyle;
}

std::string Pair(int32_t a, int32_t b) { return FormatInt(a) + ' ' + FormatInt(b); }

template <typename Entries, typename Value>
void WriteEntries(std::ostream& os, std::string_view countKey, std::string_view entryKey, int count,
                  const Entries& entries, Value value) {
    // The count never passes the table, so what is written reads back.
    const int n = std::clamp(count, 0, static_cast<int>(entries.size()));
    WriteSetting(os, countKey, FormatInt(n));
    for (int k = 0; k < n; ++k) os << entryKey << FormatInt(k + 1) << " = " << value(entries[k]) << "\r\n";
}

}  // namespace

int WindowPlacement::Read(std::istream& is) {
    std::string origin, size;
    if (!NextValue(is, origin) || !NextValue(is, origin) || !NextValue(is, size)) return 0;
    ScanInts(origin, x, y);
    ScanInts(size, width, height);
    return 1;
}

int MapDocument::Read(std::istream& is) {
    // Read into a copy, so that a refused or truncated file leaves the
    // record as it was.
    MapDocument read(*this);
    if (!ReadContent(is, read)) return 0;
    *this = std::move(read);
    LoadGridStyles(*this);
    return 1;
}

void MapDocument::Write(std::ostream& os, const WindowPlacement& placement) const {
    WriteLines(os, placement, windowExtent);
}

std::string MapDocument::ContentText() const {
    std::ostringstream os;
    WriteLines(os, WindowPlacement{}, TSize{});
    return os.str();
}

void MapDocument::WriteLines(std::ostream& os, const WindowPlacement& placement, TSize extent) const {
    os << "Map File Information - OKAP version 1\r\n";
    WriteSetting(os, "Window origin        ", Pair(placement.x, placement.y));
    WriteSetting(os, "Window size          ", Pair(placement.width, placement.height));
    auto layer = [](const okapFileInfo& entry) { return entry.file + ' ' + entry.format; };
    WriteEntries(os, "Number of map files  ", "Mapfile  ", mapLayerCount, mapLayers, layer);
    WriteEntries(os, "Number of data files ", "Datafile ", dataLayerCount, dataLayers, layer);
    WriteEntries(os, "Number of details    ", "Detail   ", detailCount, details, Trim);
    WriteSetting(os, "Window extent        ", Pair(extent.cx, extent.cy));
    WriteSetting(os, "Centre               ", Pair(centre.x, centre.y));
    WriteSetting(os, "Scale                ", FormatInt(scale));
    WriteSetting(os, "Projection type      ", projection.Type);
    WriteSetting(os, "Projection origin    ", Pair(projection.Origin.Long.GetLong(), projection.Origin.Lat.GetLong()));
    std::ostringstream style;
    style << mapBoxStyles[0];
    WriteSetting(os, "Map box style        ", style.str());
    WriteSetting(os, "Grid style           ", gridFormatFile);
    WriteSetting(os, "Grid position        ", FormatInt(gridPosition));
    WriteSetting(os, "Grid on/off          ", FormatInt(gridOn));
    WriteSetting(os, "Grid size            ", FormatGeneral(gridSize, 6));
    WriteSetting(os, "Grid increment       ", FormatInt(gridIncrement));
    // Settings newer than the lines above, each only where it is in use.
    if (antialiasing) WriteSetting(os, kAntialiasingKey, "1");
}

}  // namespace okap
