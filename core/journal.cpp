#include "core/journal.h"

#include <algorithm>
#include <ctime>
#include <set>

#include "core/failure.h"
#include "core/filenames.h"
#include "core/linefile.h"
#include "core/text.h"

namespace bidmark {

namespace {

// Names a run's folder holds besides the saved files.
constexpr std::string_view kRunFolderOwnNames[] = {kManifestFile, kReportFile};

std::string historyFolder(const std::string& leagueFolder) { return pathIn(leagueFolder, kHistoryFolder); }

// The run folders of the journal, and the folders a run left before its
// manifest was written (a run stopped before its first write).
struct History {
    std::vector<RunRecord> runs; // oldest first
    std::vector<std::string> unrecorded;
};

History readHistory(const std::string& leagueFolder)
{
    History history;
    const std::string folder = historyFolder(leagueFolder);
    for (const std::string& name : listSubfolders(folder)) {
        const std::string runFolder = pathIn(folder, name);
        if (!fileExists(pathIn(runFolder, kManifestFile))) {
            history.unrecorded.push_back(runFolder);
            continue;
        }
        // A manifest that cannot be read is left alone, and so is its folder.
        try {
            if (std::optional<RunRecord> record = readManifest(runFolder))
                history.runs.push_back(std::move(*record));
        } catch (const Failure&) {
        }
    }
    std::sort(history.runs.begin(), history.runs.end(),
              [](const RunRecord& a, const RunRecord& b) { return a.number < b.number; });
    return history;
}

// A name for the copy not yet taken in the run's folder (case ignored, as
// Windows compares names): the file's own name, or "2 fa.txt" and so on.
std::string copyName(const std::string& name, std::set<std::string>& taken)
{
    std::string candidate = name;
    for (int n = 2; taken.count(lowerCase(candidate)); ++n)
        candidate = std::to_string(n) + " " + name;
    taken.insert(lowerCase(candidate));
    return candidate;
}

// The run's folder, named to sort by time; a second run in the same second
// gets " 2" and so on after its name.
std::string makeRunFolder(const std::string& leagueFolder, const std::string& started, std::string_view runName)
{
    const std::string history = historyFolder(leagueFolder);
    makeFolder(history);
    const std::string name = started + " " + std::string(runName);
    for (int n = 1;; ++n) {
        const std::string folder = pathIn(history, n == 1 ? name : name + " " + std::to_string(n));
        if (makeNewFolder(folder))
            return folder;
    }
}

} // namespace

std::vector<RunRecord> journalRuns(const std::string& leagueFolder) { return readHistory(leagueFolder).runs; }

std::string journalTimeText(JournalTime time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    char text[32];
    const std::tm* local = std::localtime(&seconds);
    if (!local || std::strftime(text, sizeof text, "%Y-%m-%d %H.%M.%S", local) == 0)
        return "0000-00-00 00.00.00";
    return text;
}

namespace {

// A file of this state now is as it was before the run: not there then and
// now, or there with the saved bytes (their size looked at first).
bool asBefore(const std::optional<FileState>& now, const RunRecord& record, const RecordedFile& file)
{
    if (!file.saved || !now)
        return !file.saved && !now;
    const std::string saved = pathIn(record.folder, *file.saved);
    return fileSize(saved) == now->size && fileStateOf(saved) == now;
}

} // namespace

bool isAsBefore(const std::string& leagueFolder, const RunRecord& record, const RecordedFile& file)
{
    return asBefore(fileStateOf(pathIn(leagueFolder, file.name)), record, file);
}

void putBack(const std::string& leagueFolder, const RunRecord& record, const RecordedFile& file)
{
    if (isAsBefore(leagueFolder, record, file))
        return;
    const std::string path = pathIn(leagueFolder, file.name);
    if (file.saved) {
        // The journal keeps files, never links: one planted there would put
        // a file from elsewhere into the league folder.
        const std::string saved = pathIn(record.folder, *file.saved);
        if (isLink(saved))
            throw Failure(shownPath(saved) + " is not a file Bidmark kept; nothing was put back from it.");
        writeFileAtomic(path, readFile(saved));
    } else if (fileExists(path)) {
        deleteFile(path);
    }
}

RunJournal::RunJournal(const std::string& leagueFolder, std::string_view runName,
                       const std::vector<std::string>& files, JournalTime now)
    : leagueFolder_(leagueFolder)
{
    const History history = readHistory(leagueFolder);
    record_.run = std::string(runName);
    record_.number = history.runs.empty() ? 1 : history.runs.back().number + 1;
    record_.started = journalTimeText(now);
    record_.folder = makeRunFolder(leagueFolder, record_.started, runName);

    // A hard link keeps a file's old bytes at no cost: every league file is
    // replaced by a rename, and a deleted file lives on under its second name.
    std::set<std::string> taken;
    for (std::string_view own : kRunFolderOwnNames)
        taken.insert(lowerCase(own));
    std::set<std::string> recorded;
    for (const std::string& name : files) {
        if (!isPlainFileName(name) || !recorded.insert(name).second)
            continue;
        RecordedFile file{name, std::nullopt, false, std::nullopt};
        const std::string path = pathIn(leagueFolder, name);
        if (fileExists(path)) {
            file.saved = copyName(name, taken);
            const std::string copy = pathIn(record_.folder, *file.saved);
            linkOrCopyFile(path, copy);
        }
        record_.files.push_back(std::move(file));
    }
    writeManifest(record_); // made durable with the links beside it

    std::vector<std::string> dropped = history.unrecorded;
    const std::size_t older = history.runs.size() + 1 > kKeptRuns ? history.runs.size() + 1 - kKeptRuns : 0;
    for (std::size_t i = 0; i < older; ++i)
        dropped.push_back(history.runs[i].folder);
    for (const std::string& folder : dropped)
        removeFolder(folder);
}

void RunJournal::finish(JournalTime now)
{
    for (RecordedFile& file : record_.files) {
        // A file still under its saved copy's name was not written: every
        // league file is replaced by a rename.
        const std::string path = pathIn(leagueFolder_, file.name);
        file.unchanged = file.saved && sameFile(path, pathIn(record_.folder, *file.saved));
        if (file.unchanged)
            continue;
        const std::optional<FileState> now = fileStateOf(path);
        file.unchanged = asBefore(now, record_, file);
        if (!file.unchanged)
            file.after = now;
    }
    record_.finished = journalTimeText(now);
    writeManifest(record_);
}

std::optional<std::string> recoverInterruptedRun(const std::string& leagueFolder, JournalTime now)
{
    std::vector<RunRecord> runs = journalRuns(leagueFolder);
    if (runs.empty() || !runs.back().finished.empty() || runs.back().isUndone())
        return std::nullopt;
    RunRecord& run = runs.back();
    for (const RecordedFile& file : run.files)
        putBack(leagueFolder, run, file);
    run.recovered = journalTimeText(now);
    writeManifest(run);
    return run.run;
}

std::string interruptedRunMessage(std::string_view run)
{
    return "The last " + std::string(run)
        + " run was interrupted; the league files were put back as they were before it.";
}

} // namespace bidmark
