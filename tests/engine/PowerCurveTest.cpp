// Total loss and efficiency of the design at other input voltages and powers. Expected values
// worked out in 32-bit steps for the hand-set design below.

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>

#include "ComputeDesign.h"
#include "CurveSamples.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

class PowerCurveTest : public ::testing::Test {
protected:
    float efficiency = 0;
    float loss = 0;

    // 100 to 300 V, 80 V reflected, 1 mH, 100 kHz, 6 W in at full load and 1 W at the least;
    // a 5 V 1 A output with an LC filter, a 12 V 0.1 A Zener output losing 0.3 W and a 3.3 V
    // 0.2 A regulator output.
    void SetUp() override {
        InputStage.VdcMin = 100;
        InputStage.VdcMax = 300;
        InputStage.ReflectedVoltage = 80;
        InputStage.SwitchingFrequency = 100000;
        Transfo.Lprimary.Value = 1e-3f;
        Transfo.InputPower = 6;
        Transfo.IrmsMax = 0.2f;
        Transfo.Cpri.Value = 3e-11f;
        Transfo.CoreLoss = 0.05f;
        Transfo.WindingLoss = 0.08f;
        OperatingPoint.Pmin = 1;
        OperatingPoint.ChipPinTemperature = 40;
        OperatingPoint.RthJunctionPin = 2;
        OperatingPoint.ClamperLoss = 0.1f;
        Clamper.RCClamper = true;
        Clamper.R1.Value = 560000;
        ChipRecord& chip = CurrentChip;
        chip.IddSlope = 0.001f;
        chip.IddOffset = 0.008f;
        chip.Vdd1 = 15;
        chip.Rdson = 0.85f;
        chip.Coss = 6e-11f;
        chip.Idlim = 2;
        chip.TonMin = 6e-7f;
        chip.Param21 = 1e-6f;

        Settings.AdditionalOutputs = 2;
        SetOutput(0, 9, 5, 1, 1.5f, 0.35f, 0.02f);
        SetOutput(1, 1, 12, 0.1f, 0.15f, 0.4f, 0.05f);
        Outputs[1].Loss = 0.3f;
        SetOutput(2, 3, 3.3f, 0.2f, 0.3f, 0.4f, 0.05f);
        Outputs[2].Regulator.Vdrop = 1;
        Outputs[2].Regulator.VdropSlope = 0.5f;
    }

    static void SetOutput(std::size_t i, int16_t type, float v, float current, float irms, float vt0, float rd) {
        OutputRecord& output = Outputs[i];
        output.OutputType = type;
        output.Voltage = v;
        output.Current = current;
        output.IrmsSecondary = irms;
        output.Diode.Vt0 = vt0;
        output.Diode.Rd = rd;
    }
};

// A 2.5 V reference on 4.7 k to ground, 1 mA through it, and the 5 V output regulated on 4.7 k.
static void SecondaryNetwork() {
    OperatingPoint.SecondaryRegulation = true;
    Regulation.ReferenceVoltage = 2.5f;
    Regulation.ReferenceCurrent = 0.001f;
    Regulation.GroundResistor.Value = 4700;
    Regulation.Divider[1].Value = 4700;
    Outputs[0].Regulated = true;
    Outputs[0].ActualVoltage = 5;
}

struct PointCase {
    const char* name;
    void (*design)();
    float f, x;
    const char *corner, *mode;
    float loss, efficiency;
};

class PowerPointTest : public PowerCurveTest, public ::testing::WithParamInterface<PointCase> {};

TEST_P(PowerPointTest, LossAndEfficiency) {
    const PointCase& c = GetParam();
    c.design();
    PowerCurvePoint(c.f, c.x, efficiency, loss, c.corner, c.mode);
    EXPECT_FLOAT_EQ(loss, c.loss);
    EXPECT_FLOAT_EQ(efficiency, c.efficiency);
}

INSTANTIATE_TEST_SUITE_P(Points, PowerPointTest, ::testing::Values(
    // 200 V, 3 W: half load, discontinuous.
    PointCase{"CursorOnTheBusVoltageScalesTheLoadByThePower", [] {}, 0.5f, 3, "Vin", "Cont", 1.5988473f, 68.21281f},
    // 150 V, 1 + 5 x 0.25 W, a quarter of the load.
    PointCase{"CursorOnThePowerTakesTheLoadFromTheCursor", [] {}, 0.25f, 150, "Pin", "Discont", 1.6406121f, 51.12297f},
    // Continuous conduction on both sides of the soft current limit: 20 V, a 0.3 A valley below
    // half the limit; 5 V, a 1.3 A peak above it.
    PointCase{"ContinuousValleyBelowTheSoftLimit", [] {}, 1, 20, "Pin", "Cont", 1.4330953f, 82.7215f},
    PointCase{"ContinuousPeakAboveTheSoftLimit", [] {}, 1, 5, "Pin", "Cont", 1.4287095f, 82.76527f},
    // Below the shortest on-time the chip bursts: 300 V with the least power, 1 W against 1.62 W
    // at the shortest on-time.
    PointCase{"BelowTheShortestOnTimeTheChipBursts", [] {}, 0, 300, "Pin", "Burst", 1.8285804f, 0.05465734f},
    // At full load the Zener output loses its design loss (0.3 W) and the transformer its core
    // and copper loss (0.13 W); at half load the Zener takes half the output's 1.2 W besides.
    PointCase{"FullLoadTakesTheDesignsZenerAndTransformerLosses", [] {}, 0, 6, "Vin", "Cont", 1.428807f, 82.7643f},
    // 2.5^2 / 4.7 k + 1 mA x 5 V + 2.5^2 / 4.7 k = 7.66 mW, in the loss and in the input power.
    PointCase{"SecondaryRegulationNetworkAddsItsLoss", SecondaryNetwork, 0.25f, 150, "Pin", "Discont", 1.6482717f,
              51.00658f},
    // The divider resistors go with the regulated outputs in their order; one left out at 0 ohm
    // carries nothing and does not hold up the next one. 2.5^2 / 4.7 k + 1 mA x 5 V + 9.5^2 / 4.7 k.
    PointCase{"RegulationLossTakesEachRegulatedOutputsOwnDivider",
              [] {
                  SecondaryNetwork();
                  Regulation.Divider[1].Value = 0;
                  Regulation.Divider[2].Value = 4700;
                  Outputs[1].Regulated = true;
                  Outputs[1].ActualVoltage = 12;
              },
              0.25f, 150, "Pin", "Discont", 1.666144f, 50.737045f}),
    [](const auto& info) { return std::string(info.param.name); });

// A junction that would pass 170 degC (1000 degC/W puts it near 240 degC) takes the conduction
// loss at 170 degC, as the design does. With no thermal resistance the junction stays at the
// pin and the conduction loss at its 25 degC value, 0.2 A squared in 0.85 ohm = 34 mW; at 170 degC
// it is 1.00836^145 = 3.343991 times that.
TEST_F(PowerCurveTest, JunctionPastTheLimitTakesTheConductionLossAt170) {
    OperatingPoint.RthJunctionPin = 0;
    PowerCurvePoint(1, 100, efficiency, loss, "Pin", "Cont");
    const float cool = loss;
    OperatingPoint.RthJunctionPin = 1000;
    PowerCurvePoint(1, 100, efficiency, loss, "Pin", "Cont");
    EXPECT_NEAR(loss - cool, 0.034f * (3.343991f - 1), 2e-6f);
}

TEST_F(PowerCurveTest, NoOutputPowerGivesAFiniteEfficiency) {
    for (OutputRecord& output : Outputs) output.Current = 0;
    Transfo.InputPower = 0;
    OperatingPoint.Pmin = 0;
    for (float x : {0.0f, 1.0f}) {
        PowerCurvePoint(0.5f, x, efficiency, loss, "Vin", "Discont");
        EXPECT_TRUE(std::isfinite(efficiency) && std::isfinite(loss));
        EXPECT_GE(efficiency, 0);
        EXPECT_LT(efficiency, 1);
    }
}

// A design whose chip runs over temperature: 4.2 V 6.95 A from 36 to 72 V DC through a chip in a
// package of 182.8 degC/W. The design takes the conduction loss at 170 degC; so must the curve
// at full load, where it then meets the design's own loss and efficiency.
class HotDesignCurveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ComputeDesign();
        CurrentChip = ChipTable[4];
        InputStage.SwitchingFrequency = 60000;
        OperatingPoint.ChipPackageType = 1;
        OperatingPoint.RthJunctionPin = 182.8f;
        Settings.ACInput = false;
        InputStage.DCInputMin = 36;
        InputStage.DCInputMax = 72;
        InputStage.ReflectedVoltage = 115;
        Clamper.RCClamper = false;
        Settings.AdditionalOutputs = 0;
        OutputRecord& out = Outputs[0];
        out.Voltage = 4.2f;
        out.Current = 6.95f;
        out.MinimumCurrent = 2.015f;
        out.OutputType = 9;
        out.RippleFirstCell = 0.45f;
        out.RippleSecondCell = 0.33f;
        out.CapacitorDerating = 9.7f;
        UpdateDcBusVoltages();
        ComputeDesign();
    }

    // Full load at the lowest bus voltage, where the design is worked out.
    float FullLoadLoss(float& efficiency) {
        float loss = 0;
        PowerCurvePoint(1, InputStage.VdcMin, efficiency, loss, "Pin", "Cont");
        return loss;
    }
};

TEST_F(HotDesignCurveTest, FullLoadMeetsTheDesignsLossAndEfficiency) {
    const ChipRecord& chip = CurrentChip;
    const OperatingRecord& op = OperatingPoint;
    ASSERT_TRUE(chip.OverTemperature);
    ASSERT_EQ(chip.Tj, 170);
    const float atLimit = Transfo.IrmsMax * Transfo.IrmsMax * chip.Rdson * 3.343991f;
    EXPECT_NEAR(op.ChipLoss, chip.LossBias + chip.LossSwitching + atLimit, 1e-5f * op.ChipLoss);

    float efficiency = 0;
    const float loss = FullLoadLoss(efficiency);
    // The curve's conduction loss at full load is the design's, at 170 degC: without it the
    // curve loses exactly that much less.
    const float rdson = CurrentChip.Rdson;
    CurrentChip.Rdson = 0;
    float coolEfficiency = 0;
    const float withoutConduction = FullLoadLoss(coolEfficiency);
    CurrentChip.Rdson = rdson;
    EXPECT_NEAR(loss - withoutConduction, atLimit, 1e-4f * loss);
    // The rest of the curve's loss is modelled apart from the design's, but close to it.
    EXPECT_NEAR(loss, op.TotalLoss, 0.05f * op.TotalLoss);
    EXPECT_NEAR(efficiency, 100 * op.Efficiency, 1);
}
