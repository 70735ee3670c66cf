#include "core/recovery.h"

#include "core/journalkey.h"

namespace bidmark {

namespace {

std::string runText(const RunRecord& run) { return "the " + run.run + " run of " + run.started; }

} // namespace

std::optional<std::string> recoverInterruptedRun(const Path& leagueFolder, JournalTime now)
{
    Journal journal = readJournal(leagueFolder);
    return recoverInterruptedRun(leagueFolder, journal, now);
}

std::optional<std::string> recoverInterruptedRun(const Path& leagueFolder, Journal& journal, JournalTime now)
{
    if (journal.runs.empty() || !journal.runs.back().finished.empty())
        return std::nullopt;
    const RunRecord& last = journal.runs.back();
    const RunRecord* target = last.kind == RunKind::run ? &last : journal.run(last.target);
    if (!target)
        return std::nullopt; // what it was about is gone from the journal: nothing to finish it with
    const std::vector<const RecordedFile*> files = recordedFiles(*target, last.kind == RunKind::undo);
    const HashKey key = journalKey();
    const std::vector<std::optional<std::string>> saved = savedBytes(*target, files, key);

    RunJournal run = last.kind == RunKind::run
        ? RunJournal(leagueFolder, journal, "Put Back of " + last.run, namesOf(files), now, RunKind::recovery,
                     last.number)
        : RunJournal(leagueFolder, last);
    for (std::size_t i = 0; i < files.size(); ++i)
        putBack(leagueFolder, *files[i], saved[i], key);
    run.finish(now);

    std::string message;
    if (last.kind == RunKind::undo)
        message = "The last Undo Last Run was interrupted; it was finished now: the files of " + runText(*target)
            + " are as they were before it.";
    else if (last.kind == RunKind::recovery)
        message = "The putting back of " + runText(*target)
            + ", which was interrupted, was itself interrupted; it was finished now: the league files are as they "
              "were before that run.";
    else
        message = "The last " + last.run + " run (started " + last.started
            + ") was interrupted; the league files were put back as they were before it. The files as it left them "
              "are kept in history/" + run.folder().name() + ".";
    journal = readJournal(leagueFolder);
    return message;
}

} // namespace bidmark
