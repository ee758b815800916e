// The chip's losses and the junction-temperature iteration, the over-temperature limit and the
// loss of the secondary-regulation network. Expected values worked out in 32-bit steps for the
// operating point below.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <string>

#include "ChipLoss.h"
#include "DefaultDesignTest.h"
#include "DesignWarningHost.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

class ChipLossTest : public DefaultDesignTest<DesignWarningHost> {
protected:
    // The default chip's data with the operating point of a 20 W design at 88-264 V AC that is
    // continuous at low line only.
    void SetUp() override {
        DefaultDesignTest::SetUp();
        ChipRecord& chip = CurrentChip;
        chip.IddSlope = 0.001f;
        chip.IddOffset = 0.008f;
        chip.Vdd1 = 15;
        chip.Vdd2 = 8.4f;
        chip.VddReg = 15;
        chip.InputBiasCurrent = 70e-6f;
        chip.Rdson = 0.85f;
        chip.Coss = 60e-12f;
        chip.Param21 = 1e-6f;
        chip.Param28 = 0.85f;
        chip.Param29 = 3e-11f;
        chip.Idlim = 2;
        chip.Vdmax = 650;
        Transfo.Cpri.Value = 3e-11f;
        Transfo.IrmsMax = 0.35955527f;
        Transfo.IpeakMax = 0.78195924f;
        Transfo.Lprimary.Value = 6.9147465e-4f;
        OperatingPoint.RippleCurrentAtVmin = 0.5927137f;
        OperatingPoint.ContinuousModeText = "@ Low Line";
        OperatingPoint.AmbientTemperature = 25;
        OperatingPoint.RthJunctionPin = 2;
        OperatingPoint.RthPinAmbient = 30;
    }
};

// Supply: 9 mA x 15 V + 84.45 V x 70 uA = 0.1409 W. Switching at 164.45 V: 0.5 x (23.67 + 30) pF
// x 84.45^2 + 3e-11 x 0.18925 A x 164.45^2.22 (83100), times 100 kHz = 0.0663 W. Conduction at
// 25 degC: 0.35956^2 x 0.85 = 0.1099 W; 32 degC/W heats the junction to 35.5 degC, where the
// on-resistance has grown by 1.00836^10.47.
TEST_F(ChipLossTest, JunctionTemperatureSettlesWithTheHotterOnResistance) {
    ComputeChipLoss();
    EXPECT_FLOAT_EQ(CurrentChip.LossBias, 0.14091156f);
    EXPECT_FLOAT_EQ(CurrentChip.LossSwitching, 0.0663184f);
    EXPECT_FLOAT_EQ(OperatingPoint.ChipLoss, 0.3271239f);
    EXPECT_FLOAT_EQ(CurrentChip.Tj, 35.46765f);
    EXPECT_FLOAT_EQ(OperatingPoint.ChipPinTemperature, 34.813423f);
    EXPECT_FLOAT_EQ(CurrentChip.LossConduction, 0.119893946f);
    EXPECT_FALSE(CurrentChip.OverTemperature);
}

// 9 mA x ((8.4 + 15) / 2 + 0.6) V + 84.45 V x 70 uA.
TEST_F(ChipLossTest, SecondaryRegulationSuppliesTheChipFromTheAuxiliaryWinding) {
    OperatingPoint.SecondaryRegulation = true;
    ComputeChipLoss();
    EXPECT_FLOAT_EQ(CurrentChip.LossBias, 0.11661157f);
    EXPECT_FLOAT_EQ(OperatingPoint.ChipLoss, 0.302025f);
}

// Switching at the bus voltage alone: 0.5 x (Coss(84.45 V) + 30 pF) x 84.45^2 x 100 kHz = 0.0225 W,
// plus (2 - 1.7) A x 1 uJ / ((1 - 0.85) x 2 A) x 100 kHz = 0.1 W above the soft limit.
TEST_F(ChipLossTest, DiscontinuousModeSwitchesOnAtZeroCurrentButPaysTheSoftLimit) {
    Transfo.IrmsMax = 0.56330866f;
    Transfo.IpeakMax = 2;
    OperatingPoint.RippleCurrentAtVmin = 2;
    OperatingPoint.ContinuousModeText = "Discont";
    ComputeChipLoss();
    EXPECT_FLOAT_EQ(CurrentChip.LossSwitching, 0.12247795f);
    EXPECT_FLOAT_EQ(OperatingPoint.ChipLoss, 0.5780081f);
    EXPECT_FLOAT_EQ(CurrentChip.Tj, 43.49549f);
}

TEST_F(ChipLossTest, NoThermalResistanceKeepsJunctionAndPinAtAmbient) {
    OperatingPoint.RthJunctionPin = 0;
    OperatingPoint.RthPinAmbient = 0;
    OperatingPoint.AmbientTemperature = 40;
    ComputeChipLoss();
    EXPECT_EQ(CurrentChip.Tj, 40.0f);
    EXPECT_EQ(OperatingPoint.ChipPinTemperature, 40.0f);
    EXPECT_TRUE(std::isfinite(OperatingPoint.ChipLoss));
}

// The conduction loss at 170 degC is 0.85 x 1.00836^145 (3.344) x 0.35956^2 = 0.36746 W, with the
// supply and switching losses of the first test: 0.57469 W.
TEST_F(ChipLossTest, AboveTheLimitTheConductionLossIsTakenAt170Degrees) {
    OperatingPoint.RthPinAmbient = 1000;
    ComputeChipLoss();
    EXPECT_TRUE(CurrentChip.OverTemperature);
    EXPECT_EQ(CurrentChip.Tj, 170.0f);
    EXPECT_FLOAT_EQ(OperatingPoint.ChipLoss, 0.5746945f);
    EXPECT_FLOAT_EQ(CurrentChip.LossConduction, 0.36746454f);
    EXPECT_FLOAT_EQ(OperatingPoint.ChipPinTemperature, 342.11795f);
}

TEST_F(ChipLossTest, PastTheLimitTheConductionLossIsTheOneAt170DegreesWhateverTheOvershoot) {
    // Only conduction loss, 1 W at 25 degC: 1.00836^145 = 3.3439915 W at the limit. Over 145
    // degC/W the first step lands on 170 degC exactly and one more step overshoots to 509.88
    // degC; over 2000 degC/W the growth reaches 1.7e7, where a sum of growths taken back leaves
    // 4 W in single precision; over 1e7 degC/W it overflows.
    ChipRecord& chip = CurrentChip;
    chip.IddSlope = 0;
    chip.IddOffset = 0;
    chip.InputBiasCurrent = 0;
    chip.Coss = 0;
    chip.Param29 = 0;
    chip.Rdson = 1;
    Transfo.Cpri.Value = 0;
    Transfo.IrmsMax = 1;
    Transfo.IpeakMax = 1;
    OperatingPoint.RthJunctionPin = 0;
    for (const float rth : {145.0f, 2000.0f, 1e7f}) {
        SCOPED_TRACE(rth);
        OperatingPoint.RthPinAmbient = rth;
        ComputeChipLoss();
        EXPECT_TRUE(CurrentChip.OverTemperature);
        EXPECT_EQ(CurrentChip.Tj, 170.0f);
        EXPECT_EQ(OperatingPoint.ChipLoss, 3.3439915f);
        EXPECT_EQ(CurrentChip.LossConduction, 3.3439915f);
        EXPECT_TRUE(std::isfinite(OperatingPoint.TotalLoss));
    }
    OperatingPoint.RthPinAmbient = 145;
    ComputeChipLoss();
    EXPECT_FLOAT_EQ(OperatingPoint.ChipPinTemperature, 509.87878f);
}

TEST_F(ChipLossTest, PrimaryRegulationHasNoNetworkLoss) {
    OperatingPoint.RegulationLoss = 5;
    ComputeChipLoss();
    EXPECT_EQ(OperatingPoint.RegulationLoss, 0.0f);
}

TEST_F(ChipLossTest, NetworkLossStartsAfreshAndCountsAtMostFourDividers) {
    OperatingPoint.SecondaryRegulation = true;
    OperatingPoint.RegulationLoss = 5;
    Settings.AdditionalOutputs = 5;
    Regulation.ReferenceVoltage = 2.5f;
    Regulation.GroundResistor.Value = 0;  // the reference is not sized yet
    for (auto& output : Outputs) {
        output.Regulated = true;
        output.ActualVoltage = 12;
    }
    for (auto& divider : Regulation.Divider) divider.Value = 1000;
    ComputeChipLoss();
    // (12 - 2.5)^2 / 1000 for each of the four dividers, whatever the previous value.
    EXPECT_FLOAT_EQ(OperatingPoint.RegulationLoss, 4 * 0.09025f);
    ComputeChipLoss();
    EXPECT_FLOAT_EQ(OperatingPoint.RegulationLoss, 4 * 0.09025f);
}

TEST_F(ChipLossTest, NetworkLossSkipsUnregulatedOutputsAndAddsTheGroundResistor) {
    OperatingPoint.SecondaryRegulation = true;
    Settings.AdditionalOutputs = 2;
    Regulation.ReferenceVoltage = 2.5f;
    Regulation.ReferenceCurrent = 0.001f;
    Regulation.GroundResistor.Value = 10000;
    Outputs[0].ActualVoltage = 12;
    Outputs[0].Regulated = false;
    Outputs[1].Regulated = true;
    Outputs[1].ActualVoltage = 5;
    Outputs[2].Regulated = true;
    Outputs[2].ActualVoltage = 15;
    Regulation.Divider[1].Value = 2500;
    Regulation.Divider[2].Value = 0.4f;  // rounds to 0: no divider fitted
    ComputeChipLoss();
    // 2.5^2 / 10000 + 0.001 x 12, then (5 - 2.5)^2 / 2500 for the first regulated output only.
    EXPECT_FLOAT_EQ(OperatingPoint.RegulationLoss, 0.012625f + 0.0025f);
}

// The design's network loss numbers its dividers by the fitted ones: a regulated output whose
// divider rounds to 0 ohm leaves that divider for the next regulated output, so it holds up every
// later one. The loss curve gives each regulated output its own divider instead. Outputs of 12,
// 5 and 15 V on a 2.5 V reference with no ground resistor: 9.5^2, 2.5^2 and 12.5^2 over their
// dividers.
struct DividerCase {
    const char* name;
    std::array<bool, 3> regulated;
    std::array<float, 3> dividers;
    float designLoss;
    float curveLoss;
};

class DividerIndexTest : public ChipLossTest, public ::testing::WithParamInterface<DividerCase> {};

TEST_P(DividerIndexTest, DesignAndCurveNumberTheDividers) {
    const DividerCase& c = GetParam();
    OperatingPoint.SecondaryRegulation = true;
    Settings.AdditionalOutputs = 2;
    Regulation.ReferenceVoltage = 2.5f;
    Regulation.GroundResistor.Value = 0;
    const float volts[] = {12, 5, 15};
    for (std::size_t i = 0; i < 3; ++i) {
        Outputs[i].Regulated = c.regulated[i];
        Outputs[i].ActualVoltage = volts[i];
        Regulation.Divider[i + 1].Value = c.dividers[i];
    }
    ComputeChipLoss();
    EXPECT_FLOAT_EQ(OperatingPoint.RegulationLoss, c.designLoss);
    EXPECT_FLOAT_EQ(RegulationNetworkLoss(DividerNumbering::RegulatedOutputs), c.curveLoss);
}

INSTANTIATE_TEST_SUITE_P(
    ChipLossTest, DividerIndexTest,
    ::testing::Values(
        // (90.25 + 6.25 + 156.25) / 1000 both ways.
        DividerCase{"FittedDividersInOrder", {true, true, true}, {1000, 1000, 1000}, 0.25275f, 0.25275f},
        // Design: output 0 only; curve: outputs 0 and 2, the latter on the third divider.
        DividerCase{"UnfittedDividerHoldsUpTheLaterOutputs", {true, true, true}, {1000, 0, 1000}, 0.09025f, 0.2465f},
        // 0.5 ohm rounds to 0 (half to even): no divider in the design; the curve takes 0.5 ohm
        // for 180.5 W.
        DividerCase{"HalfOhmRoundsToNoDivider", {true, true, true}, {0.5f, 1000, 1000}, 0, 180.6625f},
        // 1.5 ohm rounds to 2: fitted, 90.25 / 1.5 = 60.17 W both ways.
        DividerCase{"OneAndAHalfOhmsIsFitted", {true, true, true}, {1.5f, 1000, 1000}, 60.329166f, 60.329166f},
        // The first regulated output takes the first divider: 6.25 / 1000 + 156.25 / 500.
        DividerCase{"UnregulatedOutputTakesNoDivider", {false, true, true}, {1000, 500, 1000}, 0.31875f, 0.31875f}),
    [](const ::testing::TestParamInfo<DividerCase>& info) { return std::string(info.param.name); });

