#include "core/undo.h"

#include <algorithm>

#include "core/failure.h"
#include "core/filenames.h"
#include "core/leaguelock.h"
#include "core/linefile.h"

namespace bidmark {

namespace {

// The files Undo takes care of: those the run changed.
std::vector<const RecordedFile*> changedByRun(const RunRecord& run)
{
    std::vector<const RecordedFile*> files;
    for (const RecordedFile& file : run.files) {
        if (!file.unchanged)
            files.push_back(&file);
    }
    return files;
}

// Since the run finished the file was changed: it is neither as the run left
// it nor (put back by an undo cut short) as it was before.
bool changedSince(const std::string& leagueFolder, const RunRecord& run, const RecordedFile& file)
{
    if (run.finished.empty())
        return false; // a run cut short left nothing to compare with
    return fileStateOf(pathIn(leagueFolder, file.name)) != file.after && !isAsBefore(leagueFolder, run, file);
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

std::optional<UndoPlan> planUndo(const std::string& leagueFolder)
{
    const std::vector<RunRecord> runs = journalRuns(leagueFolder);
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        if (run->isUndone() || !run->changedFiles())
            continue;
        UndoPlan plan{run->folder, run->run, run->started, {}, {}, {}};
        for (const RecordedFile* file : changedByRun(*run)) {
            (file->saved ? plan.putBack : plan.remove).push_back(file->name);
            if (changedSince(leagueFolder, *run, *file))
                plan.changed.push_back(file->name);
        }
        return plan;
    }
    return std::nullopt;
}

bool undoesWhatWasAsked(const UndoPlan& now, const UndoPlan& asked)
{
    return now.runFolder == asked.runFolder
        && std::all_of(now.changed.begin(), now.changed.end(), [&](const std::string& file) {
               return std::find(asked.changed.begin(), asked.changed.end(), file) != asked.changed.end();
           });
}

void undoRun(const std::string& leagueFolder, const UndoPlan& plan, JournalTime now)
{
    for (RunRecord& run : journalRuns(leagueFolder)) {
        if (run.folder != plan.runFolder)
            continue;
        for (const RecordedFile* file : changedByRun(run))
            putBack(leagueFolder, run, *file);
        run.undone = journalTimeText(now);
        writeManifest(run);
        return;
    }
    throw Failure("The run to undo is no longer in " + shownPath(pathIn(leagueFolder, kHistoryFolder)));
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

std::optional<std::string> undoLastRun(const std::string& leagueFolder, Questions& questions, Recovered& recovered)
{
    Recovered before;
    changeLeague(leagueFolder, kChangingFiles, [] {}, before);
    if (before.message)
        questions.tell(*before.message);
    const std::optional<UndoPlan> asked = planUndo(leagueFolder);
    if (!asked)
        return std::string(kNothingToUndo);
    if (!questions.yes({undoQuestion(*asked), "--yes", {}}))
        return std::nullopt;
    if (!asked->changed.empty() && !questions.yes({changedFilesQuestion(*asked), "--changed-too", {}}))
        return std::nullopt;
    std::optional<UndoPlan> plan;
    changeLeague(
        leagueFolder, kChangingFiles,
        [&] {
            plan = planUndo(leagueFolder);
            if (plan && undoesWhatWasAsked(*plan, *asked))
                undoRun(leagueFolder, *plan);
            else
                plan.reset();
        },
        recovered);
    return plan ? undoneMessage(*plan) : std::string(kChangedWhileAsking);
}

} // namespace bidmark
