// The Players Available window on a big league: a filter click (read fa.txt,
// build the list, replace the view's model) and a search press that runs to
// the end of the list, each as a ratio to reading the same fa.txt into lines.
#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <unistd.h>

#include "bench/league_generator.h"
#include "core/falist.h"
#include "core/linefile.h"
#include "editor/form2.h"
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

// Times `press` per iteration (after the untimed `reset`) and, interleaved
// with it, the baseline: reading fa.txt into lines. Reports the ratio of
// their sums.
template <class Reset, class Press>
void measure(benchmark::State& state, Reset&& reset, Press&& press)
{
    double pressTotal = 0;
    double readTotal = 0;
    for (auto _ : state) {
        readTotal += secondsOf([] { benchmark::DoNotOptimize(bidmark::readLines("fa.txt")); });
        reset();
        const double seconds = secondsOf(press);
        state.SetIterationTime(seconds);
        pressTotal += seconds;
    }
    state.counters["ratio"] = pressTotal / readTotal;
    state.counters["read_ms"] = readTotal * 1000 / static_cast<double>(state.iterations());
}

struct Window {
    bidmark::Session session{".", "TOR"}; // run in the league folder
    bidmark::Form2 form{session};
    Window() { form.setPlayerLines(bidmark::readLines("fa.txt")); }
    template <class Widget>
    Widget* control(const char* name) { return form.findChild<Widget*>(QString::fromLatin1(name)); }
};

void FilterClick(benchmark::State& state)
{
    Window window;
    auto* goalies = window.control<QCheckBox>("Check5");
    measure(state, [] {}, [&] { goalies->click(); });
    state.counters["lines"] = window.control<QListView>("List1")->model()->rowCount();
}
BENCHMARK(FilterClick)->UseManualTime()->Unit(benchmark::kMillisecond);

void SearchPressToTheEnd(benchmark::State& state)
{
    Window window;
    const std::vector<std::string> lines = bidmark::readLines("fa.txt");
    auto* list = window.control<QListView>("List1");
    auto* search = window.control<QPushButton>("Command2");
    // The last player's name: found only after a look at every line above it.
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (bidmark::isPlayerLine(*line)) {
            window.control<QLineEdit>("Text4")->setText(bidmark::gui::toQt(bidmark::nameKey(*line)));
            break;
        }
    }
    measure(state, [&] { list->selectionModel()->clear(); }, [&] { search->click(); });
}
BENCHMARK(SearchPressToTheEnd)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const auto folder = std::filesystem::temp_directory_path()
                        / ("bidmark-editor-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    bidmark::writeLinesAtomic((folder / "fa.txt").string(),
                              bidmark::bench::freeAgentLines(bidmark::bench::LeagueSize{}));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
    return 0;
}
