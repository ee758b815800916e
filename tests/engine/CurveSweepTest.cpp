// Every curve of the curve window, sampled the way the window samples it, over its whole axis,
// for the designs the program must chart: nothing but finite numbers may come out.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "CurveSamples.h"
#include "DefaultDesignTest.h"
#include "DrainWaveform.h"
#include "OperatingCurrents.h"
#include "RecordingHost.h"
#include "SampleDesigns.h"

using namespace zorvic;
using sample_designs::Design;

namespace {

// The window takes one sample per 10 twips of a 6000-twip chart (40 on gain and phase charts).
constexpr int Samples = 600;
constexpr int BodeSamples = 150;

const char* const Corners[] = {"Vmin", "Vmax", "Pmin", "Pmax"};

// The mode the window shows at the cursor: the conduction at the corner's operating point.
std::string ModeAt(const std::string& corner, float f) {
    const InputRecord& in = InputStage;
    const float pmin = OperatingPoint.Pmin;
    const float pmax = Transfo.InputPower;
    if (corner == "Vmin") return ConductionModeAt(in.VdcMin, pmin + (pmax - pmin) * f);
    if (corner == "Vmax") return ConductionModeAt(in.VdcMax, pmin + (pmax - pmin) * f);
    const float vin = in.VdcMin + (in.VdcMax - in.VdcMin) * f;
    return ConductionModeAt(vin, corner == std::string("Pmin") ? pmin : pmax);
}

}  // namespace

class CurveSweepTest : public DefaultDesignTest<RecordingHost>, public ::testing::WithParamInterface<Design> {
protected:
    void SetUp() override {
        DefaultDesignTest::SetUp();
        sample_designs::ComputeWithTransformer(GetParam());
    }
};

TEST_P(CurveSweepTest, ComputesEveryStepWithTheFourTermTotal) {
    const OperatingRecord& op = OperatingPoint;
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(op.TotalLoss, op.ChipLoss + op.OutputLoss + op.ClamperLoss + op.TransformerLoss);
    EXPECT_EQ(op.Efficiency, op.OutputPower / (op.OutputPower + op.TotalLoss));
    EXPECT_GT(op.Efficiency, 0.5f);
    EXPECT_LT(op.Efficiency, 1);
    // The compensation parts and the loop model they were sized from.
    for (float x : {Control.R3.Value, Control.C6.Value, Control.OutputPole, Control.StageGain})
        EXPECT_TRUE(std::isfinite(x) && x > 0) << x;
    if (op.SecondaryRegulation) {
        EXPECT_FALSE(Regulation.ReferenceName.empty());
        EXPECT_GT(Regulation.Divider[1].Value, 0);
        for (float x : {Control.R6.Value, Control.C8.Value}) EXPECT_TRUE(std::isfinite(x) && x > 0) << x;
    }
}

TEST_P(CurveSweepTest, DrainWaveformsAreFiniteOverThePeriod) {
    const auto fsw = static_cast<float>(InputStage.SwitchingFrequency);
    const float xmin = -0.25f / fsw;
    const float xmax = 1.25f / fsw;
    const float step = (xmax - xmin) / Samples;
    for (const char* corner : Corners) {
        for (float f : {0.0f, 0.5f, 1.0f}) {
            const std::string mode = ModeAt(corner, f);
            int count = 0;
            for (float x = xmin; x <= xmax; x += step) {
                float v = 0;
                float i = 0;
                DrainWaveformPoint(f, x, v, i, corner, mode, xmin);
                ASSERT_TRUE(std::isfinite(v) && std::isfinite(i))
                    << corner << " f=" << f << " t=" << x << ": " << v << " V " << i << " A";
                ++count;
            }
            EXPECT_GE(count, Samples);
        }
    }
}

TEST_P(CurveSweepTest, GainAndPhaseCurvesAreFiniteFromOneHertzToTheSwitchingFrequency) {
    const auto x1 = static_cast<float>(std::log10(InputStage.SwitchingFrequency));
    const float step = x1 / BodeSamples;
    for (const char* corner : Corners) {
        for (float f : {0.0f, 0.5f, 1.0f}) {
            const std::string mode = ModeAt(corner, f);
            for (float x = 0; x <= x1; x += step) {
                const auto freq = static_cast<float>(std::pow(10.0f, x));
                float gain = 0;
                float phase = 0;
                float feedbackGain = 0;
                float feedbackPhase = 0;
                BodePoint(f, freq, gain, phase, feedbackGain, feedbackPhase, corner, mode);
                ASSERT_TRUE(std::isfinite(gain) && std::isfinite(phase) && std::isfinite(feedbackGain) &&
                            std::isfinite(feedbackPhase))
                    << corner << " " << mode << " f=" << f << " at " << freq << " Hz: " << gain << " dB " << phase
                    << " deg, " << feedbackGain << " dB " << feedbackPhase << " deg";
            }
        }
    }
}

TEST_P(CurveSweepTest, LossAndEfficiencyCurvesAreFiniteOverBothAxes) {
    const InputRecord& in = InputStage;
    struct Axis {
        const char* held;
        float from;
        float to;
    };
    // The cursor holds the power while the axis runs over the bus voltage, and the other way.
    const Axis axes[] = {{"Pin", in.VdcMin, in.VdcMax}, {"Vin", OperatingPoint.Pmin, OperatingPoint.Pmax}};
    for (const Axis& axis : axes) {
        const float step = (axis.to - axis.from) / Samples;
        ASSERT_GT(step, 0);
        for (float f : {0.0f, 0.5f, 1.0f}) {
            for (float x = axis.from; x <= axis.to; x += step) {
                float efficiency = 0;
                float loss = 0;
                PowerCurvePoint(f, x, efficiency, loss, axis.held, "Cont");
                ASSERT_TRUE(std::isfinite(efficiency) && std::isfinite(loss))
                    << axis.held << " f=" << f << " x=" << x << ": " << efficiency << " % " << loss << " W";
                EXPECT_GT(loss, 0);
                EXPECT_GE(efficiency, 0);
                EXPECT_LT(efficiency, 100);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, CurveSweepTest,
                         ::testing::Values(Design::Default, Design::DcInput, Design::SixOutputs, Design::OneRegulated,
                                           Design::TwoRegulated, Design::ThreeRegulated),
                         [](const ::testing::TestParamInfo<Design>& info) {
                             return sample_designs::DesignName(info.param);
                         });
