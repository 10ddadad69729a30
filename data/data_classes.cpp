// The class operations of the data option dialog, kept apart from the
// widgets so that the dialog and the tests drive the same code.

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/number_text.h"
#include "data/class_breaks.h"
#include "data/datafile.h"
#include "platform/message_box.h"

namespace okap {

namespace {

std::string RangeLabel(double low, double high) { return FormatGeneral(low) + "-" + FormatGeneral(high); }

// The class every new format starts with: a black screen-sized square
// spanning the data range.
DataClass FirstClass(double min, double max) {
    DataClass first;
    first.symbol.name = "square";
    const POINT square[] = {{-98, 98}, {98, 98}, {98, -98}, {-98, -98}, {-98, 98}};
    std::copy(std::begin(square), std::end(square), first.symbol.points.begin());
    first.symbol.pointCount = static_cast<int32_t>(std::size(square));
    first.symbol.valid = 1;
    first.symbol.sizeBasis = kSizeScreen;
    first.symbol.size = 12.0;
    first.plotStyle.plot = 1;
    first.plotStyle.SetPen();
    first.plotStyle.SetBrush();
    first.textStyle.SetFont();
    first.lowValue = min;
    first.highValue = max;
    first.label = RangeLabel(min, max);
    return first;
}

// A class bound typed in the dialog, read as scanf's "%lf" reads it. The
// dialog shows 6 significant digits: a text left as shown keeps the bound's
// exact value, so that merely confirming the dialog cannot move a bound off
// the data value it was made from. Text without a finite number leaves the
// bound as it was, so that the file written stays readable.
void ReadBound(const std::string& text, double& bound) {
    if (text == FormatGeneral(bound)) return;
    if (std::optional<double> number = ReadDouble(text); number && std::isfinite(*number)) bound = *number;
}

}  // namespace

int Datafile::NewClass(int caret, int& added) {
    const int32_t count = ClassCount();
    if (count == kMaxDataClasses) {
        ShowError("Sorry - maximum number of data symbols reached");
        return 0;
    }
    if (count == 0) {
        double min = 0.0, max = 0.0;
        GetDataRange(min, max);
        classes[0] = FirstClass(min, max);
        symbolCount = 1;
        SetViewScale();
        added = 0;
        return 1;
    }
    if (caret < 0 || caret >= count) return 0;
    const auto at = classes.begin() + caret;
    std::move_backward(at + 1, classes.begin() + count, classes.begin() + count + 1);
    *(at + 1) = *at;
    symbolCount = count + 1;
    added = caret + 1;
    return 1;
}

int Datafile::DeleteClass(int caret) {
    const int32_t count = ClassCount();
    if (caret < 0 || caret >= count) return 0;
    std::move(classes.begin() + caret + 1, classes.begin() + count, classes.begin() + caret);
    classes[static_cast<size_t>(count - 1)] = DataClass();
    symbolCount = count - 1;
    return 1;
}

int Datafile::AutoClasses() { return ClassCount() == 0 ? 0 : Classify(GetDataValues()); }

int Datafile::AutoClasses(int count) {
    const std::vector<double> values = GetDataValues();
    if (values.empty()) return 0;
    int added = 0;
    if (ClassCount() == 0 && !NewClass(0, added)) return 0;
    SetClassCount(count);
    return Classify(values);
}

int DataFormat::Classify(std::span<const double> values) {
    // Without a value there is nothing to split: bounds of 1e32 would help
    // no one.
    if (ClassCount() == 0 || values.empty()) return 0;
    SetClassBounds(ClassBreaks(values, ClassCount(), classMethod));
    return 1;
}

void DataFormat::SetClassCount(int count) {
    const int32_t have = ClassCount();
    if (have == 0) return;
    count = std::clamp(count, 1, kMaxDataClasses);
    for (int32_t i = have; i < count; ++i) classes[static_cast<size_t>(i)] = classes[static_cast<size_t>(have - 1)];
    for (int32_t i = count; i < have; ++i) classes[static_cast<size_t>(i)] = DataClass();
    symbolCount = count;
}

void DataFormat::SplitRange(double min, double max) {
    if (ClassCount() > 0) SetClassBounds(EqualIntervalBreaks(min, max, ClassCount()));
}

void DataFormat::SetClassBounds(const std::vector<double>& bounds) {
    const int32_t count = std::min<int32_t>(ClassCount(), static_cast<int32_t>(bounds.size()) - 1);
    for (int32_t i = 0; i < count; ++i) {
        DataClass& dataClass = classes[static_cast<size_t>(i)];
        dataClass.lowValue = bounds[static_cast<size_t>(i)];
        dataClass.highValue = bounds[static_cast<size_t>(i) + 1];
        dataClass.label = RangeLabel(dataClass.lowValue, dataClass.highValue);
    }
}

DataClassTexts Datafile::ClassTexts(int index) const {
    if (index < 0 || index >= ClassCount()) return {};
    const DataClass& dataClass = classes[static_cast<size_t>(index)];
    return {FormatGeneral(dataClass.lowValue), FormatGeneral(dataClass.highValue), dataClass.plotStyle.plot,
            dataClass.textStyle.on, dataClass.label};
}

void Datafile::SetClass(int index, const DataClassTexts& texts) {
    if (index < 0 || index >= ClassCount()) return;
    DataClass& dataClass = classes[static_cast<size_t>(index)];
    ReadBound(texts.low, dataClass.lowValue);
    ReadBound(texts.high, dataClass.highValue);
    dataClass.plotStyle.plot = texts.symbolOn;
    dataClass.textStyle.on = texts.labelOn;
    dataClass.label = texts.label;
}

}  // namespace okap
