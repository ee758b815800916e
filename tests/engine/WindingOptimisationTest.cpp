// Division of the winding window among the windings for the lowest copper loss: every trial
// fills the window, each kind of winding moves only what it may, and the search ends.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "NumberText.h"
#include "Optimum.h"
#include "Variables.h"

using namespace zorvic;

namespace {

// Sum of N x strands x d2 over the primary, the auxiliary winding and the active outputs.
double FilledArea(const WindingSet& set) {
    double area = 0;
    for (int j = 0; j <= OutputWinding(Settings.AdditionalOutputs); ++j) {
        const auto k = static_cast<std::size_t>(j);
        area += set.Turns[k] * static_cast<double>(set.Strands[k]) * set.Diameter[k] * set.Diameter[k];
    }
    return area;
}

}  // namespace

class WindingOptimisationTest : public ::testing::Test {
protected:
    static constexpr float Window = 64;        // mm2: E30/15/7 at a window factor of 0.8
    static constexpr float TurnMetres = 0.056f;

    void SetUp() override {
        // A two-output design at 100 kHz.
        InputStage.SwitchingFrequency = 100000;
        Settings.AdditionalOutputs = 1;
        Transfo.ParallelWireMax = 10;
        Transfo.IrmsMax = 0.55f;
        CurrentChip.SupplyCurrent = 0.012f;
        Outputs[0].IrmsSecondary = 3.2f;
        Outputs[1].IrmsSecondary = 0.6f;
        start.Turns[PrimaryWinding] = 44;
        start.Turns[AuxWinding] = 7;
        start.Turns[OutputWinding(0)] = 3;
        start.Turns[OutputWinding(1)] = 7;
        for (int j = 0; j < WindingCount; ++j) {
            start.Strands[static_cast<std::size_t>(j)] = 1;
            start.Diameter[static_cast<std::size_t>(j)] = 0.3f;
        }
    }

    // Strand counts of paralleled windings start in the middle of the allowed range.
    void Paralleled() {
        for (float& strands : start.Strands) strands = 5.5f;
    }

    WindingSet start;
};

class WindingKind : public WindingOptimisationTest, public ::testing::WithParamInterface<int16_t> {};

INSTANTIATE_TEST_SUITE_P(WindingOptimisationTest, WindingKind,
                         ::testing::Values(SingleWire, ParallelEqualWires, ParallelFreeWires),
                         [](const auto& info) {
                             return info.param == SingleWire           ? std::string("SingleWire")
                                    : info.param == ParallelEqualWires ? std::string("ParallelEqualWires")
                                                                       : std::string("ParallelFreeWires");
                         });

TEST_P(WindingKind, ResultFillsTheWindowWithStrandsInRange) {
    if (GetParam() != SingleWire) Paralleled();
    const WindingSet result = OptimiseWinding(TurnMetres, Window, start, GetParam());
    EXPECT_NEAR(FilledArea(result), Window, Window * 1e-5);
    for (int j = 0; j <= OutputWinding(1); ++j) {
        const auto k = static_cast<std::size_t>(j);
        EXPECT_GE(result.Strands[k], 1.0f) << j;
        EXPECT_LE(result.Strands[k], 10.0f) << j;
        EXPECT_GT(result.Diameter[k], 0.0f) << j;
        EXPECT_EQ(result.Turns[k], start.Turns[k]) << j;
    }
    EXPECT_LE(OptimiseIterations, MaxOptimiseIterations);
}

TEST_P(WindingKind, EveryLineSearchTrialFillsTheWindow) {
    if (GetParam() != SingleWire) Paralleled();
    OptimiseWinding(TurnMetres, Window, start, GetParam());  // sets the module state
    WindingSet base = start;
    WeightedDiameterAllocation(Window, base);
    Gradient gd{};
    Gradient gs{};
    // Directions of every sign, some of them far beyond a strand bound.
    gd[PrimaryWinding] = 0.4;
    gd[AuxWinding] = -3;
    gd[OutputWinding(0)] = 2;
    gs[PrimaryWinding] = 20;
    gs[OutputWinding(1)] = -20;
    for (float t : {0.0f, 0.01f, 0.5f, 3.0f, 1000.0f}) {
        const WindingSet trial = TryAllocation(Window, base, gd, gs, t);
        EXPECT_NEAR(FilledArea(trial), Window, Window * 1e-5) << t;
        for (int j = 0; j <= OutputWinding(1); ++j) {
            const auto k = static_cast<std::size_t>(j);
            // A shrinking diameter is divided, never driven through zero.
            EXPECT_GT(trial.Diameter[k], 0.0f) << t << " " << j;
            EXPECT_GE(trial.Strands[k], 1.0f) << t << " " << j;
            EXPECT_LE(trial.Strands[k], 10.0f) << t << " " << j;
        }
    }
}

TEST_F(WindingOptimisationTest, SingleWireFindsTheLowestLossSplit) {
    const WindingSet result = OptimiseWinding(TurnMetres, Window, start, SingleWire);
    // Lowest loss of this design by Lagrange multipliers on the same wire model: 55.34 mW,
    // against 91.22 mW with one diameter for all windings. The search stops once no diameter
    // moves by 5 %, a few per cent short of the optimum.
    EXPECT_LT(TotalCopperLoss(result), 0.05534 * 1.05);
    EXPECT_GT(TotalCopperLoss(result), 0.05534 * 0.999);
    // The high-current output takes the thickest wire (2.57 mm at the optimum).
    EXPECT_NEAR(result.Diameter[OutputWinding(0)], 2.572f, 0.2f);
}

TEST_F(WindingOptimisationTest, SingleWireKeepsEveryStrandCountButTheAuxiliary) {
    start.Strands[PrimaryWinding] = 3;
    start.Strands[AuxWinding] = 4;
    start.Strands[OutputWinding(1)] = 2;
    const WindingSet result = OptimiseWinding(TurnMetres, Window, start, SingleWire);
    EXPECT_EQ(result.Strands[PrimaryWinding], 3.0f);
    EXPECT_EQ(result.Strands[AuxWinding], 1.0f);  // the auxiliary always starts with one strand
    EXPECT_EQ(result.Strands[OutputWinding(0)], 1.0f);
    EXPECT_EQ(result.Strands[OutputWinding(1)], 2.0f);
}

TEST_F(WindingOptimisationTest, EqualWiresKeepOneDiameterAndParallelStrands) {
    Paralleled();
    const WindingSet result = OptimiseWinding(TurnMetres, Window, start, ParallelEqualWires);
    for (int j = 1; j <= OutputWinding(1); ++j)
        EXPECT_EQ(result.Diameter[static_cast<std::size_t>(j)], result.Diameter[PrimaryWinding]) << j;
    // Best of a grid of strand counts (steps of 0.25) with one diameter: 38.49 mW with 2.5
    // primary strands and 10 on the high-current output.
    EXPECT_LT(TotalCopperLoss(result), 0.03849 * 1.03);
    EXPECT_GT(result.Strands[OutputWinding(0)], 9.0f);
}

TEST_F(WindingOptimisationTest, FreeWiresDoAtLeastAsWellAsEqualWires) {
    Paralleled();
    const WindingSet result = OptimiseWinding(TurnMetres, Window, start, ParallelFreeWires);
    EXPECT_LT(TotalCopperLoss(result), 0.03849 * 1.03);
}

TEST_F(WindingOptimisationTest, WindingsWithoutCurrentDoNotHoldBackTheEnd) {
    // Only the auxiliary winding carries current. The windings that carry nothing give their
    // copper away a little more at every iteration and never settle below 5 % (this set would
    // run 127 iterations, down to diameters of 1e-21 mm): the end waits only for the auxiliary
    // winding.
    Settings.AdditionalOutputs = 0;
    Transfo.IrmsMax = 0;
    Outputs[0].IrmsSecondary = 0;
    CurrentChip.SupplyCurrent = 0x1.852274p-5f;  // 47.6 mA
    InputStage.SwitchingFrequency = 207920;
    start.Turns[PrimaryWinding] = 77;
    start.Turns[AuxWinding] = 29;
    start.Turns[OutputWinding(0)] = 312;
    start.Diameter[PrimaryWinding] = 0x1.93eb14p+0f;  // 1.578 mm
    start.Diameter[AuxWinding] = 0x1.78fa32p-3f;      // 0.184 mm
    start.Diameter[OutputWinding(0)] = 0x1.b2f7cp+0f; // 1.699 mm
    const float window = 0x1.1f85a8p+5f;              // 35.94 mm2
    const WindingSet result = OptimiseWinding(0x1.57fe08p-4f, window, start, SingleWire);
    EXPECT_LT(OptimiseIterations, 10);
    WindingSet allocated = start;
    WeightedDiameterAllocation(window, allocated);
    EXPECT_LT(TotalCopperLoss(result), TotalCopperLoss(allocated));
    EXPECT_NEAR(FilledArea(result), window, window * 1e-5);
    EXPECT_GT(result.Diameter[PrimaryWinding], 0.0f);
    EXPECT_GT(result.Diameter[OutputWinding(0)], 0.0f);
}

TEST_F(WindingOptimisationTest, NoCurrentAnywhereEndsAtOnce) {
    Transfo.IrmsMax = 0;
    CurrentChip.SupplyCurrent = 0;
    Outputs[0].IrmsSecondary = 0;
    Outputs[1].IrmsSecondary = 0;
    for (int16_t kind : {SingleWire, ParallelEqualWires, ParallelFreeWires}) {
        const WindingSet result = OptimiseWinding(TurnMetres, Window, start, kind);
        EXPECT_EQ(OptimiseIterations, 1) << kind;
        EXPECT_EQ(TotalCopperLoss(result), 0.0) << kind;
        EXPECT_NEAR(FilledArea(result), Window, Window * 1e-5) << kind;
    }
}

TEST_F(WindingOptimisationTest, OneWindingFillingTheWholeWindowHasNoDiameterDirection) {
    start.Turns[AuxWinding] = 0;
    start.Turns[OutputWinding(0)] = 0;
    start.Turns[OutputWinding(1)] = 0;
    OptimiseWinding(TurnMetres, Window, start, SingleWire);
    WindingSet alone = start;
    WeightedDiameterAllocation(Window, alone);
    const Gradient g = DiameterGradient(Window, alone, TotalCopperLoss(alone));
    for (double component : g) EXPECT_EQ(component, 0.0);
    const WindingSet result = OptimiseWinding(TurnMetres, Window, start, SingleWire);
    EXPECT_NEAR(FilledArea(result), Window, Window * 1e-5);
    EXPECT_TRUE(std::isfinite(result.Diameter[PrimaryWinding]));
}

TEST_F(WindingOptimisationTest, WireResistanceFollowsInsulationAndSkinDepth) {
    OptimiseWinding(TurnMetres, Window, start, SingleWire);  // skin depth 0.2087 mm
    // To the bit: the insulation build in 64 bits, only the bare radius held in 32 bits (all
    // in 32 bits, each of these comes out one or two units of the last place off).
    // 0.5 mm insulated: 0.4479 mm bare, just above twice the skin depth: 0.10969 ohm/m.
    EXPECT_EQ(WireResistancePerLength(0.5f), 0x1.c14db0p-4f);
    // 1.5 mm insulated: 1.4259 mm bare, only the outer ring conducts: 0.021551 ohm/m.
    EXPECT_EQ(WireResistancePerLength(1.5f), 0x1.61187ap-6f);
    // 0.3 mm insulated: 0.2582 mm bare, all of it conducts: 0.32846 ohm/m.
    EXPECT_EQ(WireResistancePerLength(0.3f), 0x1.5057b4p-2f);
    // A vanished diameter still gives a resistance, so that no current times it is no loss.
    for (float d : {1e-21f, 1e-30f, 0.0f}) EXPECT_TRUE(std::isfinite(WireResistancePerLength(d))) << d;
}

TEST_F(WindingOptimisationTest, WindowFillSquaresEachDiameterBeforeTheProduct) {
    // N x strands x d2 with the square taken first; ((N x strands) x d) x d rounds this set's
    // sum differently and moves every scaled diameter by one unit of the last place.
    LastOutput = 1;
    WindingSet set = start;
    set.Strands = {4.2f, 1, 6.3f, 6.3f};
    set.Diameter = {0.977f, 0.521f, 0.81f, 0.64f};
    WeightedDiameterAllocation(Window, set);
    EXPECT_EQ(set.Diameter[PrimaryWinding], 0x1.14f7e8p-1f);
    EXPECT_EQ(set.Diameter[AuxWinding], 0x1.276528p-2f);
    EXPECT_EQ(set.Diameter[OutputWinding(0)], 0x1.cb4066p-2f);
    EXPECT_EQ(set.Diameter[OutputWinding(1)], 0x1.6add8cp-2f);
}

// A thicker wire never has more resistance, nor a wire whose current goes deeper into it; a
// vanished wire's is still finite.
TEST_F(WindingOptimisationTest, WireResistanceFallsWithDiameterAndSkinDepth) {
    const float skins[] = {0.01f, 0.1205f, 0.2087f, 0.66f};
    std::array<float, std::size(skins)> previous{};
    for (int i = 0; i <= 2000; ++i) {
        const auto d = static_cast<float>(1e-6 * std::pow(3e8, i / 2000.0));  // 1e-6 to 300 mm
        for (std::size_t k = 0; k < std::size(skins); ++k) {
            OptimumSkinDepth = skins[k];
            const float r = WireResistancePerLength(d);
            ASSERT_TRUE(std::isfinite(r) && r > 0) << d;
            ASSERT_TRUE(i == 0 || r <= previous[k]) << "thicker, d " << d << " skin " << skins[k];
            ASSERT_TRUE(k == 0 || r <= previous[k - 1]) << "deeper, d " << d << " skin " << skins[k];
            previous[k] = r;
        }
    }
}

TEST_P(WindingKind, ResultNeverLosesMoreThanTheAllocatedStartAndTheStartLeavesTheState) {
    if (GetParam() != SingleWire) Paralleled();
    OptimiseWinding(0.03f, 20, start, SingleWire);  // module state of another optimisation
    const double allocated = AllocatedCopperLoss(TurnMetres, Window, start, GetParam());
    EXPECT_EQ(TurnLength, 0.03f);
    EXPECT_EQ(OptimisationType, SingleWire);
    const WindingSet result = OptimiseWinding(TurnMetres, Window, start, GetParam());
    EXPECT_LE(TotalCopperLoss(result), allocated);
    WindingSet allocatedSet = start;
    allocatedSet.Strands[AuxWinding] = 1;
    if (GetParam() == ParallelEqualWires)
        EqualDiameterAllocation(Window, allocatedSet);
    else
        WeightedDiameterAllocation(Window, allocatedSet);
    EXPECT_EQ(allocated, TotalCopperLoss(allocatedSet));
}
