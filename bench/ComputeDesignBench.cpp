// Times the whole converter computation on the default design and on designs with six outputs
// of different kinds, regulated on the primary or the secondary side.

#include <benchmark/benchmark.h>

#include "BenchDesigns.h"
#include "ComputeDesign.h"
#include "Variables.h"

namespace {

void Time(benchmark::State& state) {
    for (auto _ : state) {
        zorvic::ComputeDesign();
        benchmark::DoNotOptimize(zorvic::OperatingPoint.Efficiency);
    }
}

void ComputeDefaultDesign(benchmark::State& state) {
    bench::DefaultDesign();
    Time(state);
}

void ComputeSixOutputDesign(benchmark::State& state) {
    bench::SixOutputDesign(false);
    Time(state);
}

void ComputeSixOutputSecondaryDesign(benchmark::State& state) {
    bench::SixOutputDesign(true);
    Time(state);
}

}  // namespace

BENCHMARK(ComputeDefaultDesign);
BENCHMARK(ComputeSixOutputDesign);
BENCHMARK(ComputeSixOutputSecondaryDesign);
