// The whole converter computation: its passes, the totals it leaves, DC input, and designs that
// ask more than the chip can give.

#include <gtest/gtest.h>

#include <cmath>

#include "ComputeDesign.h"
#include "DefaultDesignTest.h"
#include "DesignResults.h"
#include "DesignWarningHost.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

class ComputeDesignTest : public DefaultDesignTest<DesignWarningHost> {
protected:
    static void ExpectFiniteDesign() {
        const OperatingRecord& op = OperatingPoint;
        for (float x : {op.Efficiency, op.RegulationLoss, op.ClamperLoss, op.ChipLoss, op.TransformerLoss,
                        op.OutputLoss, op.TotalLoss, op.OutputPower, op.CentreCurrentAtVmin, op.CentreCurrentAtVmax,
                        op.DutyCycleAtVmin, op.DutyCycleAtVmax, op.RippleCurrentAtVmin, op.RippleCurrentAtVmax,
                        op.ValleyCurrentAtVmin, op.ContRatio, op.Pmin, op.Pmax, op.ChipPinTemperature})
            EXPECT_TRUE(std::isfinite(x)) << x;
        for (float x : {Transfo.Lprimary.Value, Transfo.Lleak.Value, Transfo.InputPower, Transfo.IrmsMax,
                        Transfo.IpeakMax, Clamper.R1.Value, Clamper.C3.Value, Clamper.VoltageMargin,
                        InputStage.C2.Value, CurrentChip.LossBias, CurrentChip.LossConduction,
                        CurrentChip.LossSwitching, CurrentChip.Tj, CurrentChip.SupplyCurrent,
                        CurrentChip.SupplyCapacitor.Value, CurrentChip.OscResistor.Value})
            EXPECT_TRUE(std::isfinite(x)) << x;
        for (int i = 0; i <= Settings.AdditionalOutputs; ++i) {
            const OutputRecord& output = Outputs[static_cast<std::size_t>(i)];
            for (float x : {output.Loss, output.DiodeLoss, output.IrmsSecondary, output.RippleCurrent})
                EXPECT_TRUE(std::isfinite(x)) << "output " << i << ": " << x;
        }
    }
};

TEST_F(ComputeDesignTest, DefaultDesignRunsOneRefiningPassWithoutWarning) {
    ComputeDesign();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.doEventsCalls, 1);
    // The power check runs once in every pass.
    EXPECT_EQ(host.powerWarnings, (std::vector<bool>{false, false}));
    EXPECT_FALSE(Settings.RecomputeFlag);
    EXPECT_FALSE(Settings.PowerTooHigh);
    EXPECT_FALSE(CurrentChip.OverTemperature);
    ExpectFiniteDesign();
}

// The default design's first computation, from the program's start state, worked through in
// 32-bit steps independently of the engine's code (5 V 1 A, LC output, 88-264 V AC, 100 kHz, the
// default chip in its HTP10 package), refined once from the first-pass estimates and the
// transformer loss of the first pass (5.54 W in, 0.332 W). Every computation starts from what it
// leaves, the default design's own included, which then shows other preferred values.
TEST_F(ComputeDesignTest, DefaultDesignPartsFollowFromTheFormulas) {
    ComputeDesign();
    EXPECT_FLOAT_EQ(Clamper.R1.Value, 470000);
    EXPECT_FLOAT_EQ(Control.R3.Value, 560);
    EXPECT_FLOAT_EQ(Control.C6.Value, 4.7e-7f);

    StartFromDesignResults(*StartingResults());
    const OutputRecord& output = Outputs[0];
    EXPECT_EQ(output.Diode.Name, "RDKA30");
    EXPECT_FLOAT_EQ(output.CurrentRatio, 13.961605f);
    EXPECT_FLOAT_EQ(output.VoltageBeforeDiode, 5.577f);
    EXPECT_FLOAT_EQ(output.IrmsSecondary, 1.5015874f);
    EXPECT_FLOAT_EQ(output.RippleCurrent, 1.1201628f);
    EXPECT_FLOAT_EQ(output.DiodeLoss, 0.6255598f);
    EXPECT_FLOAT_EQ(output.Cap1.Value, 1.2e-3f);
    EXPECT_FLOAT_EQ(output.Cap2.Value, 2.2e-4f);
    EXPECT_FLOAT_EQ(output.Inductor.Value, 4.7e-6f);

    EXPECT_FLOAT_EQ(Transfo.InputPower, 6.171627f);
    EXPECT_FLOAT_EQ(Transfo.Lprimary.Value, 1.6640148e-3f);
    EXPECT_FLOAT_EQ(Transfo.IpeakMax, 0.2734617f);
    EXPECT_FLOAT_EQ(Transfo.IrmsMax, 0.1159273f);
    EXPECT_FLOAT_EQ(OperatingPoint.DutyCycleAtVmin, 0.48684543f);
    EXPECT_EQ(OperatingPoint.ContinuousModeText, "@ Low Line");

    EXPECT_FLOAT_EQ(CurrentChip.LossBias, 0.14091156f);
    EXPECT_FLOAT_EQ(CurrentChip.LossSwitching, 0.025809616f);
    EXPECT_FLOAT_EQ(CurrentChip.LossConduction, 0.011980265f);
    EXPECT_FLOAT_EQ(OperatingPoint.ChipLoss, 0.17870145f);
    EXPECT_FLOAT_EQ(CurrentChip.Tj, 30.71839f);
    EXPECT_FLOAT_EQ(OperatingPoint.ChipPinTemperature, 30.36099f);

    EXPECT_FLOAT_EQ(Transfo.Lleak.Value, 4.9920443e-5f);
    EXPECT_FLOAT_EQ(OperatingPoint.ClamperLoss, 0.06656558f);
    EXPECT_FLOAT_EQ(Clamper.R1.Value, 560000);
    EXPECT_FLOAT_EQ(Clamper.C3.Value, 2.2e-10f);

    EXPECT_FLOAT_EQ(InputStage.C2.Value, 1.5e-5f);
    EXPECT_FLOAT_EQ(InputStage.C7.Value, 2.2e-9f);
    EXPECT_EQ(CurrentChip.OscResistor.Value, 6800.0f);
    EXPECT_EQ(CurrentChip.OscCapacitor.Value, 2.2e-9f);
    EXPECT_FLOAT_EQ(CurrentChip.SupplyCapacitor.Value, 3.3e-6f);
    EXPECT_FLOAT_EQ(CurrentChip.SupplyCapacitor2.Value, 1.5e-8f);
    // 373 V over the auxiliary ratio 80 / (15 + 0.6) is 72.8 V, above the Schottky's 70 V.
    EXPECT_EQ(CurrentChip.AuxDiode.Name, "RD059");

    EXPECT_FLOAT_EQ(OperatingPoint.TotalLoss, 1.2218914f);
    EXPECT_FLOAT_EQ(OperatingPoint.Efficiency, 0.80361414f);
}

TEST_F(ComputeDesignTest, ShownTotalIsTheFourTermLossWithoutTheRegulationNetwork) {
    OperatingPoint.SecondaryRegulation = true;
    Outputs[0].Regulated = true;
    Regulation.ReferenceVoltage = 2.5f;
    Regulation.GroundResistor.Value = 10000;
    Regulation.Divider[1].Value = 10000;
    ComputeDesign();
    const OperatingRecord& op = OperatingPoint;
    EXPECT_GT(op.RegulationLoss, 0);
    EXPECT_EQ(op.TotalLoss, op.ChipLoss + op.OutputLoss + op.ClamperLoss + op.TransformerLoss);
    EXPECT_EQ(op.Efficiency, op.OutputPower / (op.OutputPower + op.TotalLoss));
    EXPECT_GT(op.Efficiency, 0.5f);
    EXPECT_LT(op.Efficiency, 1);
}

TEST_F(ComputeDesignTest, DcInputTakesItsLimitsWithoutRipple) {
    Settings.ACInput = false;
    InputStage.DCInputMin = 36;
    InputStage.DCInputMax = 72;
    UpdateInputVoltages();
    EXPECT_EQ(InputStage.VdcMin, 36.0f);
    EXPECT_EQ(InputStage.VdcMax, 72.0f);
    ComputeDesign();
    EXPECT_TRUE(host.messages.empty());
    ExpectFiniteDesign();
    Settings.ACInput = true;
    UpdateDcBusVoltages();
    EXPECT_EQ(InputStage.VdcMin, 84.45079f);
    EXPECT_EQ(InputStage.VdcMax, 373.3524f);
}

TEST_F(ComputeDesignTest, TooMuchPowerKeepsTheFlagAndFiniteValues) {
    Outputs[0].Current = 60;  // 300 W from a 2 A chip at VR 80 V
    ComputeDesign();
    EXPECT_TRUE(Settings.PowerTooHigh);
    EXPECT_TRUE(host.powerWarnings.back());
    ExpectFiniteDesign();
}

TEST_F(ComputeDesignTest, DutyCycleBeyondOneComputesOnWithFiniteValues) {
    // 4.8 kW through a 5 ohm switch: the drain drop eats the bus and the duty passes 1, so the
    // off-time and several square roots would go negative.
    Outputs[0].Voltage = 24;
    Outputs[0].Current = 200;
    CurrentChip.Rdson = 5;
    ComputeDesign();
    EXPECT_TRUE(Settings.PowerTooHigh);
    EXPECT_GT(OperatingPoint.DutyCycleAtVmin, 1);
    ExpectFiniteDesign();
}

TEST_F(ComputeDesignTest, SixOutputsOfEveryKindCompute) {
    Settings.AdditionalOutputs = 5;
    const int16_t types[] = {9, 1, 3, 5, 7, 13};
    const float volts[] = {5, 12, 3.3f, 15, 24, 5};
    for (int i = 0; i < 6; ++i) {
        Outputs[static_cast<std::size_t>(i)].OutputType = types[i];
        Outputs[static_cast<std::size_t>(i)].Voltage = volts[i];
        Outputs[static_cast<std::size_t>(i)].Current = 0.1f;
        Outputs[static_cast<std::size_t>(i)].Regulator.Family = "VRA";
    }
    ComputeDesign();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(Settings.PowerTooHigh);
    ExpectFiniteDesign();
}

TEST_F(ComputeDesignTest, ZeroCurrentOutputLeavesTheDesignFinite) {
    Settings.AdditionalOutputs = 1;
    Outputs[1].OutputType = 1;
    Outputs[1].Current = 0;
    Outputs[1].Voltage = 12;
    ComputeDesign();
    ExpectFiniteDesign();
}

TEST_F(ComputeDesignTest, AuxiliaryDiodeFollowsTheDesignedWindingRatio) {
    // 230 V x sqrt(2) = 325 V over the auxiliary ratio 80 / (15 + 0.6) = 5.13 is 63.4 V at the
    // auxiliary diode: the Schottky's 70 V suffice.
    InputStage.VacMax = 230;
    UpdateDcBusVoltages();
    ComputeDesign();
    EXPECT_FLOAT_EQ(Transfo.AuxTurnsRatio, 5.128205f);
    EXPECT_EQ(CurrentChip.AuxDiode.Name, "1NQ58");
}

// A fixed core with a blank dimension (a custom core entered without its window area, say) would
// divide by zero: the design takes the automatic choice among the candidates instead.
TEST_F(ComputeDesignTest, AFixedBlankCoreLeavesTheChoiceToTheDesign) {
    for (float CoreGeometry::*blank : {&CoreGeometry::W, &CoreGeometry::Ae, &CoreGeometry::Lm}) {
        ResetDesignState();
        ApplyDesignDefaults();
        CurrentCore = StandardCoreTable[4];
        CurrentCore.*blank = 0;
        Settings.UserCoreGeometry = true;
        ComputeDesign();
        EXPECT_GT(Transfo.Core.W * Transfo.Core.Ae * Transfo.Core.Lm, 0);
        ExpectFiniteDesign();
    }
}
