#include "app/leaguefolder.h"

#include "core/leaguefiles.h"
#include "core/linefile.h"

namespace bidmark {

bool holdsLeague(const std::string& folder)
{
    return fileExists(pathIn(folder, kFreeAgentFile)) || fileExists(pathIn(folder, kTeamsFile));
}

void copyMissingFiles(const std::string& from, const std::string& to, const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        const std::string target = pathIn(to, name);
        if (!fileExists(target))
            writeFileAtomic(target, readFile(pathIn(from, name)));
    }
}

} // namespace bidmark
