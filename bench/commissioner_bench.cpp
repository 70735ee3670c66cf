// The Merge Team Offers run on a large generated league, against baselines
// measured in the same run:
//   MergeRun          the run against reading its inputs and writing fa.txt and
//                     temp.txt once (counter read_write_once_x);
//   SpeedUp           the step-by-step reference merge against the run on a
//                     smaller league (counter speed_up_x);
//   DoubledOffers     the run with twice the offer lines against the run
//                     (counter growth_x);
//   Journal           the run journalled, as the Commissioners Menu starts it,
//                     against the same run without the journal, with the
//                     journal holding as many runs as it keeps (counter
//                     journal_x).
// The league is written under $TMPDIR (default /tmp).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "bench/league_generator.h"
#include "commissioner/merge_run.h"
#include "core/journal.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"
#include "tests/reference/reference_merge.h"

namespace bidmark::bench {
namespace {

namespace fs = std::filesystem;

// A generated league in a folder of its own, put back as generated on reset().
class League {
public:
    explicit League(const LeagueSize& size)
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/bidmark-bench-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a folder for the league");
        folder_ = pattern;
        writeLeague(folder_, size);
        fa_ = readFile(file("fa.txt"));
        teams_ = readLines(file("teams.txt"));
    }
    ~League() { fs::remove_all(folder_); }
    League(const League&) = delete;
    League& operator=(const League&) = delete;

    void reset() const
    {
        writeFileAtomic(file("fa.txt"), fa_);
        fs::remove(file("temp.txt"));
        fs::remove(file("signed.txt"));
    }
    std::string file(std::string_view name) const { return pathIn(folder_, name); }
    const std::string& folder() const { return folder_; }
    const std::vector<std::string>& teams() const { return teams_; }

private:
    std::string folder_;
    std::string fa_;
    std::vector<std::string> teams_;
};

template <class Work>
double seconds(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void mergeRun(const League& league)
{
    mergeAllTeamOffers(league.folder(), std::string("FA01 Signed Players"), {true, false});
}

// What any merge run must do at least: read every input once, write fa.txt
// and temp.txt once.
void readAndWriteOnce(const League& league)
{
    std::size_t lines = readLines(league.file("teams.txt")).size();
    for (const std::string& team : league.teams())
        lines += readLines(league.file(teamOfferFileName(team))).size();
    const std::string bytes = joinLines(readLines(league.file("fa.txt")));
    writeFileAtomic(league.file("temp.txt"), bytes);
    writeFileAtomic(league.file("fa.txt"), bytes);
    benchmark::DoNotOptimize(lines);
}

// Times `work` on a freshly reset league; the reset is not timed.
template <class Work>
double timedOnReset(benchmark::State& state, const League& league, Work&& work)
{
    state.PauseTiming();
    league.reset();
    state.ResumeTiming();
    return seconds([&] { work(league); });
}

// `work` against `baseline` on one league, in turns: the counter `ratio` and
// the mean time of `work`, run_s.
template <class Work, class Baseline>
void timeAgainst(benchmark::State& state, const League& league, Work&& work, Baseline&& baseline,
                 const char* ratio)
{
    double run = 0, base = 0;
    for (auto _ : state) {
        run += timedOnReset(state, league, work);
        base += timedOnReset(state, league, baseline);
    }
    state.counters[ratio] = run / base;
    state.counters["run_s"] = run / static_cast<double>(state.iterations());
}

void MergeRun(benchmark::State& state)
{
    timeAgainst(state, League(LeagueSize{}), mergeRun, readAndWriteOnce, "read_write_once_x");
}

void SpeedUp(benchmark::State& state)
{
    LeagueSize size;
    size.freeAgents = 2000;
    size.offerLinesPerTeam = 25;
    const League league(size);
    auto reference = [](const League& l) {
        for (const std::string& team : l.teams())
            test::referenceMergeTeamOffers(l.folder(), team, true);
    };
    auto product = [](const League& l) { mergeAllTeamOffers(l.folder(), std::nullopt, {true, false}); };
    double slow = 0, fast = 0;
    for (auto _ : state) {
        fast += timedOnReset(state, league, product);
        slow += timedOnReset(state, league, reference);
    }
    state.counters["speed_up_x"] = slow / fast;
}

void DoubledOffers(benchmark::State& state)
{
    LeagueSize doubled;
    doubled.offerLinesPerTeam *= 2;
    const League normal(LeagueSize{}), twice(doubled);
    double once = 0, more = 0;
    for (auto _ : state) {
        once += timedOnReset(state, normal, mergeRun);
        more += timedOnReset(state, twice, mergeRun);
    }
    state.counters["growth_x"] = more / once;
}

void journalledMergeRun(const League& league)
{
    runJournalled(league.folder(), kMergeRunName, mergeRunFiles(league.folder()),
                  [&](const std::string&) { mergeRun(league); });
}

void Journal(benchmark::State& state)
{
    const League league(LeagueSize{});
    for (std::size_t run = 0; run < kKeptRuns; ++run)
        RunJournal(league.folder(), "Calculate Market Value", {std::string(kMarketValueFile)}).finish();
    timeAgainst(state, league, journalledMergeRun, mergeRun, "journal_x");
}

BENCHMARK(MergeRun)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(SpeedUp)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(DoubledOffers)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Journal)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
} // namespace bidmark::bench

BENCHMARK_MAIN();
