// Times the winding optimisation and the whole evaluation of one candidate (a two-output design
// on an E30 core), which the transformer search runs for every core and turn count it tries.

#include <benchmark/benchmark.h>

#include "ComputeTransfo.h"
#include "NumberText.h"
#include "Optimum.h"
#include "SampleDesigns.h"
#include "Variables.h"

namespace {

zorvic::WindingSet TwoOutputDesign(int16_t kind) {
    using namespace zorvic;
    sample_designs::DefaultDesign();
    Settings.AdditionalOutputs = 1;
    Transfo.IrmsMax = 0.55f;
    CurrentChip.SupplyCurrent = 0.012f;
    Outputs[0].IrmsSecondary = 3.2f;
    Outputs[1].IrmsSecondary = 0.6f;
    WindingSet set;
    set.Turns[PrimaryWinding] = 44;
    set.Turns[AuxWinding] = 7;
    set.Turns[OutputWinding(0)] = 3;
    set.Turns[OutputWinding(1)] = 7;
    for (int j = 0; j < WindingCount; ++j) {
        set.Strands[static_cast<std::size_t>(j)] = kind == SingleWire ? 1.0f : 5.5f;
        set.Diameter[static_cast<std::size_t>(j)] = 0.3f;
    }
    return set;
}

void BM_OptimiseWinding(benchmark::State& state) {
    const auto kind = static_cast<int16_t>(state.range(0));
    const zorvic::WindingSet set = TwoOutputDesign(kind);
    for (auto _ : state) {
        zorvic::WindingSet result = zorvic::OptimiseWinding(0.056f, 64, set, kind);
        benchmark::DoNotOptimize(result);
    }
    state.counters["iterations"] = zorvic::OptimiseIterations;
}

void BM_ComputePrimaryTurns(benchmark::State& state) {
    TwoOutputDesign(zorvic::SingleWire);
    zorvic::Outputs[1].VoltageBeforeDiode = 12.7f;
    zorvic::OperatingPoint.DutyCycleAtVmin = 0.45f;
    zorvic::OperatingPoint.ContRatio = 1.2f;
    zorvic::Transfo.Lprimary.Value = 1e-3f;
    zorvic::SelectCoreMaterial(zorvic::InputStage.SwitchingFrequency);
    for (auto _ : state) {
        int32_t turns = zorvic::ComputePrimaryTurns(60, 67);
        benchmark::DoNotOptimize(turns);
    }
}

// One core and turn count of the transformer search: turns, wires, optimisation, losses.
void BM_EvaluateCandidate(benchmark::State& state) {
    using namespace zorvic;
    TwoOutputDesign(SingleWire);
    Settings.WindingOptimisationType = static_cast<int16_t>(state.range(0));
    Outputs[0].VoltageBeforeDiode = 5.45f;
    Outputs[1].VoltageBeforeDiode = 12.7f;
    CurrentChip.VddReg = 12;
    Transfo.IpeakMax = 0.9f;
    Transfo.Lprimary.Value = 1e-3f;
    SelectCoreMaterial(InputStage.SwitchingFrequency);
    const CoreGeometry& core = StandardCoreTable[18];
    SetWindowShares(core.W * Transfo.WindowFactor, ComputeWindingWeights());
    const int32_t np = ComputeTurns(40);
    for (auto _ : state) {
        CandidateDesign candidate = EvaluateCandidate(core, np);
        benchmark::DoNotOptimize(candidate);
    }
}

}  // namespace

BENCHMARK(BM_EvaluateCandidate)->Arg(zorvic::SingleWire)->Arg(zorvic::ParallelEqualWires)->Arg(zorvic::ParallelFreeWires);
BENCHMARK(BM_OptimiseWinding)->Arg(zorvic::SingleWire)->Arg(zorvic::ParallelEqualWires)->Arg(zorvic::ParallelFreeWires);
BENCHMARK(BM_ComputePrimaryTurns);
