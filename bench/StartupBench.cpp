// Times the start-up work of the engine: the defaults with the seven table builders.

#include <benchmark/benchmark.h>

#include "Variables.h"

static void BM_ApplyDesignDefaults(benchmark::State& state) {
    for (auto _ : state) {
        zorvic::ApplyDesignDefaults();
        benchmark::DoNotOptimize(zorvic::ChipTable[15].Rdson);
    }
}
BENCHMARK(BM_ApplyDesignDefaults);
