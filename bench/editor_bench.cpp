// The Players Available window on a big league: a filter click (read fa.txt,
// build the list, replace the view's model) and a search press that runs to
// the end of the list, each as a ratio to reading the same fa.txt into lines.
// And the same league under a first line of 50 MB: opening the window (read,
// fill, show, paint) and a filter click with its repaint, each also with the
// process's peak memory during it over the file's size (peak_ratio).
#include <benchmark/benchmark.h>

#include <algorithm>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <unistd.h>

#include "bench/leaguegenerator.h"
#include "core/falist.h"
#include "core/leaguefiles.h"
#include "core/platform.h"
#include "core/linefile.h"
#include "editor/playersavailable.h"
#include "gui/text.h"

namespace {

// CPU time of this thread: the machine is shared, so wall time would also
// count the other programs running meanwhile.
double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <class Work>
double secondsOf(Work&& work)
{
    const double start = threadSeconds();
    work();
    return threadSeconds() - start;
}

const bidmark::Path kLeague(".");           // the generated league
const bidmark::Path kLongLineLeague("long"); // the same under a first line of 50 MB

bidmark::Path freeAgentFile(const bidmark::Path& folder) { return bidmark::pathIn(folder, bidmark::kFreeAgentFile); }

// Times `press` per iteration (after the untimed `reset`) and, interleaved
// with it, the baseline: reading the folder's fa.txt into lines. Reports the
// ratio of their sums.
template <class Reset, class Press>
void measure(benchmark::State& state, const bidmark::Path& folder, Reset&& reset, Press&& press)
{
    double pressTotal = 0;
    double readTotal = 0;
    for (auto _ : state) {
        readTotal += secondsOf([&] { benchmark::DoNotOptimize(bidmark::readLines(freeAgentFile(folder))); });
        reset();
        const double seconds = secondsOf(press);
        state.SetIterationTime(seconds);
        pressTotal += seconds;
    }
    state.counters["ratio"] = pressTotal / readTotal;
    state.counters["read_ms"] = readTotal * 1000 / static_cast<double>(state.iterations());
}

struct Window {
    bidmark::Session session;
    bidmark::PlayersAvailable form{session};
    explicit Window(const bidmark::Path& folder) : session{folder, "TOR"}
    {
        form.setPlayerLines(bidmark::readFile(freeAgentFile(folder)));
    }
    template <class Widget>
    Widget* control(const char* name) { return form.findChild<Widget*>(QString::fromLatin1(name)); }
};

void FilterClick(benchmark::State& state)
{
    Window window(kLeague);
    auto* goalies = window.control<QCheckBox>("Check5");
    measure(state, kLeague, [] {}, [&] { goalies->click(); });
    state.counters["lines"] = window.control<QListView>("List1")->model()->rowCount();
}
BENCHMARK(FilterClick)->UseManualTime()->Unit(benchmark::kMillisecond);

void SearchPressToTheEnd(benchmark::State& state)
{
    Window window(kLeague);
    const std::vector<std::string> lines = bidmark::readLines(freeAgentFile(kLeague));
    auto* list = window.control<QListView>("List1");
    auto* search = window.control<QPushButton>("Command2");
    // The last player's name: found only after a look at every line above it.
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (bidmark::isPlayerLine(*line)) {
            window.control<QLineEdit>("Text4")->setText(bidmark::gui::toQt(bidmark::nameKey(*line)));
            break;
        }
    }
    measure(state, kLeague, [&] { list->selectionModel()->clear(); }, [&] { search->click(); });
}
BENCHMARK(SearchPressToTheEnd)->UseManualTime()->Unit(benchmark::kMillisecond);

// Peak memory of the process (Linux): the high-water mark is set back to
// what the process holds now, and read after the press.
void resetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

double peakMemoryBytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) * 1024;
    }
    return 0;
}

// Times `press` like measure(), and reports the highest peak memory of a
// press, in MB and as a ratio to the size of the long-line fa.txt.
template <class Reset, class Press>
void measureLongLine(benchmark::State& state, Reset&& reset, Press&& press)
{
    double peak = 0;
    measure(state, kLongLineLeague, reset, [&] {
        resetPeakMemory();
        press();
        peak = std::max(peak, peakMemoryBytes());
    });
    const auto fileBytes = static_cast<double>(std::filesystem::file_size(freeAgentFile(kLongLineLeague).bytes()));
    state.counters["peak_MB"] = peak / (1 << 20);
    state.counters["peak_ratio"] = peak / fileBytes;
}

void LongLineOpen(benchmark::State& state)
{
    std::optional<Window> window;
    measureLongLine(state, [&] { window.reset(); }, [&] {
        window.emplace(kLongLineLeague);
        window->form.show();
        benchmark::DoNotOptimize(window->form.grab());
    });
}
BENCHMARK(LongLineOpen)->UseManualTime()->Unit(benchmark::kMillisecond);

void LongLineFilterClick(benchmark::State& state)
{
    Window window(kLongLineLeague);
    window.form.show();
    auto* goalies = window.control<QCheckBox>("Check5");
    measureLongLine(state, [] {}, [&] {
        goalies->click();
        benchmark::DoNotOptimize(window.form.grab());
    });
}
BENCHMARK(LongLineFilterClick)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    bidmark::platform::prepareProcess(); // as the program starts
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const auto folder = std::filesystem::temp_directory_path()
                        / ("bidmark-editor-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / kLongLineLeague.bytes());
    {
        std::vector<std::string> league = bidmark::bench::freeAgentLines(bidmark::bench::LeagueSize{});
        bidmark::writeLinesAtomic(bidmark::Path((folder / "fa.txt").string()), league);
        // A centre whose line runs on for 50 MB, words and blanks.
        std::string longLine = "Lauri Longline         27   UFA     500000   C 70";
        longLine.reserve(50u << 20);
        while (longLine.size() < (50u << 20))
            longLine += " commentary";
        league.insert(league.begin(), std::move(longLine));
        bidmark::writeLinesAtomic(bidmark::Path((folder / kLongLineLeague.bytes() / "fa.txt").string()), league);
    }
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
    return 0;
}
