// Times the curve window offscreen at 1600 x 1000 pixels in the quad layout of the default
// design (drain current, drain voltage, loop gain, efficiency): TraceAll with the paints it
// causes, and one cursor release (the read-out and its chart redrawn).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QRadioButton>
#include <QTemporaryDir>

#include "BenchApplication.h"
#include "ComputeDesign.h"
#include "ControlRegistry.h"
#include "SampleDesigns.h"
#include "fmCurve.h"

namespace {

using bench::StartApplication;

// The quad window of the default design, its cursors from the library the build made.
template <typename Body>
void WithQuadWindow(benchmark::State& state, Body body) {
    StartApplication();
    QTemporaryDir configuration;
    platform::ControlRegistry::SetLocation(configuration.filePath("controls.conf"));
    if (!platform::ControlRegistry::Register(GLIDEBAR_LIBRARY).ok) {
        state.SkipWithError("the scroll control cannot be registered");
        return;
    }
    sample_designs::DefaultDesign();
    zorvic::ComputeDesign();
    QString error;
    std::unique_ptr<fmCurve> window = fmCurve::Create(error);
    if (!window) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    window->resize(1600, 1000);
    window->show();
    window->optQuad(0)->setChecked(true);
    window->optNumber(2)->setChecked(true);
    window->optNumber_Click(2);
    const int16_t types[] = {1, 3, 9, 18};
    for (int16_t i = 0; i < 4; ++i) {
        window->picCurve_Click(i);
        window->mnuCurve_Click(types[i]);
    }
    QApplication::processEvents();
    body(*window);
    window.reset();
    platform::ControlRegistry::SetLocation(QString());
}

void CurveTraceAllQuad(benchmark::State& state) {
    WithQuadWindow(state, [&](fmCurve& window) {
        for (auto _ : state) {
            window.TraceAll();
            QApplication::processEvents();
        }
    });
}
BENCHMARK(CurveTraceAllQuad)->Unit(benchmark::kMillisecond);

void CurveCursorRelease(benchmark::State& state) {
    WithQuadWindow(state, [&](fmCurve& window) {
        float x = 0.2f;
        for (auto _ : state) {
            window.ScrollCurve_Change(0, x);
            x = x > 0.7f ? 0.2f : x + 0.05f;
        }
    });
}
BENCHMARK(CurveCursorRelease)->Unit(benchmark::kMillisecond);

}  // namespace
