#pragma once
#include <chrono>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/manifest.h"
#include "core/path.h"

// The run journal. Every run that changes league files records itself in the
// league folder's history/ folder before its first write: a folder of its own
// holding every file the run may replace or delete as it was, and a manifest
// (core/manifest.h) telling what ran, when, which files, and whether it
// finished. From it a run is undone (core/undo.h), and a run that never
// finished (a power cut, a kill) is put back (core/recovery.h).
//
// The journal trusts only what it wrote: its manifests carry a mark made with
// the user's key (core/journalkey.h), which covers the saved copies too. An
// entry of history/ without it (planted, edited, or another user's) is passed
// over, never acted on and never deleted. history/ itself must be a folder: a
// link in its place is never followed.
namespace bidmark {

inline constexpr std::string_view kHistoryFolder = "history";
inline constexpr std::string_view kReportFile = "report.txt"; // what a merge run did with every line
inline constexpr std::size_t kKeptRuns = 50;

using JournalTime = std::chrono::system_clock::time_point;
std::string journalTimeText(JournalTime time); // "2026-12-07 09.30.12", local time

// The journal as this user's programs find it.
struct Journal {
    std::vector<RunRecord> runs; // the runs they recorded, oldest first
    std::size_t passedOver = 0;  // run folders of history/ without their mark
    const RunRecord* run(long long number) const;
};
// The names in history/ are listed; only the manifests of the user's own run
// folders (their names carry a tag made with the key) are read.
Journal readJournal(const Path& leagueFolder);

// The files a run recorded, or only those it changed (what Undo puts back),
// and their names.
std::vector<const RecordedFile*> recordedFiles(const RunRecord& run, bool changedOnly);
std::vector<std::string> namesOf(const std::vector<const RecordedFile*>& files);

// True when the file is as it was before the run.
bool isAsBefore(const Path& leagueFolder, const RecordedFile& file, const HashKey& key);
// The bytes the files had before the run, each read once from its saved copy
// and checked (none for a file that was not there). Throws, naming it, when
// a saved copy no longer holds what the run kept (changed, removed or
// replaced by a link after the run).
std::vector<std::optional<std::string>> savedBytes(const RunRecord& record,
                                                   const std::vector<const RecordedFile*>& files,
                                                   const HashKey& key);
// Puts the file back as it was before the run (atomically): `saved`, its
// bytes as savedBytes read them, or removed when it was not there.
void putBack(const Path& leagueFolder, const RecordedFile& file, const std::optional<std::string>& saved,
             const HashKey& key);

// A run being recorded.
class RunJournal {
public:
    // Records the run before its first write: its folder
    // history/<time> <run name> <tag>/, the files as they are now, and the
    // manifest. Only files right in the league folder are league files: a
    // name with a folder in it is passed over. Only the newest kKeptRuns
    // runs of the user's are kept (never the run an Undo or a putting back
    // is about); nothing else in history/ is touched. A journal that cannot
    // be started throws before the run writes anything.
    RunJournal(const Path& leagueFolder, std::string_view runName, const std::vector<std::string>& files,
               JournalTime now = std::chrono::system_clock::now(), RunKind kind = RunKind::run,
               long long target = 0);
    // The same, given the journal as its caller has just read it under the
    // league folder's lock: it is not read again.
    RunJournal(const Path& leagueFolder, const Journal& journal, std::string_view runName,
               const std::vector<std::string>& files, JournalTime now = std::chrono::system_clock::now(),
               RunKind kind = RunKind::run, long long target = 0);
    // A run recorded earlier that was cut short, to be finished now.
    RunJournal(const Path& leagueFolder, const RunRecord& unfinished);
    const Path& folder() const { return record_.folder; } // for what else the run keeps
    const HashKey& key() const { return key_; }
    // Records how the run left its files, and that it finished, in the room
    // the manifest kept for it.
    void finish(JournalTime now = std::chrono::system_clock::now());

private:
    Path leagueFolder_;
    HashKey key_;
    RunRecord record_;
    std::string manifest_; // the manifest's text as the run started
};

// The work of a run, journalled; it gets the run's folder. A run that fails
// is recorded as finished too (what it wrote stays, and can be undone), and
// its failure goes on to the caller.
template <class Work>
void runJournalled(RunJournal& journal, Work&& work)
{
    try {
        work(journal.folder());
    } catch (...) {
        try {
            journal.finish();
        } catch (const std::exception&) {
            // the run's own failure is the one to report
        }
        throw;
    }
    journal.finish();
}
template <class Work>
void runJournalled(const Path& leagueFolder, std::string_view runName,
                   const std::vector<std::string>& files, Work&& work)
{
    RunJournal journal(leagueFolder, runName, files);
    runJournalled(journal, work);
}

} // namespace bidmark
