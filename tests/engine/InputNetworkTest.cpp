// The bulk capacitor after the mains rectifier and the chip's oscillator and supply capacitors.

#include <gtest/gtest.h>

#include "BulkCapacitor.h"
#include "ControlNetwork.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

class InputNetworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ChipRecord& chip = CurrentChip;
        chip.Family = 5;
        chip.OscK1 = 2.3f;
        chip.OscK2 = 550;
        chip.OscK3 = 150;
        chip.Idlim = 2;
        chip.IddSlope = 0.001f;
        chip.IddOffset = 0.008f;
        chip.Vdd2 = 8.4f;
        chip.Vdd3 = 11.5f;
        chip.Param26 = 5e-5f;
        chip.Param27 = 4;
    }
};

TEST_F(InputNetworkTest, BulkCapacitorBridgesTheMainsTroughRoundedUpToE6) {
    // 88 V AC with 40 V of ripple at 50 Hz: the capacitor carries 7.37 ms of each half cycle;
    // 6.5 W over (124.45^2 - 84.45^2) V^2 gives 11.5 uF, so 15 uF.
    OperatingPoint.OutputPower = 5;
    OperatingPoint.TotalLoss = 1.5f;
    SizeBulkCapacitor();
    EXPECT_FLOAT_EQ(InputStage.C2.Value, 1.5e-5f);
    EXPECT_FLOAT_EQ(InputStage.C7.Value, 2.2e-9f);
}

TEST_F(InputNetworkTest, WithoutAMainsFrequencyOnlyTheFixedCapacitorIsWritten) {
    // A file may carry no mains frequency: there is no half cycle to bridge, but C7 is fitted.
    InputStage.MainsFrequency = 0;
    InputStage.C2.Value = 4.7e-5f;
    InputStage.C7.Value = 0;
    OperatingPoint.OutputPower = 5;
    SizeBulkCapacitor();
    EXPECT_EQ(InputStage.C7.Value, 2.2e-9f);
    EXPECT_EQ(InputStage.C2.Value, 4.7e-5f);
}

struct OscillatorCase {
    const char* name;
    int16_t family;
    float k2, k3;
    int32_t fsw;
    float resistor, capacitor;
};

class OscillatorChoiceTest : public InputNetworkTest, public ::testing::WithParamInterface<OscillatorCase> {};

TEST_P(OscillatorChoiceTest, NearestFrequencyOfTheHundredPairs) {
    const OscillatorCase& c = GetParam();
    CurrentChip.Family = c.family;
    CurrentChip.OscK2 = c.k2;
    CurrentChip.OscK3 = c.k3;
    InputStage.SwitchingFrequency = c.fsw;
    SizeControlNetwork();
    EXPECT_EQ(CurrentChip.OscResistor.Value, c.resistor);
    EXPECT_EQ(CurrentChip.OscCapacitor.Value, c.capacitor);
    EXPECT_EQ(CurrentChip.OscResistor.Values[1], 2200.0f);
    EXPECT_EQ(CurrentChip.OscResistor.Values[25], 22000.0f);
    EXPECT_EQ(CurrentChip.OscCapacitor.C[4], 1e-8f);
}

// The family 5 compares in kHz, the others in Hz. In the last case three pairs give exactly the
// same frequency (104545.45 Hz, C x R alone sets it): the first one scanned stays.
const OscillatorCase oscillatorCases[] = {
    {"Family5At100kHz", 5, 550, 150, 100000, 6800, 2.2e-9f},
    {"Family5At65kHz", 5, 550, 150, 65000, 5100, 4.7e-9f},
    {"Family1At100kHz", 1, 550, 150, 100000, 4300, 4.7e-9f},
    {"EqualErrorsKeepTheSmallerResistor", 1, 0, 0, 104545, 2200, 1e-8f},
};

INSTANTIATE_TEST_SUITE_P(Pairs, OscillatorChoiceTest, ::testing::ValuesIn(oscillatorCases),
                         [](const ::testing::TestParamInfo<OscillatorCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(InputNetworkTest, SupplyCapacitorsHoldTheChipWhileTheOutputsCharge) {
    // An LC output counts both its capacitors, a plain one its first cell only (its second
    // capacitor is not fitted).
    Settings.AdditionalOutputs = 1;
    Outputs[0].OutputType = 9;
    Outputs[0].Cap1.Value = 1e-3f;
    Outputs[0].Cap2.Value = 1e-4f;
    Outputs[0].CurrentRatio = 13;
    Outputs[1].OutputType = 7;
    Outputs[1].Cap1.Value = 1e-3f;
    Outputs[1].Cap2.Value = 5e-3f;
    Outputs[1].CurrentRatio = 4;
    SizeControlNetwork();
    // 26.7 uF before rounding up to E6; C9 from the 33 uF: 142 nF, so 150 nF.
    EXPECT_FLOAT_EQ(CurrentChip.SupplyCapacitor.Value, 3.3e-5f);
    EXPECT_FLOAT_EQ(CurrentChip.SupplyCapacitor2.Value, 1.5e-7f);
}

TEST_F(InputNetworkTest, SecondSupplyCapacitorOnlyForFamiliesFourAndFive) {
    Outputs[0].OutputType = 9;
    Outputs[0].Cap1.Value = 1e-3f;
    Outputs[0].Cap2.Value = 1e-4f;
    Outputs[0].CurrentRatio = 13;
    SizeControlNetwork();
    EXPECT_FLOAT_EQ(CurrentChip.SupplyCapacitor.Value, 3.3e-6f);  // 2.52 uF up
    EXPECT_FLOAT_EQ(CurrentChip.SupplyCapacitor2.Value, 1.5e-8f);  // 14.2 nF up
    CurrentChip.Family = 3;
    CurrentChip.SupplyCapacitor2.Value = 0;
    SizeControlNetwork();
    EXPECT_EQ(CurrentChip.SupplyCapacitor2.Value, 0.0f);
}
