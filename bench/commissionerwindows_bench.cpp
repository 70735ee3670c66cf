// The commissioner's actions through the real windows of the program, each
// from the click to the windows idle again, against its floor:
//   MergeTeamOffersWindow   Merge Team Offers, "move" and "delete" ticked,
//                           against reading teams.txt, every team offer
//                           file, fa.txt and signed.txt once, writing what
//                           the run writes once (fa.txt and signed.txt
//                           flushed, temp.txt, the run's report and each
//                           team's receipt) and deleting the team files;
//   MergeSignedWindow       Done in the signing window after 50 signings,
//                           against reading fa.txt and signed.txt and
//                           writing them, temp.txt and the report once, and
//                           COMMISH.txt written and deleted;
//   UndoMergeWindow         Undo Last Run of a merge, against reading the
//                           copies it keeps and writing the files it puts
//                           back once.
// The journal's own copies and records are not in the floors: they are the
// cost of being able to undo and recover.
// The argument is the number of free agents: the generator's league, or a
// quarter of it (a quarter of the teams and rostered players too). Every run
// starts from the same league files, a week into the season (signed.txt and
// temp.txt there, the journal as full as it is kept), put back untimed.
#include <QAbstractItemView>
#include <QCheckBox>
#include <benchmark/benchmark.h>

#include <map>
#include <stdexcept>
#include <utility>

#include "app/program.h"
#include "bench/leaguefolder.h"
#include "bench/windowbench.h"
#include "commissioner/mergerun.h"
#include "commissioner/receipts.h"
#include "core/falist.h"
#include "core/journal.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"

namespace bidmark::bench {
namespace {

constexpr int kRuns = 5;
constexpr int kSignings = 50;

// A generated league a week into the season, in a folder of its own; its
// files put back as they were on restore(), history/ left as it grows.
class League {
public:
    explicit League(const LeagueSize& size) : league_(size), folder_(league_.path())
    {
        mergeAllTeamOffers(folder_, std::string(kFirstMergeName), {true, false}); // signed.txt and temp.txt
        for (const std::string& name : listFolder(folder_)) {
            if (fileExists(folder_ / name))
                files_[name] = readFile(folder_ / name);
        }
        for (std::size_t run = 0; run < kKeptRuns; ++run)
            RunJournal(folder_, "Calculate Market Value", {std::string(kMarketValueFile)}).finish();
    }
    void restore() const
    {
        for (const std::string& name : listFolder(folder_)) {
            if (fileExists(folder_ / name) && !files_.count(name))
                deleteFile(folder_ / name);
        }
        for (const auto& [name, bytes] : files_) {
            if (!fileExists(folder_ / name) || readFile(folder_ / name) != bytes)
                writeFileAtomic(folder_ / name, bytes);
        }
    }
    Path file(std::string_view name) const { return pathIn(folder_, name); }
    const Path& folder() const { return folder_; }
    std::vector<std::string> teams() const { return readLines(file(kTeamsFile)); }

private:
    LeagueFolder league_;
    const Path& folder_;
    std::map<std::string, std::string> files_;
};

// The program on the league, at the Commissioners Menu, both merge options
// ticked.
class Commissioner {
public:
    explicit Commissioner(const League& league) : program_(league.folder())
    {
        program_.start();
        answers_.typed = QStringLiteral("quaysider");
        control("Form1", "Command2")->click();
        for (const char* option : {"Check1", "Check2"})
            control<QCheckBox>("Form4", option)->setChecked(true);
    }
    // Seconds from the click to the windows idle again; throws what a
    // critical message said.
    double click(const char* windowName, const char* name)
    {
        const double seconds = secondsUntilIdle([&] { control(windowName, name)->click(); });
        if (!answers_.failures.isEmpty())
            throw std::runtime_error(answers_.failures.takeFirst().toStdString());
        return seconds;
    }

private:
    DialogsAnswered answers_;
    Program program_;
};

// Sign Players opened, then a player paired with his offer below him, for
// players spread through the list.
void pickSignings(Commissioner& commissioner)
{
    commissioner.click("Form4", "Command4");
    auto* view = control<QAbstractItemView>("Form2", "List1");
    const QAbstractItemModel* model = view->model();
    const auto lineAt = [&](int row) { return model->index(row, 0).data().toString().toStdString(); };
    std::vector<int> players; // rows of a player with an offer below him
    for (int row = 0; row + 1 < model->rowCount(); ++row) {
        const std::string below = lineAt(row + 1);
        if (isPlayerLine(lineAt(row)) && !isPlayerLine(below) && !isEmptyLine(below)
            && below.find("<SIGNED>") == std::string::npos)
            players.push_back(row);
    }
    int picked = 0;
    for (std::size_t i = 0; i < players.size() && picked < kSignings; i += players.size() / kSignings, ++picked) {
        for (int pair : {players[i], players[i] + 1}) {
            view->setCurrentIndex(model->index(pair, 0));
            emit view->doubleClicked(view->currentIndex());
        }
    }
    if (picked < kSignings)
        throw std::runtime_error("too few players to sign");
}

// The files a merge writes as the run that just ended wrote them: fa.txt and
// signed.txt, temp.txt, and the report (and receipts) kept in its folder.
ActionFiles listFiles(const League& league, std::vector<Path> inputs)
{
    ActionFiles files{std::move(inputs)};
    for (std::string_view name : {kFreeAgentFile, kSignedFile})
        files.outputs.emplace_back(league.file(name), readFile(league.file(name)));
    files.scratch.emplace_back(league.file(kTempFile), readFile(league.file(kTempFile)));
    const Path run = readJournal(league.folder()).runs.back().folder;
    files.records.emplace_back(kReportFile, readFile(pathIn(run, kReportFile)));
    const Path receipts = pathIn(run, kReceiptsFolder);
    for (const std::string& name : listFolder(receipts))
        files.records.emplace_back(std::string(kReceiptsFolder) + "/" + name, readFile(receipts / name));
    return files;
}

void MergeTeamOffersWindow(benchmark::State& state)
{
    const League league(leagueOf(state.range(0)));
    Commissioner commissioner(league);
    std::vector<Path> inputs{league.file(kTeamsFile), league.file(kFreeAgentFile), league.file(kSignedFile)};
    for (const std::string& team : league.teams())
        inputs.push_back(league.file(teamOfferFileName(team)));
    commissioner.click("Form4", "Command1"); // warmed up, and what it writes
    ActionFiles files = listFiles(league, inputs);
    for (const std::string& team : league.teams())
        files.deleted.push_back(league.file(teamOfferFileName(team))); // "delete" ticked
    std::vector<double> action, floor;
    for (auto _ : state) {
        league.restore();
        floor.push_back(floorSeconds(files, league.folder()));
        league.restore();
        action.push_back(commissioner.click("Form4", "Command1"));
        state.SetIterationTime(action.back());
    }
    reportRatio(state, action, floor);
}

void MergeSignedWindow(benchmark::State& state)
{
    const League league(leagueOf(state.range(0)));
    Commissioner commissioner(league);
    pickSignings(commissioner);
    commissioner.click("Form2", "Command1");
    ActionFiles files = listFiles(league, {league.file(kFreeAgentFile), league.file(kSignedFile)});
    // Done writes the signings to COMMISH.txt (two lines of about 40 bytes
    // each), merges it and deletes it.
    files.scratch.emplace_back(league.file(kCommissionerFile), std::string(kSignings * 2 * 40, 'x'));
    files.deleted.push_back(league.file(kCommissionerFile));
    std::vector<double> action, floor;
    for (auto _ : state) {
        league.restore();
        floor.push_back(floorSeconds(files, league.folder()));
        league.restore();
        pickSignings(commissioner);
        action.push_back(commissioner.click("Form2", "Command1"));
        state.SetIterationTime(action.back());
    }
    reportRatio(state, action, floor);
}

// The files Undo puts back from the newest run of the journal: its copies
// read, the league files written with their bytes.
ActionFiles undoFiles(const League& league)
{
    const Journal journal = readJournal(league.folder());
    const RunRecord& run = journal.runs.back();
    ActionFiles files;
    for (const RecordedFile* file : recordedFiles(run, true)) {
        if (!file->saved)
            continue;
        const Path copy = pathIn(run.folder, *file->saved);
        files.inputs.push_back(copy);
        files.outputs.emplace_back(league.file(file->name), readFile(copy));
    }
    return files;
}

void UndoMergeWindow(benchmark::State& state)
{
    const League league(leagueOf(state.range(0)));
    Commissioner commissioner(league);
    commissioner.click("Form4", "Command1");
    commissioner.click("Form4", "undoLastRun");
    std::vector<double> action, floor;
    for (auto _ : state) {
        league.restore();
        commissioner.click("Form4", "Command1");
        const ActionFiles files = undoFiles(league);
        action.push_back(commissioner.click("Form4", "undoLastRun"));
        state.SetIterationTime(action.back());
        floor.push_back(floorSeconds(files));
    }
    reportRatio(state, action, floor);
}

void commissionerArgs(benchmark::internal::Benchmark* bench)
{
    bench->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kRuns)->Arg(LeagueSize{}.freeAgents / 4)
        ->Arg(LeagueSize{}.freeAgents);
}

BENCHMARK(MergeTeamOffersWindow)->Apply(commissionerArgs);
BENCHMARK(MergeSignedWindow)->Apply(commissionerArgs);
BENCHMARK(UndoMergeWindow)->Apply(commissionerArgs);

} // namespace
} // namespace bidmark::bench
