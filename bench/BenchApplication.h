#pragma once
// The offscreen application the window benchmarks draw in.

#include <QApplication>

namespace bench {

inline void StartApplication() {
    static int argc = 1;
    static char name[] = "zorvic_bench";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(argc, argv);  // lives for the run of the benchmarks
}

}  // namespace bench
