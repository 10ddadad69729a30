#include "styles/grid_format.h"

#include <fstream>
#include <optional>
#include <sstream>

#include "core/globals.h"
#include "core/number_text.h"
#include "platform/directory_search.h"
#include "platform/message_box.h"
#include "platform/safe_file_writer.h"
#include "platform/set_wd.h"
#include "styles/text_form.h"

namespace okap {

namespace {

// The value of the next line: the text after its first "=", not trimmed.
// None when the line is missing or has no "=".
std::optional<std::string> NextValue(std::istream& is) {
    std::string line;
    if (!ReadLine(is, line)) return std::nullopt;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return std::nullopt;
    return line.substr(equals + 1);
}

// Reads the value of the next line with read; the stream of the value, not
// of the file, tells whether it could be read.
template <typename Read>
bool ReadValue(std::istream& is, Read read) {
    std::optional<std::string> value = NextValue(is);
    if (!value) return false;
    std::istringstream in(*value);
    return read(in);
}

// n whole numbers of one line, stored as 16-bit switches only when all n
// were read.
template <size_t N>
bool ReadSwitches(std::istream& in, std::array<uint16_t*, N> fields) {
    std::array<int32_t, N> values{};
    for (int32_t& v : values) ReadInt(in, v);
    if (in.fail()) return false;
    for (size_t i = 0; i < N; ++i) *fields[i] = static_cast<uint16_t>(values[i]);
    return true;
}

void WriteLine(std::ostream& os, std::string_view key, const auto& value) {
    os << key << "= " << value << "\r\n";
}

// The readers of lines 2 to 7, in file order.
using ValueReader = bool (*)(std::istream& in, GridFormat& format);
constexpr std::array<ValueReader, kGridFormatValues> kValueReaders = {
    [](std::istream& in, GridFormat& format) { return !(in >> format.majorStyle).fail(); },
    [](std::istream& in, GridFormat& format) { return !(in >> format.minorStyle).fail(); },
    [](std::istream& in, GridFormat& format) {
        return ReadSwitches<2>(in, {&format.ticksOn, &format.ticksIn});
    },
    [](std::istream& in, GridFormat& format) {
        auto& a = format.axes;
        return ReadSwitches<4>(in, {&a[kAxisLeft], &a[kAxisRight], &a[kAxisTop], &a[kAxisBottom]});
    },
    [](std::istream& in, GridFormat& format) { return !ReadInt(in, format.labelFormat).fail(); },
    [](std::istream& in, GridFormat& format) { return !(in >> format.labelStyle).fail(); },
};

}  // namespace

int ReadGridFormat(std::istream& is, GridFormat& format) {
    std::string first;
    ReadLine(is, first);
    bool ok = true;
    for (ValueReader reader : kValueReaders) {
        ok &= ReadValue(is, [&](std::istream& in) { return reader(in, format); });
    }
    return ok ? 1 : 0;
}

int ReadGridFormatValues(std::istream& is, GridFormat& format) {
    std::string first;
    ReadLine(is, first);
    for (int i = 0; i < kGridFormatValues; ++i) {
        if (!ReadValue(is, [&](std::istream& in) { return kValueReaders[i](in, format); })) return i;
    }
    return kGridFormatValues;
}

void WriteGridFormat(std::ostream& os, const GridFormat& format) {
    os << "Grid Format - OKAP version 1\r\n";
    WriteLine(os, "Major grid style     ", format.majorStyle);
    WriteLine(os, "Minor grid style     ", format.minorStyle);
    WriteLine(os, "Ticks                ", FormatInt(format.ticksOn) + ' ' + FormatInt(format.ticksIn));
    const auto& a = format.axes;
    WriteLine(os, "Axes                 ",
              FormatInt(a[kAxisLeft]) + ' ' + FormatInt(a[kAxisRight]) + ' ' + FormatInt(a[kAxisTop]) + ' ' +
                  FormatInt(a[kAxisBottom]));
    WriteLine(os, "Label format         ", FormatInt(format.labelFormat));
    WriteLine(os, "Label text style     ", format.labelStyle);
}

GridOptionDialogTB GridOptionDialogValues(const GridFormat& format) {
    GridOptionDialogTB values;
    values.ticksOn = format.ticksOn != 0;
    values.ticksIn = format.ticksIn != 0;
    values.left = format.axes[kAxisLeft] != 0;
    values.top = format.axes[kAxisTop] != 0;
    values.right = format.axes[kAxisRight] != 0;
    values.bottom = format.axes[kAxisBottom] != 0;
    values.labelsOn = format.labelStyle.on != 0;
    values.labelFormat = format.labelFormat >= 0 && format.labelFormat <= 4 ? format.labelFormat : 0;
    return values;
}

void ApplyGridOptionDialogValues(const GridOptionDialogTB& values, GridFormat& format) {
    format.ticksOn = values.ticksOn ? 1 : 0;
    format.ticksIn = values.ticksIn ? 1 : 0;
    format.axes[kAxisLeft] = values.left ? 1 : 0;
    format.axes[kAxisRight] = values.right ? 1 : 0;
    format.axes[kAxisTop] = values.top ? 1 : 0;
    format.axes[kAxisBottom] = values.bottom ? 1 : 0;
    format.labelFormat = values.labelFormat;
    format.labelStyle.on = values.labelsOn ? 1 : 0;
}

int LoadGridFormatForEditing(std::string_view mapPath, const std::string& name, GridFormat& format) {
    if (SetWD(mapPath) != 0) {
        ShowError("Map file path does not exist");
        badclient = 1;
        return 0;
    }
    std::ifstream file(WorkPath(name), std::ios::binary);
    if (!file) {
        ShowError("Error opening grid format file");
        badclient = 1;
        return 0;
    }
    // The editor shows whatever could be read; the grid drawing is where a
    // bad value is reported.
    ReadGridFormat(file, format);
    return 1;
}

int SaveGridFormat(const std::filesystem::path& path, const std::string& entryName, const GridFormat& format) {
    SafeFileWriter writer(path);
    if (writer.IsOpen()) {
        WriteGridFormat(writer.Stream(), format);
        if (writer.Commit()) return 1;
    }
    ShowError("Error opening grid format file : " + entryName);
    badclient = 1;
    return 0;
}

std::vector<std::string> GridFormatFiles() { return FindFiles(std::string("*") + kGridFormatExtension); }

int FindGridFormatEntry(const std::vector<std::string>& names, const std::filesystem::path& path) {
    const std::string saved = path.filename().string();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == saved) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace okap
