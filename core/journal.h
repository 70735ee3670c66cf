#pragma once
#include <chrono>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/manifest.h"

// The run journal. Every run that changes league files records itself in the
// league folder's history/ folder before its first write: a folder of its own
// holding every file the run may replace or delete as it was, and a manifest
// telling what ran, when, which files, and whether it finished. From it a run
// is undone, and a run that never finished (a power cut, a kill) is put back.
// history/ is a folder of its own, so nothing in it is read as a league file.
namespace bidmark {

inline constexpr std::string_view kHistoryFolder = "history";
inline constexpr std::string_view kReportFile = "report.txt"; // what a merge run did with every line
inline constexpr std::size_t kKeptRuns = 50;

using JournalTime = std::chrono::system_clock::time_point;

// The runs of the league folder's journal, oldest first.
std::vector<RunRecord> journalRuns(const std::string& leagueFolder);
std::string journalTimeText(JournalTime time); // "2026-12-07 09.30.12", local time

// True when the file is as it was before the run.
bool isAsBefore(const std::string& leagueFolder, const RunRecord& record, const RecordedFile& file);
// Puts the file back as it was before the run (atomically): its saved bytes,
// or removed when it was not there.
void putBack(const std::string& leagueFolder, const RunRecord& record, const RecordedFile& file);

// A run being recorded.
class RunJournal {
public:
    // Records the run before its first write: its folder
    // history/<time> <run name>/, the files as they are now, and the
    // manifest. Only files right in the league folder are league files: a
    // name with a folder in it is passed over. Only the newest kKeptRuns
    // runs are kept.
    RunJournal(const std::string& leagueFolder, std::string_view runName, const std::vector<std::string>& files,
               JournalTime now = std::chrono::system_clock::now());
    const std::string& folder() const { return record_.folder; } // for what else the run keeps
    // Records how the run left its files, and that it finished.
    void finish(JournalTime now = std::chrono::system_clock::now());

private:
    std::string leagueFolder_;
    RunRecord record_;
};

// The work of a run, journalled; it gets the run's folder. A run that fails
// is recorded as finished too (what it wrote stays, and can be undone), and
// its failure goes on to the caller.
template <class Work>
void runJournalled(const std::string& leagueFolder, std::string_view runName,
                   const std::vector<std::string>& files, Work&& work)
{
    RunJournal journal(leagueFolder, runName, files);
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

// When the newest run of the journal started but never finished, every file
// it recorded is put back as it was before it and the run is marked so; its
// name is given for the one message that says so.
std::optional<std::string> recoverInterruptedRun(const std::string& leagueFolder,
                                                 JournalTime now = std::chrono::system_clock::now());
// "The last <run> run was interrupted; the league files were put back as
// they were before it."
std::string interruptedRunMessage(std::string_view run);

} // namespace bidmark
