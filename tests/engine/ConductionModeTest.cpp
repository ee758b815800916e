// The operating point at both DC bus extremes: duty cycles, drain currents, the conduction-mode
// text and the secondary currents of the outputs.

#include <gtest/gtest.h>

#include <cmath>

#include "Formula.h"
#include "NumberText.h"
#include "OperatingCurrents.h"
#include "Variables.h"

using namespace zorvic;

namespace {

struct ModeCase {
    const char* name;
    float lp;
    float reflectedActual;
    const char* text;
    float dutyMin, dutyMax, rippleMin, rippleMax, valley, contRatio, ipeak, irms, supply;
    float irms0, ripple0, irms1, ripple1;
};

// 20 W from the 88-264 V AC default bus (84.45 to 373.35 V DC), VR 80 V, Rdson 0.85 ohm,
// 100 kHz. The first inductance is the boundary inductance for 20 W (boundary at 152.9 V).
// Worked in 32-bit floats step by step, so every value is exact.
const ModeCase modeCases[] = {
    {"ContinuousOnlyAtLowLine", 6.9147465e-4f, 0, "@ Low Line", 0.4876918f, 0.1409611f, 0.5927137f, 0.76057464f,
     0.18924552f, 1.3192866f, 0.78195924f, 0.35955527f, 0.0037191832f, 1.0042113f, 0.091871515f, 0.431166f,
     0.25317165f},
    // Lp x fsw = 9.99999975 (not the 10 of a 32-bit product) under the 64-bit root of the peak.
    {"DiscontinuousAtBothEnds", 1e-4f, 0, "Discont", 0.2379875f, 0.05360572f, 2.0f, 2.0f, 0, 1, 2.0f, 0.5633087f,
     0.0045358944f, 1.5771384f, 1.219576f, 0.67715675f, 0.4566632f},
    {"DiscontinuousWithTheRoundedTurnsVoltage", 1e-4f, 100, "Discont", 0.2379875f, 0.05360572f, 2.0f, 2.0f, 0, 1,
     2.0f, 0.5633087f, 0.0045358944f, 1.4106355f, 0.9949334f, 0.60566735f, 0.34180835f},
    {"ContinuousAtBothEnds", 5e-3f, 0, "Cont", 0.4876918f, 0.1765636f, 0.081969306f, 0.13174982f, 0.44461772f,
     6.4241977f, 0.526587f, 0.33952245f, 0.0037191832f, 0.9482611f, 0.31749162f, 0.40714332f, 0.29023147f},
};

}  // namespace

class ConductionModeTest : public ::testing::TestWithParam<ModeCase> {
protected:
    void SetUp() override {
        CurrentChip.Rdson = 0.85f;
        CurrentChip.Idlim = 2;
        CurrentChip.IddSlope = 0.001f;
        CurrentChip.IddOffset = 0.008f;
        Transfo.InputPower = 20;
        Settings.AdditionalOutputs = 1;
        Outputs[0].CurrentRatio = 10;
        Outputs[0].VoltageBeforeDiode = 5.45f;
        Outputs[0].Current = 1;
        Outputs[1].CurrentRatio = 3;
        Outputs[1].VoltageBeforeDiode = 15.6f;
        Outputs[1].Current = 0.5f;
    }
};

TEST_P(ConductionModeTest, OperatingPointAtBothBusExtremes) {
    const ModeCase& c = GetParam();
    Transfo.Lprimary.Value = c.lp;
    OperatingPoint.ReflectedVoltageActual = c.reflectedActual;
    ComputeOperatingPoint();
    const OperatingRecord& op = OperatingPoint;
    EXPECT_EQ(op.ContinuousModeText, c.text);
    EXPECT_EQ(op.CentreCurrentAtVmin, 0.48560238f);
    EXPECT_EQ(op.CentreCurrentAtVmax, 0.303396f);
    EXPECT_EQ(op.DutyCycleAtVmin, c.dutyMin);
    EXPECT_EQ(op.DutyCycleAtVmax, c.dutyMax);
    EXPECT_EQ(op.RippleCurrentAtVmin, c.rippleMin);
    EXPECT_EQ(op.RippleCurrentAtVmax, c.rippleMax);
    EXPECT_EQ(op.ValleyCurrentAtVmin, c.valley);
    EXPECT_EQ(op.ContRatio, c.contRatio);
    EXPECT_EQ(Transfo.IpeakMax, c.ipeak);
    EXPECT_EQ(Transfo.IrmsMax, c.irms);
    EXPECT_EQ(CurrentChip.SupplyCurrent, c.supply);
    EXPECT_EQ(Outputs[0].IrmsSecondary, c.irms0);
    EXPECT_EQ(Outputs[0].RippleCurrent, c.ripple0);
    EXPECT_EQ(Outputs[1].IrmsSecondary, c.irms1);
    EXPECT_EQ(Outputs[1].RippleCurrent, c.ripple1);
}

INSTANTIATE_TEST_SUITE_P(Modes, ConductionModeTest, ::testing::ValuesIn(modeCases),
                         [](const ::testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

class ConductionFormulaTest : public ::testing::Test {
protected:
    void SetUp() override {
        CurrentChip.Idlim = 2;
    }
};

TEST_F(ConductionFormulaTest, CentreCurrentWithNoVoltageIsTheCurrentLimit) {
    EXPECT_EQ(RampCentreCurrent(20, 0, 80, 0.85f), 2.0f);
    EXPECT_EQ(RampCentreCurrent(20, 100, 0, 0.85f), 2.0f);
}

TEST_F(ConductionFormulaTest, RippleEqualToTwiceTheCentreCurrentIsDiscontinuous) {
    // No drain drop, 100 V in, VR 100 V, 50 W: I = 1 A and D = 0.5; at 65536 Hz the ripple
    // 100 x 0.5 / 65536 / Lp is exactly 2 A = 2 x I for Lp = 25 / 65536 H.
    InputStage.ReflectedVoltage = 100;
    InputStage.SwitchingFrequency = 65536;
    CurrentChip.Rdson = 0;
    Transfo.Lprimary.Value = 25.0f / 65536;
    EXPECT_EQ(ConductionModeAt(100, 50), "Discont");
    Transfo.Lprimary.Value = 25.01f / 65536;
    EXPECT_EQ(ConductionModeAt(100, 50), "Cont");
}

TEST_F(ConductionFormulaTest, DiscontinuousAtTheLowLimitWinsWhateverTheHighLimitSays) {
    // No drain drop, VR 100 V, 50 W, 65536 Hz, Lp = 25 / 65536 H: at 300 V the ripple is 3 A
    // against 2 x 0.667 A (discontinuous), at 50 V 1.33 A against 2 x 1.5 A (continuous). The
    // limits are passed the wrong way round, so only the low one is discontinuous.
    InputStage.ReflectedVoltage = 100;
    InputStage.SwitchingFrequency = 65536;
    CurrentChip.Rdson = 0;
    Transfo.Lprimary.Value = 25.0f / 65536;
    OperatingPoint.DutyCycleAtVmin = 0.25f;
    Settings.AdditionalOutputs = 0;
    Outputs[0].CurrentRatio = 4;
    Outputs[0].VoltageBeforeDiode = 5;
    Outputs[0].Current = 2.5f;
    float ipeak = 0;
    float irms = 0;
    EXPECT_EQ(ConductionContinuousModeText(300, 50, 50, ipeak, irms), "Discont");
    // Ipk = sqrt(2 x 50 / 25) = 2; Irms = sqrt(0.25 x 4 / 3).
    EXPECT_EQ(ipeak, 2.0f);
    EXPECT_EQ(irms, 0.57735026f);
    // Secondary conducts 0.25 x 300 / 100 of the period up to 8 A: X = 4 A, times 12.5 W / 50 W.
    EXPECT_EQ(Outputs[0].IrmsSecondary, 1.0f);
    EXPECT_EQ(Outputs[0].RippleCurrent, 2.291288f);
}

TEST_F(ConductionFormulaTest, DutyCycleTakesTheDiscontinuousOneWhenItIsShorter) {
    // Continuous: 100 / (100 + 100) = 0.5. Discontinuous at Lp x fsw = 10: sqrt(2 x 50 / 10) x
    // 10 / 100 = 0.316.
    EXPECT_FLOAT_EQ(DutyCycle(100, 100, 1, 0, 1e-4f, 100000, 50), 0.31622776f);
    EXPECT_FLOAT_EQ(DutyCycle(100, 100, 1, 0, 1e-2f, 100000, 50), 0.5f);
}

TEST_F(ConductionFormulaTest, TrapezoidRmsNeverTakesTheRootOfANegative) {
    EXPECT_DOUBLE_EQ(RmsTrapezoid(1, 1, 1), 1.0);
    EXPECT_DOUBLE_EQ(RmsTrapezoid(-0.2, 1, 1), 0.0);
    EXPECT_DOUBLE_EQ(RmsTrapezoid(0.75, 0, 2), 1.0);
}

TEST_F(ConductionFormulaTest, ArcSinEndsAtAQuarterTurn) {
    EXPECT_DOUBLE_EQ(ArcSin(1), std::acos(0.0));
    EXPECT_DOUBLE_EQ(ArcSin(-1), -std::acos(0.0));
    EXPECT_NEAR(ArcSin(0.5), std::asin(0.5), 1e-15);
}
