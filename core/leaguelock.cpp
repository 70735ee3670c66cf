#include "core/leaguelock.h"

#include <chrono>
#include <optional>
#include <thread>
#include <vector>

#include "core/failure.h"
#include "core/filenames.h"
#include "core/journal.h"
#include "core/linefile.h"

namespace bidmark {

namespace {

constexpr std::string_view kLockTitle = "Bidmark league folder lock";
constexpr auto kWait = std::chrono::milliseconds(1500); // for a run of another program to end
constexpr auto kPoll = std::chrono::milliseconds(50);
constexpr long long kStaleSeconds = 10 * 60; // no run takes this long
constexpr long long kHalfMadeSeconds = 5;     // a lock still empty after this was left by a kill
constexpr std::uint64_t kLargestLock = 4096;

struct Holder {
    std::string program, process, machine, doing, since;
};

std::string lockText(std::string_view doing)
{
    return joinLines({std::string(kLockTitle), "program: " + platform::programName(),
                      "process: " + std::to_string(platform::processId()), "machine: " + platform::machineName(),
                      "doing: " + std::string(doing), "since: " + journalTimeText(std::chrono::system_clock::now())});
}

// The holder a lock file names; none when it is empty or no lock of ours.
std::optional<Holder> holderIn(const std::string& bytes)
{
    const std::vector<std::string> lines = splitLines(bytes);
    if (lines.size() != 6 || lines[0] != kLockTitle)
        return std::nullopt;
    Holder holder;
    std::string* fields[] = {&holder.program, &holder.process, &holder.machine, &holder.doing, &holder.since};
    const char* keys[] = {"program: ", "process: ", "machine: ", "doing: ", "since: "};
    for (std::size_t i = 0; i < 5; ++i) {
        const std::string& line = lines[i + 1];
        if (line.rfind(keys[i], 0) != 0)
            return std::nullopt;
        *fields[i] = line.substr(std::string_view(keys[i]).size());
    }
    return holder;
}

std::string holderText(const Holder& holder)
{
    return shownPath(holder.program.empty() ? "another program" : holder.program) + " (process " + holder.process
        + (holder.machine.empty() ? std::string() : " on " + shownPath(holder.machine)) + ")";
}

bool stale(const std::optional<Holder>& holder, long long age)
{
    if (!holder)
        return age >= kHalfMadeSeconds;
    if (age >= kStaleSeconds)
        return true;
    long long process = 0;
    try {
        process = std::stoll(holder->process);
    } catch (const std::exception&) {
        return true;
    }
    return holder->machine == platform::machineName() && !platform::processRunning(process);
}

[[noreturn]] void notARegularFile(const Path& path, platform::EntryKind kind)
{
    const char* what = kind == platform::EntryKind::folder ? "a folder"
        : kind == platform::EntryKind::link                 ? "a link"
                                                            : "not a regular file";
    throw Failure("The league folder's lock " + path.shown() + " is " + what
                  + ", not the file Bidmark makes. Nothing was changed; remove " + path.shown()
                  + " and try again.");
}

// A lock file's bytes, none when it is too large to be a lock of ours.
std::optional<std::string> lockBytes(const Path& path)
{
    if (platform::fileSize(path) > kLargestLock)
        return std::nullopt;
    return readFile(path);
}

// Removes a stale lock while it is still the one judged stale; true when it
// is gone.
bool takeOver(const Path& path, const std::optional<std::string>& judged)
{
    try {
        if (lockBytes(path) != judged)
            return false;
        deleteFile(path);
        return true;
    } catch (const Failure&) {
        return platform::entryKind(path) == platform::EntryKind::none;
    }
}

} // namespace

LeagueLock::LeagueLock(const Path& leagueFolder, std::string_view doing)
    : path_(pathIn(leagueFolder, kLockFile))
{
    const std::string mine = lockText(doing);
    const auto giveUp = std::chrono::steady_clock::now() + kWait;
    for (;;) {
        const platform::EntryKind kind = platform::entryKind(path_);
        if (kind != platform::EntryKind::none && kind != platform::EntryKind::file)
            notARegularFile(path_, kind);
        if (kind == platform::EntryKind::none) {
            platform::NewFile made = platform::NewFile::taken;
            try {
                // Not flushed: a lock tells running programs, and none runs after a power cut.
                made = platform::createNewFile(path_, mine, false, platform::Flush::left);
            } catch (const Failure&) {
                return; // no lock can be made here: the change's own writes will fail and say why
            }
            if (made == platform::NewFile::made) {
                written_ = mine;
                return;
            }
            if (made == platform::NewFile::folderReadOnly)
                throw Failure("The league folder " + leagueFolder.shown()
                              + " is read-only, so nothing in it can be changed. Nothing was changed.");
            continue; // another program made it first
        }
        std::optional<std::string> bytes;
        try {
            bytes = lockBytes(path_);
        } catch (const Failure&) {
            bytes = ""; // unreadable: as an empty lock
        }
        const std::optional<Holder> holder = holderIn(bytes.value_or(std::string()));
        if (stale(holder, platform::secondsSinceWritten(path_)) && takeOver(path_, bytes))
            continue;
        if (std::chrono::steady_clock::now() >= giveUp) {
            const std::string who = holder ? holderText(*holder) + " has been " + holder->doing + " since "
                                                 + holder->since
                                           : std::string("another program is making its lock");
            throw Failure("The league folder is in use: " + who
                          + ". Nothing was changed; try again once it has finished. (Lock file: "
                          + path_.shown() + ")");
        }
        std::this_thread::sleep_for(kPoll);
    }
}

LeagueLock::~LeagueLock()
{
    if (written_.empty())
        return;
    try {
        if (platform::entryKind(path_) == platform::EntryKind::file && readFile(path_) == written_)
            deleteFile(path_);
    } catch (const Failure&) {
        // a lock that cannot be removed is stale once this program is gone
    }
}

} // namespace bidmark
