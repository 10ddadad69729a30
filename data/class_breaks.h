#pragma once
// Class bounds for a set of data values: equal intervals, quantiles and
// natural breaks (Jenks). The bounds of count classes are count + 1
// ascending numbers: class i runs from bounds[i] to bounds[i + 1], the first
// starts at the smallest value and the last ends exactly at the largest. A
// value on a bound shared by two classes belongs to the higher one, as the
// data layers classify, so a class holds the values from its low bound up
// to, not including, the next class's low bound (the last holds its high
// bound too).
//
// Equal values always fall in one class. When the values have at least as
// many distinct values as there are classes, quantiles and natural breaks
// leave no class empty; with fewer, each distinct value has a class of its
// own and the classes left over lie in the widest gaps between them, where
// there is no value.

#include <span>
#include <vector>

#include "data/datafile.h"

namespace okap {

// count equal steps from min to max, each bound the one before plus the
// step and the last exactly max.
std::vector<double> EqualIntervalBreaks(double min, double max, int count);

// The bounds of count classes (count >= 1) over values by method. Values
// that are not finite are left out; with none left every bound is 0.
std::vector<double> ClassBreaks(std::span<const double> values, int count, ClassMethod method);

}  // namespace okap
