// Times the whole converter computation on the default design, on designs with six outputs of
// different kinds regulated on the primary or the secondary side, on the slowest designs of the
// engine's design sweep, on a design whose warning repeats every refining pass, on the slowest
// kinds of design the chip cannot deliver and on the slowest random design within the editors'
// limits.

#include <benchmark/benchmark.h>

#include <string>

#include "ComputeDesign.h"
#include "ComputeTransfo.h"
#include "DesignSweep.h"
#include "SampleDesigns.h"
#include "Variables.h"

namespace {

void Time(benchmark::State& state) {
    for (auto _ : state) {
        zorvic::ComputeDesign();
        benchmark::DoNotOptimize(zorvic::OperatingPoint.Efficiency);
    }
}

// As a design opened from a file computes: no transformer search before it to start from.
void TimeFirstComputation(benchmark::State& state) {
    for (auto _ : state) {
        zorvic::ResetTransformerState();
        zorvic::ComputeDesign();
        benchmark::DoNotOptimize(zorvic::OperatingPoint.Efficiency);
    }
}

void ComputeDefaultDesign(benchmark::State& state) {
    sample_designs::DefaultDesign();
    Time(state);
}

void ComputeSixOutputDesign(benchmark::State& state) {
    sample_designs::SixOutputDesign(false);
    Time(state);
}

void ComputeSixOutputSecondaryDesign(benchmark::State& state) {
    sample_designs::SixOutputDesign(true);
    Time(state);
}

void ComputeOverVoltageThreeOutputDesign(benchmark::State& state) {
    sample_designs::OverVoltageThreeOutputDesign();
    Time(state);
}

void ComputeNoNumberLossDesign(benchmark::State& state) {
    sample_designs::NoNumberLossDesign();
    Time(state);
}

void ComputeNoCurrentOutputsDesign(benchmark::State& state) {
    sample_designs::NoCurrentOutputsDesign();
    Time(state);
}

// The slowest kinds of design found among random designs within the editors' limits, as
// opened: long walks on most cores, and short walks on every core.
void ComputeNeverWithinLossDesign(benchmark::State& state) {
    sample_designs::NeverWithinLossDesign();
    TimeFirstComputation(state);
}

void ComputeManyShortWalksDesign(benchmark::State& state) {
    sample_designs::ManyShortWalksDesign();
    TimeFirstComputation(state);
}

// The slowest designs of the sweep: every standard core a candidate, mostly under the loss
// criterion.
const char* const SlowSweepDesigns[] = {"kind 2 loss, 6 outputs", "kind 2 temperature, 6 outputs",
                                        "kind 1 loss, 6 outputs", "kind 2 loss, 1 outputs", "kind 0 loss, 6 outputs"};

// Each slow design recomputed again and again, and as its first computation.
struct Timing {
    std::string Prefix;
    void (*Time)(benchmark::State&);
};
const Timing Timings[] = {{"ComputeSweepDesign/", Time}, {"ComputeSweepDesignFirst/", TimeFirstComputation}};

const bool sweepRegistered = [] {
    for (const sweep::SweepDesign& design : sweep::DesignSweep()) {
        for (const char* name : SlowSweepDesigns) {
            if (design.Name != name) continue;
            for (const Timing& timing : Timings) {
                benchmark::RegisterBenchmark((timing.Prefix + design.Name).c_str(),
                                             [design, time = timing.Time](benchmark::State& state) {
                                                 sample_designs::DefaultDesign();
                                                 sweep::ApplySweepDesign(design);
                                                 time(state);
                                             })
                    ->Unit(benchmark::kMicrosecond);
            }
        }
    }
    return true;
}();

}  // namespace

BENCHMARK(ComputeDefaultDesign);
BENCHMARK(ComputeSixOutputDesign);
BENCHMARK(ComputeSixOutputSecondaryDesign);
BENCHMARK(ComputeOverVoltageThreeOutputDesign)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComputeNoNumberLossDesign)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComputeNoCurrentOutputsDesign)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComputeNeverWithinLossDesign)->Unit(benchmark::kMillisecond);
BENCHMARK(ComputeManyShortWalksDesign)->Unit(benchmark::kMillisecond);
