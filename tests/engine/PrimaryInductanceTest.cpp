// The primary inductance at the conduction boundary, and the power check that guards it.

#include <gtest/gtest.h>

#include "DefaultDesignTest.h"
#include "DesignWarningHost.h"
#include "NumberText.h"
#include "PrimaryInductance.h"
#include "Variables.h"

using namespace zorvic;

class PrimaryInductanceTest : public DefaultDesignTest<DesignWarningHost> {
protected:
    void SetUp() override {
        DefaultDesignTest::SetUp();
        CurrentChip.Rdson = 0.85f;
        CurrentChip.Idlim = 2;
        InputStage.ReflectedVoltage = 80;
        InputStage.SwitchingFrequency = 100000;
    }
};

TEST_F(PrimaryInductanceTest, BoundaryVoltageRisesWithTheShareOfTheChipsPower) {
    // x = 2 x 20 / (80 x 2) = 0.25: 80 x (0.75^1.6 x 5 x 0.5 + 1/3).
    EXPECT_EQ(BoundaryInputVoltage(80, 20, 2), 152.88663f);
    EXPECT_FALSE(Settings.PowerTooHigh);
    ASSERT_EQ(host.powerWarnings.size(), 1u);
    EXPECT_FALSE(host.powerWarnings[0]);
}

TEST_F(PrimaryInductanceTest, PowerEqualToWhatTheChipDeliversIsTooMuch) {
    EXPECT_FLOAT_EQ(BoundaryInputVoltage(80, 80, 2), 400);
    EXPECT_TRUE(Settings.PowerTooHigh);
    ASSERT_EQ(host.powerWarnings.size(), 1u);
    EXPECT_TRUE(host.powerWarnings[0]);

    // Just under the limit the chip copes again (at a boundary far above the bus) and the
    // picture goes.
    EXPECT_GT(BoundaryInputVoltage(80, 79.9f, 2), 400);
    EXPECT_FALSE(Settings.PowerTooHigh);
}

TEST_F(PrimaryInductanceTest, InductancePutsTheBoundaryAtTheBoundaryVoltage) {
    Transfo.InputPower = 20;
    ComputePrimaryInductance();
    EXPECT_EQ(Transfo.Lprimary.Value, 6.9147465e-4f);
}

TEST_F(PrimaryInductanceTest, UserInductanceStaysButThePowerCheckStillRuns) {
    Settings.UserPrimaryInductance = true;
    Transfo.Lprimary.Value = 1.5e-3f;
    Transfo.InputPower = 100;
    ComputePrimaryInductance();
    EXPECT_EQ(Transfo.Lprimary.Value, 1.5e-3f);
    EXPECT_TRUE(Settings.PowerTooHigh);
    Transfo.InputPower = 10;
    ComputePrimaryInductance();
    EXPECT_EQ(Transfo.Lprimary.Value, 1.5e-3f);
    EXPECT_FALSE(Settings.PowerTooHigh);
}

TEST_F(PrimaryInductanceTest, PeakCurrentAboveTheLimitFlagsButNeverClears) {
    Transfo.IpeakMax = 2;
    CheckCurrentLimit(2);  // equal is within the limit
    EXPECT_FALSE(Settings.PowerTooHigh);
    EXPECT_TRUE(host.powerWarnings.empty());
    Transfo.IpeakMax = 2.01f;
    CheckCurrentLimit(2);
    EXPECT_TRUE(Settings.PowerTooHigh);
    Transfo.IpeakMax = 1;
    CheckCurrentLimit(2);
    EXPECT_TRUE(Settings.PowerTooHigh);
    EXPECT_EQ(host.powerWarnings, std::vector<bool>{true});
}

TEST_F(PrimaryInductanceTest, NoInputPowerKeepsThePreviousInductance) {
    Transfo.Lprimary.Value = 1e-3f;
    Transfo.InputPower = 0;
    ComputePrimaryInductance();
    EXPECT_EQ(Transfo.Lprimary.Value, 1e-3f);
}
