// The Merge Team Offers run on a large generated league, against baselines
// measured in the same run:
//   MergeRun          the run against reading its inputs and writing fa.txt and
//                     temp.txt once (counter read_write_once_x);
//   SpeedUp           the step-by-step reference merge against the run on a
//                     smaller league (counter speed_up_x);
//   DoubledOffers     the run with twice the offer lines against the run
//                     (counter growth_x);
//   OnePlayer         a small league where every line of one team names the
//                     same player and only ever adds to his block: twice the
//                     lines against the lines (counter growth_x);
//   JunkFile          the run where one team's file also holds 1,000,000 lines
//                     of another team's tag, against the run without them
//                     (counter junk_x): the report lists 200 of them and
//                     counts the rest;
//   Journal           the run journalled, as the Commissioners Menu starts it,
//                     against the same run without the journal (its report
//                     and receipts kept in a folder made beforehand), with
//                     the journal holding as many runs as it keeps (counter
//                     journal_x).
// Each pair of runs is warmed up once and then timed in turns. The league is
// written under $TMPDIR (default /tmp).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "bench/leaguegenerator.h"
#include "commissioner/mergerun.h"
#include "core/journal.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/platform.h"
#include "core/teamfiles.h"
#include "tests/reference/referencemerge.h"

namespace bidmark::bench {
namespace {

namespace fs = std::filesystem;

// A generated league in a folder of its own, put back as generated on reset().
class League {
public:
    // With `onePlayerLines`, the team BOST joins the league: its file holds
    // that many offers for the first free agent, each added to his block (a
    // team of four letters never replaces its earlier offer).
    explicit League(const LeagueSize& size, int onePlayerLines = 0, int junkLines = 0)
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/bidmark-bench-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a folder for the league");
        folder_ = Path(pattern);
        writeLeague(folder_, size);
        if (onePlayerLines > 0)
            addOnePlayerTeam(onePlayerLines);
        if (junkLines > 0)
            addJunk(junkLines);
        fa_ = readFile(file("fa.txt"));
        teams_ = readLines(file("teams.txt"));
    }
    ~League() { fs::remove_all(folder_.bytes()); }
    League(const League&) = delete;
    League& operator=(const League&) = delete;

    void reset() const
    {
        writeFileAtomic(file("fa.txt"), fa_);
        fs::remove(file("temp.txt").bytes());
        fs::remove(file("signed.txt").bytes());
        fs::remove_all(records().bytes());
        fs::create_directory(records().bytes());
    }
    // A folder for what a run keeps besides the league files, when no
    // journal gives it one: empty after reset().
    Path records() const { return folder_ / "records"; }
    Path file(std::string_view name) const { return pathIn(folder_, name); }
    const Path& folder() const { return folder_; }
    const std::vector<std::string>& teams() const { return teams_; }

private:
    void addOnePlayerTeam(int lines) const
    {
        appendLines(file("teams.txt"), {"BOST"});
        const std::string key = readLines(file("fa.txt")).at(1).substr(0, 20);
        std::vector<std::string> offers;
        for (int i = 0; i < lines; ++i)
            offers.push_back(key + "<BOST> 0." + std::to_string(1 + i % 9) + "/2 offer " + std::to_string(i));
        writeLinesAtomic(file("BOST.txt"), offers);
    }

    // Lines of another team's tag after the first team's own.
    void addJunk(int lines) const
    {
        const std::string team = readLines(file("teams.txt")).at(0);
        const std::string key = readLines(file("fa.txt")).at(1).substr(0, 20);
        std::vector<std::string> junk;
        for (int i = 0; i < lines; ++i)
            junk.push_back(key + "<XX> 1.0/1 a line that speaks for another team " + std::to_string(i));
        appendLines(file(teamOfferFileName(team)), junk);
    }

    Path folder_;
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

// Total seconds of `work` on one league and of `baseline` on another, taking
// turns, each on a freshly reset league, after one untimed run of each;
// which goes first alternates.
struct Timings {
    double work = 0, baseline = 0;
};

template <class Work, class Baseline>
Timings timeBoth(benchmark::State& state, const League& league, Work&& work, const League& baselineLeague,
                 Baseline&& baseline)
{
    for (const League* warm : {&league, &baselineLeague}) { // the process's memory grown to what both need
        warm->reset();
        warm == &league ? work(*warm) : baseline(*warm);
    }
    Timings total;
    bool workFirst = true;
    for (auto _ : state) {
        if (workFirst)
            total.work += timedOnReset(state, league, work);
        total.baseline += timedOnReset(state, baselineLeague, baseline);
        if (!workFirst)
            total.work += timedOnReset(state, league, work);
        workFirst = !workFirst;
    }
    return total;
}

void MergeRun(benchmark::State& state)
{
    const League league(LeagueSize{});
    const Timings t = timeBoth(state, league, mergeRun, league, readAndWriteOnce);
    state.counters["read_write_once_x"] = t.work / t.baseline;
    state.counters["run_s"] = t.work / static_cast<double>(state.iterations());
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
    const Timings t = timeBoth(state, league, product, league, reference);
    state.counters["speed_up_x"] = t.baseline / t.work;
}

// The run on the larger league against the run on the smaller (growth_x),
// and the smaller run's time (run_s).
void growth(benchmark::State& state, const League& smaller, const League& larger)
{
    const Timings t = timeBoth(state, larger, mergeRun, smaller, mergeRun);
    state.counters["growth_x"] = t.work / t.baseline;
    state.counters["run_s"] = t.baseline / static_cast<double>(state.iterations());
}

void DoubledOffers(benchmark::State& state)
{
    LeagueSize doubled;
    doubled.offerLinesPerTeam *= 2;
    growth(state, League(LeagueSize{}), League(doubled));
}

void OnePlayer(benchmark::State& state)
{
    LeagueSize small;
    small.freeAgents = 2000;
    small.offerLinesPerTeam = 25;
    const int lines = static_cast<int>(state.range(0));
    growth(state, League(small, lines), League(small, 2 * lines));
}

void JunkFile(benchmark::State& state)
{
    const Timings t = timeBoth(state, League(LeagueSize{}, 0, 1000000), mergeRun, League(LeagueSize{}), mergeRun);
    state.counters["junk_x"] = t.work / t.baseline;
}

void journalledMergeRun(const League& league)
{
    MergeTeamOffersRun run(league.folder(), std::string("FA01 Signed Players"), {true, false});
    runJournalled(league.folder(), kMergeRunName, run.files(),
                  [&](const Path& runFolder) { run.work(runFolder); });
}

// The same run, its report and receipts kept in the league's records folder.
void unjournalledMergeRun(const League& league)
{
    MergeTeamOffersRun run(league.folder(), std::string("FA01 Signed Players"), {true, false});
    run.files();
    run.work(league.records());
}

void Journal(benchmark::State& state)
{
    const League league(LeagueSize{});
    for (std::size_t run = 0; run < kKeptRuns; ++run)
        RunJournal(league.folder(), "Calculate Market Value", {std::string(kMarketValueFile)}).finish();
    const Timings t = timeBoth(state, league, journalledMergeRun, league, unjournalledMergeRun);
    state.counters["journal_x"] = t.work / t.baseline;
    state.counters["run_s"] = t.work / static_cast<double>(state.iterations());
}

BENCHMARK(MergeRun)->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK(SpeedUp)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(DoubledOffers)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(OnePlayer)->Unit(benchmark::kMillisecond)->Iterations(6)->Arg(20000);
BENCHMARK(JunkFile)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(Journal)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
} // namespace bidmark::bench

int main(int argc, char** argv)
{
    bidmark::platform::prepareProcess(); // as the program starts: freed memory kept
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
