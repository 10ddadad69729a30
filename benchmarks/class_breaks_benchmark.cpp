// Classifying a million skewed values (log-normal, as populations and
// other counts are): natural breaks and quantiles into 5, 10 and 20
// classes. Twenty natural-breaks classes of a million distinct values are
// beyond the split table's size and classify a sample.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "data/class_breaks.h"

namespace okap {
namespace {

const std::vector<double>& MillionValues() {
    static const std::vector<double> values = [] {
        std::mt19937_64 random(16);
        std::lognormal_distribution<double> skewed(7.0, 1.2);
        std::vector<double> v(1'000'000);
        for (double& x : v) x = skewed(random);
        return v;
    }();
    return values;
}

void BM_ClassBreaks(benchmark::State& state, ClassMethod method) {
    const std::vector<double>& values = MillionValues();
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(ClassBreaks(values, count, method));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}

BENCHMARK_CAPTURE(BM_ClassBreaks, NaturalBreaks, ClassMethod::NaturalBreaks)
    ->Arg(5)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClassBreaks, Quantiles, ClassMethod::Quantiles)->Arg(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace okap
