// bench_windows, the general manager's and the market value's actions, each
// through the real windows from the click to the windows idle again, against
// its floor measured in the same process, on a generated league of the
// argument's free agents (the default league and a quarter of it):
// - Calculate Market Value on a new Market Value Calculator, up to the
//   Market Values window shown with the run's values. Floor: reading the
//   roster page, the vitals page and fa.txt once and writing marketVal.txt
//   once.
// - Opening Players Available for a team (OK in the main window). Floor:
//   reading fa.txt and the team's offer file once; it writes nothing. For
//   comparison, Qt's least for a window of fa.txt's lines, timed in the same
//   runs (bare_ms), and the opening against it (bare_x).
// - A filter click (Goalies) that builds the player list again. Floor:
//   reading fa.txt once; it writes nothing.
// - A search for the last player of the list. It reads no file, but looks
//   through the lines of fa.txt: its floor is reading fa.txt once.
// And with 100,000 free agents the Market Values window's keys: a keystroke
// in its filter, the table sorted or not, and a click on a column head, in
// milliseconds (key_ms, click_ms: medians, with their slowest).
#include <benchmark/benchmark.h>

#include <QAbstractListModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QTableView>
#include <QtTest>
#include <algorithm>

#include "app/program.h"
#include "bench/leaguefolder.h"
#include "bench/windowbench.h"
#include "core/falist.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "gui/session.h"
#include "gui/text.h"
#include "marketvalue/calculator.h"
#include "marketvalue/valuetable.h"

namespace {

using namespace bidmark;
using bench::ActionFiles;
using bench::LeagueFolder;
using bench::LeagueSize;
using bench::control;
using bench::leagueOf;
using bench::median;
using bench::settle;
using bench::topLevel;

constexpr int kRuns = 5; // per benchmark iteration; the ratio takes their medians

// A new calculator on the league, its pages named; Calculate Market Value
// clicked; the run's message answered.
class Calculator {
public:
    explicit Calculator(const Path& folder) : session_{folder, {}}, form_(session_)
    {
        form_.show();
        control<QLineEdit>(&form_, "Text1")->setText(QStringLiteral("roster.html"));
        control<QLineEdit>(&form_, "Text2")->setText(QStringLiteral("vitals.html"));
        settle();
    }
    void calculate()
    {
        control(&form_, "Command1")->click();
        if (!boxes_.lastText.startsWith(QStringLiteral("DONE ")) || !topLevel("MarketValues"))
            std::abort(); // the run failed
    }

private:
    bench::DialogsAnswered boxes_;
    Session session_;
    MarketValueCalculator form_;
};

// Arguments: free agents.
void CalculateMarketValue(benchmark::State& state)
{
    const LeagueFolder league(leagueOf(state.range(0)));
    const Path& folder = league.path();
    Calculator(folder).calculate(); // marketVal.txt as the runs write it; everything warmed up
    const ActionFiles files{{pathIn(folder, "roster.html"), pathIn(folder, "vitals.html"), pathIn(folder, kFreeAgentFile)},
                            {{pathIn(folder, kMarketValueFile), readFile(pathIn(folder, kMarketValueFile))}}};
    std::vector<double> action, floor;
    for (auto _ : state) {
        for (int run = 0; run < kRuns; ++run) {
            floor.push_back(bench::floorSeconds(files));
            Calculator calculator(folder);
            action.push_back(bench::secondsUntilIdle([&] { calculator.calculate(); }));
        }
        state.SetIterationTime(action.back());
    }
    bench::reportRatio(state, action, floor);
}
BENCHMARK(CalculateMarketValue)
    ->ArgName("free_agents")
    ->Arg(20000)
    ->Arg(5000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The whole program on the league, started: the main window shows its teams.
class StartedProgram {
public:
    explicit StartedProgram(const Path& folder) : program_(folder) { program_.start(); settle(); }
    // OK in the main window for the league's first team.
    void chooseTeam(const std::string& team)
    {
        MainWindow& main = program_.mainWindow();
        control<QComboBox>(&main, "Combo1")->setEditText(gui::toQt(team));
        control(&main, "Command1")->click();
    }

private:
    bidmark::Program program_;
};

// The lines of a file for a list view, read once and shown as asked for.
class FileLines : public QAbstractListModel {
public:
    explicit FileLines(const Path& file) : bytes_(readFile(file)), lines_(lineViews(bytes_)) {}
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(lines_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        const std::string_view line = lines_[static_cast<std::size_t>(index.row())];
        return QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
    }

private:
    std::string bytes_;
    std::vector<std::string_view> lines_;
};

// Seconds to show a new window with one list of the file's lines, until idle:
// Qt's least for a window of fa.txt's lines, nothing of Bidmark's in it.
double bareListWindow(const Path& file)
{
    QWidget window;
    return bench::secondsUntilIdle([&] {
        auto* list = new QListView(&window);
        list->setUniformItemSizes(true);
        list->setModel(new FileLines(file));
        (new QVBoxLayout(&window))->addWidget(list);
        window.resize(640, 480);
        window.show();
    });
}

void OpenPlayersAvailable(benchmark::State& state)
{
    const LeagueSize size = leagueOf(state.range(0));
    const LeagueFolder league(size);
    const Path& folder = league.path();
    const std::string team = bench::teamNames(size).front();
    const ActionFiles files{{pathIn(folder, kFreeAgentFile), pathIn(folder, teamOfferFileName(team))}, {}};
    StartedProgram(folder).chooseTeam(team); // warmed up
    bareListWindow(files.inputs.front());
    std::vector<double> action, floor, bare;
    for (auto _ : state) {
        for (int run = 0; run < kRuns; ++run) {
            floor.push_back(bench::floorSeconds(files));
            StartedProgram program(folder);
            action.push_back(bench::secondsUntilIdle([&] { program.chooseTeam(team); }));
            if (!topLevel("Form2"))
                std::abort();
        }
        for (int run = 0; run < kRuns; ++run) // apart: its lists' memory must not weigh on the openings
            bare.push_back(bareListWindow(files.inputs.front()));
        state.SetIterationTime(action.back());
    }
    bench::reportRatio(state, action, floor);
    state.counters["bare_ms"] = median(bare) * 1000;
    state.counters["bare_x"] = median(action) / median(bare);
}
BENCHMARK(OpenPlayersAvailable)
    ->ArgName("free_agents")
    ->Arg(20000)
    ->Arg(5000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The Players Available window opened for the league's first team; `act`
// timed against reading fa.txt once, after the untimed `prepare`.
template <class Prepare, class Act>
void inPlayersAvailable(benchmark::State& state, Prepare&& prepare, Act&& act)
{
    const LeagueSize size = leagueOf(state.range(0));
    const LeagueFolder league(size);
    const Path& folder = league.path();
    StartedProgram program(folder);
    program.chooseTeam(bench::teamNames(size).front());
    settle();
    QWidget& window = *topLevel("Form2");
    const ActionFiles files{{pathIn(folder, kFreeAgentFile)}, {}};
    std::vector<double> action, floor;
    for (auto _ : state) {
        for (int run = 0; run < kRuns; ++run) {
            floor.push_back(bench::floorSeconds(files));
            prepare(window);
            action.push_back(bench::secondsUntilIdle([&] { act(window); }));
        }
        state.SetIterationTime(action.back());
    }
    bench::reportRatio(state, action, floor);
}

// Goalies ticked off and on in turn: each click builds the list again.
void FilterClick(benchmark::State& state)
{
    inPlayersAvailable(state, [](QWidget&) {}, [](QWidget& window) { control<QCheckBox>(&window, "Check5")->click(); });
}
BENCHMARK(FilterClick)
    ->ArgName("free_agents")
    ->Arg(20000)
    ->Arg(5000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The last player's name, found only after a look at every line above it;
// nothing selected before each search.
void Search(benchmark::State& state)
{
    inPlayersAvailable(
        state,
        [](QWidget& window) {
            auto* list = control<QListView>(&window, "List1");
            list->selectionModel()->clear();
            auto* search = control<QLineEdit>(&window, "Text4");
            if (search->text().isEmpty()) {
                const auto* model = list->model();
                for (int row = model->rowCount() - 1; row >= 0; --row) {
                    const std::string line = gui::fromQt(model->index(row, 0).data().toString()).value_or("");
                    if (isPlayerLine(line)) {
                        search->setText(gui::toQt(displayName(nameKey(line))));
                        break;
                    }
                }
            }
        },
        [](QWidget& window) {
            control(&window, "Command2")->click();
            if (control<QListView>(&window, "List1")->selectionModel()->selectedIndexes().isEmpty())
                std::abort();
        });
}
BENCHMARK(Search)
    ->ArgName("free_agents")
    ->Arg(20000)
    ->Arg(5000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The default league with 100,000 free agents.
LeagueSize hundredThousandFreeAgents()
{
    LeagueSize size;
    size.freeAgents = 100000;
    return size;
}

// The Market Values window of a run on a league of 100,000 free agents.
class ValuesOf100000 {
public:
    ValuesOf100000() : league_(hundredThousandFreeAgents()), calculator_(league_.path())
    {
        calculator_.calculate();
        settle();
        window_ = topLevel("MarketValues");
    }
    QWidget& window() { return *window_; }
    QHeaderView& header() { return *control<QTableView>(window_, "valuesTable")->horizontalHeader(); }
    void clickHead(int column)
    {
        QHeaderView& head = header();
        QTest::mouseClick(head.viewport(), Qt::LeftButton, {},
                          QPoint(head.sectionViewportPosition(column) + 5, head.height() / 2));
    }

private:
    LeagueFolder league_;
    Calculator calculator_;
    QWidget* window_ = nullptr;
};

void reportMilliseconds(benchmark::State& state, const char* name, const std::vector<double>& seconds)
{
    state.counters[std::string(name) + "_ms"] = median(seconds) * 1000;
    state.counters[std::string(name) + "_ms_max"] = *std::max_element(seconds.begin(), seconds.end()) * 1000;
}

// Argument: the column the table is sorted by, or -1 for fa.txt order. "an"
// typed into the filter and taken out again, key by key.
void ValuesFilterKeystroke(benchmark::State& state)
{
    ValuesOf100000 values;
    const int sortedBy = static_cast<int>(state.range(0));
    if (sortedBy >= 0)
        values.clickHead(sortedBy);
    settle();
    auto* filter = control<QLineEdit>(&values.window(), "valuesFilter");
    std::vector<double> keys;
    for (auto _ : state) {
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_N, Qt::Key_Backspace, Qt::Key_Backspace})
            keys.push_back(bench::secondsUntilIdle([&] { QTest::keyClick(filter, key); }));
        state.SetIterationTime(keys.back());
    }
    reportMilliseconds(state, "key", keys);
}
BENCHMARK(ValuesFilterKeystroke)
    ->ArgName("sorted_by")
    ->Arg(-1)
    ->Arg(kMarketValueColumn)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Argument: the column. Each click sorts up, down, then back to fa.txt order.
void ValuesColumnClick(benchmark::State& state)
{
    ValuesOf100000 values;
    const int column = static_cast<int>(state.range(0));
    std::vector<double> clicks;
    for (auto _ : state) {
        for (int click = 0; click < 3; ++click)
            clicks.push_back(bench::secondsUntilIdle([&] { values.clickHead(column); }));
        state.SetIterationTime(clicks.back());
    }
    reportMilliseconds(state, "click", clicks);
}
BENCHMARK(ValuesColumnClick)
    ->ArgName("column")
    ->Arg(kNameColumn)
    ->Arg(kMarketValueColumn)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
