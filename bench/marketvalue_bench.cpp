// The market value run on a large league, against the least any run must do:
// reading its three input files and writing an output of the same size. The
// league page of that league, against its market value run. With
// the windows built, the Market Values window too: filling it with a run's
// values, against that run, and sorting its table by a column.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

#include "bench/leaguefolder.h"
#include "core/linefile.h"
#include "marketvalue/leaguepage.h"
#include "marketvalue/valuerun.h"

#ifdef BIDMARK_BENCH_WINDOWS
#include <QApplication>
#include <QTableView>

#include "core/platform.h"
#include "marketvalue/valuetable.h"
#include "marketvalue/valueswindow.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;

// Wall time and this thread's processor time: on a shared machine the second
// keeps the ratio steady when other work takes the cores.
struct Stopwatch {
    Clock::time_point wall = Clock::now();
    double processor = processorSeconds();

    static double processorSeconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
    }
    void addTo(double& wallSeconds, double& cpuSeconds) const
    {
        wallSeconds += std::chrono::duration<double>(Clock::now() - wall).count();
        cpuSeconds += processorSeconds() - processor;
    }
};

using bidmark::bench::LeagueFolder;

// The baseline: read the run's three inputs, write an output of its size.
void readInputsWriteOutput(const bidmark::Path& folder, const std::string& output)
{
    for (const char* name : {"roster.html", "vitals.html", "fa.txt"})
        benchmark::DoNotOptimize(bidmark::readLines(bidmark::pathIn(folder, name)));
    bidmark::writeFileAtomic(bidmark::pathIn(folder, "baseline.txt"), output);
}

// Arguments: free agents and rostered players, as multiples of the default league.
void BM_MarketValueRun(benchmark::State& state)
{
    bidmark::bench::LeagueSize size;
    size.freeAgents *= static_cast<int>(state.range(0));
    size.rostered *= static_cast<int>(state.range(1));
    const LeagueFolder league(size);
    const bidmark::Path& folder = league.path();
    bidmark::runMarketValue(folder, "roster.html", "vitals.html", "marketVal.txt", "20");
    const std::string output = bidmark::readFile(bidmark::pathIn(folder, "marketVal.txt"));
    readInputsWriteOutput(folder, output); // both warmed up alike

    double runWall = 0, runProcessor = 0, ioWall = 0, ioProcessor = 0;
    for (auto _ : state) {
        const Stopwatch run;
        benchmark::DoNotOptimize(
            bidmark::runMarketValue(folder, "roster.html", "vitals.html", "marketVal.txt", "20"));
        run.addTo(runWall, runProcessor);

        state.PauseTiming();
        const Stopwatch io;
        readInputsWriteOutput(folder, output);
        io.addTo(ioWall, ioProcessor);
        state.ResumeTiming();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["run_cpu_ms"] = 1000 * runProcessor / runs;
    state.counters["io_cpu_ms"] = 1000 * ioProcessor / runs;
    state.counters["ratio_cpu"] = runProcessor / ioProcessor;
    state.counters["ratio_wall"] = runWall / ioWall;
}

BENCHMARK(BM_MarketValueRun)
    ->ArgNames({"fa_x", "roster_x"})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Args({1, 2})
    ->Unit(benchmark::kMillisecond);

// The league page of the default league (20,000 free agents, their offers
// and market values), written to a file, against the market value run of the
// same league.
void BM_LeaguePage(benchmark::State& state)
{
    const LeagueFolder league(bidmark::bench::LeagueSize{});
    const bidmark::Path& folder = league.path();
    const bidmark::Path page = bidmark::pathIn(folder, "leaguePage.html");
    bidmark::runMarketValue(folder, "roster.html", "vitals.html", "marketVal.txt", "20");
    bidmark::writeLeaguePage(folder, page); // both warmed up alike

    double pageWall = 0, pageProcessor = 0, runWall = 0, runProcessor = 0;
    for (auto _ : state) {
        const Stopwatch write;
        benchmark::DoNotOptimize(bidmark::writeLeaguePage(folder, page));
        write.addTo(pageWall, pageProcessor);

        state.PauseTiming();
        const Stopwatch run;
        bidmark::runMarketValue(folder, "roster.html", "vitals.html", "marketVal.txt", "20");
        run.addTo(runWall, runProcessor);
        state.ResumeTiming();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["page_cpu_ms"] = 1000 * pageProcessor / runs;
    state.counters["run_cpu_ms"] = 1000 * runProcessor / runs;
    state.counters["ratio_cpu"] = pageProcessor / runProcessor;
    state.counters["ratio_wall"] = pageWall / runWall;
    state.counters["page_kb"] = static_cast<double>(bidmark::fileSize(page)) / 1024;
}
BENCHMARK(BM_LeaguePage)->Unit(benchmark::kMillisecond);

#ifdef BIDMARK_BENCH_WINDOWS
bidmark::MarketValueRun runOn(const bidmark::Path& folder)
{
    return bidmark::runMarketValue(folder, "roster.html", "vitals.html", "marketVal.txt", "20");
}

// The default league's run, then the shown window filled with its values
// (table, chart, the first row's bracket) and then laid out and painted on
// screen, each timed against the run of the same iteration.
void BM_FillValuesWindow(benchmark::State& state)
{
    const LeagueFolder league(bidmark::bench::LeagueSize{});
    bidmark::MarketValuesWindow window(league.path());
    window.resize(1180, 720);
    window.show();
    window.setValues(runOn(league.path()).values); // warmed up
    QApplication::processEvents();

    double runWall = 0, runProcessor = 0, fillWall = 0, fillProcessor = 0, paintWall = 0, paintProcessor = 0;
    for (auto _ : state) {
        const Stopwatch run;
        bidmark::MarketValueRun result = runOn(league.path());
        run.addTo(runWall, runProcessor);

        const Stopwatch fill;
        window.setValues(std::move(result.values));
        fill.addTo(fillWall, fillProcessor);

        const Stopwatch paint;
        QApplication::processEvents();
        paint.addTo(paintWall, paintProcessor);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["run_cpu_ms"] = 1000 * runProcessor / runs;
    state.counters["fill_cpu_ms"] = 1000 * fillProcessor / runs;
    state.counters["paint_cpu_ms"] = 1000 * paintProcessor / runs;
    state.counters["fill_ratio_cpu"] = fillProcessor / runProcessor;
    state.counters["shown_ratio_cpu"] = (fillProcessor + paintProcessor) / runProcessor;
    state.counters["shown_ratio_wall"] = (fillWall + paintWall) / runWall;
}
BENCHMARK(BM_FillValuesWindow)->Unit(benchmark::kMillisecond);

// One click on a column's head of the filled window: the table sorted by that
// column, ascending and descending in turn, and laid out again.
void BM_SortValuesTable(benchmark::State& state)
{
    const LeagueFolder league(bidmark::bench::LeagueSize{});
    bidmark::MarketValuesWindow window(league.path());
    window.resize(1180, 720);
    window.show();
    window.setValues(runOn(league.path()).values);
    QApplication::processEvents();
    auto* table = window.findChild<QTableView*>(QStringLiteral("valuesTable"));
    const int column = static_cast<int>(state.range(0));
    bool ascending = true;
    double wall = 0, processor = 0;
    for (auto _ : state) {
        const Stopwatch sort;
        table->sortByColumn(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        QApplication::processEvents();
        sort.addTo(wall, processor);
        ascending = !ascending;
    }
    const double sorts = static_cast<double>(state.iterations());
    state.counters["sort_cpu_ms"] = 1000 * processor / sorts;
    state.counters["sort_wall_ms"] = 1000 * wall / sorts;
    state.SetLabel(std::string(bidmark::valueColumnTitle(column)));
}
BENCHMARK(BM_SortValuesTable)
    ->ArgName("column")
    ->Arg(bidmark::kNameColumn)
    ->Arg(bidmark::kOverallColumn)
    ->Arg(bidmark::kMarketValueColumn)
    ->Arg(bidmark::kRuleColumn)
    ->Unit(benchmark::kMillisecond);
#endif

} // namespace

int main(int argc, char** argv)
{
    bidmark::platform::prepareProcess(); // as the program starts
#ifdef BIDMARK_BENCH_WINDOWS
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
