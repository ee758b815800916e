// The output stage model: which losses each output type computes, the rectifier and Zener
// losses, and the power sums the primary is designed from.

#include <gtest/gtest.h>

#include <cmath>

#include "DefaultDesignTest.h"
#include "DesignWarningHost.h"
#include "NumberText.h"
#include "OutputStage.h"
#include "Variables.h"

using namespace zorvic;

namespace {

enum class Group { Zener, Vreg, Self, Plain, None };

struct TypeCase {
    int16_t type;
    Group group;
};

const TypeCase typeCases[] = {
    {0, Group::None},    {1, Group::Zener},  {2, Group::Zener},  {3, Group::Vreg},  {4, Group::Vreg},
    {5, Group::Self},    {6, Group::Self},   {7, Group::Plain},  {8, Group::Plain}, {9, Group::Self},
    {10, Group::Self},   {11, Group::Plain}, {12, Group::Plain}, {13, Group::Vreg}, {14, Group::Vreg},
    {15, Group::None},
};

constexpr float Untouched = -1;

}  // namespace

class OutputModelTest : public DefaultDesignTest<DesignWarningHost> {};

class OutputTypeTest : public OutputModelTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(OutputTypeTest, EachKindComputesItsOwnLosses) {
    const TypeCase& c = GetParam();
    OutputRecord& output = Outputs[0];
    output.OutputType = c.type;
    output.Voltage = 12;
    output.Current = 0.1f;
    output.Regulator.Family = "VRA";
    output.Loss = output.DiodeLoss = output.RegulatorLoss = output.ZenerLoss = Untouched;
    Settings.RecomputeFlag = false;
    ComputeOutput(output);

    switch (c.group) {
    case Group::None:
        EXPECT_EQ(output.Loss, Untouched);
        EXPECT_EQ(output.DiodeLoss, Untouched);
        break;
    case Group::Zener:
        EXPECT_NE(output.ZenerLoss, Untouched);
        EXPECT_EQ(output.RegulatorLoss, Untouched);
        EXPECT_EQ(output.Loss, output.ZenerLoss + output.DiodeLoss);
        EXPECT_EQ(host.tags.size(), 1u);
        break;
    case Group::Vreg:
        EXPECT_NE(output.RegulatorLoss, Untouched);
        EXPECT_EQ(output.ZenerLoss, Untouched);
        EXPECT_EQ(output.Loss, output.RegulatorLoss + output.DiodeLoss);
        break;
    case Group::Self:
    case Group::Plain:
        EXPECT_EQ(output.ZenerLoss, Untouched);
        EXPECT_EQ(output.RegulatorLoss, Untouched);
        EXPECT_EQ(output.Loss, output.DiodeLoss);
        break;
    }
    if (c.group != Group::None) {
        EXPECT_GE(output.DiodeLoss, 0);
        EXPECT_TRUE(std::isfinite(output.Loss));
    }
    if (c.group != Group::Zener) {
        EXPECT_TRUE(host.tags.empty());
    }
    // Every call renews the duty estimate, whatever the type.
    EXPECT_FLOAT_EQ(DutyMax, 80 / (InputStage.VdcMin + 80));
}

INSTANTIATE_TEST_SUITE_P(Types, OutputTypeTest, ::testing::ValuesIn(typeCases),
                         [](const ::testing::TestParamInfo<TypeCase>& info) {
                             return "Type" + std::to_string(info.param.type);
                         });

TEST_F(OutputModelTest, RectifierLossTakesTheDutyEstimateOnlyOnTheFirstPass) {
    OutputRecord& output = Outputs[0];
    output.Diode.Vt0 = 0.4f;
    output.Diode.Rd = 0.02f;
    output.Diode.Ir = 1e-4f;
    output.Current = 1;
    output.IrmsSecondary = 1.6f;
    output.Voltage = 5;
    Transfo.TurnsRatio[0] = 13.1f;
    DutyMax = 80 / (InputStage.VdcMin + 80);
    OperatingPoint.DutyCycleAtVmin = 0.45f;
    // 0.4 x 1 + 0.02 x 1.6^2 conduction, (373.35 / 13.1 + 5) V x D x 0.1 mA leakage.
    Settings.RecomputeFlag = true;
    EXPECT_EQ(DiodeLoss(output), 0.4528297f);
    Settings.RecomputeFlag = false;
    EXPECT_EQ(DiodeLoss(output), 0.45270753f);
}

TEST_F(OutputModelTest, ZenerLabelsTurnToWarningOnlyPastTheirLimits) {
    OutputRecord& output = Outputs[2];
    output.Index = 2;
    output.Voltage = 4;
    output.MinimumCurrent = 0;
    // (1.5 x 4)^2 / 18 = 2 W exactly and 0.1 x 4 = 0.4 W exactly: both still within.
    output.Current = 0.1f;
    output.DropResistor.Value = 18;
    EXPECT_DOUBLE_EQ(ZenerLoss(output), 0.18000000536441807);
    ASSERT_EQ(host.tags.size(), 1u);
    EXPECT_EQ(host.tags[0].output, 2);
    EXPECT_EQ(host.tags[0].serial, "");
    EXPECT_EQ(host.tags[0].zener, "");

    output.DropResistor.Value = 17.9f;
    output.Current = 0.11f;
    ZenerLoss(output);
    EXPECT_EQ(host.tags[1].serial, "Warning");
    EXPECT_EQ(host.tags[1].zener, "Warning");

    // A load that never falls below its full current leaves the Zener cold.
    output.MinimumCurrent = 0.11f;
    ZenerLoss(output);
    EXPECT_EQ(host.tags[2].zener, "");
}

TEST_F(OutputModelTest, PowerSumsCarryThePreviousPassLosses) {
    Settings.AdditionalOutputs = 1;
    Outputs[0].Voltage = 5;
    Outputs[0].Current = 1;
    Outputs[0].Loss = 0.2f;
    Outputs[0].VoltageBeforeDiode = 5.45f;
    Outputs[0].MinimumCurrent = 0.1f;
    Outputs[1].Voltage = 12;
    Outputs[1].Current = 0.5f;
    Outputs[1].Loss = 0.3f;
    Outputs[1].VoltageBeforeDiode = 12.9f;
    Outputs[1].MinimumCurrent = 0;
    Outputs[2].Current = 100;  // not an active output
    OperatingPoint.ClamperLoss = 0.5f;
    OperatingPoint.RegulationLoss = 0.05f;
    OperatingPoint.TransformerLoss = 0.25f;
    CurrentChip.LossBias = 0.14f;
    CurrentChip.LossSwitching = 0.07f;
    CurrentChip.LossConduction = 9;  // not part of the input power
    SumOutputPowers();
    EXPECT_EQ(OperatingPoint.OutputPower, 11.0f);
    EXPECT_EQ(OperatingPoint.OutputLoss, 0.5f);
    EXPECT_EQ(OperatingPoint.Pmax, 11.9f);
    EXPECT_EQ(OperatingPoint.Pmin, 0.545f);
    EXPECT_EQ(Transfo.InputPowerNoTransformer, 12.190001f);
    EXPECT_EQ(Transfo.InputPower, 12.51f);
}

