#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/contenthash.h"

// A run's manifest: the text file in its folder of history/ that tells what
// ran, when, which league files it recorded and how it left them.
namespace bidmark {

inline constexpr std::string_view kManifestFile = "manifest.txt";

// One file of a run, named as in the league folder.
struct RecordedFile {
    std::string name;
    std::optional<std::string> saved; // its copy in the run's folder; none: it was not there
    // How the finished run left it: as it was before, gone (no `after`) or
    // with these bytes.
    bool unchanged = false;
    std::optional<FileState> after;
};

// A run as its manifest tells it.
struct RunRecord {
    std::string folder;       // the run's folder
    std::string run;          // "Merge Team Offers"
    long long number = 0;     // the runs of a league folder are numbered as they start
    std::string started;      // "2026-12-07 09.30.12", local time
    std::vector<RecordedFile> files;
    std::string finished;     // empty while it runs, or when it was cut short
    std::string undone;       // when Undo put its files back
    std::string recovered;    // when its files were put back after it was cut short

    bool isUndone() const { return !undone.empty() || !recovered.empty(); }
    bool changedFiles() const; // a run cut short may have changed any of its files
};

// The run a run folder's manifest tells of; none when it is no manifest of ours.
std::optional<RunRecord> readManifest(const std::string& runFolder);
void writeManifest(const RunRecord& record);

// A name of a file right in the folder. The journal keeps and puts back only
// such files, so that a manifest, which anyone who can write to the league
// folder can change, never leads a write outside it.
bool isPlainFileName(std::string_view name);

} // namespace bidmark
