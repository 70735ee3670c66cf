#include "core/recovery.h"

#include "core/journalkey.h"

namespace bidmark {

namespace {

std::string runText(const RunRecord& run) { return "the " + run.run + " run of " + run.started; }

} // namespace

std::optional<std::string> recoverInterruptedRun(const Path& leagueFolder, JournalTime now)
{
    const Journal journal = readJournal(leagueFolder);
    if (journal.runs.empty() || !journal.runs.back().finished.empty())
        return std::nullopt;
    const RunRecord& last = journal.runs.back();
    const RunRecord* target = last.kind == RunKind::run ? &last : journal.run(last.target);
    if (!target)
        return std::nullopt; // what it was about is gone from the journal: nothing to finish it with
    const std::vector<const RecordedFile*> files = recordedFiles(*target, last.kind == RunKind::undo);
    const HashKey key = journalKey();
    checkSavedCopies(*target, files, key);

    RunJournal run = last.kind == RunKind::run
        ? RunJournal(leagueFolder, "Put Back of " + last.run, namesOf(files), now, RunKind::recovery, last.number)
        : RunJournal(leagueFolder, last);
    for (const RecordedFile* file : files)
        putBack(leagueFolder, *target, *file, key);
    run.finish(now);

    if (last.kind == RunKind::undo)
        return "The last Undo Last Run was interrupted; it was finished now: the files of " + runText(*target)
            + " are as they were before it.";
    if (last.kind == RunKind::recovery)
        return "The putting back of " + runText(*target)
            + ", which was interrupted, was itself interrupted; it was finished now: the league files are as they "
              "were before that run.";
    return "The last " + last.run + " run (started " + last.started
        + ") was interrupted; the league files were put back as they were before it. The files as it left them are "
          "kept in history/" + run.folder().name() + ".";
}

} // namespace bidmark
