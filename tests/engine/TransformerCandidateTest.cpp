// One candidate of the transformer search: the window shared by the windings' volt-amperes,
// flux and core loss, and wires that fill the usable window once optimised.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "ComputeTransfo.h"
#include "NumberText.h"
#include "Optimum.h"
#include "SampleDesigns.h"
#include "Variables.h"

using namespace zorvic;

class TransformerCandidateTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Two outputs at 100 kHz on E30/15/7 (W 80 mm2, window factor 0.8) in N27.
        sample_designs::TwoOutputTransformerLoad();
        CurrentMaterial = CoreMaterialTable[1];
        core = StandardCoreTable[18];
    }

    // 44 primary turns: 7 auxiliary, 3 and 7 output turns at 1.8167 V per turn.
    CandidateDesign Evaluate() {
        SetWindowShares(core.W * Transfo.WindowFactor, ComputeWindingWeights());
        const int32_t np = ComputeTurns(40);
        EXPECT_EQ(np, 44);
        return EvaluateCandidate(core, np);
    }

    // Insulated copper area the chosen wires take, in mm2.
    static double WireArea(const CandidateDesign& c) {
        double area = c.PrimaryTurns * static_cast<double>(c.PrimaryWire.Strands) * c.PrimaryWire.AreaIns +
                      c.AuxTurns * static_cast<double>(c.AuxWire.Strands) * c.AuxWire.AreaIns;
        for (int i = 0; i <= 1; ++i) {
            const auto k = static_cast<std::size_t>(i);
            area += c.OutputTurns[k] * static_cast<double>(c.OutputWires[k].Strands) * c.OutputWires[k].AreaIns;
        }
        return area;
    }

    // Every output count (one, or six with output 3 idle when `idleOutput`), frequency, kind of
    // winding and standard core, with the window shared for the core: visit(core).
    template <class Visit>
    static void ForEachCoreKindAndFrequency(bool idleOutput, Visit visit) {
        OperatingPoint.DutyCycleAtVmin = 0.45f;
        OperatingPoint.ContRatio = 1.2f;
        InputStage.VdcMin = 84.45f;
        for (int outputs : {0, 5}) {
            Settings.AdditionalOutputs = static_cast<int16_t>(outputs);
            for (int i = 0; i <= outputs; ++i) {
                OutputRecord& output = Outputs[static_cast<std::size_t>(i)];
                output.VoltageBeforeDiode = 3.8f + 9.0f * static_cast<float>(i);
                output.IrmsSecondary = idleOutput && i == 3 ? 0.0f : 2.0f / static_cast<float>(i + 1);
            }
            for (int32_t fsw : {20000, 100000, 250000}) {
                InputStage.SwitchingFrequency = fsw;
                SelectCoreMaterial(fsw);
                for (int16_t kind : {SingleWire, ParallelEqualWires, ParallelFreeWires}) {
                    Settings.WindingOptimisationType = kind;
                    for (const CoreGeometry& candidateCore : StandardCoreTable) {
                        SetWindowShares(candidateCore.W * Transfo.WindowFactor, ComputeWindingWeights());
                        visit(candidateCore);
                    }
                }
            }
        }
    }

    CoreGeometry core;
};

TEST_F(TransformerCandidateTest, WindowIsSharedByVoltAmperes) {
    // 36 VA primary, 0.151 VA auxiliary, 17.44 and 7.62 VA outputs: 61.21 VA.
    Transfo.OutputWindingArea[2] = 5;  // an output not in use keeps what it had
    SetWindowShares(64, ComputeWindingWeights());
    EXPECT_NEAR(Transfo.PrimaryWindingArea, 37.6402, 1e-3);
    EXPECT_NEAR(Transfo.AuxWindingArea, 0.158089, 1e-5);
    EXPECT_NEAR(Transfo.OutputWindingArea[0], 18.2346, 1e-3);
    EXPECT_NEAR(Transfo.OutputWindingArea[1], 7.96717, 1e-3);
    EXPECT_EQ(Transfo.OutputWindingArea[2], 5.0f);
    EXPECT_NEAR(Transfo.AuxTurnsRatio, 6.34921, 1e-4);  // 80 V / (12 + 0.6) V
}

TEST_F(TransformerCandidateTest, NoCurrentLeavesNoShareInsteadOfNoNumber) {
    Transfo.IrmsMax = 0;
    CurrentChip.SupplyCurrent = 0;
    Outputs[0].IrmsSecondary = 0;
    Outputs[1].IrmsSecondary = 0;
    SetWindowShares(64, ComputeWindingWeights());
    EXPECT_EQ(Transfo.PrimaryWindingArea, 0.0f);
    EXPECT_EQ(Transfo.AuxWindingArea, 0.0f);
    EXPECT_EQ(Transfo.OutputWindingArea[0], 0.0f);
}

TEST_F(TransformerCandidateTest, FluxAndCoreLossOfTheCandidate) {
    const CandidateDesign c = Evaluate();
    // 1 mH x 0.9 A / (60 mm2 x 44): 0.3409 T; 7.5e-5 x 1e5^1.16 x 0.1705^2.109 x 4 cm3: 4.535 W.
    EXPECT_NEAR(c.PeakFlux, 0.340909, 1e-5);
    EXPECT_NEAR(c.CoreLoss, 4.53507, 4.53507 * 1e-4);
    EXPECT_EQ(c.AuxTurns, 7);
    EXPECT_EQ(c.OutputTurns[0], 3);
    EXPECT_EQ(c.OutputTurns[1], 7);
    EXPECT_GT(c.WindingLoss, 0.0f);
    EXPECT_FLOAT_EQ(c.TotalLoss, c.CoreLoss + c.WindingLoss);
}

TEST_F(TransformerCandidateTest, SingleWiresFillTheWindowWithinOneGauge) {
    const CandidateDesign c = Evaluate();
    // The optimised squares fill 64 mm2; round wires of at most pi/4 of each square, one gauge
    // (about 26 % in area) below it at worst.
    const double round = std::numbers::pi / 4 * 64;
    EXPECT_LE(WireArea(c), round);
    EXPECT_GE(WireArea(c), round / 1.3);
    EXPECT_EQ(c.PrimaryWire.Strands, 1);
    EXPECT_EQ(c.AuxWire.Strands, 1);
    EXPECT_EQ(c.OutputWires[0].Strands, 1);
    // The 3.2 A output gets the thickest wire.
    EXPECT_GT(c.OutputWires[0].Area, c.PrimaryWire.Area);
    EXPECT_GT(c.PrimaryWire.Area, c.AuxWire.Area);
}

TEST_F(TransformerCandidateTest, ParalleledWindingsGetWholeStrandCounts) {
    for (int16_t kind : {ParallelEqualWires, ParallelFreeWires}) {
        Settings.WindingOptimisationType = kind;
        const CandidateDesign c = Evaluate();
        for (const WireRecord* wire : {&c.PrimaryWire, &c.AuxWire, &c.OutputWires[0], &c.OutputWires[1]}) {
            EXPECT_GE(wire->Strands, 1) << kind;
            EXPECT_LE(wire->Strands, 10) << kind;
        }
        EXPECT_GT(c.OutputWires[0].Strands, 1) << kind;
        // Rounding a strand count up by at most a half keeps the wires near the window.
        EXPECT_LE(WireArea(c), 64 * 1.1) << kind;
        EXPECT_TRUE(std::isfinite(c.WindingLoss)) << kind;
    }
}

TEST_F(TransformerCandidateTest, TinyWindowGivesSyntheticWiresButNeverANumberLessLoss) {
    core.W = 0.1f;  // 0.08 mm2 for 61 turns: every strand thinner than AWG 44
    const CandidateDesign c = Evaluate();
    EXPECT_EQ(c.PrimaryWire.Awg, 0);
    EXPECT_TRUE(SyntheticWireUsed);
    EXPECT_TRUE(std::isfinite(c.WindingLoss));
    EXPECT_GT(c.WindingLoss, 0.0f);
}

TEST_F(TransformerCandidateTest, RecordingKeepsEveryTurnAndWire) {
    const CandidateDesign c = Evaluate();
    BestAuxTurns = 99;
    BestOutputTurns = {};
    RecordCandidate(c, core);
    EXPECT_EQ(BestPrimaryTurns, 44);
    EXPECT_EQ(BestAuxTurns, 7);
    EXPECT_EQ(BestOutputTurns[0], 3);
    EXPECT_EQ(BestOutputTurns[1], 7);
    EXPECT_EQ(BestOutputWires[0].Awg, c.OutputWires[0].Awg);
    EXPECT_EQ(BestAuxWire.Awg, c.AuxWire.Awg);
    EXPECT_EQ(BestTotalLoss, c.TotalLoss);
    EXPECT_EQ(CurrentCore.Name, "E30/15/7");
}

TEST_F(TransformerCandidateTest, EveryCoreKindAndFrequencyGivesANumberOrIsRefused) {
    int evaluated = 0;
    ForEachCoreKindAndFrequency(false, [&](const CoreGeometry& candidateCore) {
        const int32_t np = ComputePrimaryTurns(candidateCore.Ae, candidateCore.Le);
        if (np > MaxTurns) return;
        const CandidateDesign c = EvaluateCandidate(candidateCore, np);
        const auto where = candidateCore.Name + " " + std::to_string(InputStage.SwitchingFrequency) + " " +
                           std::to_string(Settings.WindingOptimisationType);
        ASSERT_TRUE(std::isfinite(c.TotalLoss)) << where;
        ASSERT_GT(c.WindingLoss, 0.0f) << where;
        ASSERT_LE(OptimiseIterations, MaxOptimiseIterations);
        ++evaluated;
    });
    EXPECT_GT(evaluated, 600);
}

TEST_F(TransformerCandidateTest, WindingWithoutCurrentKeepsItsOptimisedWireAndAddsNoLoss) {
    // An unloaded output: the optimiser gives its copper to the other windings where it can,
    // down to a synthetic wire of no resistance a float can hold; its loss stays zero.
    Outputs[1].IrmsSecondary = 0;
    for (int16_t kind : {SingleWire, ParallelEqualWires, ParallelFreeWires}) {
        Settings.WindingOptimisationType = kind;
        const CandidateDesign c = Evaluate();
        EXPECT_TRUE(std::isfinite(c.WindingLoss)) << kind;
        EXPECT_GT(c.WindingLoss, 0.0f) << kind;
        EXPECT_GE(c.OutputWires[1].Strands, 1) << kind;
        if (kind == ParallelEqualWires) {
            // One diameter for every winding: the unloaded output gets the primary's gauge.
            EXPECT_EQ(c.OutputWires[1].Awg, c.PrimaryWire.Awg);
            EXPECT_NE(c.OutputWires[1].Awg, 44);
        } else {
            EXPECT_GT(c.OutputWires[0].Area, c.PrimaryWire.Area) << kind;
        }
    }
}

// The floor under the copper loss that lets the search leave a core is never above the copper
// loss of a candidate it stands for, whatever the core, frequency, kind of winding and outputs
// (one of them without current).
TEST_F(TransformerCandidateTest, CopperFloorIsNeverAboveTheCandidatesCopperLoss) {
    int compared = 0;
    int useful = 0;
    ForEachCoreKindAndFrequency(true, [&](const CoreGeometry& candidateCore) {
        const float window = candidateCore.W * Transfo.WindowFactor;
        const int16_t kind = Settings.WindingOptimisationType;
        const CopperLossFloor floor(candidateCore);
        int32_t np = ComputePrimaryTurns(candidateCore.Ae, candidateCore.Le);
        for (int turn = 0; turn < 3 && np <= 500; ++turn, np = ComputeTurns(np)) {
            const double allocated = AllocatedCopperLoss(candidateCore.Lm / 1000.0f, window, StartingWinding(np), kind);
            const double least = floor.At(np, WorkAuxTurns, WorkOutputTurns, allocated);
            const CandidateDesign c = EvaluateCandidate(candidateCore, np);
            ASSERT_LE(least, c.WindingLoss) << candidateCore.Name << " " << InputStage.SwitchingFrequency << " "
                                            << kind << " " << np;
            ++compared;
            if (least > 0.4 * c.WindingLoss) ++useful;
        }
    });
    EXPECT_GT(compared, 1000);
    EXPECT_GT(useful, compared / 2);  // a floor of no height would leave no core early
}
