// Times one refresh of the main window (UpdateInstance: the computation, the schematic with its
// labels and the information panel) offscreen, for the default design and for six outputs under
// secondary regulation; and, apart, the painting of the drawn window.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>

#include "BenchApplication.h"
#include "MainPage.h"
#include "QtDesignHost.h"
#include "SampleDesigns.h"
#include "Variables.h"

namespace {

using bench::StartApplication;

// A shown main window for the design `setUp` makes, with the program's host installed.
template <typename Body>
void WithMainPage(void (*setUp)(), Body body) {
    StartApplication();
    QtDesignHost host;
    zorvic::InstallHost(&host);
    {
        MainPage page(QString{});
        page.resize(1600, 1000);
        page.show();
        QApplication::processEvents();
        setUp();
        page.UpdateInstance();
        body(page);
    }
    zorvic::InstallHost(nullptr);
}

void DefaultDesign() { sample_designs::DefaultDesign(); }

void SixOutputSecondaryDesign() {
    sample_designs::SixOutputDesign(true);
    zorvic::Outputs[0].OutputType = 10;
    zorvic::OperatingPoint.RegulatedOutputCount = 3;
}

void Refresh(benchmark::State& state, void (*setUp)()) {
    WithMainPage(setUp, [&state](MainPage& page) {
        for (auto _ : state) {
            page.UpdateInstance();
            benchmark::DoNotOptimize(page.LastDrawing().Zoom);
        }
    });
}

void Paint(benchmark::State& state, void (*setUp)()) {
    WithMainPage(setUp, [&state](MainPage& page) {
        for (auto _ : state) {
            QPixmap shot = page.grab();
            benchmark::DoNotOptimize(shot);
        }
    });
}

void RefreshDefaultDesign(benchmark::State& state) { Refresh(state, DefaultDesign); }
void RefreshSixOutputDesign(benchmark::State& state) { Refresh(state, SixOutputSecondaryDesign); }
void PaintSixOutputDesign(benchmark::State& state) { Paint(state, SixOutputSecondaryDesign); }

}  // namespace

BENCHMARK(RefreshDefaultDesign)->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshSixOutputDesign)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintSixOutputDesign)->Unit(benchmark::kMillisecond);
