// Gain and phase of the power stage and of the feedback network, and the loop model they leave
// in Control. Expected values worked out in 32-bit steps for the small design of SampleDesigns.h.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "CurveSamples.h"
#include "NumberText.h"
#include "SampleDesigns.h"
#include "Variables.h"

using namespace zorvic;

class BodePointTest : public ::testing::Test {
protected:
    float gain = 1234;
    float phase = 1234;
    float feedbackGain = 1234;
    float feedbackPhase = 1234;

    void SetUp() override {
        sample_designs::SetUpSmallLoopDesign();
    }

    void Sample(float f, float freq, const std::string& corner, const std::string& mode) {
        BodePoint(f, freq, gain, phase, feedbackGain, feedbackPhase, corner, mode);
    }

    // A compensation network as the sizing leaves it for this design.
    static void FitNetwork() {
        Control.R3.Value = 2200;
        Control.C6.Value = 3.3e-8f;
        Control.R6.Value = 330;
        Control.C8.Value = 1.5e-8f;
    }
};

TEST_F(BodePointTest, DiscontinuousStageAtFullLoadOnTheHighestBusVoltage) {
    Sample(1, 100000, "Pmax", "Discont");
    EXPECT_FLOAT_EQ(Control.OutputPole, 47.43813f);
    EXPECT_FLOAT_EQ(Control.EsrZeroDiscont, 4565.9194f);
    EXPECT_FLOAT_EQ(Control.StageGain, 8.291562f);
    EXPECT_NEAR(gain, -21.286243f, 1e-4f);
    EXPECT_NEAR(phase, -2.5870843f, 1e-4f);
}

TEST_F(BodePointTest, ContinuousStageAddsTheRightHalfPlaneZero) {
    // Half the load at the lowest bus voltage: 11 ohm, M = 80 / 180.
    Sample(0.5f, 1000, "Vmin", "Cont");
    EXPECT_FLOAT_EQ(Control.OutputPole, 17.130436f);
    EXPECT_FLOAT_EQ(Control.OutputPolePartLoad, 17.130436f);
    EXPECT_FLOAT_EQ(Control.EsrZeroCont, 4565.9194f);
    EXPECT_FLOAT_EQ(Control.RhpZero, 257220.12f);
    EXPECT_FLOAT_EQ(Control.StageGain, 12.921001f);
    EXPECT_NEAR(gain, -12.896441f, 1e-4f);
    EXPECT_NEAR(phase, -76.887825f, 1e-4f);
}

TEST_F(BodePointTest, UnknownModeWritesNeitherResultsNorModel) {
    Control.OutputPole = 1;
    Control.StageGain = 2;
    Control.EsrZeroDiscont = 3;
    Control.RhpZero = 4;
    Sample(1, 1000, "Pmax", "Idle");
    EXPECT_EQ(gain, 1234);
    EXPECT_EQ(phase, 1234);
    EXPECT_EQ(feedbackGain, 1234);  // no R3 yet: no feedback network either
    EXPECT_EQ(Control.OutputPole, 1);
    EXPECT_EQ(Control.StageGain, 2);
    EXPECT_EQ(Control.EsrZeroDiscont, 3);
    EXPECT_EQ(Control.RhpZero, 4);
}

TEST_F(BodePointTest, DiscontinuousAndBurstPhaseStaysWithinNinetyDegrees) {
    Outputs[0].Cap1.Esr[0] = 0.4f;  // an ESR zero inside the range
    for (const char* mode : {"Discont", "Burst"}) {
        for (const char* corner : {"Vmin", "Vmax", "Pmin", "Pmax"}) {
            for (float f : {0.0f, 0.3f, 1.0f}) {
                for (float freq = 1; freq <= 1e6f; freq *= 1.5f) {
                    Sample(f, freq, corner, mode);
                    EXPECT_GT(phase, -90) << mode << " " << corner << " " << freq;
                    EXPECT_LT(phase, 90) << mode << " " << corner << " " << freq;
                }
            }
        }
    }
}

TEST_F(BodePointTest, ContinuousPhaseLosesUpToAFurtherNinetyDegrees) {
    // Capacitors of 0.1 mohm put the ESR zero above the right-half-plane zero.
    Outputs[0].Cap1.Esr[0] = 1e-4f;
    Outputs[0].Cap2.Esr[0] = 1e-4f;
    float lowest = 0;
    for (float freq = 1; freq <= 1e8f; freq *= 1.5f) {
        Sample(1, freq, "Vmin", "Cont");
        EXPECT_GT(phase, -180) << freq;
        EXPECT_LT(phase, 90) << freq;
        lowest = std::min(lowest, phase);
    }
    // Above the right-half-plane zero the stage lags by more than its pole alone can.
    EXPECT_LT(lowest, -135);
}

TEST_F(BodePointTest, NoOutputCurrentLeavesThePoleNearZeroAndTheGainFinite) {
    Sample(0, 1000, "Vmin", "Discont");
    // Every load is 1e38 ohm: RL stays at the 1e20 ohm the parallel sum starts from.
    EXPECT_FLOAT_EQ(Control.OutputPole, 2.609097e-18f);
    EXPECT_FLOAT_EQ(Control.OutputPolePartLoad, 2.609097e-18f);
    EXPECT_TRUE(std::isfinite(gain));
    EXPECT_NEAR(gain, -200.49762f, 1e-3f);
}

TEST_F(BodePointTest, ZeroMinimumCurrentIsNoLoadAtTheLowPowerCorner) {
    Sample(0.5f, 1000, "Pmin", "Discont");
    EXPECT_FLOAT_EQ(Control.OutputPole, 2.609097e-18f);
    // The part load is half the full current: 11 ohm.
    EXPECT_FLOAT_EQ(Control.OutputPolePartLoad, 23.719065f);
    EXPECT_TRUE(std::isfinite(gain));
    EXPECT_TRUE(std::isfinite(phase));
    // An output without current has no load at the low power corner whatever its least current.
    Outputs[0].Current = 0;
    Outputs[0].MinimumCurrent = 0.5f;
    Sample(0.5f, 1000, "Pmin", "Discont");
    EXPECT_FLOAT_EQ(Control.OutputPole, 2.609097e-18f);
}

// The capacitors' ESR are combined in 32-bit steps, like the rest of the model: with 90 and
// 100 mohm the ESR zero lands on 2754.0464 Hz, one step below what a 64-bit sum gives.
TEST_F(BodePointTest, OutputEsrCombinesInSinglePrecision) {
    Outputs[0].Cap1.Esr[0] = 0.09f;
    Sample(1, 1000, "Pmax", "Discont");
    EXPECT_EQ(Control.EsrZeroDiscont, 2754.0464f);
}

struct FeedbackCase { const char* name; void (*design)(); float gain, phase; };

class FeedbackTest : public BodePointTest, public ::testing::WithParamInterface<FeedbackCase> {};

TEST_P(FeedbackTest, GainAndPhaseOfTheFittedNetwork) {
    FitNetwork();
    GetParam().design();
    Sample(1, 1000, "Pmax", "Discont");
    EXPECT_NEAR(feedbackGain, GetParam().gain, 1e-4f);
    EXPECT_NEAR(feedbackPhase, GetParam().phase, 1e-4f);
}

// Secondary regulation weights the regulated output's divider (one output on 4.7 k:
// f8 = 1 / (2 pi 4.7 k 15 nF)), or takes 10 k without one; primary goes through the auxiliary winding.
INSTANTIATE_TEST_SUITE_P(Networks, FeedbackTest, ::testing::Values(
    FeedbackCase{"SecondaryWeightsTheRegulatedOutputsDivider", [] { OperatingPoint.SecondaryRegulation = true; },
                 31.924314f, -139.09842f},
    FeedbackCase{"SecondaryWithoutRegulatedOutputTakesTenKilohms",
                 [] { OperatingPoint.SecondaryRegulation = true; Outputs[0].Regulated = false; },
                 27.348797f, -119.686264f},
    FeedbackCase{"PrimaryGoesThroughTheAuxiliaryWinding",
                 [] { Transfo.AuxTurnsRatio = 100.0f / 9; Transfo.TurnsRatio[0] = 100.0f / 6; },
                 21.487522f, -72.99006f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BodePointTest, FeedbackNeedsItsPartsAndTheTurns) {
    FitNetwork();
    // Primary regulation before any auxiliary winding is known.
    Sample(1, 1000, "Pmax", "Discont");
    EXPECT_EQ(feedbackGain, 1234);
    // Secondary regulation without C8.
    OperatingPoint.SecondaryRegulation = true;
    Control.C8.Value = 0;
    Sample(1, 1000, "Pmax", "Discont");
    EXPECT_EQ(feedbackGain, 1234);
    EXPECT_EQ(feedbackPhase, 1234);
}
