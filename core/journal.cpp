#include "core/journal.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <ctime>
#include <fstream>
#include <set>

#include "core/failure.h"
#include "core/filenames.h"
#include "core/linefile.h"
#include "core/text.h"

namespace bidmark {

namespace {

constexpr std::string_view kManifestTitle = "Bidmark run journal";
// Names a run's folder holds besides the saved files.
constexpr std::string_view kRunFolderOwnNames[] = {kManifestFile, kReportFile};

// A name of a file right in the folder. The journal keeps and puts back only
// such files, so that a manifest, which anyone who can write to the league
// folder can change, never leads a write outside it.
bool isPlainFileName(std::string_view name)
{
    constexpr std::string_view kSeparators("/\\:\0", 4);
    return !name.empty() && name != "." && name != ".." && name.find_first_of(kSeparators) == std::string_view::npos;
}

std::string historyFolder(const std::string& leagueFolder) { return pathIn(leagueFolder, kHistoryFolder); }

std::string hexText(std::uint64_t value)
{
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr;
    return std::string(buffer, end);
}

template <class Number>
std::optional<Number> numberOf(std::string_view text, int base = 10)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::string afterText(const RecordedFile& file)
{
    if (file.unchanged)
        return "unchanged";
    if (!file.after)
        return "gone";
    return std::to_string(file.after->size) + " " + hexText(file.after->hash);
}

// "after: " of the manifest; false when the text is none of its forms.
bool readAfter(std::string_view text, RecordedFile& file)
{
    if (text == "unchanged") {
        file.unchanged = true;
        return true;
    }
    if (text == "gone")
        return true;
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos)
        return false;
    const auto size = numberOf<std::uint64_t>(text.substr(0, blank));
    const auto hash = numberOf<std::uint64_t>(text.substr(blank + 1), 16);
    if (!size || !hash)
        return false;
    file.after = FileState{*size, *hash};
    return true;
}

std::vector<std::string> manifestLines(const RunRecord& record)
{
    std::vector<std::string> lines{std::string(kManifestTitle), "run: " + record.run,
                                   "number: " + std::to_string(record.number), "started: " + record.started};
    const bool finished = !record.finished.empty();
    for (const RecordedFile& file : record.files) {
        lines.push_back("file: " + file.name);
        lines.push_back(file.saved ? "before: saved " + *file.saved : std::string("before: absent"));
        if (finished)
            lines.push_back("after: " + afterText(file));
    }
    const std::pair<const char*, const std::string*> marks[] = {
        {"finished: ", &record.finished}, {"undone: ", &record.undone}, {"recovered: ", &record.recovered}};
    for (const auto& [key, value] : marks) {
        if (!value->empty())
            lines.push_back(key + *value);
    }
    return lines;
}

// The run a manifest tells of; none when it is no manifest of ours.
std::optional<RunRecord> readManifest(const std::string& runFolder)
{
    const std::vector<std::string> lines = readLines(pathIn(runFolder, kManifestFile));
    if (lines.empty() || lines.front() != kManifestTitle)
        return std::nullopt;
    RunRecord record;
    record.folder = runFolder;
    bool numbered = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t colon = line.find(": ");
        if (colon == std::string::npos)
            return std::nullopt;
        const std::string_view key = std::string_view(line).substr(0, colon);
        const std::string value = line.substr(colon + 2);
        if (key == "file") {
            if (!isPlainFileName(value))
                return std::nullopt;
            record.files.push_back({value, std::nullopt, false, std::nullopt});
        } else if (key == "before") {
            if (record.files.empty())
                return std::nullopt;
            if (value.rfind("saved ", 0) == 0 && isPlainFileName(value.substr(6)))
                record.files.back().saved = value.substr(6);
            else if (value != "absent")
                return std::nullopt;
        } else if (key == "after") {
            if (record.files.empty() || !readAfter(value, record.files.back()))
                return std::nullopt;
        } else if (key == "number") {
            const auto number = numberOf<long long>(value);
            if (!number)
                return std::nullopt;
            record.number = *number;
            numbered = true;
        } else if (key == "run") {
            record.run = value;
        } else if (key == "started") {
            record.started = value;
        } else if (key == "finished") {
            record.finished = value;
        } else if (key == "undone") {
            record.undone = value;
        } else if (key == "recovered") {
            record.recovered = value;
        }
    }
    if (!numbered || record.run.empty())
        return std::nullopt;
    return record;
}

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

// The hash of FileState: 64 bits a step, mixed with two multiplications;
// enough to tell a changed file, and fast on lists of megabytes. Bytes may
// come in pieces of any size.
class ContentHash {
public:
    void add(std::string_view bytes)
    {
        size_ += bytes.size();
        while (!bytes.empty() && (!pending_.empty() || bytes.size() < 8)) {
            pending_ += bytes.front();
            bytes.remove_prefix(1);
            if (pending_.size() == 8) {
                mixWord(pending_.data());
                pending_.clear();
            }
        }
        for (; bytes.size() >= 8; bytes.remove_prefix(8))
            mixWord(bytes.data());
        pending_ += bytes;
    }

    FileState state() const
    {
        ContentHash last = *this;
        std::uint64_t tail = 0;
        for (auto byte = pending_.rbegin(); byte != pending_.rend(); ++byte)
            tail = (tail << 8) | static_cast<unsigned char>(*byte);
        last.mix(tail ^ 0xFF);
        last.mix(size_);
        return {size_, last.hash_ ^ (last.hash_ >> 32)};
    }

private:
    // Eight bytes as one number, in the machine's byte order (the same on
    // every machine Bidmark runs on).
    void mixWord(const char* bytes)
    {
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        mix(word);
    }
    void mix(std::uint64_t word)
    {
        hash_ ^= word * 0xBF58476D1CE4E5B9ULL;
        hash_ = ((hash_ << 29) | (hash_ >> 35)) * 0x94D049BB133111EBULL;
    }

    std::uint64_t hash_ = 0x9E3779B97F4A7C15ULL;
    std::uint64_t size_ = 0;
    std::string pending_; // fewer than 8 bytes
};

} // namespace

FileState stateOf(std::string_view bytes)
{
    ContentHash hash;
    hash.add(bytes);
    return hash.state();
}

std::optional<FileState> fileStateOf(const std::string& path)
{
    if (!fileExists(path))
        return std::nullopt;
    // In pieces: a list of megabytes needs no memory of its size.
    std::ifstream in(path, std::ios::binary);
    ContentHash hash;
    char piece[65536];
    while (in.read(piece, sizeof piece) || in.gcount() > 0)
        hash.add(std::string_view(piece, static_cast<std::size_t>(in.gcount())));
    if (in.bad() || !in.eof())
        throw Failure("Cannot read " + shownPath(path));
    return hash.state();
}

bool RunRecord::changedFiles() const
{
    return finished.empty()
        || std::any_of(files.begin(), files.end(), [](const RecordedFile& file) { return !file.unchanged; });
}

std::vector<RunRecord> journalRuns(const std::string& leagueFolder) { return readHistory(leagueFolder).runs; }

void writeManifest(const RunRecord& record)
{
    writeLinesAtomic(pathIn(record.folder, kManifestFile), manifestLines(record));
}

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
