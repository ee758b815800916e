// Times one chart of each kind as the curve window samples it (600 samples across the axis) on
// the computed default design.

#include <benchmark/benchmark.h>

#include <cmath>

#include "ComputeDesign.h"
#include "CurveSamples.h"
#include "DrainWaveform.h"
#include "SampleDesigns.h"
#include "Variables.h"

namespace {

constexpr int Samples = 600;

void ComputedDefaultDesign() {
    sample_designs::DefaultDesign();
    zorvic::ComputeDesign();
}

void DrainWaveformChart(benchmark::State& state) {
    ComputedDefaultDesign();
    const auto fsw = static_cast<float>(zorvic::InputStage.SwitchingFrequency);
    const float xmin = -0.25f / fsw;
    const float step = 1.5f / fsw / Samples;
    for (auto _ : state) {
        float v = 0;
        float i = 0;
        for (int n = 0; n < Samples; ++n) {
            zorvic::DrainWaveformPoint(0.5f, xmin + static_cast<float>(n) * step, v, i, "Vmin", "Cont", xmin);
            benchmark::DoNotOptimize(i);
        }
    }
}

void GainPhaseChart(benchmark::State& state) {
    ComputedDefaultDesign();
    const auto decades = static_cast<float>(std::log10(zorvic::InputStage.SwitchingFrequency));
    for (auto _ : state) {
        float gain = 0;
        float phase = 0;
        float feedbackGain = 0;
        float feedbackPhase = 0;
        for (int n = 0; n < Samples; ++n) {
            const float freq = std::pow(10.0f, decades * static_cast<float>(n) / Samples);
            zorvic::BodePoint(0.5f, freq, gain, phase, feedbackGain, feedbackPhase, "Vmin", "Discont");
            benchmark::DoNotOptimize(feedbackGain);
        }
    }
}

void PowerChart(benchmark::State& state) {
    ComputedDefaultDesign();
    const float vmin = zorvic::InputStage.VdcMin;
    const float step = (zorvic::InputStage.VdcMax - vmin) / Samples;
    for (auto _ : state) {
        float efficiency = 0;
        float loss = 0;
        for (int n = 0; n < Samples; ++n) {
            zorvic::PowerCurvePoint(0.5f, vmin + static_cast<float>(n) * step, efficiency, loss, "Pin", "Cont");
            benchmark::DoNotOptimize(efficiency);
        }
    }
}

}  // namespace

BENCHMARK(DrainWaveformChart)->Unit(benchmark::kMicrosecond);
BENCHMARK(GainPhaseChart)->Unit(benchmark::kMicrosecond);
BENCHMARK(PowerChart)->Unit(benchmark::kMicrosecond);
