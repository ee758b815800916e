// The compensation network sized from the loop model at full load: crossover, part values and
// their preferred-series rounding for each chip family and regulation. The expected values were
// worked out in 32-bit steps for the small hand-set design of SampleDesigns.h.

#include <gtest/gtest.h>

#include "Compensation.h"
#include "ComputeDesign.h"
#include "DefaultDesignTest.h"
#include "NumberText.h"
#include "RecordingHost.h"
#include "SampleDesigns.h"
#include "Variables.h"

using namespace zorvic;

class CompensationTest : public DefaultDesignTest<RecordingHost> {
protected:
    void SetUp() override {
        DefaultDesignTest::SetUp();

        sample_designs::SetUpSmallLoopDesign();
    }

    static void UseChip(int16_t family, float idlim) {
        CurrentChip.Family = family;
        CurrentChip.Idlim = idlim;
    }
};

TEST_F(CompensationTest, LoopModelIsTakenAtFullLoadOnTheHighestBusVoltage) {
    OperatingPoint.SecondaryRegulation = true;
    ComputeCompensation();
    EXPECT_FLOAT_EQ(Control.OutputPole, 47.43813f);
    EXPECT_FLOAT_EQ(Control.OutputPolePartLoad, 47.43813f);
    EXPECT_FLOAT_EQ(Control.EsrZeroDiscont, 4565.9194f);
    EXPECT_FLOAT_EQ(Control.StageGain, 8.291562f);
    EXPECT_FLOAT_EQ(Control.StageGainPartLoad, 8.291562f);
}

TEST_F(CompensationTest, SecondaryRegulationCrossesOverAtHalfTheEsrZero) {
    OperatingPoint.SecondaryRegulation = true;
    ComputeCompensation();
    // Crossover 2283 Hz: R6 = 379 ohm down to 330, C6 = 31.7 nF up to 33 nF, C8 = 14.8 nF up to
    // 15 nF; R3 is the family's 2.2 k.
    EXPECT_EQ(Control.R3.Value, 2200.0f);
    EXPECT_FLOAT_EQ(Control.R6.Value, 330);
    EXPECT_FLOAT_EQ(Control.C6.Value, 3.3e-8f);
    EXPECT_FLOAT_EQ(Control.C8.Value, 1.5e-8f);
}

TEST_F(CompensationTest, CrossoverNeverExceedsFiveKilohertz) {
    OperatingPoint.SecondaryRegulation = true;
    // 1 mohm capacitors put the ESR zero at 261 kHz: the crossover stays at 5 kHz.
    Outputs[0].Cap1.Esr[0] = 0.001f;
    Outputs[0].Cap2.Esr[0] = 0.001f;
    ComputeCompensation();
    EXPECT_FLOAT_EQ(Control.R6.Value, 150);  // 173 ohm
    EXPECT_FLOAT_EQ(Control.C8.Value, 6.8e-9f);  // 6.77 nF
}

TEST_F(CompensationTest, SoftStartSetsTheSmallestC6) {
    OperatingPoint.SecondaryRegulation = true;
    CurrentChip.Param18 = 6e-4f;  // 10 ms soft start: 6 uF, up to 6.8 uF
    ComputeCompensation();
    EXPECT_FLOAT_EQ(Control.C6.Value, 6.8e-6f);
}

TEST_F(CompensationTest, OtherFamiliesUseOneKilohmForR3) {
    OperatingPoint.SecondaryRegulation = true;
    UseChip(1, 2);
    ComputeCompensation();
    EXPECT_EQ(Control.R3.Value, 1000.0f);
    EXPECT_FLOAT_EQ(Control.R6.Value, 150);     // 172 ohm
    EXPECT_FLOAT_EQ(Control.C6.Value, 1e-7f);   // 69.7 nF
    EXPECT_FLOAT_EQ(Control.C8.Value, 1.5e-8f);
}

TEST_F(CompensationTest, FamilyThreeSecondaryKeepsItsFixedC6) {
    OperatingPoint.SecondaryRegulation = true;
    UseChip(3, 0.36f);
    Control.R3.Value = 1000;
    ComputeCompensation();
    // 47 nF is already a series value: rounding it up would give 68 nF.
    EXPECT_EQ(Control.C6.Value, 4.7e-8f);
    EXPECT_FLOAT_EQ(Control.R6.Value, 120);  // 124 ohm
    EXPECT_FLOAT_EQ(Control.C8.Value, 1.5e-8f);
    EXPECT_EQ(Control.R3.Value, 1000.0f);
}

TEST_F(CompensationTest, PrimaryRegulationSizesR3AndC6FromTheAuxiliaryTurns) {
    Control.R6.Value = 5678;
    Control.C8.Value = 1.234e-7f;
    ComputeCompensation();
    EXPECT_FLOAT_EQ(Control.R3.Value, 2200);   // 2580 ohm
    EXPECT_FLOAT_EQ(Control.C6.Value, 4.7e-8f);  // 40.5 nF
    // Not part of the primary loop: left exactly as they were, not rounded.
    EXPECT_EQ(Control.R6.Value, 5678.0f);
    EXPECT_EQ(Control.C8.Value, 1.234e-7f);
    // Sizing again does not move the rounded values.
    ComputeCompensation();
    EXPECT_FLOAT_EQ(Control.R3.Value, 2200);
    EXPECT_FLOAT_EQ(Control.C6.Value, 4.7e-8f);
    EXPECT_EQ(Control.C8.Value, 1.234e-7f);
}

TEST_F(CompensationTest, FamilyThreePrimaryTakesFortySevenNanofaradsAndRoundsR3Down) {
    UseChip(3, 0.36f);
    Control.R3.Value = 1234;
    ComputeCompensation();
    EXPECT_EQ(Control.C6.Value, 4.7e-8f);
    EXPECT_FLOAT_EQ(Control.R3.Value, 1200);
}

TEST_F(CompensationTest, PartsKeepTheirValuesWhileNoTurnsAreKnown) {
    Transfo.AuxTurns = 0;
    Control.R3.Value = 4700;
    Control.C6.Value = 1e-7f;
    ComputeCompensation();
    EXPECT_EQ(Control.R3.Value, 4700.0f);
    EXPECT_EQ(Control.C6.Value, 1e-7f);
}

class CompensationInComputationTest : public DefaultDesignTest<RecordingHost> {};

TEST_F(CompensationInComputationTest, PrimaryRegulationChoosesNoReference) {
    Outputs[0].Regulated = true;
    sample_designs::GiveTransformerTurns();
    ComputeDesign();
    EXPECT_TRUE(Regulation.ReferenceName.empty());
    EXPECT_EQ(Regulation.Divider[1].Value, 0.0f);
    EXPECT_GT(Control.R3.Value, 0);
    EXPECT_GT(Control.C6.Value, 0);
}

TEST_F(CompensationInComputationTest, SecondaryRegulationSizesTheDividerOfTheLastOutputsFlags) {
    sample_designs::SetUpDesign(sample_designs::Design::TwoRegulated);
    sample_designs::GiveTransformerTurns();
    ComputeDesign();
    // 5 V and 12 V regulated on 2.5 V: s = 0.5 + 9.5 / 12.
    EXPECT_EQ(Regulation.ReferenceName, "SHR1");
    EXPECT_FLOAT_EQ(Regulation.Divider[1].Value, 12141.668f);
    EXPECT_FLOAT_EQ(Regulation.Divider[2].Value, 29140.004f);
    EXPECT_EQ(Regulation.Divider[3].Value, 0.0f);
    EXPECT_GT(OperatingPoint.RegulationLoss, 0);
    EXPECT_EQ(Control.R3.Value, 2200.0f);
}
