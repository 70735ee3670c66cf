#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/contenthash.h"
#include "core/path.h"

// A run's manifest: the text file in its folder of history/ that tells what
// ran, when, which league files it recorded and how it left them. It is
// written whole before the run's first write, marked with the user's key,
// with room of a fixed size for its finish; the finish is written over that
// room in place, marked again, so finishing needs no new space on the disk.
// A manifest without a valid mark is none of the program's.
namespace bidmark {

inline constexpr std::string_view kManifestFile = "manifest.txt";
inline constexpr std::size_t kMaxRunFiles = 4096;
inline constexpr long long kMaxRunNumber = 999'999'999'999;
inline constexpr std::uint64_t kMaxManifestSize = 1 << 20;

// One file of a run, named as in the league folder.
struct RecordedFile {
    std::string name;
    std::optional<std::string> saved; // its copy in the run's folder; none: it was not there
    FileState before;                 // the copy's bytes, when saved
    // How the finished run left it: as it was before, gone (no `after`) or
    // with these bytes.
    bool unchanged = false;
    std::optional<FileState> after;
};

// What a run was: an ordinary run, an Undo of another run, or the putting
// back of another run that was interrupted.
enum class RunKind { run, undo, recovery };

// A run as its manifest tells it.
struct RunRecord {
    Path folder;              // the run's folder
    std::string run;          // "Merge Team Offers"
    long long number = 0;     // the runs of a league folder are numbered as they start
    std::string started;      // "2026-12-07 09.30.12", local time
    RunKind kind = RunKind::run;
    long long target = 0;     // the run an Undo or a putting back is about
    std::vector<RecordedFile> files;
    std::string finished;     // empty while it runs, or when it was cut short

    bool changedFiles() const; // a run cut short may have changed any of its files
};

// The manifest's text as the run starts: its start, marked, and the room for
// its finish.
std::string startedManifest(const RunRecord& record, const HashKey& key);
// Where the finish goes in that text, and what it is for the finished record.
std::uint64_t finishOffset(const std::string& startedText);
std::string finishText(const RunRecord& record, std::string_view startedText, const HashKey& key);

// The run a manifest's text tells of; none when it carries no valid mark of
// this key, or is no manifest at all.
std::optional<RunRecord> parseManifest(const std::string& text, const Path& runFolder, const HashKey& key);

// A name of a file right in the folder. The journal keeps and puts back only
// such files, so that a manifest never leads a write outside it.
bool isPlainFileName(std::string_view name);

} // namespace bidmark
