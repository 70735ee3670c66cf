// The market value run on a large league, against the least any run must do:
// reading its three input files and writing an output of the same size.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <filesystem>

#include "bench/league_generator.h"
#include "core/linefile.h"
#include "marketvalue/run.h"

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

// A generated league in its own temporary folder, removed afterwards.
class LeagueFolder {
public:
    explicit LeagueFolder(const bidmark::bench::LeagueSize& size)
        : folder_((std::filesystem::temp_directory_path() /
                   ("bidmark_marketvalue_bench_" + std::to_string(size.freeAgents) + "_" +
                    std::to_string(size.rostered)))
                      .string())
    {
        std::filesystem::create_directories(folder_);
        bidmark::bench::writeLeague(folder_, size);
    }
    ~LeagueFolder() { std::filesystem::remove_all(folder_); }
    const std::string& path() const { return folder_; }

private:
    std::string folder_;
};

// The baseline: read the run's three inputs, write an output of its size.
void readInputsWriteOutput(const std::string& folder, const std::string& output)
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
    const std::string& folder = league.path();
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

} // namespace

BENCHMARK_MAIN();
