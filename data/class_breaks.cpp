#include "data/class_breaks.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>

namespace okap {

namespace {

// The sorted distinct values and how often each occurs.
struct DistinctValues {
    std::vector<double> values;
    std::vector<double> counts;
    size_t Size() const { return values.size(); }
};

DistinctValues Distinct(std::span<const double> values) {
    std::vector<double> sorted;
    sorted.reserve(values.size());
    std::copy_if(values.begin(), values.end(), std::back_inserter(sorted), [](double v) { return std::isfinite(v); });
    std::sort(sorted.begin(), sorted.end());
    DistinctValues distinct;
    for (double v : sorted) {
        if (distinct.values.empty() || v != distinct.values.back()) {
            distinct.values.push_back(v);
            distinct.counts.push_back(0.0);
        }
        distinct.counts.back() += 1.0;
    }
    return distinct;
}

// Classes as the distinct values where each starts: starts[0] = 0 and
// strictly ascending. The bounds are those values, then the largest.
std::vector<double> BoundsOfStarts(const DistinctValues& distinct, const std::vector<size_t>& starts) {
    std::vector<double> bounds;
    bounds.reserve(starts.size() + 1);
    for (size_t start : starts) bounds.push_back(distinct.values[start]);
    bounds.push_back(distinct.values.back());
    return bounds;
}

// Fewer distinct values than classes: a class for each value, and the
// classes left over laid into the gaps between them, a gap's share cut into
// equal parts, the widest parts first.
std::vector<double> BoundsWithSpareClasses(const DistinctValues& distinct, int count) {
    const std::vector<double>& u = distinct.values;
    const size_t gaps = u.size() - 1;
    std::vector<int> extra(gaps, 0);
    for (int spare = count - static_cast<int>(u.size()); spare > 0 && gaps > 0; --spare) {
        size_t widest = 0;
        for (size_t g = 1; g < gaps; ++g) {
            if ((u[g + 1] - u[g]) / (extra[g] + 1) > (u[widest + 1] - u[widest]) / (extra[widest] + 1)) widest = g;
        }
        ++extra[widest];
    }
    std::vector<double> bounds;
    for (size_t g = 0; g < gaps; ++g) {
        bounds.push_back(u[g]);
        for (int t = 1; t <= extra[g]; ++t) {
            // Weighted, as the difference of values far apart may overflow.
            const double f = static_cast<double>(t) / (extra[g] + 1);
            bounds.push_back(std::clamp(u[g] * (1.0 - f) + u[g + 1] * f, u[g], u[g + 1]));
        }
    }
    // A single value: every class is that value, the last holding it.
    while (static_cast<int>(bounds.size()) < count + 1) bounds.push_back(u.back());
    return bounds;
}

// Each class starts at the first value whose rank reaches its share of the
// values, and at least one distinct value after the class before, leaving
// one for each class after it.
std::vector<size_t> QuantileStarts(const DistinctValues& distinct, int count) {
    const size_t d = distinct.Size();
    double total = 0.0;
    for (double c : distinct.counts) total += c;
    std::vector<size_t> starts{0};
    size_t j = 0;
    double before = 0.0;  // values below distinct value j
    for (int i = 1; i < count; ++i) {
        const double target = total * i / count;
        while (j < d && before < target) before += distinct.counts[j++];
        const size_t lowest = starts.back() + 1;
        const size_t highest = d - static_cast<size_t>(count - i);
        const size_t start = std::clamp(j, lowest, highest);
        starts.push_back(start);
    }
    return starts;
}

// Natural breaks: the classes of contiguous distinct values whose summed
// squared deviations from their class means are least. Dynamic programming
// over the number of classes; the best start of the last class never moves
// left as the values covered grow, so each layer is found by divide and
// conquer in O(d log d).
class JenksSolver {
public:
    JenksSolver(const DistinctValues& distinct, int count) : d(distinct.Size()), k(static_cast<size_t>(count)) {
        // Sums about a middle value keep the squares small.
        const double shift = distinct.values[d / 2];
        prefix.assign(d + 1, Sums{});
        for (size_t i = 0; i < d; ++i) {
            const double v = distinct.values[i] - shift;
            const double w = distinct.counts[i];
            prefix[i + 1] = {prefix[i].weight + w, prefix[i].sum + w * v, prefix[i].squares + w * v * v};
        }
    }

    std::vector<size_t> Starts() {
        std::vector<double> previous(d + 1, kInfinity);
        for (size_t i = 1; i <= d; ++i) previous[i] = Cost(0, i);
        splits.assign((k - 1) * (d + 1), 0);
        std::vector<double> current(d + 1);
        for (size_t m = 2; m <= k; ++m) {
            std::fill(current.begin(), current.end(), kInfinity);
            // The last layer is wanted only where every value is covered.
            const size_t lo = m == k ? d : m;
            Layer(m, lo, d, m - 1, d - 1, previous, current);
            std::swap(previous, current);
        }
        std::vector<size_t> starts(k, 0);
        size_t end = d;
        for (size_t m = k; m >= 2; --m) {
            end = Split(m, end);
            starts[m - 1] = end;
        }
        return starts;
    }

private:
    static constexpr double kInfinity = std::numeric_limits<double>::infinity();

    // The squared deviations of distinct values from..to-1 about their mean.
    double Cost(size_t from, size_t to) const {
        const Sums& a = prefix[from];
        const Sums& b = prefix[to];
        const double s = b.sum - a.sum;
        return std::max(0.0, b.squares - a.squares - s * s / (b.weight - a.weight));
    }
    uint32_t& Split(size_t m, size_t i) { return splits[(m - 2) * (d + 1) + i]; }

    // current[i] for i in lo..hi, the best start of class m lying in
    // first..last.
    void Layer(size_t m, size_t lo, size_t hi, size_t first, size_t last, const std::vector<double>& previous,
               std::vector<double>& current) {
        if (lo > hi) return;
        const size_t mid = lo + (hi - lo) / 2;
        size_t best = std::max(first, m - 1);
        double bestCost = kInfinity;
        for (size_t j = best; j <= std::min(last, mid - 1); ++j) {
            const double cost = previous[j] + Cost(j, mid);
            if (cost < bestCost) {
                bestCost = cost;
                best = j;
            }
        }
        current[mid] = bestCost;
        Split(m, mid) = static_cast<uint32_t>(best);
        if (mid > lo) Layer(m, lo, mid - 1, first, best, previous, current);
        Layer(m, mid + 1, hi, best, last, previous, current);
    }

    size_t d;
    size_t k;
    // The weight, sum and sum of squares of the first i distinct values,
    // together, as each cost reads all three.
    struct Sums {
        double weight = 0.0;
        double sum = 0.0;
        double squares = 0.0;
    };
    std::vector<Sums> prefix;
    std::vector<uint32_t> splits;  // the best start of class m covering i values: (m - 2) * (d + 1) + i
};

// The split table of natural breaks holds (count - 1) x distinct values
// entries (32 MiB at most); beyond this many the values are thinned first.
constexpr size_t kMostJenksEntries = size_t{1} << 23;

// Every step-th value by rank, and always the largest, each weighted by
// one: a sample of the distribution small enough for the split table.
DistinctValues Thinned(const DistinctValues& distinct, size_t most) {
    double total = 0.0;
    for (double c : distinct.counts) total += c;
    DistinctValues thinned;
    const auto add = [&thinned](double value) {
        if (!thinned.values.empty() && thinned.values.back() == value) {
            thinned.counts.back() += 1.0;
        } else {
            thinned.values.push_back(value);
            thinned.counts.push_back(1.0);
        }
    };
    size_t j = 0;
    double before = 0.0;  // values below distinct value j
    for (size_t t = 0; t < most; ++t) {
        const double rank = total * static_cast<double>(t) / static_cast<double>(most);
        while (before + distinct.counts[j] <= rank) before += distinct.counts[j++];
        add(distinct.values[j]);
    }
    add(distinct.values.back());
    return thinned;
}

}  // namespace

std::vector<double> EqualIntervalBreaks(double min, double max, int count) {
    std::vector<double> bounds{min};
    double step = (max - min) / count;
    // Values so far apart that their difference overflows.
    if (!std::isfinite(step)) step = max / count - min / count;
    for (int i = 1; i < count; ++i) bounds.push_back(bounds.back() + step);
    bounds.push_back(max);
    return bounds;
}

std::vector<double> ClassBreaks(std::span<const double> values, int count, ClassMethod method) {
    count = std::max(count, 1);
    DistinctValues distinct = Distinct(values);
    if (distinct.Size() == 0) return std::vector<double>(static_cast<size_t>(count) + 1, 0.0);
    if (method == ClassMethod::EqualIntervals)
        return EqualIntervalBreaks(distinct.values.front(), distinct.values.back(), count);
    if (distinct.Size() < static_cast<size_t>(count)) return BoundsWithSpareClasses(distinct, count);
    if (method == ClassMethod::Quantiles) return BoundsOfStarts(distinct, QuantileStarts(distinct, count));

    const size_t most = kMostJenksEntries / static_cast<size_t>(count);
    if (distinct.Size() > most) {
        distinct = Thinned(distinct, most);
        if (distinct.Size() < static_cast<size_t>(count)) return BoundsWithSpareClasses(distinct, count);
    }
    return BoundsOfStarts(distinct, JenksSolver(distinct, count).Starts());
}

}  // namespace okap
