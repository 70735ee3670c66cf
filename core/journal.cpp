#include "core/journal.h"

#include <algorithm>
#include <ctime>
#include <set>

#include "core/failure.h"
#include "core/filenames.h"
#include "core/journalkey.h"
#include "core/linefile.h"
#include "core/text.h"

namespace bidmark {

namespace {

// Names a run's folder holds besides the saved files.
constexpr std::string_view kRunFolderOwnNames[] = {kManifestFile, kReportFile};

Path historyFolder(const Path& leagueFolder) { return pathIn(leagueFolder, kHistoryFolder); }
Path inFolder(const Path& folder, std::string_view name) { return folder / name; }

// The manifest of a run folder; none when there is no regular file of a
// manifest's size.
std::optional<std::string> manifestText(const Path& runFolder)
{
    const Path path = inFolder(runFolder, kManifestFile);
    if (platform::entryKind(runFolder) != platform::EntryKind::folder
        || platform::entryKind(path) != platform::EntryKind::file || fileSize(path) > kMaxManifestSize)
        return std::nullopt;
    return readFile(path);
}

// history/ as a folder of its own, made when missing; a link or a file in its
// place is refused.
Path ownHistoryFolder(const Path& leagueFolder)
{
    const Path history = historyFolder(leagueFolder);
    const platform::EntryKind kind = platform::entryKind(history);
    if (kind == platform::EntryKind::none)
        makeNewFolder(history);
    else if (kind != platform::EntryKind::folder)
        throw Failure(history.shown() + " is not a folder but a link or a file, so the run could not be "
                      "recorded; nothing was changed. Move it out of the league folder, then try again.");
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

// A run folder's name ends in a tag made with the user's key, so that the
// journal reads only the manifests of its own folders, whatever else lies in
// history/: "2026-12-07 09.30.12 Merge Team Offers 1f2e3d4c5b6a".
constexpr std::size_t kTagWidth = 12;
std::string folderTag(std::string_view name, const HashKey& key)
{
    ContentHash hash(key);
    hash.add("folder");
    hash.add(name);
    return hexDigits(hash.result()[0], kTagWidth);
}
bool isTagged(std::string_view name, const HashKey& key)
{
    return name.size() > kTagWidth + 1 && name[name.size() - kTagWidth - 1] == ' '
        && name.substr(name.size() - kTagWidth) == folderTag(name.substr(0, name.size() - kTagWidth - 1), key);
}

// The run's folder, named to sort by time; a second run in the same second
// gets " 2" and so on after its name.
Path makeRunFolder(const Path& history, const std::string& started, std::string_view runName,
                   const HashKey& key)
{
    const std::string name = started + " " + std::string(runName);
    for (int n = 1; n <= 1000; ++n) {
        const std::string untagged = n == 1 ? name : name + " " + std::to_string(n);
        const Path folder = inFolder(history, untagged + " " + folderTag(untagged, key));
        if (makeNewFolder(folder))
            return folder;
    }
    throw Failure("Cannot make a folder for the run in " + history.shown());
}

// Removes the user's oldest runs beyond kKeptRuns, counting the one starting
// now, but never the run it is about.
void pruneOldRuns(const Path& history, const Journal& journal, long long keep)
{
    const std::size_t runs = journal.runs.size() + 1;
    for (std::size_t i = 0; runs > kKeptRuns && i < runs - kKeptRuns; ++i) {
        if (journal.runs[i].number != keep)
            platform::removeOwnFolder(history, journal.runs[i].folder.name());
    }
}

// A file in this state now is as it was before the run: not there then and
// now, or there with the saved bytes.
bool asBefore(const std::optional<FileState>& now, const RecordedFile& file)
{
    return file.saved ? now && *now == file.before : !now;
}

} // namespace

std::vector<const RecordedFile*> recordedFiles(const RunRecord& run, bool changedOnly)
{
    std::vector<const RecordedFile*> files;
    for (const RecordedFile& file : run.files) {
        if (!changedOnly || !file.unchanged)
            files.push_back(&file);
    }
    return files;
}

std::vector<std::string> namesOf(const std::vector<const RecordedFile*>& files)
{
    std::vector<std::string> names;
    for (const RecordedFile* file : files)
        names.push_back(file->name);
    return names;
}

const RunRecord* Journal::run(long long number) const
{
    const auto found = std::find_if(runs.begin(), runs.end(), [&](const RunRecord& r) { return r.number == number; });
    return found == runs.end() ? nullptr : &*found;
}

Journal readJournal(const Path& leagueFolder)
{
    Journal journal;
    const Path history = historyFolder(leagueFolder);
    if (platform::entryKind(history) != platform::EntryKind::folder)
        return journal;
    const std::optional<HashKey> key = existingJournalKey();
    std::set<long long> numbers;
    for (const std::string& name : listFolder(history)) {
        const Path folder = inFolder(history, name);
        if (!key || !isTagged(name, *key)) {
            // Only looked at, never read: a run of someone else's, or no run.
            if (platform::entryKind(inFolder(folder, kManifestFile)) != platform::EntryKind::none)
                ++journal.passedOver;
            continue;
        }
        std::optional<std::string> text;
        try {
            text = manifestText(folder);
        } catch (const Failure&) {
        }
        if (!text)
            continue; // a run stopped before its manifest: it changed nothing
        std::optional<RunRecord> record = parseManifest(*text, folder, *key);
        if (!record || !numbers.insert(record->number).second)
            ++journal.passedOver;
        else
            journal.runs.push_back(std::move(*record));
    }
    std::sort(journal.runs.begin(), journal.runs.end(),
              [](const RunRecord& a, const RunRecord& b) { return a.number < b.number; });
    return journal;
}

std::string journalTimeText(JournalTime time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    char text[32];
    const std::tm* local = std::localtime(&seconds);
    if (!local || std::strftime(text, sizeof text, "%Y-%m-%d %H.%M.%S", local) != 19)
        return "0000-00-00 00.00.00";
    return text;
}

bool isAsBefore(const Path& leagueFolder, const RecordedFile& file, const HashKey& key)
{
    const Path path = pathIn(leagueFolder, file.name);
    if (file.saved && fileExists(path) && fileSize(path) != file.before.size)
        return false;
    return asBefore(fileStateOf(path, key), file);
}

namespace {

[[noreturn]] void copyChanged(const RunRecord& record, const RecordedFile& file)
{
    throw Failure(pathIn(record.folder, *file.saved).shown() + " no longer holds what the " + record.run
                  + " run of " + record.started + " kept of " + file.name
                  + " (it was changed or removed since), so nothing was put back from it.");
}

bool isKeptCopy(const Path& copy) { return platform::entryKind(copy) == platform::EntryKind::file; }

} // namespace

std::vector<std::optional<std::string>> savedBytes(const RunRecord& record,
                                                   const std::vector<const RecordedFile*>& files, const HashKey& key)
{
    std::vector<std::optional<std::string>> bytes;
    for (const RecordedFile* file : files) {
        bytes.emplace_back();
        if (!file->saved)
            continue;
        const Path copy = pathIn(record.folder, *file->saved);
        if (!isKeptCopy(copy))
            copyChanged(record, *file);
        bytes.back() = readFile(copy);
        if (stateOf(*bytes.back(), key) != file->before)
            copyChanged(record, *file);
    }
    return bytes;
}

void putBack(const Path& leagueFolder, const RecordedFile& file, const std::optional<std::string>& saved,
             const HashKey& key)
{
    const Path path = pathIn(leagueFolder, file.name);
    if (!saved) {
        if (fileExists(path) || isLink(path))
            deleteFile(path); // a link is removed, never what it names
        return;
    }
    if (!isAsBefore(leagueFolder, file, key))
        writeFileAtomic(path, *saved);
}

RunJournal::RunJournal(const Path& leagueFolder, std::string_view runName,
                       const std::vector<std::string>& files, JournalTime now, RunKind kind, long long target)
    : RunJournal(leagueFolder, readJournal(leagueFolder), runName, files, now, kind, target)
{
}

RunJournal::RunJournal(const Path& leagueFolder, const Journal& journal, std::string_view runName,
                       const std::vector<std::string>& files, JournalTime now, RunKind kind, long long target)
    : leagueFolder_(leagueFolder), key_(journalKey())
{
    const Path history = ownHistoryFolder(leagueFolder);
    record_.run = std::string(runName);
    record_.number = journal.runs.empty() ? 1 : journal.runs.back().number + 1;
    if (record_.number > kMaxRunNumber)
        throw Failure("The run journal in " + history.shown() + " has numbered its last run");
    record_.started = journalTimeText(now);
    record_.kind = kind;
    record_.target = target;
    record_.folder = makeRunFolder(history, record_.started, runName, key_);

    // A hard link keeps a file's old bytes at no cost: every league file is
    // replaced by a rename, and a deleted file lives on under its second name.
    std::set<std::string> taken;
    for (std::string_view own : kRunFolderOwnNames)
        taken.insert(lowerCase(own));
    std::set<std::string> recorded;
    for (const std::string& name : files) {
        if (!isPlainFileName(name) || !recorded.insert(name).second)
            continue;
        if (record_.files.size() == kMaxRunFiles)
            throw Failure("A run records at most " + std::to_string(kMaxRunFiles) + " files; nothing was changed.");
        RecordedFile file{name, std::nullopt, {}, false, std::nullopt};
        const Path path = pathIn(leagueFolder, name);
        if (fileExists(path)) {
            file.saved = copyName(name, taken);
            const Path copy = pathIn(record_.folder, *file.saved);
            linkOrCopyFile(path, copy);
            file.before = *fileStateOf(copy, key_);
        }
        record_.files.push_back(std::move(file));
    }
    manifest_ = startedManifest(record_, key_);
    writeFileAtomic(inFolder(record_.folder, kManifestFile), manifest_); // made durable with the links beside it
    pruneOldRuns(history, journal, target);
}

RunJournal::RunJournal(const Path& leagueFolder, const RunRecord& unfinished)
    : leagueFolder_(leagueFolder), key_(journalKey()), record_(unfinished),
      manifest_(readFile(inFolder(unfinished.folder, kManifestFile)))
{
}

void RunJournal::finish(JournalTime now)
{
    for (RecordedFile& file : record_.files) {
        // A file still under its saved copy's name was not written: every
        // league file is replaced by a rename.
        const Path path = pathIn(leagueFolder_, file.name);
        file.unchanged = file.saved && sameFile(path, pathIn(record_.folder, *file.saved));
        if (file.unchanged)
            continue;
        const std::optional<FileState> state = fileStateOf(path, key_);
        file.unchanged = asBefore(state, file);
        if (!file.unchanged)
            file.after = state;
    }
    record_.finished = journalTimeText(now);
    platform::overwriteAt(inFolder(record_.folder, kManifestFile), finishOffset(manifest_),
                          finishText(record_, manifest_, key_));
}

} // namespace bidmark
