#pragma once
#include <filesystem>
#include <map>
#include <string>

#include "core/journal.h"
#include "core/linefile.h"

namespace bidmark::test {

// Every entry of a league folder but the run journal (history/, where every
// run, even one that fails, leaves its record): a file's bytes, "<folder>"
// for a folder, "<special>" for anything else (a named pipe, a link to a
// device or to nothing); nothing for a folder that is gone. Two snapshots are
// equal when nothing was written, left behind or lost.
inline std::map<std::string, std::string> snapshot(const Path& folder)
{
    std::map<std::string, std::string> entries;
    std::error_code gone;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(folder.bytes()), gone)) {
        const std::string name = entry.path().filename().string();
        if (name == kHistoryFolder)
            continue;
        entries[name] = entry.is_directory()  ? "<folder>"
            : entry.is_regular_file() ? readFile(Path(entry.path().u8string()))
                                      : "<special>";
    }
    return entries;
}

} // namespace bidmark::test
