// Times the transformer search alone, on the operating point the whole computation leaves: the
// default design, and a six-output design, for each kind of winding, and a search that runs over
// every standard core under the loss-share criterion.

#include <benchmark/benchmark.h>

#include "BenchDesigns.h"
#include "ComputeDesign.h"
#include "ComputeTransfo.h"
#include "Optimum.h"
#include "Variables.h"

namespace {

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
    bench::DefaultDesign();
    Run(state);
}

void BM_ComputeTransformerSixOutputs(benchmark::State& state) {
    bench::SixOutputDesign(false);
    Run(state);
}

// 2 % of the input power is never reached on the small cores: the search tries many of them.
void BM_ComputeTransformerAnyCoreLossShare(benchmark::State& state) {
    bench::SixOutputDesign(false);
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
