// Class bounds by equal intervals, quantiles and natural breaks.

#include "data/class_breaks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace okap {
namespace {

using Bounds = std::vector<double>;

// The values each class holds by the data layers' rule: the highest class
// whose low..high takes the value.
std::vector<std::vector<double>> Classified(const std::vector<double>& values, const Bounds& bounds) {
    std::vector<std::vector<double>> classes(bounds.size() - 1);
    for (double v : values) {
        int found = -1;
        for (size_t i = 0; i + 1 < bounds.size(); ++i) {
            if (bounds[i] <= v && v <= bounds[i + 1]) found = static_cast<int>(i);
        }
        EXPECT_GE(found, 0) << v << " is in no class";
        if (found >= 0) classes[static_cast<size_t>(found)].push_back(v);
    }
    return classes;
}

double SquaredDeviations(const std::vector<std::vector<double>>& classes) {
    double total = 0.0;
    for (const auto& c : classes) {
        if (c.empty()) continue;
        double mean = 0.0;
        for (double v : c) mean += v;
        mean /= static_cast<double>(c.size());
        for (double v : c) total += (v - mean) * (v - mean);
    }
    return total;
}

// The least squared deviations of any split of the sorted distinct values
// into count runs: every choice of starts tried.
double BestSquaredDeviations(const std::vector<double>& values, int count) {
    std::vector<double> distinct = values;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    double best = std::numeric_limits<double>::infinity();
    std::vector<size_t> starts{0};
    const auto tryFrom = [&](auto& self, size_t next) -> void {
        if (starts.size() == static_cast<size_t>(count)) {
            Bounds bounds;
            for (size_t s : starts) bounds.push_back(distinct[s]);
            bounds.push_back(distinct.back());
            best = std::min(best, SquaredDeviations(Classified(values, bounds)));
            return;
        }
        for (size_t s = next; s < distinct.size(); ++s) {
            starts.push_back(s);
            self(self, s + 1);
            starts.pop_back();
        }
    };
    tryFrom(tryFrom, 1);
    return best;
}

struct Case {
    const char* name;
    std::vector<double> values;
    int count;
    ClassMethod method;
    Bounds bounds;
};

TEST(ClassBreaks, HandWorkedTables) {
    const ClassMethod Q = ClassMethod::Quantiles, J = ClassMethod::NaturalBreaks, E = ClassMethod::EqualIntervals;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"halves", {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 2, Q, {1, 6, 10}},
        // 10 / 3 values a class: the first class takes the fourth too.
        {"thirds", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 3, Q, {1, 5, 8, 10}},
        // Equal values stay together, whatever their share.
        {"ties kept together", {1, 2, 2, 2, 2, 3, 4, 5}, 2, Q, {1, 3, 5}},
        {"as many values as classes", {3, 1, 2}, 3, Q, {1, 2, 3, 3}},
        {"skewed", {1, 1, 2, 2, 3, 3, 4, 100}, 4, Q, {1, 2, 3, 4, 100}},
        {"two clusters", {1, 2, 3, 10, 11, 12}, 2, J, {1, 10, 12}},
        {"three pairs", {8, 1, 5, 2, 4, 7}, 3, J, {1, 4, 7, 8}},
        {"three groups", {0, 1, 2, 10, 11, 12, 20, 21, 30}, 3, J, {0, 10, 20, 30}},
        {"an outlier alone", {1, 2, 3, 4, 5, 1000}, 2, J, {1, 1000, 1000}},
        {"ties in natural breaks", {5, 5, 5, 5, 6}, 2, J, {5, 6, 6}},
        {"one class", {4, 2, 9}, 1, J, {2, 9}},
        // Fewer distinct values than classes: one class each, the spare
        // classes in the widest gap, empty.
        {"spare class", {1, 1, 1, 5}, 3, Q, {1, 3, 5, 5}},
        {"spare classes in the widest gaps", {0, 10, 40}, 5, J, {0, 10, 20, 30, 40, 40}},
        {"a single value", {7, 7}, 3, J, {7, 7, 7, 7}},
        {"nothing to classify", {}, 2, Q, {0, 0, 0}},
        {"not finite values left out", {nan, 1, inf, 3, -inf}, 2, J, {1, 3, 3}},
        {"equal intervals", {0, 10, 3}, 4, E, {0, 2.5, 5, 7.5, 10}},
        // Values whose difference overflows a double.
        {"huge spare classes", {-1e308, 1e308}, 3, Q, {-1e308, 0, 1e308, 1e308}},
        {"huge equal intervals", {-1e308, 1e308}, 2, E, {-1e308, 0, 1e308}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassBreaks(c.values, c.count, c.method), c.bounds) << c.name;
    }
}

// Whatever the values, the bounds keep every finite value in a class: the
// first at the minimum, the last exactly at the maximum, ascending; with
// enough distinct values no class is empty.
TEST(ClassBreaks, BoundsHoldEveryValue) {
    std::mt19937 random(16);
    std::lognormal_distribution<double> skewed(3.0, 1.5);
    for (int round = 0; round < 40; ++round) {
        std::vector<double> values(5 + random() % 300);
        for (double& v : values) v = std::round(skewed(random));
        const int count = 1 + static_cast<int>(random() % 9);
        for (ClassMethod method : {ClassMethod::Quantiles, ClassMethod::NaturalBreaks}) {
            const Bounds bounds = ClassBreaks(values, count, method);
            ASSERT_EQ(bounds.size(), static_cast<size_t>(count) + 1);
            EXPECT_EQ(bounds.front(), *std::min_element(values.begin(), values.end()));
            EXPECT_EQ(bounds.back(), *std::max_element(values.begin(), values.end()));
            EXPECT_TRUE(std::is_sorted(bounds.begin(), bounds.end()));
            std::vector<double> distinct = values;
            std::sort(distinct.begin(), distinct.end());
            const size_t distinctCount = std::unique(distinct.begin(), distinct.end()) - distinct.begin();
            const auto classes = Classified(values, bounds);
            for (size_t i = 0; i < classes.size(); ++i) {
                if (distinctCount >= static_cast<size_t>(count)) EXPECT_FALSE(classes[i].empty()) << round << " " << i;
            }
        }
    }
}

// Natural breaks are the least squared deviations of all splits, checked
// against trying every split on small inputs.
TEST(ClassBreaks, NaturalBreaksAreOptimal) {
    std::mt19937 random(1);
    std::uniform_int_distribution<int> value(0, 60);
    for (int round = 0; round < 60; ++round) {
        std::vector<double> values(4 + random() % 12);
        for (double& v : values) v = value(random);
        const int count = 2 + static_cast<int>(random() % 3);
        std::vector<double> distinct = values;
        std::sort(distinct.begin(), distinct.end());
        if (std::unique(distinct.begin(), distinct.end()) - distinct.begin() < count) continue;
        const Bounds bounds = ClassBreaks(values, count, ClassMethod::NaturalBreaks);
        EXPECT_NEAR(SquaredDeviations(Classified(values, bounds)), BestSquaredDeviations(values, count), 1e-9)
            << ::testing::PrintToString(values) << " in " << count;
    }
}

}  // namespace
}  // namespace okap
