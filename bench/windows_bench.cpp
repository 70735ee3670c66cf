// bench_windows: the program's actions timed through its real windows, from
// the click to the window being idle again, each against its floor (reading
// the action's inputs once and writing its outputs once) measured in the same
// process; the benchmarks themselves are in the *windows_bench.cpp files.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "core/platform.h"

int main(int argc, char** argv)
{
    bidmark::platform::prepareProcess(); // as the program starts
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
