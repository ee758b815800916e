// The transformer search: which core and turns it records under each criterion, the user's fixed
// geometry and turns, saturating designs, and what reaches the design state. Cores, turns, wires,
// losses and the number of designs evaluated were worked out in 32-bit steps from the rules of the
// search (grade, turns, wire choice, winding optimiser), independently of the engine's code.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "ComputeDesign.h"
#include "ComputeTransfo.h"
#include "DesignResults.h"
#include "NumberText.h"
#include "Optimum.h"
#include "RecordingHost.h"
#include "SampleDesigns.h"
#include "Variables.h"

using namespace zorvic;

namespace {

struct WireChoice {
    int16_t awg;
    int16_t strands;
};

}  // namespace

class DesignTransformerTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Two outputs at 100 kHz from an 80 V reflected voltage; the E family, 40 K allowed.
        sample_designs::TwoOutputTransformerLoad();
        InputStage.VdcMin = 84.45f;
        OperatingPoint.DutyCycleAtVmin = 0.45f;
        OperatingPoint.ContRatio = 1.2f;
        Transfo.InputPower = 60;
    }

    static void ExpectWires(const std::vector<WireChoice>& wires) {
        const WireRecord* recorded[] = {&Transfo.PrimaryWire,   &Transfo.AuxWire,       &Transfo.OutputWire[0],
                                        &Transfo.OutputWire[1], &Transfo.OutputWire[2], &Transfo.OutputWire[3],
                                        &Transfo.OutputWire[4], &Transfo.OutputWire[5]};
        for (std::size_t j = 0; j < wires.size(); ++j) {
            EXPECT_EQ(recorded[j]->Awg, wires[j].awg) << "winding " << j;
            EXPECT_EQ(recorded[j]->Strands, wires[j].strands) << "winding " << j;
        }
    }

    // The recorded core (nullptr: unchecked), primary, auxiliary and first two output turns, wires,
    // transformer loss and designs evaluated (-1: unchecked).
    static void ExpectDesign(const char* core, std::array<int, 4> turns, const std::vector<WireChoice>& wires,
                             float loss, int evaluations) {
        if (core) {
            EXPECT_EQ(Transfo.Core.Name, core);
        }
        EXPECT_EQ(Transfo.PrimaryTurns, turns[0]);
        EXPECT_EQ(Transfo.AuxTurns, turns[1]);
        EXPECT_EQ(Transfo.OutputTurns[0], turns[2]);
        EXPECT_EQ(Transfo.OutputTurns[1], turns[3]);
        ExpectWires(wires);
        EXPECT_FLOAT_EQ(OperatingPoint.TransformerLoss, loss);
        if (evaluations >= 0) {
            EXPECT_EQ(DesignEvaluations, evaluations);
        }
    }

    // A core so thin that no winding count up to 32767 keeps it below the flux limit.
    static CoreGeometry NeedleCore() {
        CoreGeometry core = StandardCoreTable[18];
        core.Series = "Custom";
        core.Name = "Needle";
        core.Ae = 1e-4f;
        return core;
    }
};

// The temperature criterion restarts its record for every core: the first E core whose best
// design loses less than CoreMaxLoss(40 K) is E25/9/6 (0.93 W against 1.02 W allowed).
TEST_F(DesignTransformerTest, TemperatureCriterionStopsAtTheFirstCoolEnoughCore) {
    ComputeTransformer();
    EXPECT_EQ(Transfo.Material.Name, "N27");
    ExpectDesign("E25/9/6", {132, 21, 9, 21}, {{26, 1}, {43, 1}, {18, 1}, {25, 1}}, 0.93039954f, 34);
    EXPECT_FLOAT_EQ(Transfo.CoreLoss, 0.5327878f);
    EXPECT_FLOAT_EQ(Transfo.WindingLoss, 0.39761177f);
    EXPECT_FLOAT_EQ(Transfo.Bmax, 0.17755681f);
    EXPECT_FLOAT_EQ(Transfo.AirGap, 8.3025947e-4f);
    EXPECT_FLOAT_EQ(Transfo.AuxTurnsRatio, 6.349206f);
    EXPECT_TRUE(Transfo.DesignRecorded);
    EXPECT_TRUE(Settings.DesignFound);
    EXPECT_TRUE(Settings.DesignWithinLoss);
    EXPECT_LT(CoreTempRise(OperatingPoint.TransformerLoss, Transfo.Core), Transfo.MaxDeltaT);
    // 12.6 V over 21 auxiliary turns: 0.6 V per turn on 9 and 21 output turns (no diode drop
    // in this set-up) and on the 132 primary turns.
    EXPECT_FLOAT_EQ(Outputs[0].ActualVoltage, 5.4f);
    EXPECT_FLOAT_EQ(Outputs[1].ActualVoltage, 12.6f);
    EXPECT_FLOAT_EQ(OperatingPoint.ReflectedVoltageActual, 79.200005f);
}

// With 2 % of 60 W allowed the record runs over all cores and the smaller E20/10/5 is enough.
TEST_F(DesignTransformerTest, LossShareCriterionStopsBelowTheShareOfThePower) {
    Settings.CoreCriterionTemp = false;
    ComputeTransformer();
    ExpectDesign("E20/10/5", {132, 21, 9, 21}, {{30, 1}, {44, 1}, {21, 1}, {29, 1}}, 1.1960528f, 17);
    EXPECT_TRUE(Settings.DesignWithinLoss);
}

// 2 % of 200 W is 4 W: the least saturating design of the first usable core is already below
// it, so the search stops on a design above the flux limit and says so.
TEST_F(DesignTransformerTest, LossShareCanStopOnTheLeastSaturatingDesign) {
    Settings.CoreCriterionTemp = false;
    Transfo.InputPower = 200;
    ComputeTransformer();
    ExpectDesign("E13/7/4", {132, 21, 9, 21}, {{34, 1}, {44, 1}, {25, 1}, {33, 1}}, 2.1328666f, -1);
    EXPECT_FALSE(Transfo.DesignRecorded);
    EXPECT_TRUE(Settings.DesignFound);
    EXPECT_GE(Transfo.Bmax, Settings.BmaxRatio * Transfo.Material.Bsat);
}

TEST_F(DesignTransformerTest, FixedGeometryEvaluatesOnlyItsMinimumTurns) {
    Settings.UserCoreGeometry = true;
    CurrentCore = StandardCoreTable[18];  // E30/15/7
    ComputeTransformer();
    // The minimum turns saturate this core; they are kept as the least saturating design.
    ExpectDesign("E30/15/7", {29, 5, 2, 5}, {{19, 1}, {34, 1}, {10, 1}, {17, 1}}, 10.952998f, 1);
    // Each copper term is N x Lm / 1000 x I^2 x Rlin / strands taken left to right; the metres
    // of one turn worked out first end one step higher here.
    EXPECT_EQ(Transfo.WindingLoss, 0.027833112f);
    EXPECT_FALSE(Transfo.DesignRecorded);
    EXPECT_FALSE(Settings.DesignWithinLoss);
}

TEST_F(DesignTransformerTest, FixedTurnsRunOnePassOnTheFirstCandidate) {
    Settings.UserPrimaryTurns = true;
    Transfo.PrimaryTurns = 100;
    ComputeTransformer();
    ExpectDesign("E63", {100, 16, 7, 16}, {{42, 1}, {44, 1}, {33, 1}, {41, 1}}, 6.0209618f, 1);
}

TEST_F(DesignTransformerTest, FixedGeometryAndTurnsAreRecordedEvenWhenSaturating) {
    Settings.UserCoreGeometry = true;
    Settings.UserPrimaryTurns = true;
    CurrentCore = StandardCoreTable[18];
    Transfo.PrimaryTurns = 12;
    ComputeTransformer();
    ExpectDesign(nullptr, {12, 2, 1, 2}, {{15, 1}, {27, 1}, {10, 1}, {14, 1}}, 70.25765f, 1);
    EXPECT_FLOAT_EQ(Transfo.Bmax, 1.25f);  // 1 mH x 0.9 A / (60 mm2 x 12)
    EXPECT_TRUE(Transfo.DesignRecorded);
}

// Every design saturates (0.5 T of DC flux against a 0.285 T limit): the search keeps the least
// saturating one whole, its own auxiliary and output turns and wires included.
TEST_F(DesignTransformerTest, SaturatingRecordKeepsItsOwnTurnsAndWires) {
    Settings.UserCoreMaterial = true;
    CurrentMaterial = CoreMaterialTable[1];  // N27
    CurrentMaterial.Bdc = 0.5f;
    ComputeTransformer();
    EXPECT_FALSE(Transfo.DesignRecorded);
    ExpectDesign("E25/9/6", {147, 23, 10, 23}, {{27, 1}, {43, 1}, {18, 1}, {25, 1}}, 0.92221534f, 35);
    // The finished volts per turn come from the recorded auxiliary turns: nothing divides by 0.
    EXPECT_FLOAT_EQ(OperatingPoint.ReflectedVoltageActual, 147 * (12.6f / 23));
}

TEST_F(DesignTransformerTest, ParalleledWindingsChooseWholeStrandCounts) {
    // One common diameter: every winding AWG 28, the 3.2 A output on the most strands.
    Settings.WindingOptimisationType = ParallelEqualWires;
    ComputeTransformer();
    ExpectDesign("E25/9/6", {132, 21, 9, 21}, {{28, 1}, {28, 1}, {28, 10}, {28, 2}}, 0.98805857f, 28);

    // Free diameters: fewer turns fit with the copper spread by need.
    Settings.WindingOptimisationType = ParallelFreeWires;
    ComputeTransformer();
    ExpectDesign("E25/9/6", {117, 18, 8, 19}, {{26, 1}, {44, 1}, {25, 7}, {25, 1}}, 0.9655665f, 28);
}

// Six outputs: the lowest (3.8 V) sets the volts per turn, every output gets its turns and wire.
TEST_F(DesignTransformerTest, SixOutputsEachGetTheirTurnsAndWires) {
    Settings.AdditionalOutputs = 5;
    const float volts[] = {5.45f, 12.7f, 3.8f, 15.9f, 24.8f, 5.6f};
    const float amps[] = {3.2f, 0.6f, 1.1f, 0.3f, 0.25f, 0.05f};
    for (std::size_t i = 0; i < 6; ++i) {
        Outputs[i].VoltageBeforeDiode = volts[i];
        Outputs[i].IrmsSecondary = amps[i];
    }
    const int turns[] = {9, 20, 6, 25, 39, 9};
    ComputeTransformer();
    EXPECT_EQ(Transfo.Core.Name, "E25/16/6");
    EXPECT_EQ(Transfo.PrimaryTurns, 126);
    EXPECT_EQ(Transfo.AuxTurns, 20);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(Transfo.OutputTurns[i], turns[i]) << i;
    ExpectWires({{24, 1}, {40, 1}, {14, 1}, {22, 1}, {20, 1}, {25, 1}, {26, 1}, {34, 1}});
    EXPECT_FLOAT_EQ(OperatingPoint.TransformerLoss, 1.1819104f);
    EXPECT_EQ(DesignEvaluations, 31);

    Settings.WindingOptimisationType = ParallelFreeWires;
    ComputeTransformer();
    EXPECT_EQ(Transfo.Core.Name, "E25/16/6");
    ExpectWires({{25, 1}, {44, 1}, {25, 10}, {24, 1}, {21, 1}, {25, 1}, {26, 1}, {40, 4}});
    EXPECT_FLOAT_EQ(OperatingPoint.TransformerLoss, 1.1838222f);
    EXPECT_EQ(DesignEvaluations, 30);
}

TEST_F(DesignTransformerTest, CoreNeedingTooManyTurnsIsSkipped) {
    CandidateCores[0] = NeedleCore();
    CandidateCoreLast = 0;
    EXPECT_FALSE(DesignTransformer(60));
    EXPECT_EQ(DesignEvaluations, 0);
    EXPECT_FALSE(Settings.DesignFound);
}

// Under the temperature criterion every core restarts the record's total at 1e10; a last core
// that records nothing must not hand that start value to the design.
TEST_F(DesignTransformerTest, LastCoreRecordingNothingKeepsTheRealLoss) {
    Transfo.MaxDeltaT = 0.1f;  // no core is cool enough, so the search runs to the last one
    CandidateCores[0] = StandardCoreTable[18];
    CandidateCores[1] = NeedleCore();
    CandidateCoreLast = 1;
    ComputeTransformer();
    EXPECT_EQ(BestTotalLoss, 1e10f);
    EXPECT_EQ(Transfo.Core.Name, "E30/15/7");
    EXPECT_TRUE(Transfo.DesignRecorded);
    EXPECT_FALSE(Settings.DesignWithinLoss);
    EXPECT_EQ(OperatingPoint.TransformerLoss, Transfo.CoreLoss + Transfo.WindingLoss);
    EXPECT_LT(OperatingPoint.TransformerLoss, 100.0f);
}

// A negative peak current makes every loss no number: nothing is recorded, every turn count up to
// 500 is tried, and the search still leaves the wires and optimiser as its last candidate's
// evaluation does, with the window shares of the last core it started (one too small to try).
TEST_F(DesignTransformerTest, SearchOfNoNumberLossesLeavesWhatItsLastCandidateLeaves) {
    Transfo.IpeakMax = -0.9f;
    SelectCoreMaterial(InputStage.SwitchingFrequency);
    const CoreGeometry core = StandardCoreTable[18];
    CoreGeometry needle = NeedleCore();
    needle.W = 2 * core.W;
    CandidateCores[0] = core;
    CandidateCores[1] = needle;
    CandidateCoreLast = 1;
    EXPECT_FALSE(DesignTransformer(60));
    EXPECT_FALSE(LastSearchRecorded);
    const auto leaves = [] {
        const OptimiserState o = OptimiserState::Now();
        return std::tuple(o.turnLength, o.skinDepth, o.iterations, o.maxStrands, SyntheticWireUsed);
    };
    const auto left = leaves();
    const auto areas = [] { return std::pair(Transfo.PrimaryWindingArea, Transfo.OutputWindingArea[1]); };
    const auto leftAreas = areas();

    const WindingWeights weights = ComputeWindingWeights();
    SetWindowShares(needle.W * Transfo.WindowFactor, weights);
    EXPECT_EQ(leftAreas, areas());
    // The last turn count tried on the first core: the one whose next is above 500.
    int32_t last = ComputePrimaryTurns(core.Ae, core.Le);
    for (int32_t next = ComputeTurns(last); next <= 500; next = ComputeTurns(next)) last = next;
    ASSERT_EQ(ComputeTurns(last - 1), last);
    SetWindowShares(core.W * Transfo.WindowFactor, weights);
    OptimiserState{}.Restore();
    EXPECT_TRUE(std::isnan(EvaluateCandidate(core, last).TotalLoss));
    EXPECT_EQ(left, leaves());
}

// Every design saturates and every core loss is no number: the least saturating design, the first
// turn count of the core, is still recorded whole, its optimised wires included.
TEST_F(DesignTransformerTest, LeastSaturatingDesignOfNoNumberLossKeepsItsWires) {
    Settings.UserCoreMaterial = true;
    CurrentMaterial = CoreMaterialTable[1];  // N27
    CurrentMaterial.Bdc = 0.5f;
    Transfo.IpeakMax = -1e-3f;
    const CoreGeometry core = StandardCoreTable[18];
    CandidateCores[0] = core;
    CandidateCoreLast = 0;
    EXPECT_FALSE(DesignTransformer(60));
    EXPECT_TRUE(LastSearchRecorded);
    const auto wires = [](const WireRecord& p, const WireRecord& o) {
        return std::tuple(p.AreaIns, p.Strands, o.AreaIns);
    };
    const auto recorded = wires(BestPrimaryWire, BestOutputWires[1]);
    EXPECT_GT(BestPrimaryWire.AreaIns, 0.0f);

    SetWindowShares(core.W * Transfo.WindowFactor, ComputeWindingWeights());
    const int32_t first = ComputePrimaryTurns(core.Ae, core.Le);
    const CandidateDesign candidate = EvaluateCandidate(core, first);
    EXPECT_TRUE(std::isnan(candidate.CoreLoss));
    EXPECT_EQ(BestPrimaryTurns, first);
    EXPECT_EQ(recorded, wires(candidate.PrimaryWire, candidate.OutputWires[1]));
}

// The same core listed again under another name (as one core of two series) gives the same
// candidates again, none of them lower: the record is the one of the core alone.
TEST_F(DesignTransformerTest, CoreListedTwiceRecordsWhatTheCoreAloneRecords) {
    Settings.CoreCriterionTemp = false;
    Transfo.CoreLossShare = 0;  // never reached: every listed core is searched
    CandidateCores[0] = StandardCoreTable[18];
    CandidateCoreLast = 0;
    for (int16_t kind : {SingleWire, ParallelEqualWires, ParallelFreeWires}) {
        Settings.WindingOptimisationType = kind;
        CandidateCoreLast = 0;
        ComputeTransformer();
        const float alone = OperatingPoint.TransformerLoss;
        const int16_t turns = Transfo.PrimaryTurns;
        const WireRecord wire = Transfo.PrimaryWire;
        const int32_t evaluations = DesignEvaluations;

        CandidateCores[1] = CandidateCores[0];
        CandidateCores[1].Name = "Twin";
        CandidateCoreLast = 1;
        ComputeTransformer();
        EXPECT_EQ(Transfo.Core.Name, "E30/15/7") << kind;
        EXPECT_EQ(OperatingPoint.TransformerLoss, alone) << kind;
        EXPECT_EQ(Transfo.PrimaryTurns, turns) << kind;
        EXPECT_EQ(Transfo.PrimaryWire.Awg, wire.Awg) << kind;
        EXPECT_EQ(Transfo.PrimaryWire.Strands, wire.Strands) << kind;
        EXPECT_GT(DesignEvaluations, evaluations) << kind;  // the twin was searched too
    }
}

TEST_F(DesignTransformerTest, FrequencyWithoutAGradeLeavesAFiniteEmptyTransformer) {
    InputStage.SwitchingFrequency = 10000;  // below every grade, and no grade chosen before
    ComputeTransformer();
    EXPECT_FALSE(Transfo.DesignRecorded);
    EXPECT_EQ(DesignEvaluations, 0);
    EXPECT_EQ(Transfo.AirGap, 0.0f);
    EXPECT_EQ(OperatingPoint.TransformerLoss, 0.0f);
}

// The default design's first computation (5 V 1 A from 88-264 V AC at 100 kHz) worked through
// both passes: the second pass designs the transformer for the currents that include the first
// pass's transformer loss (0.332 W on E13/7/4, 5.54 W in, against 6.17 W in the second pass).
// Every computation starts from the same values, so recomputing finds both searches done.
TEST_F(DesignTransformerTest, DefaultDesignGetsACompleteTransformer) {
    ResetDesignState();
    ApplyDesignDefaults();
    ComputeDesign();
    const int32_t searches = SearchesRun;
    ComputeDesign();
    EXPECT_EQ(SearchesRun, searches);
    StartFromDesignResults(*StartingResults());
    EXPECT_EQ(Transfo.Material.Name, "N27");
    EXPECT_EQ(Transfo.Core.Name, "E13/7/4");
    EXPECT_EQ(Transfo.PrimaryTurns, 129);
    EXPECT_EQ(Transfo.AuxTurns, 25);
    EXPECT_EQ(Transfo.OutputTurns[0], 9);
    EXPECT_EQ(Transfo.PrimaryWire.Awg, 34);
    EXPECT_EQ(Transfo.AuxWire.Awg, 44);
    EXPECT_EQ(Transfo.OutputWire[0].Awg, 23);
    EXPECT_EQ(Transfo.OutputWire[0].Strands, 1);
    EXPECT_FLOAT_EQ(Transfo.CoreLoss, 0.26903892f);
    EXPECT_FLOAT_EQ(Transfo.WindingLoss, 0.08202564f);
    EXPECT_FLOAT_EQ(OperatingPoint.TransformerLoss, 0.35106456f);
    EXPECT_FLOAT_EQ(Transfo.Bmax, 0.27134424f);
    EXPECT_FLOAT_EQ(Transfo.AirGap, 1.5679342e-4f);
    EXPECT_FLOAT_EQ(Transfo.AuxTurnsRatio, 5.128205f);
    EXPECT_FLOAT_EQ(OperatingPoint.ReflectedVoltageActual, 80.496f);
    EXPECT_FLOAT_EQ(Outputs[0].ActualVoltage, 5.039f);
    EXPECT_TRUE(Transfo.DesignRecorded);
    EXPECT_TRUE(Settings.DesignWithinLoss);
    EXPECT_LT(Transfo.Bmax, Settings.BmaxRatio * Transfo.Material.Bsat);
    EXPECT_LT(CoreTempRise(OperatingPoint.TransformerLoss, Transfo.Core), Transfo.MaxDeltaT);
}

namespace {

// What a transformer design leaves in the design state.
struct FinishedTransformer {
    std::string core;
    int16_t primary, aux, output0, output1;
    int16_t primaryAwg, primaryStrands, outputAwg;
    float coreLoss, windingLoss, airGap;
    bool found;

    static FinishedTransformer Now() {
        return {Transfo.Core.Name,        Transfo.PrimaryTurns,      Transfo.AuxTurns,
                Transfo.OutputTurns[0],   Transfo.OutputTurns[1],    Transfo.PrimaryWire.Awg,
                Transfo.PrimaryWire.Strands, Transfo.OutputWire[0].Awg, Transfo.CoreLoss,
                Transfo.WindingLoss,      Transfo.AirGap,            Settings.DesignFound};
    }
    bool operator==(const FinishedTransformer&) const = default;
};

void PrintTo(const FinishedTransformer& t, std::ostream* out) {
    *out << t.core << " " << t.primary << "/" << t.aux << "/" << t.output0 << "/" << t.output1 << " AWG "
         << t.primaryAwg << "x" << t.primaryStrands << " " << t.coreLoss << " + " << t.windingLoss << " W";
}

struct SearchInputChange {
    const char* name;
    std::function<void()> change;
};

void PrintTo(const SearchInputChange& c, std::ostream* out) { *out << c.name; }

}  // namespace

// A search asked again right after one that read the same puts back that one's design; any
// change to what it reads makes it search again, as a search with nothing before it would.
class RepeatedSearchTest : public DesignTransformerTest, public ::testing::WithParamInterface<SearchInputChange> {};

TEST_P(RepeatedSearchTest, AnyChangeToWhatTheSearchReadsSearchesAgain) {
    ComputeTransformer();
    const FinishedTransformer before = FinishedTransformer::Now();
    ComputeTransformer();
    EXPECT_EQ(FinishedTransformer::Now(), before);

    GetParam().change();
    ComputeTransformer();
    const FinishedTransformer repeated = FinishedTransformer::Now();
    ResetTransformerState();
    ComputeTransformer();
    const FinishedTransformer fresh = FinishedTransformer::Now();
    EXPECT_NE(fresh, before);  // the change matters to the design
    EXPECT_EQ(repeated, fresh);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RepeatedSearchTest,
    ::testing::Values(SearchInputChange{"PrimaryCurrent", [] { Transfo.IrmsMax *= 3; }},
                      SearchInputChange{"PeakCurrent", [] { Transfo.IpeakMax *= 1.5f; }},
                      SearchInputChange{"Inductance", [] { Transfo.Lprimary.Value *= 0.5f; }},
                      SearchInputChange{"OutputCurrent", [] { Outputs[1].IrmsSecondary *= 4; }},
                      SearchInputChange{"OutputVoltage", [] { Outputs[1].VoltageBeforeDiode = 24; }},
                      SearchInputChange{"SupplyCurrent", [] { CurrentChip.SupplyCurrent = 0.2f; }},
                      SearchInputChange{"WindowFactor", [] { Transfo.WindowFactor = 0.3f; }},
                      SearchInputChange{"WindingKind", [] { Settings.WindingOptimisationType = ParallelFreeWires; }},
                      SearchInputChange{"StrandLimit",
                                        [] {
                                            Settings.WindingOptimisationType = ParallelFreeWires;
                                            ComputeTransformer();
                                            Transfo.ParallelWireMax = 2;
                                        }},
                      SearchInputChange{"Criterion", [] { Settings.CoreCriterionTemp = false; }},
                      SearchInputChange{"FluxMargin", [] { Settings.BmaxRatio *= 0.5f; }},
                      SearchInputChange{"CandidateCore", [] { CandidateCores[3].Ae *= 2; }},
                      SearchInputChange{"WireTable", [] { WireTable[16].Rlin *= 2; }},
                      SearchInputChange{"Frequency", [] { InputStage.SwitchingFrequency = 50000; }}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

// Converts to any field's type: an aggregate has as many fields as it can be initialised from.
struct AnyField {
    template <class T>
    operator T() const;  // only named in unevaluated operands
};

template <class T, class... Fields>
constexpr std::size_t FieldCount() {
    if constexpr (requires { T{Fields{}..., AnyField{}}; })
        return FieldCount<T, Fields..., AnyField>();
    else
        return sizeof...(Fields);
}

// One field of the search's inputs, and a change of the design state that reaches that field
// alone, made after setup (which the search before the change already reads).
struct SearchInputField {
    const char* name;
    std::function<bool(const SearchInputs&, const SearchInputs&)> differs;
    std::function<void()> change;
    std::function<void()> setup = [] {};
};

void PrintTo(const SearchInputField& f, std::ostream* out) { *out << f.name; }

// The material as the search of the present frequency picks it, then fixed.
void FixMaterial() {
    SelectCoreMaterial(InputStage.SwitchingFrequency);
    Settings.UserCoreMaterial = true;
}
void UserTurns() { Settings.UserPrimaryTurns = true; Transfo.PrimaryTurns = 40; }
void UserCore() { Settings.UserCoreGeometry = true; CurrentCore = StandardCoreTable[18]; }
void EmptyThirdOutput() {
    Settings.AdditionalOutputs = 2;
    Outputs[2].VoltageBeforeDiode = Outputs[2].IrmsSecondary = 0;
}

#define ROW(f, ...) \
    SearchInputField{#f, [](const SearchInputs& a, const SearchInputs& b) { return !(a.f == b.f); }, __VA_ARGS__}

// Where a change would also make the search read another field, that field reads as before: no
// user turns (none), a blank user core (the candidates stand in), an empty output (a missing one).
const std::vector<SearchInputField>& SearchInputFields() {
    static const std::vector<SearchInputField> fields = {
        ROW(Power, [] { Transfo.InputPower *= 1.5f; }),
        ROW(SwitchingFrequency, [] { InputStage.SwitchingFrequency = 90000; }),
        ROW(ReflectedVoltage, [] { InputStage.ReflectedVoltage = 95; }),
        ROW(VdcMin, [] { InputStage.VdcMin *= 1.1f; }),
        ROW(DutyCycleAtVmin, [] { OperatingPoint.DutyCycleAtVmin = 0.4f; }),
        ROW(ContRatio, [] { OperatingPoint.ContRatio = 1.5f; }),
        ROW(SecondaryRegulation, [] { OperatingPoint.SecondaryRegulation = true; }),
        ROW(BmaxRatio, [] { Settings.BmaxRatio = 0.6f; }),
        ROW(UserPrimaryTurns, [] { Settings.UserPrimaryTurns = true; Transfo.PrimaryTurns = 0; }),
        ROW(PrimaryTurns, [] { Transfo.PrimaryTurns = 50; }, UserTurns),
        ROW(UserCoreGeometry, [] { Settings.UserCoreGeometry = true; CurrentCore = {}; }),
        ROW(CoreCriterionTemp, [] { Settings.CoreCriterionTemp = false; }),
        ROW(WindingOptimisationType, [] { Settings.WindingOptimisationType = ParallelFreeWires; }),
        ROW(AdditionalOutputs, EmptyThirdOutput),
        ROW(Lprimary, [] { Transfo.Lprimary.Value *= 0.8f; }),
        ROW(IrmsMax, [] { Transfo.IrmsMax *= 1.2f; }),
        ROW(IpeakMax, [] { Transfo.IpeakMax *= 1.2f; }),
        ROW(WindowFactor, [] { Transfo.WindowFactor = 0.6f; }),
        ROW(CoreLossShare, [] { Transfo.CoreLossShare = 0.03f; }),
        ROW(MaxDeltaT, [] { Transfo.MaxDeltaT = 30; }),
        ROW(ParallelWireMax, [] { Transfo.ParallelWireMax = 4; }),
        ROW(Bsat, [] { CurrentMaterial.Bsat *= 0.9f; }, FixMaterial),
        ROW(Ui100, [] { CurrentMaterial.Ui100 *= 0.9f; }, FixMaterial),
        ROW(K, [] { CurrentMaterial.K *= 0.9f; }, FixMaterial),
        ROW(K1, [] { CurrentMaterial.K1 *= 0.9f; }, FixMaterial),
        ROW(K2, [] { CurrentMaterial.K2 *= 0.9f; }, FixMaterial),
        ROW(Bdc, [] { CurrentMaterial.Bdc += 0.01f; }, FixMaterial),
        ROW(Vdd1, [] { CurrentChip.Vdd1 += 1; }),
        ROW(Vdd2, [] { CurrentChip.Vdd2 += 1; }),
        ROW(VddReg, [] { CurrentChip.VddReg = 15; }),
        ROW(SupplyCurrent, [] { CurrentChip.SupplyCurrent = 0.02f; }),
        ROW(VoltageBeforeDiode, [] { Outputs[1].VoltageBeforeDiode = 24; }),
        ROW(IrmsSecondary, [] { Outputs[1].IrmsSecondary *= 2; }),
        ROW(UserCore, [] { CurrentCore.Ae *= 1.5f; }, UserCore),
        ROW(CandidateCores, [] { CandidateCores[3].Ae *= 2; }),
        ROW(Wires, [] { WireTable[16].Rlin *= 2; }),
    };
    return fields;
}

#undef ROW

}  // namespace

// Each input of the search, changed alone, makes ComputeTransformer search again; with nothing
// changed it puts back the design of the search before.
class SearchInputsTest : public DesignTransformerTest, public ::testing::WithParamInterface<SearchInputField> {};

TEST_P(SearchInputsTest, ChangingTheInputAloneSearchesAgain) {
    const SearchInputField& field = GetParam();
    field.setup();
    ComputeTransformer();
    const SearchInputs before = ReadSearchInputs();
    const int32_t searches = SearchesRun;
    ComputeTransformer();
    EXPECT_EQ(SearchesRun, searches);

    field.change();
    const SearchInputs after = ReadSearchInputs();
    for (const SearchInputField& other : SearchInputFields())
        EXPECT_EQ(other.differs(before, after), other.name == std::string(field.name)) << other.name;
    ComputeTransformer();
    EXPECT_EQ(SearchesRun, searches + 1);
}

INSTANTIATE_TEST_SUITE_P(Fields, SearchInputsTest, ::testing::ValuesIn(SearchInputFields()),
                         [](const auto& info) { return std::string(info.param.name); });

// A field added to the inputs without a row above fails here.
TEST(SearchInputsTableTest, HasOneRowPerField) {
    EXPECT_EQ(SearchInputFields().size(), FieldCount<SearchInputs>());
}

namespace {

// What a search leaves: the design, and what the next computations and searches read.
struct SearchLeaves {
    FinishedTransformer design;
    float bestTotal, primaryArea, outputArea;
    bool withinLoss, recorded, synthetic;
    int32_t workAux, workOutput, iterations;
    float turnLength;

    static SearchLeaves Now() {
        return {FinishedTransformer::Now(), BestTotalLoss, Transfo.PrimaryWindingArea, Transfo.OutputWindingArea[1],
                Settings.DesignWithinLoss, Transfo.DesignRecorded, SyntheticWireUsed, WorkAuxTurns,
                WorkOutputTurns[1], OptimiseIterations, TurnLength};
    }
    bool operator==(const SearchLeaves&) const = default;
};

void PrintTo(const SearchLeaves& s, std::ostream* out) {
    PrintTo(s.design, out);
    *out << " best " << s.bestTotal << " iterations " << s.iterations << " work " << s.workAux << "/" << s.workOutput;
}

// The search with no hint, as DesignTransformer runs it, in the steps of ComputeTransformer.
void SearchWithNoHint() {
    ResetTransformerState();
    SelectCoreMaterial(InputStage.SwitchingFrequency);
    DesignTransformer(Transfo.InputPower);
    ComputeAirGap();
    ApplyRecordedDesign();
}

}  // namespace

// Under the loss criterion a search leaves early the cores that cannot beat the design recorded
// before (evaluated on today's inputs), or that cannot get below the allowed loss; it leaves
// exactly what the search with no hint leaves, whether it stops below the allowed loss (a share
// of 0.05) or searches every core (0.001), and whether the design before is the new best, close
// to it, far above it or gone.
class SearchAfterAChangeTest : public DesignTransformerTest,
                               public ::testing::WithParamInterface<std::tuple<float, SearchInputChange>> {};

TEST_P(SearchAfterAChangeTest, LeavesWhatTheSearchWithNoHintLeaves) {
    const auto& [share, change] = GetParam();
    Settings.CoreCriterionTemp = false;
    Transfo.CoreLossShare = share;
    Settings.GeometryListType = "Any";
    FilterGeometryList();
    ComputeTransformer();
    change.change();
    ComputeTransformer();
    const SearchLeaves after = SearchLeaves::Now();
    SearchWithNoHint();
    EXPECT_EQ(after, SearchLeaves::Now());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, SearchAfterAChangeTest,
    ::testing::Combine(
        ::testing::Values(0.001f, 0.05f),
        ::testing::Values(SearchInputChange{"NothingBefore", [] { ResetTransformerState(); }},
                          SearchInputChange{"SamePower", [] { Transfo.InputPower *= 1.04f; }},
                          SearchInputChange{"SlightlyMoreCurrent", [] { Transfo.IrmsMax *= 1.03f; }},
                          SearchInputChange{"ThreeTimesTheCurrent", [] { Transfo.IrmsMax *= 3; }},
                          SearchInputChange{"HalfTheCurrent", [] { Transfo.IrmsMax *= 0.5f; }},
                          SearchInputChange{"OutputCurrent", [] { Outputs[1].IrmsSecondary *= 1.2f; }},
                          SearchInputChange{"Inductance", [] { Transfo.Lprimary.Value *= 0.8f; }},
                          SearchInputChange{"FluxMargin", [] { Settings.BmaxRatio *= 0.7f; }},
                          SearchInputChange{"WindowFactor", [] { Transfo.WindowFactor *= 0.6f; }},
                          SearchInputChange{"ParallelWires", [] { Settings.WindingOptimisationType = ParallelFreeWires; }},
                          SearchInputChange{"AllowedLossReached", [] { Transfo.CoreLossShare = 0.05f; }},
                          SearchInputChange{"AllowedLossOutOfReach", [] { Transfo.CoreLossShare = 0.001f; }})),
    [](const auto& info) {
        return std::string(std::get<0>(info.param) < 0.01f ? "EveryCore_" : "Stopping_") + std::get<1>(info.param).name;
    });

// A design whose loss stays far above the allowed loss: the scans that spare most of its walks
// (on a probe of every core, then on what a scan that ended unsure recorded) leave what the search
// with no hint leaves, when opened and after a change.
TEST(LongSearchTest, LeavesWhatTheSearchWithNoHintLeaves) {
    sample_designs::NeverWithinLossDesign();
    ComputeDesign();
    const float current = Transfo.IrmsMax;
    ResetTransformerState();
    ComputeTransformer();
    const SearchLeaves opened = SearchLeaves::Now();
    Transfo.IrmsMax = current * 1.03f;
    ComputeTransformer();
    const SearchLeaves changed = SearchLeaves::Now();

    SearchWithNoHint();
    EXPECT_EQ(changed, SearchLeaves::Now());
    Transfo.IrmsMax = current;
    SearchWithNoHint();
    EXPECT_EQ(opened, SearchLeaves::Now());
}

// A walk of hundreds of turn counts, whose candidates the search evaluates ahead on the worker
// threads, records the lowest loss it meets before the loss rises again, as the candidates
// evaluated one by one in the walk's order show it.
TEST(LongSearchTest, RecordsTheLowestLossOfItsWalk) {
    sample_designs::NeverWithinLossDesign();
    ComputeDesign();
    const CoreGeometry core = Transfo.Core;
    CandidateCores[0] = core;
    CandidateCoreLast = 0;
    ResetTransformerState();
    EXPECT_TRUE(DesignTransformer(Transfo.InputPower));
    EXPECT_FALSE(Settings.DesignWithinLoss);
    const auto recorded = std::tuple(BestPrimaryTurns, BestTotalLoss, BestPrimaryWire.Awg, BestPrimaryWire.Strands,
                                     BestOutputWires[0].Awg, BestOutputWires[0].Strands);

    SetWindowShares(core.W * Transfo.WindowFactor, ComputeWindingWeights());
    CandidateDesign lowest;
    lowest.TotalLoss = 1e10f;
    float previous = 1e10f;
    int walked = 0;
    for (int32_t np = ComputePrimaryTurns(core.Ae, core.Le); np <= 500; np = ComputeTurns(np)) {
        const CandidateDesign c = EvaluateCandidate(core, np);
        ++walked;
        ASSERT_LT(CurrentMaterial.Bdc + c.PeakFlux, Settings.BmaxRatio * CurrentMaterial.Bsat);
        if (c.TotalLoss < lowest.TotalLoss) lowest = c;
        if (previous < c.TotalLoss || (c.CoreLoss > lowest.TotalLoss && c.WindingLoss > lowest.TotalLoss)) break;
        previous = c.TotalLoss;
    }
    EXPECT_GT(walked, 100);
    const auto expected = std::tuple(static_cast<int16_t>(lowest.PrimaryTurns), lowest.TotalLoss, lowest.PrimaryWire.Awg,
                                     lowest.PrimaryWire.Strands, lowest.OutputWires[0].Awg, lowest.OutputWires[0].Strands);
    EXPECT_EQ(recorded, expected);
}
