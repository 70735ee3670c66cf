#include "core/undo.h"

#include <algorithm>

#include <set>

#include "core/failure.h"
#include "core/filenames.h"
#include "core/journalkey.h"
#include "core/leaguelock.h"
#include "core/linefile.h"

namespace bidmark {

namespace {

// Since the run finished the file was changed: it is neither as the run left
// it nor as it was before.
bool changedSince(const Path& leagueFolder, const RecordedFile& file, const HashKey& key)
{
    return fileStateOf(pathIn(leagueFolder, file.name), key) != file.after && !isAsBefore(leagueFolder, file, key);
}

// The run Undo takes: the newest finished one that changed files, not an
// Undo, not undone and not put back.
const RunRecord* runToUndo(const Journal& journal)
{
    std::set<long long> undone;
    for (const RunRecord& run : journal.runs) {
        if (run.kind != RunKind::run)
            undone.insert(run.target);
    }
    for (auto run = journal.runs.rbegin(); run != journal.runs.rend(); ++run) {
        if (run->kind != RunKind::undo && !run->finished.empty() && !undone.count(run->number) && run->changedFiles())
            return &*run;
    }
    return nullptr;
}

std::string runName(const UndoPlan& plan) { return plan.run + " run of " + plan.started; }

// Names one a line, at most ten of them, so that the box fits on a screen.
std::string nameLines(const std::vector<std::string>& names)
{
    constexpr std::size_t kShown = 10;
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < kShown; ++i)
        text += "\n    " + names[i];
    if (names.size() > kShown)
        text += "\n    and " + std::to_string(names.size() - kShown) + " more";
    return text;
}

} // namespace

std::optional<UndoPlan> planUndo(const Path& leagueFolder)
{
    return planUndo(leagueFolder, readJournal(leagueFolder));
}

std::optional<UndoPlan> planUndo(const Path& leagueFolder, const Journal& journal)
{
    const RunRecord* run = runToUndo(journal);
    if (!run)
        return std::nullopt;
    const HashKey key = journalKey();
    UndoPlan plan{run->folder, run->run, run->started, {}, {}, {}};
    for (const RecordedFile* file : recordedFiles(*run, true)) {
        (file->saved ? plan.putBack : plan.remove).push_back(file->name);
        if (changedSince(leagueFolder, *file, key))
            plan.changed.push_back(file->name);
    }
    return plan;
}

std::string nothingToUndoMessage(const Path& leagueFolder, const Journal& journal)
{
    const std::size_t foreign = journal.passedOver;
    std::string text = "There is no run to undo.";
    if (foreign > 0)
        text += " " + pathIn(leagueFolder, kHistoryFolder).shown() + " holds " + std::to_string(foreign)
            + (foreign == 1 ? " run" : " runs")
            + " this program did not record (another user's, or changed since); they are left alone, as Bidmark "
              "undoes only runs it recorded itself.";
    return text;
}

bool undoesWhatWasAsked(const UndoPlan& now, const UndoPlan& asked)
{
    return now.runFolder == asked.runFolder
        && std::all_of(now.changed.begin(), now.changed.end(), [&](const std::string& file) {
               return std::find(asked.changed.begin(), asked.changed.end(), file) != asked.changed.end();
           });
}

void undoRun(const Path& leagueFolder, const UndoPlan& plan, JournalTime now)
{
    undoRun(leagueFolder, readJournal(leagueFolder), plan, now);
}

void undoRun(const Path& leagueFolder, const Journal& journal, const UndoPlan& plan, JournalTime now)
{
    const auto run = std::find_if(journal.runs.begin(), journal.runs.end(),
                                  [&](const RunRecord& r) { return r.folder == plan.runFolder; });
    if (run == journal.runs.end())
        throw Failure("The run to undo is no longer in " + pathIn(leagueFolder, kHistoryFolder).shown());
    const std::vector<const RecordedFile*> files = recordedFiles(*run, true);
    const HashKey key = journalKey();
    const std::vector<std::optional<std::string>> saved = savedBytes(*run, files, key);
    // Not finished when it fails: the next start finishes it.
    RunJournal undo(leagueFolder, journal, kUndoRunName, namesOf(files), now, RunKind::undo, run->number);
    for (std::size_t i = 0; i < files.size(); ++i)
        putBack(leagueFolder, *files[i], saved[i], key);
    undo.finish(now);
}

std::string undoQuestion(const UndoPlan& plan)
{
    std::string text = "Undo the " + runName(plan) + "?";
    if (!plan.putBack.empty())
        text += "\n\nThese files are put back as they were before it:" + nameLines(plan.putBack);
    if (!plan.remove.empty())
        text += "\n\nThese files, which it made, are removed:" + nameLines(plan.remove);
    return text;
}

std::string changedFilesQuestion(const UndoPlan& plan)
{
    return "These files have changed since the " + runName(plan) + ":" + nameLines(plan.changed)
        + "\n\nUndo puts them back as they were before that run, and the changes are lost. Undo all the same?";
}

std::string undoneMessage(const UndoPlan& plan)
{
    return "The " + runName(plan) + " was undone.";
}

std::optional<std::string> undoLastRun(const Path& leagueFolder, Questions& questions, Recovered& recovered,
                                       Path* undone)
{
    Recovered before;
    std::optional<UndoPlan> asked;
    std::string nothingToUndo;
    changeJournalled(
        leagueFolder, kChangingFiles,
        [&](const Journal& journal) {
            asked = planUndo(leagueFolder, journal);
            if (!asked)
                nothingToUndo = nothingToUndoMessage(leagueFolder, journal);
        },
        before);
    if (before.message)
        questions.tell(*before.message);
    if (!asked)
        return nothingToUndo;
    if (!questions.yes({undoQuestion(*asked), "--yes", {}}))
        return std::nullopt;
    if (!asked->changed.empty() && !questions.yes({changedFilesQuestion(*asked), "--changed-too", {}}))
        return std::nullopt;
    std::optional<UndoPlan> plan;
    changeJournalled(
        leagueFolder, kChangingFiles,
        [&](const Journal& journal) {
            plan = planUndo(leagueFolder, journal);
            if (plan && undoesWhatWasAsked(*plan, *asked))
                undoRun(leagueFolder, journal, *plan);
            else
                plan.reset();
        },
        recovered);
    if (plan && undone)
        *undone = plan->runFolder;
    return plan ? undoneMessage(*plan) : std::string(kChangedWhileAsking);
}

} // namespace bidmark
