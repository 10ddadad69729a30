// The data format file (.okd): reading, writing, and the dialog's texts.

#include <sstream>
#include <utility>
#include <vector>

#include "core/globals.h"
#include "core/number_text.h"
#include "data/datafile.h"
#include "platform/message_box.h"
#include "platform/safe_file_writer.h"
#include "platform/set_wd.h"
#include "styles/optional_settings.h"
#include "styles/strip_header.h"
#include "styles/symbol_library.h"
#include "styles/text_form.h"

namespace okap {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr std::string_view kAvoidLabelOverlapsKey = "Avoid label overlaps ";
constexpr std::string_view kClassMethodKey = "Class method       ";

// The lines of a format file, taken in turn whatever their keys: each gives
// the text after its first "=", trimmed. A line that is missing or whose
// value cannot be read marks the file as not readable.
class FormatLines {
public:
    explicit FormatLines(std::istream& file) : file(file) {}

    std::string Text() {
        std::string line;
        if (!ReadLine(file, line)) error = true;
        StripHeader(line);
        return line;
    }

    void Int(int32_t& value) {
        std::istringstream text(Text());
        Check(ReadInt(text, value));
    }

    void Number(double& value) {
        std::istringstream text(Text());
        Check(ReadNumber(text, value));
    }

    template <class Style>
    void StyleForm(Style& style) {
        std::istringstream text(Text());
        Check(text >> style);
    }

    void Check(const std::istream& text) { Check(!text.fail()); }
    void Check(bool good) {
        if (!good) error = true;
    }

    bool error = false;

private:
    std::istream& file;
};

int FailReading(const std::string& message) {
    ShowError(message);
    badclient = 1;
    return 0;
}

}  // namespace

bool ReadLegendPosition(const std::string& text, std::array<double, 4>& position) {
    std::istringstream numbers(text);
    std::array<double, 4> read{};
    for (double& number : read) ReadNumber(numbers, number);
    if (numbers.fail()) return false;
    position = read;
    return true;
}

bool ReadLegendColumns(const std::string& text, int32_t& columns) {
    std::istringstream number(text);
    return static_cast<bool>(ReadInt(number, columns));
}

int Datafile::ReadFormat(const std::string& name) {
    if (SetWD(mapPath) != 0) return FailReading("Data file path does not exist");
    std::ifstream file(WorkPath(name), std::ios::binary);
    if (!file) return FailReading("Error opening data format file : " + name);
    const std::string readError = "Error reading data format file : " + name;

    // Read into a copy, so that a format refused leaves this one as it was.
    DataFormat read;
    FormatLines lines(file);
    lines.Int(read.formatType);
    if (lines.error) return FailReading(readError);
    if (read.formatType != 0) return FailReading("Unknown format type in : " + name);
    SetViewScale();

    lines.Int(read.symbolCount);
    lines.Int(read.legend);
    read.legendName = lines.Text();
    lines.StyleForm(read.legendNameStyle);
    lines.StyleForm(read.legendBorderStyle);
    lines.Check(ReadLegendPosition(lines.Text(), read.legendBorderPosition));
    lines.Check(ReadLegendColumns(lines.Text(), read.legendColumns));
    lines.StyleForm(read.symbolJoinStyle);
    // A count the table cannot hold makes the file unreadable rather than
    // letting the classes run past the table.
    if (lines.error || read.symbolCount < 0 || read.symbolCount > kMaxDataClasses) return FailReading(readError);

    for (int32_t i = 0; i < read.symbolCount; ++i) {
        DataClass& dataClass = read.classes[static_cast<size_t>(i)];
        dataClass.symbol.name = lines.Text();
        lines.Int(dataClass.symbol.sizeBasis);
        lines.Number(dataClass.symbol.size);
        lines.Number(dataClass.lowValue);
        lines.Number(dataClass.highValue);
        lines.StyleForm(dataClass.plotStyle);
        lines.StyleForm(dataClass.textStyle);
        dataClass.label = lines.Text();
    }
    if (lines.error) return FailReading(readError);
    const OptionalSettings settings = OptionalSettings::Read(file);
    read.avoidLabelOverlaps = settings.Int(kAvoidLabelOverlapsKey, 0) != 0 ? 1 : 0;
    const int32_t method = settings.Int(kClassMethodKey, 0);
    if (method >= 0 && method <= static_cast<int32_t>(ClassMethod::NaturalBreaks))
        read.classMethod = static_cast<ClassMethod>(method);

    std::vector<Symbol> symbols;
    const auto used = read.classes.begin() + read.symbolCount;
    for (auto dataClass = read.classes.begin(); dataClass != used; ++dataClass) symbols.push_back(dataClass->symbol);
    if (!LookUpSymbols(mapPath, symbols)) {
        badclient = 1;
        return 0;
    }
    for (size_t i = 0; i < symbols.size(); ++i) read.classes[i].symbol = symbols[i];

    static_cast<DataFormat&>(*this) = std::move(read);
    return 1;
}

DataOptionTexts OptionTexts(const DataFormat& format) {
    DataOptionTexts texts;
    texts.legend = format.legend;
    texts.titleOn = format.legendNameStyle.on;
    texts.legendName = format.legendName;
    texts.position.clear();
    for (double number : format.legendBorderPosition) {
        if (!texts.position.empty()) texts.position += ' ';
        texts.position += FormatGeneral(number);
    }
    texts.columns = FormatInt(format.legendColumns);
    return texts;
}

std::string DataFormatText(const DataFormat& format, const DataOptionTexts& texts) {
    TextStyle nameStyle = format.legendNameStyle;
    nameStyle.on = texts.titleOn;
    std::ostringstream os;
    os << "Format type        = 0" << kLineEnd;
    os << "Number of symbols  = " << FormatInt(format.ClassCount()) << kLineEnd;
    os << "Legend             = " << FormatInt(texts.legend) << kLineEnd;
    os << "Legend name        = " << texts.legendName << kLineEnd;
    os << "Legend name style  = " << nameStyle << kLineEnd;
    os << "Legend border plot style = " << format.legendBorderStyle << kLineEnd;
    os << "Legend border position   = " << texts.position << kLineEnd;
    os << "Legend columns     = " << texts.columns << kLineEnd;
    os << "Symbol join style  = " << format.symbolJoinStyle << kLineEnd;
    // Values in full: a class bound cut to 6 digits could fall inside the
    // data range it was made from, and the points at the range's end would
    // then belong to no class once the format was saved.
    for (int32_t i = 0; i < format.ClassCount(); ++i) {
        const DataClass& dataClass = format.classes[static_cast<size_t>(i)];
        const std::string key = "Symbol" + FormatInt(i + 1);
        os << key << " name       = " << dataClass.symbol.name << kLineEnd;
        os << key << " rsize      = " << FormatInt(dataClass.symbol.sizeBasis) << kLineEnd;
        os << key << " size       = " << FormatShortest(dataClass.symbol.size) << kLineEnd;
        os << key << " low value  = " << FormatShortest(dataClass.lowValue) << kLineEnd;
        os << key << " high value = " << FormatShortest(dataClass.highValue) << kLineEnd;
        os << key << " plot style = " << dataClass.plotStyle << kLineEnd;
        os << key << " text style = " << dataClass.textStyle << kLineEnd;
        os << key << " label      = " << dataClass.label << kLineEnd;
    }
    // Settings newer than the lines above, each only where it is in use.
    if (format.avoidLabelOverlaps) WriteSetting(os, kAvoidLabelOverlapsKey, "1");
    if (format.classMethod != ClassMethod::EqualIntervals)
        WriteSetting(os, kClassMethodKey, FormatInt(static_cast<int32_t>(format.classMethod)));
    return os.str();
}

int Datafile::WriteFormat(const std::string& name, const DataOptionTexts& texts) {
    if (SetWD(mapPath) != 0) {
        ShowError("Map file path does not exist");
        return 0;
    }
    legendNameStyle.on = texts.titleOn;
    // The new file replaces the old one only once it is complete.
    if (!WriteFileSafely(name, DataFormatText(*this, texts))) {
        ShowError("Error opening data format file : " + name);
        return 0;
    }
    return 1;
}

}  // namespace okap
