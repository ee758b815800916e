// The drain voltage and current over one switching period: the events the first sample works
// out, the order of the phases the samples pass through, and the guards that keep the waveform
// finite. Expected values worked out in 32-bit steps for the hand-set design below.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "DrainWaveform.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

namespace {

struct Sample {
    float t;
    float v;
    float i;
    DrainPhase phase;
};

}  // namespace

class DrainWaveformTest : public ::testing::Test {
protected:
    // 100 to 300 V, 80 V reflected with a 100 V clamp margin, 1 mH with 30 uH leakage, 100 kHz,
    // 6 W at full load and 1 W at the least; 60 primary turns of AWG 30 on a 30 mm turn.
    void SetUp() override {
        InputStage.VdcMin = 100;
        InputStage.VdcMax = 300;
        InputStage.ReflectedVoltage = 80;
        InputStage.SwitchingFrequency = 100000;
        Transfo.Lprimary.Value = 1e-3f;
        Transfo.Lleak.Value = 3e-5f;
        Transfo.Cpri.Value = 3e-11f;
        Transfo.InputPower = 6;
        Transfo.PrimaryTurns = 60;
        Transfo.Core.Lm = 30;
        Transfo.PrimaryWire.Area = 0.0509f;
        Transfo.PrimaryWire.Strands = 1;
        OperatingPoint.Pmin = 1;
        Clamper.RCClamper = true;
        Clamper.VoltageMargin = 100;
        ChipRecord& chip = CurrentChip;
        chip.Coss = 6e-11f;
        chip.Tswitch = 7e-8f;
        chip.TonMin = 6e-7f;
        chip.Rdson = 0.85f;
    }

    // The curve window's sampling of one chart: a quarter period either side, 600 samples.
    static std::vector<Sample> Curve(float f, const std::string& corner) {
        const float period = 1e-5f;
        const float xmin = -0.25f * period;
        const float xmax = 1.25f * period;
        const float step = (xmax - xmin) / 600;
        std::vector<Sample> samples;
        for (float x = xmin; x <= xmax; x += step) {
            float v = 0;
            float i = 0;
            DrainWaveformPoint(f, x, v, i, corner, "", xmin);
            samples.push_back({x, v, i, DrainWaveformState().LastPhase});
        }
        return samples;
    }

    // The first sample of a curve, at turn-on: it works out the period's events.
    static const DrainWaveformTable& FirstSample(float f, const std::string& corner) {
        float v = 0;
        float i = 0;
        DrainWaveformPoint(f, 0, v, i, corner, "", 0);
        return DrainWaveformState();
    }
};

TEST_F(DrainWaveformTest, FirstSampleWorksOutTheDiscontinuousPeriod) {
    const DrainWaveformTable& w = FirstSample(0.5f, "Vmax");
    // 300 V at 3.5 W: 0.265 A peak after 0.88 us, the drain at 480 V on the clamp.
    EXPECT_FLOAT_EQ(w.Power, 3.5f);
    EXPECT_FLOAT_EQ(w.Vtop, 480);
    EXPECT_FLOAT_EQ(w.Ipeak, 0.26457512f);
    EXPECT_EQ(w.Ivalley, 0);
    EXPECT_FLOAT_EQ(w.Ton, 9.5191706e-07f);
    EXPECT_FLOAT_EQ(w.S1, 3.6970654e-08f);
    EXPECT_FLOAT_EQ(w.S2, 2.1800716e-07f);
    EXPECT_FLOAT_EQ(w.Tau1, 1.4380912e-06f);
    EXPECT_FLOAT_EQ(w.Tau2, 9.266315e-05f);
    // 24 steps of 2 ns to the clamp, which then empties the leakage inductance.
    EXPECT_FLOAT_EQ(w.T1, 9.99917e-07f);
    EXPECT_FLOAT_EQ(w.T2, 1.0770192e-06f);
    EXPECT_FLOAT_EQ(w.T3, 4.307106e-06f);
}

TEST_F(DrainWaveformTest, FirstSampleWorksOutTheContinuousPeriod) {
    Transfo.InputPower = 10;
    const DrainWaveformTable& w = FirstSample(0, "Pmax");
    // 100 V at 10 W: the current no longer falls to zero.
    EXPECT_FLOAT_EQ(w.Ipeak, 0.44500625f);
    EXPECT_FLOAT_EQ(w.Ivalley, 0.0045161396f);
    EXPECT_FLOAT_EQ(w.Ton, 4.483333e-06f);
    EXPECT_FLOAT_EQ(w.T1, 4.5053334e-06f);
    EXPECT_FLOAT_EQ(w.T2, 4.6366513e-06f);
    EXPECT_FLOAT_EQ(w.T3, 1.0022e-05f);
}

TEST_F(DrainWaveformTest, PhasesFollowEachOtherThroughThePeriod) {
    const std::vector<Sample> samples = Curve(0.5f, "Vmax");
    const DrainWaveformTable& w = DrainWaveformState();
    DrainPhase previous = DrainPhase::None;
    std::vector<DrainPhase> seen;
    for (const Sample& s : samples) {
        if (s.t < 0) {
            // The quarter period before turn-on is the end of the previous period.
            EXPECT_EQ(s.phase, DrainPhase::MagnetisingRinging) << s.t;
            continue;
        }
        if (s.t >= w.Period) break;
        EXPECT_GE(s.phase, previous) << "at " << s.t;
        if (s.phase != previous) seen.push_back(s.phase);
        previous = s.phase;
    }
    // The samples, 25 ns apart, step over this design's short clamp.
    const std::vector<DrainPhase> expected = {DrainPhase::TurnOn, DrainPhase::Conduction, DrainPhase::TurnOffTransient,
                                              DrainPhase::LeakageRinging, DrainPhase::MagnetisingRinging};
    EXPECT_EQ(seen, expected);
    // After the period the next turn-on follows.
    for (const Sample& s : samples) {
        if (s.t > w.Period && s.t < w.Period + CurrentChip.Tswitch) {
            EXPECT_EQ(s.phase, DrainPhase::TurnOn);
        }
    }
}

TEST_F(DrainWaveformTest, EachPhaseHasItsShape) {
    const std::vector<Sample> samples = Curve(0.5f, "Vmax");
    const DrainWaveformTable& w = DrainWaveformState();
    float lastCurrent = -1;
    for (const Sample& s : samples) {
        EXPECT_LE(s.v, w.Vtop) << s.t;
        EXPECT_GE(s.v, -0.6f) << s.t;
        switch (s.phase) {
        case DrainPhase::TurnOn:
            lastCurrent = -1;
            break;
        case DrainPhase::Conduction:
            // The current ramps up from the valley; the drain sees only the switch's drop.
            EXPECT_GT(s.i, lastCurrent);
            EXPECT_LE(s.i, w.Ipeak * 1.0001f);
            EXPECT_EQ(s.v, s.i * CurrentChip.Rdson);
            lastCurrent = s.i;
            break;
        case DrainPhase::Clamp:
            EXPECT_EQ(s.v, 480);
            EXPECT_EQ(s.i, 0);
            break;
        case DrainPhase::LeakageRinging:
            // Rings about the bus plus the reflected voltage, within the clamp's 100 V.
            EXPECT_NEAR(s.v, 380, 100.01f) << s.t;
            break;
        case DrainPhase::MagnetisingRinging:
            // Rings about the bus voltage, from where the leakage ringing left the drain.
            EXPECT_NEAR(s.v, 300, 180.01f) << s.t;
            break;
        default:
            break;
        }
    }
}

// The clamp ends where the last sample of the drain's rise left it: a sample that finds the
// drain on the clamp ends the transient without moving that end; a leakage current that has
// reversed puts it before the sample.
TEST_F(DrainWaveformTest, ClampEndIsSetByTheRiseNotByTheSampleThatEndsIt) {
    float v = 0;
    float i = 0;
    DrainWaveformPoint(0.5f, 0, v, i, "Vmax", "", 0);
    const DrainWaveformTable& w = DrainWaveformState();
    // The rise jumps the drain onto the clamp in one sample: the first sample's clamp end holds.
    for (float t : {5e-7f, 9.6e-7f, 9.7e-7f, 9.8e-7f, 9.9e-7f}) DrainWaveformPoint(0.5f, t, v, i, "Vmax", "", 0);
    EXPECT_EQ(v, 480);
    DrainWaveformPoint(0.5f, 1e-6f, v, i, "Vmax", "", 0);
    EXPECT_EQ(w.LastPhase, DrainPhase::TurnOffTransient);
    EXPECT_EQ(w.T1, 1e-6f);
    EXPECT_FLOAT_EQ(w.T2, 1.0770192e-06f);
    DrainWaveformPoint(0.5f, 1.01e-6f, v, i, "Vmax", "", 0);
    EXPECT_EQ(w.LastPhase, DrainPhase::Clamp);

    // Between the reflected voltage and the clamp the leakage current sets the end; a long step
    // reverses it (0.263 A less 2.16 us x 54.5 V / 30 uH), and the end falls before the sample.
    DrainWaveformPoint(0.5f, 0, v, i, "Vmax", "", 0);
    for (float t : {5e-7f, 9.6e-7f, 9.7e-7f, 9.8e-7f, 9.82e-7f, 9.84e-7f}) DrainWaveformPoint(0.5f, t, v, i, "Vmax", "", 0);
    EXPECT_FLOAT_EQ(w.LeakageCurrent, 0.26325464f);
    EXPECT_FLOAT_EQ(w.T2, 1.0629765e-06f);
    DrainWaveformPoint(0.5f, 1.2e-6f, v, i, "Vmax", "", 0);
    EXPECT_FLOAT_EQ(w.LeakageCurrent, -0.12904757f);
    EXPECT_FLOAT_EQ(w.T2, 1.1612858e-06f);
}

TEST_F(DrainWaveformTest, NoTimeStepAtTurnOnGivesTheValleyCurrent) {
    Transfo.InputPower = 10;
    const float t = 3e-8f;  // inside the 70 ns turn-on
    float v = 0;
    float i = 0;
    // The first sample of a curve has no previous sample to take a step from.
    DrainWaveformPoint(0, t, v, i, "Pmax", "", t);
    EXPECT_EQ(DrainWaveformState().LastPhase, DrainPhase::TurnOn);
    EXPECT_EQ(i, DrainWaveformState().Ivalley);
    EXPECT_GT(i, 0);
    // The same time again.
    DrainWaveformPoint(0, t, v, i, "Pmax", "", 0);
    EXPECT_EQ(i, DrainWaveformState().Ivalley);
}

TEST_F(DrainWaveformTest, PrimaryWireWithoutStrandsOrAreaIsTakenAsTheThinnestWire) {
    Transfo.PrimaryWire.Area = WireTable[WireTable.size() - 1].Area;
    const float tau1 = FirstSample(1, "Vmin").Tau1;
    const float tau2 = DrainWaveformState().Tau2;
    Transfo.PrimaryWire.Area = 0;
    Transfo.PrimaryWire.Strands = 0;
    EXPECT_EQ(FirstSample(1, "Vmin").Tau1, tau1);
    EXPECT_EQ(DrainWaveformState().Tau2, tau2);
    for (const Sample& s : Curve(1, "Vmin")) EXPECT_TRUE(std::isfinite(s.v) && std::isfinite(s.i)) << s.t;
}

TEST_F(DrainWaveformTest, TurnOffIntegrationStopsWithoutCurrent) {
    // No power and no shortest on-time: nothing charges the drain at turn-off.
    CurrentChip.TonMin = 0;
    OperatingPoint.Pmin = 0;
    const DrainWaveformTable& w = FirstSample(0, "Pmin");
    EXPECT_EQ(w.Ipeak, 0);
    EXPECT_FLOAT_EQ(w.T1 - w.Ton, TurnOffStepLimit * 2e-9f);
    for (const Sample& s : Curve(0, "Pmin")) EXPECT_TRUE(std::isfinite(s.v) && std::isfinite(s.i)) << s.t;
}
