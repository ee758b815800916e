// Times the transformer search alone, on the operating point the whole computation leaves: the
// default design, and a six-output design, for each kind of winding, and a search that runs over
// every standard core under the loss-share criterion.

#include <benchmark/benchmark.h>

#include <cstddef>

#include "ComputeDesign.h"
#include "ComputeTransfo.h"
#include "NumberText.h"
#include "Optimum.h"
#include "Variables.h"

namespace {

void Defaults() {
    zorvic::ResetDesignState();
    zorvic::SetLocaleDecimalSeparator('.');
    zorvic::ApplyDesignDefaults();
}

void SixOutputs() {
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
}

void Run(benchmark::State& state) {
    zorvic::Settings.WindingOptimisationType = static_cast<int16_t>(state.range(0));
    zorvic::ComputeDesign();
    for (auto _ : state) {
        zorvic::ComputeTransformer();
        benchmark::DoNotOptimize(zorvic::OperatingPoint.TransformerLoss);
    }
    state.counters["evaluations"] = zorvic::DesignEvaluations;
}

void BM_ComputeTransformerDefault(benchmark::State& state) {
    Defaults();
    Run(state);
}

void BM_ComputeTransformerSixOutputs(benchmark::State& state) {
    Defaults();
    SixOutputs();
    Run(state);
}

// 2 % of the input power is never reached on the small cores: the search tries many of them.
void BM_ComputeTransformerAnyCoreLossShare(benchmark::State& state) {
    Defaults();
    SixOutputs();
    zorvic::Settings.CoreCriterionTemp = false;
    zorvic::Transfo.CoreLossShare = 0.001f;
    zorvic::Settings.GeometryListType = "Any";
    zorvic::FilterGeometryList();
    Run(state);
}

}  // namespace

BENCHMARK(BM_ComputeTransformerDefault)->DenseRange(0, 2);
BENCHMARK(BM_ComputeTransformerSixOutputs)->DenseRange(0, 2);
BENCHMARK(BM_ComputeTransformerAnyCoreLossShare)->DenseRange(0, 2);
