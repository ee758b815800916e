// The peak-drain-voltage check and the primary clamp: the RC clamp's parts and loss, the surge
// clamp's loss, and the guards of the clamp-voltage iteration.

#include <gtest/gtest.h>

#include <cmath>

#include "DefaultDesignTest.h"
#include "DesignWarningHost.h"
#include "NumberText.h"
#include "PrimaryClamp.h"
#include "Variables.h"

using namespace zorvic;

class ClampTest : public DefaultDesignTest<DesignWarningHost> {
protected:
    // A 650 V chip on the 373 V bus of 264 V AC with VR 80 V: a margin of 131.6 V.
    void SetUp() override {
        DefaultDesignTest::SetUp();
        CurrentChip.Vdmax = 650;
        Transfo.Lprimary.Value = 6.9147465e-4f;
        Transfo.IpeakMax = 0.78195924f;
        Clamper.Diode.Trr = 9e-8f;
    }
};

// Leakage 3 % of 691 uH; margin 0.9 x 650 - 373.35 - 80 V. The ringing would peak at 0.782 A x
// sqrt(20.74 uH / 30 pF) + 80 = 730 V; the clamp voltage settles at 241.6 V with 0.738 A left,
// above the 0.7 x (650 - 373.35) = 193.65 V the chip allows, which clamps. Slope (193.65 - 80) V
// / 20.74 uH; charge 0.738^2 / (2 x slope) - (90 ns)^2 x slope / 2 = 27.5 nC per cycle.
TEST_F(ClampTest, RcClampTakesTheLeakageChargeAtTheClampVoltage) {
    ComputeClamp();
    EXPECT_FLOAT_EQ(Transfo.Lleak.Value, 2.0744239e-5f);
    EXPECT_FLOAT_EQ(Clamper.VoltageMargin, 131.64761f);
    // R1 = 70.3 kohm before the E12 series (down), C3 = 1.42 nF before the E6 series (up).
    EXPECT_FLOAT_EQ(OperatingPoint.ClamperLoss, 0.5334555f);
    EXPECT_FLOAT_EQ(Clamper.R1.Value, 68000);
    EXPECT_FLOAT_EQ(Clamper.C3.Value, 1.5e-9f);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ClampTest, RingingBelowTheFirstEstimateLeavesNoChargeAndTheOpenClamp) {
    Transfo.Cpri.Value = 3e-9f;  // Z = 83 ohm: the ringing peaks at 145 V
    ComputeClamp();
    // Vcl = Vring = 145.02 V over the 22 Mohm resistor.
    EXPECT_FLOAT_EQ(OperatingPoint.ClamperLoss, 145.02377f * 145.02377f / 2.2e7f);
    EXPECT_EQ(Clamper.R1.Value, 2.2e7f);  // already an E12 value
    EXPECT_FLOAT_EQ(Clamper.C3.Value, 4.7e-12f);
}

TEST_F(ClampTest, ClampVoltageAtTheReflectedVoltageSizesTheOpenClamp) {
    // The chip's breakdown caps the clamp at 0.7 x (300 - 100) = 140 V, which is VR itself:
    // no slope is left to drain the leakage inductance (margin 270 - 100 - 140 = 30 V).
    InputStage.VdcMax = 100;
    CurrentChip.Vdmax = 300;
    InputStage.ReflectedVoltage = 0.7f * (300.0f - 100.0f);
    ComputeClamp();
    ASSERT_GE(Clamper.VoltageMargin, 10);
    EXPECT_TRUE(std::isfinite(OperatingPoint.ClamperLoss));
    EXPECT_GE(OperatingPoint.ClamperLoss, 0);
    EXPECT_TRUE(std::isfinite(Clamper.R1.Value));
    EXPECT_GT(Clamper.R1.Value, 1e7f);
}

TEST_F(ClampTest, MarginOfExactlyTenVoltsPasses) {
    // 0.9 x 650 = 585 = VdcMax + VR + 10.
    InputStage.VdcMax = 495;
    ComputeClamp();
    EXPECT_EQ(Clamper.VoltageMargin, 10.0f);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(Settings.RecomputeFlag);
}

TEST_F(ClampTest, MarginUnderTenVoltsWarnsAndKeepsThePreviousClamp) {
    InputStage.VdcMax = 495.5f;
    Clamper.R1.Value = 12345;
    Clamper.C3.Value = 1e-9f;
    OperatingPoint.ClamperLoss = 0.75f;
    ComputeClamp();
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.inputEditorCalls, 1);
    EXPECT_FALSE(Settings.RecomputeFlag);  // the editor was left without a change
    EXPECT_EQ(Clamper.R1.Value, 12345.0f);
    EXPECT_EQ(Clamper.C3.Value, 1e-9f);
    EXPECT_EQ(OperatingPoint.ClamperLoss, 0.75f);
}

TEST_F(ClampTest, IterationThatNeverSettlesStopsAndTheDesignGoesOn) {
    // An inductance read from a broken file: no step ever comes within 1 V of the last.
    Transfo.Lprimary.Value = std::nanf("");
    ComputeClamp();
    SUCCEED();
}

TEST_F(ClampTest, SurgeClampBelowTheRingingPeakCostsNothing) {
    Clamper.RCClamper = false;
    Transfo.IpeakMax = 0;  // the ringing stays at VR, under every part's breakdown voltage
    ComputeClamp();
    EXPECT_GT(Clamper.Clamp.Vbr[0], InputStage.ReflectedVoltage);
    EXPECT_EQ(OperatingPoint.ClamperLoss, 0.0f);
}

TEST_F(ClampTest, SurgeClampLossIsNeverNegative) {
    // No part fits a 450 V reflected voltage; the placeholder breaks down below VR.
    Clamper.RCClamper = false;
    InputStage.VdcMax = 100;
    InputStage.ReflectedVoltage = 450;
    Transfo.IpeakMax = 2;
    ComputeClamp();
    ASSERT_GE(Clamper.VoltageMargin, 10);
    EXPECT_TRUE(std::isfinite(OperatingPoint.ClamperLoss));
    EXPECT_GE(OperatingPoint.ClamperLoss, 0);
}
