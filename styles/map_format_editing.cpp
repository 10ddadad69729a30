#include "styles/map_format_editing.h"

#include <array>
#include <fstream>

#include "core/globals.h"
#include "mapfiles/mapfile.h"
#include "platform/directory_search.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "styles/text_form.h"

namespace okap {

namespace {

// Which feature numbers occur, by number - 1.
using FeatureSet = std::array<bool, kMaxFeatures>;

// The segment types from 1 to 100 of map file name; other types name no
// feature. 0 after the map file's own message (and, when it cannot be
// opened, "Error opening map file ").
int ReadSegmentTypes(const std::string& name, FeatureSet& present) {
    Mapfile map;
    const int previousBadclient = badclient;
    if (!map.OpenInfile(name)) {
        badclient = previousBadclient;
        ShowError("Error opening map file " + name);
        return 0;
    }
    FeatureSet found{};
    while (true) {
        // A bad record has been reported by the map file; a partial set of
        // types would offer formats that do not fit.
        if (!map.ReadDirectory()) return 0;
        if (map.EndOfInFile()) break;
        const int32_t type = map.InSegment().type;
        if (IsFeatureNumber(type)) found[static_cast<size_t>(type - 1)] = true;
    }
    map.CloseInfile();
    present = found;
    return 1;
}

// True when the feature numbers of a format file are exactly present.
bool FormatFits(std::istream& is, const FeatureSet& present) {
    FeatureSet named{};
    std::string line;
    while (ReadLine(is, line)) {
        const std::optional<int32_t> number = FeatureNumber(line);
        if (!number || !IsFeatureNumber(*number)) continue;
        const size_t index = static_cast<size_t>(*number - 1);
        if (!present[index]) return false;
        named[index] = true;
    }
    return named == present;
}

int ReportFormatOpenFailure(const std::string& name) {
    ShowError("Error opening map format file : " + name);
    badclient = 1;
    return 0;
}

int SelectedFormat(const std::vector<std::string>& names, const std::string& formatName) {
    const int found = FindName(names, formatName);
    return found >= 0 || names.empty() ? found : 0;
}

}  // namespace

int EnterMapDirectory(std::string_view mapPath) {
    if (SetWD(mapPath) == 0) return 1;
    ShowError("Map file path does not exist");
    badclient = 1;
    return 0;
}

int FillFeatureList(std::string_view mapPath, const std::string& formatName, const std::string& mapName,
                    FeatureStyles& styles, std::vector<FeatureEntry>& entries) {
    if (!EnterMapDirectory(mapPath)) return 0;
    std::vector<FeatureEntry> list;
    if (formatName != kNewFormatName) {
        std::ifstream file(formatName, std::ios::binary);
        if (!file) return ReportFormatOpenFailure(formatName);
        std::string line;
        while (ReadLine(file, line)) {
            const std::optional<int32_t> number = FeatureNumber(line);
            if (!number || !IsFeatureNumber(*number)) continue;
            PlotStyle& style = styles[static_cast<size_t>(*number - 1)];
            ReadFeatureStyle(line, style);
            list.push_back({FeatureEntryText(*number, FeatureName(line)), style.plot != 0});
        }
    } else {
        FeatureSet present{};
        if (!ReadSegmentTypes(mapName, present)) return 0;
        for (size_t i = 0; i < styles.size(); ++i) {
            styles[i].Reset();
            styles[i].plot = present[i] ? 1 : 0;
            if (present[i]) list.push_back({FeatureEntryText(static_cast<int32_t>(i + 1), "New feature name"), true});
        }
    }
    entries = std::move(list);
    return 1;
}

int ListFittingFormats(std::string_view mapPath, const std::string& mapName, const std::string& formatName,
                       FormatFileList& list) {
    if (!EnterMapDirectory(mapPath)) return 0;
    FeatureSet present{};
    if (!ReadSegmentTypes(mapName, present)) return 0;
    list = FormatFileList{};
    for (const std::string& name : FindFiles(std::string("*") + kMapFormatExtension)) {
        std::ifstream file(name, std::ios::binary);
        if (!file) return ReportFormatOpenFailure(name);
        if (FormatFits(file, present)) list.names.push_back(name);
    }
    list.selected = SelectedFormat(list.names, formatName);
    return 1;
}

std::string FormatSaveStartName(const std::string& formatName) {
    return formatName == kNewFormatName ? formatName + kMapFormatExtension : formatName;
}

std::string BareFileName(std::string_view chosen) {
    const size_t separator = chosen.find_last_of("/\\");
    return std::string(separator == std::string_view::npos ? chosen : chosen.substr(separator + 1));
}

int SaveFeatureList(const std::string& chosen, const std::vector<FeatureEntry>& entries, const FeatureStyles& styles,
                    std::string& formatName) {
    if (chosen.empty()) return 1;
    if (!SaveMapFormat(chosen, entries, styles, formatName)) return 0;
    formatName = BareFileName(chosen);
    return 1;
}

}  // namespace okap
