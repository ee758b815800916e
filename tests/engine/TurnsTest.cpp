// Primary turns from the flux and inductance limits, the next primary turns that come from a
// whole number of turns on the lowest output, the winding turns that go with them, and the
// air gap.

#include <gtest/gtest.h>

#include "ComputeTransfo.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

class TurnsTest : public ::testing::Test {
protected:
    void SetUp() override {
        InputStage.ReflectedVoltage = 80;
        Outputs[0].VoltageBeforeDiode = 5.45f;
        CurrentChip.VddReg = 12;
        CurrentChip.Vdd1 = 9;
        CurrentChip.Vdd2 = 27;
        OperatingPoint.SecondaryRegulation = false;
    }

    void ThreeOutputs() {
        Settings.AdditionalOutputs = 2;
        Outputs[1].VoltageBeforeDiode = 12.7f;
        Outputs[2].VoltageBeforeDiode = 3.8f;
        Outputs[3].VoltageBeforeDiode = 1.0f;  // not an active output
    }

    // E30/15/7 in a grade of Bsat 0.38 T, at 100 kHz from the lowest AC bus voltage.
    void FluxLimitedCore() {
        CurrentMaterial.Bsat = 0.38f;
        CurrentMaterial.Ui100 = 2000;
        Settings.BmaxRatio = 0.75f;
        InputStage.SwitchingFrequency = 100000;
        OperatingPoint.DutyCycleAtVmin = 0.45f;
        OperatingPoint.ContRatio = 1.2f;
    }
};

TEST_F(TurnsTest, LowestOutputIsTheLowestActiveVoltageFirstOnATie) {
    EXPECT_EQ(FindLowestOutput(), 0);
    ThreeOutputs();
    EXPECT_EQ(FindLowestOutput(), 2);
    Outputs[1].VoltageBeforeDiode = 3.8f;
    EXPECT_EQ(FindLowestOutput(), 1);
}

TEST_F(TurnsTest, PrimaryTurnsComeFromWholeTurnsOnTheLowestOutputStrictlyAboveTheGivenCount) {
    // From 40: 3 turns of 5.45 V give 1.8167 V per turn, 44 primary turns at 80 V, and
    // (12 + 0.6) / 1.8167 = 6.94 auxiliary turns. 44 itself does not qualify: 4 turns of 1.3625 V, 59.
    const struct { int32_t nMin, primary, output, aux; } cases[] = {{40, 44, 3, 7}, {44, 59, 4, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nMin);
        EXPECT_EQ(ComputeTurns(c.nMin), c.primary);
        EXPECT_EQ(WorkOutputTurns[0], c.output);
        EXPECT_EQ(WorkAuxTurns, c.aux);
    }
}

TEST_F(TurnsTest, EveryActiveOutputGetsTurnsAtTheLowestOutputsVoltsPerTurn) {
    ThreeOutputs();
    EXPECT_EQ(ComputeTurns(40), 42);  // 2 turns of 3.8 V: 1.9 V per turn
    EXPECT_EQ(WorkOutputTurns[0], 3);
    EXPECT_EQ(WorkOutputTurns[1], 7);
    EXPECT_EQ(WorkOutputTurns[2], 2);
    EXPECT_EQ(WorkOutputTurns[3], 0);
    EXPECT_EQ(WorkAuxTurns, 7);
}

TEST_F(TurnsTest, SecondaryRegulationSuppliesTheChipFromTheMiddleOfItsRange) {
    ThreeOutputs();
    OperatingPoint.SecondaryRegulation = true;
    EXPECT_EQ(ComputeTurns(40), 42);
    EXPECT_EQ(WorkAuxTurns, 10);  // ((9 + 27) / 2 + 0.6) / 1.9 = 9.79
}

TEST_F(TurnsTest, UserPrimaryTurnsAreKeptWithTheSecondaryTurnsThatReachThem) {
    Settings.UserPrimaryTurns = true;
    Transfo.PrimaryTurns = 50;
    // Whatever the minimum asked: 3 secondary turns give only 44, 4 give 59 >= 50.
    for (int32_t nMin : {0, 27, 44, 300}) {
        EXPECT_EQ(ComputeTurns(nMin), 50) << nMin;
        EXPECT_EQ(WorkOutputTurns[0], 4) << nMin;
        EXPECT_EQ(WorkAuxTurns, 9) << nMin;
    }
}

TEST_F(TurnsTest, MinimumTurnsFollowTheFluxLimitOrTheUngappedInductance) {
    FluxLimitedCore();
    // 1 mH: 21 turns would reach it ungapped, the flux limit
    // (0.45 x 84.45 V / 100 kHz) / (0.75 x 0.38 T x 60 mm2) x 1.2 = 26.7 -> 27 -> next is 29.
    // 3 mH: 36.5 turns ungapped -> 37 -> next is 44.
    const struct { float lp; int32_t primary, output; } cases[] = {{1e-3f, 29, 2}, {3e-3f, 44, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lp);
        Transfo.Lprimary.Value = c.lp;
        EXPECT_EQ(ComputePrimaryTurns(60, 67), c.primary);
        EXPECT_EQ(WorkOutputTurns[0], c.output);
    }
}

TEST_F(TurnsTest, CoreNeedingMoreThan32767TurnsIsRefused) {
    FluxLimitedCore();
    Transfo.Lprimary.Value = 1e-3f;
    // A core of 0.01 mm2 would need about 160 000 primary turns.
    EXPECT_GT(ComputePrimaryTurns(0.01f, 67), MaxTurns);
    EXPECT_GT(ComputeTurns(40000), MaxTurns);
    EXPECT_GT(ComputeTurns(MaxTurns), MaxTurns);
    EXPECT_EQ(WorkAuxTurns, 0);
    // The primary fits but a 500 V output at 2.5 mV per turn would not.
    Settings.AdditionalOutputs = 1;
    Outputs[1].VoltageBeforeDiode = 500;
    EXPECT_GT(ComputeTurns(32000), MaxTurns);
    Outputs[1].VoltageBeforeDiode = 12;
    const int32_t turns = ComputeTurns(32000);
    EXPECT_GT(turns, 32000);
    EXPECT_LE(turns, MaxTurns);
}

TEST_F(TurnsTest, DegenerateVoltagesEndWithoutATurnCount) {
    InputStage.ReflectedVoltage = 0;
    EXPECT_GT(ComputeTurns(40), MaxTurns);
    InputStage.ReflectedVoltage = -80;
    EXPECT_GT(ComputeTurns(40), MaxTurns);
    InputStage.ReflectedVoltage = 80;
    Outputs[0].VoltageBeforeDiode = 0;
    EXPECT_GT(ComputeTurns(40), MaxTurns);
}

TEST_F(TurnsTest, AirGapGivesThePrimaryInductanceAndIsNegativeBelowTheUngappedTurns) {
    CurrentCore.Ae = 60;
    CurrentCore.Le = 67;
    CurrentMaterial.Ui100 = 2000;
    Transfo.Lprimary.Value = 1e-3f;
    const struct { int32_t turns; double gap, tolerance; } cases[] = {{44, 1.124710e-4, 1e-9}, {15, -1.65354e-5, 1e-10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.turns);
        BestPrimaryTurns = c.turns;
        ComputeAirGap();
        EXPECT_NEAR(Transfo.AirGap, c.gap, c.tolerance);
    }
}
