// Times the whole converter computation on the default design and on a design with six outputs
// of different kinds.

#include <benchmark/benchmark.h>

#include <cstddef>

#include "ComputeDesign.h"
#include "NumberText.h"
#include "Variables.h"

namespace {

void DefaultDesign() {
    zorvic::ResetDesignState();
    zorvic::SetLocaleDecimalSeparator('.');
    zorvic::ApplyDesignDefaults();
}

void ComputeDefaultDesign(benchmark::State& state) {
    DefaultDesign();
    for (auto _ : state) {
        zorvic::ComputeDesign();
        benchmark::DoNotOptimize(zorvic::OperatingPoint.Efficiency);
    }
}

void ComputeSixOutputDesign(benchmark::State& state) {
    DefaultDesign();
    using zorvic::Outputs;
    zorvic::Settings.AdditionalOutputs = 5;
    const int16_t types[] = {9, 1, 3, 5, 7, 13};
    const float volts[] = {5, 12, 3.3f, 15, 24, 5};
    for (std::size_t i = 0; i < 6; ++i) {
        Outputs[i].OutputType = types[i];
        Outputs[i].Voltage = volts[i];
        Outputs[i].Current = 0.2f;
        Outputs[i].Regulator.Family = "VRA";
    }
    for (auto _ : state) {
        zorvic::ComputeDesign();
        benchmark::DoNotOptimize(zorvic::OperatingPoint.Efficiency);
    }
}

// Six outputs, the first three regulated on the secondary side: the reference, the divider and
// the compensation run on every pass.
void ComputeSixOutputSecondaryDesign(benchmark::State& state) {
    DefaultDesign();
    using zorvic::Outputs;
    zorvic::Settings.AdditionalOutputs = 5;
    zorvic::OperatingPoint.SecondaryRegulation = true;
    const int16_t types[] = {9, 1, 3, 5, 7, 13};
    const float volts[] = {5, 12, 3.3f, 15, 24, 5};
    for (std::size_t i = 0; i < 6; ++i) {
        Outputs[i].OutputType = types[i];
        Outputs[i].Voltage = volts[i];
        Outputs[i].Current = 0.2f;
        Outputs[i].Regulator.Family = "VRA";
        Outputs[i].Regulated = i < 3;
        zorvic::Transfo.OutputTurns[i] = static_cast<int16_t>(volts[i] + 1);
    }
    zorvic::Transfo.AuxTurns = 17;
    for (auto _ : state) {
        zorvic::ComputeDesign();
        benchmark::DoNotOptimize(zorvic::OperatingPoint.Efficiency);
    }
}

}  // namespace

BENCHMARK(ComputeDefaultDesign);
BENCHMARK(ComputeSixOutputDesign);
BENCHMARK(ComputeSixOutputSecondaryDesign);
