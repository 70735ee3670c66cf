#include "app/leaguefolder.h"

#include "core/leaguefiles.h"
#include "core/linefile.h"

namespace bidmark {

bool holdsLeague(const Path& folder)
{
    return fileExists(pathIn(folder, kFreeAgentFile)) || fileExists(pathIn(folder, kTeamsFile));
}

void copyMissingFiles(const Path& from, const Path& to)
{
    for (const std::string& name : pickableFiles(from)) {
        const Path target = to / name;
        if (!fileExists(target))
            writeFileAtomic(target, readFile(from / name));
    }
}

} // namespace bidmark
