// Times the two transformer searches of one computation, on the operating points each pass gives
// them: the default design and a six-output design for each kind of winding, a search that runs
// over every standard core under the loss-share criterion, one that never gets within its loss
// share, and the slowest kinds of design the chip cannot deliver (core losses of no number,
// outputs without current).

#include <benchmark/benchmark.h>

#include <array>

#include "ComputeDesign.h"
#include "ComputeTransfo.h"
#include "DesignHost.h"
#include "Optimum.h"
#include "SampleDesigns.h"
#include "Variables.h"

namespace {

// What a transformer search reads of the design, and what it writes there.
struct SearchState {
    zorvic::SettingsRecord settings;
    zorvic::OperatingRecord operating;
    zorvic::TransfoRecord transfo;
    zorvic::InputRecord input;
    std::array<zorvic::OutputRecord, zorvic::OutputCount> outputs;
    zorvic::ChipRecord chip;
    zorvic::CoreGeometry core;
    zorvic::CoreMaterial material;

    static SearchState Now() {
        using namespace zorvic;
        return {Settings, OperatingPoint, Transfo, InputStage, Outputs, CurrentChip, CurrentCore, CurrentMaterial};
    }
    void Restore() const {
        using namespace zorvic;
        Settings = settings;
        OperatingPoint = operating;
        Transfo = transfo;
        InputStage = input;
        Outputs = outputs;
        CurrentChip = chip;
        CurrentCore = core;
        CurrentMaterial = material;
    }
};

// The first pass lets events through just before its search: the state there is the one that
// search reads.
class FirstPassHost : public zorvic::DesignHost {
public:
    void DoEvents() override {
        firstPass = SearchState::Now();
        taken = true;
    }
    SearchState firstPass;
    bool taken = false;
};

// Each iteration forgets the searches run before, then runs the search of the first pass and that
// of the last refining pass, each on its own operating point, as a design opened from a file
// computes (a refining pass that reads what the first pass read finds it, as it would). Without
// forgetting, both would be found among the searches remembered.
void Run(benchmark::State& state) {
    zorvic::Settings.WindingOptimisationType = static_cast<int16_t>(state.range(0));
    FirstPassHost host;
    zorvic::InstallHost(&host);
    zorvic::ComputeDesign();
    zorvic::InstallHost(nullptr);
    if (!host.taken) {
        state.SkipWithError("the computation let no events through before its first search");
        return;
    }
    const SearchState refining = SearchState::Now();
    for (auto _ : state) {
        zorvic::ResetTransformerState();
        host.firstPass.Restore();
        zorvic::ComputeTransformer();
        refining.Restore();
        zorvic::ComputeTransformer();
        benchmark::DoNotOptimize(zorvic::OperatingPoint.TransformerLoss);
    }
    state.counters["evaluations"] = zorvic::DesignEvaluations;
}

void BM_ComputeTransformerDefault(benchmark::State& state) {
    sample_designs::DefaultDesign();
    Run(state);
}

void BM_ComputeTransformerSixOutputs(benchmark::State& state) {
    sample_designs::SixOutputDesign(false);
    Run(state);
}

// 2 % of the input power is never reached on the small cores: the search tries many of them.
void BM_ComputeTransformerAnyCoreLossShare(benchmark::State& state) {
    sample_designs::SixOutputDesign(false);
    zorvic::Settings.CoreCriterionTemp = false;
    zorvic::Transfo.CoreLossShare = 0.001f;
    zorvic::Settings.GeometryListType = "Any";
    zorvic::FilterGeometryList();
    Run(state);
}

void BM_ComputeTransformerNoNumberLoss(benchmark::State& state) {
    sample_designs::NoNumberLossDesign();
    Run(state);
}

void BM_ComputeTransformerNoCurrentOutputs(benchmark::State& state) {
    sample_designs::NoCurrentOutputsDesign();
    Run(state);
}

// No candidate within the loss share: a few hundred turn counts on nearly every core.
void BM_ComputeTransformerNeverWithinLoss(benchmark::State& state) {
    sample_designs::NeverWithinLossDesign();
    Run(state);
}

}  // namespace

BENCHMARK(BM_ComputeTransformerDefault)->DenseRange(0, 2);
BENCHMARK(BM_ComputeTransformerSixOutputs)->DenseRange(0, 2);
BENCHMARK(BM_ComputeTransformerAnyCoreLossShare)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComputeTransformerNoNumberLoss)->Arg(zorvic::ParallelEqualWires)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComputeTransformerNoCurrentOutputs)->Arg(zorvic::ParallelFreeWires)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComputeTransformerNeverWithinLoss)->Arg(zorvic::ParallelFreeWires)->Unit(benchmark::kMillisecond);
