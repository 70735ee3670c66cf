#include "core/exporttarget.h"

#include "core/failure.h"
#include "core/filenames.h"
#include "core/journal.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/text.h"
#include "core/wildcard.h"

namespace bidmark {

namespace {
// How far into a page its mark is looked for.
constexpr std::size_t kPageHead = 1024;

// The folder holding the path (links already followed) and the file's name.
std::pair<std::string, std::string> folderAndName(const std::string& realTarget)
{
    const std::size_t slash = realTarget.find_last_of("/\\");
    if (slash == std::string::npos)
        return {".", realTarget};
    return {realTarget.substr(0, slash == 0 ? 1 : slash), realTarget.substr(slash + 1)};
}

// The folder, or one of the folders above it, is `other` (the folder's path
// has its links followed, so the folders above it are the real ones).
bool liesIn(std::string folder, const Path& other)
{
    while (!platform::sameFile(Path(folder), other)) {
        const std::size_t slash = folder.find_last_of("/\\");
        if (slash == std::string::npos || folder.size() == 1)
            return false;
        folder.resize(slash == 0 ? 1 : slash);
    }
    return true;
}

bool isTeamOfferFile(const Path& leagueFolder, const std::string& lowerName)
{
    const Path teams = pathIn(leagueFolder, kTeamsFile);
    if (!fileExists(teams))
        return false;
    try {
        for (const std::string& team : readLines(teams)) {
            if (lowerCase(teamOfferFileName(team)) == lowerName)
                return true;
        }
    } catch (const Failure&) {
        // A teams.txt that cannot be read names no team.
    }
    return false;
}

// An existing HTML page that Bidmark did not write.
bool isSimulatorPage(const Path& path, const std::string& lowerName)
{
    if (!wildcardMatch(lowerName, "*.htm*") || !fileExists(path))
        return false;
    try {
        return readFile(path).substr(0, kPageHead).find(kOwnPageMark) == std::string::npos;
    } catch (const Failure&) {
        return true; // a page that cannot be read is kept as it is
    }
}

std::string refused(const Path& path, const std::string& why)
{
    return "Not written: " + path.shown() + ". " + why + "; choose another name.";
}
} // namespace

std::optional<std::string> exportTargetProblem(const Path& leagueFolder, const Path& path)
{
    const std::string target = platform::realPath(path).bytes();
    const auto [folder, name] = folderAndName(target);
    if (liesIn(folder, pathIn(leagueFolder, kHistoryFolder)))
        return refused(path, "It lies in the league's history/ folder, which keeps the run journal");
    if (!platform::sameFile(Path(folder), leagueFolder.empty() ? Path(".") : leagueFolder))
        return std::nullopt;
    const std::optional<std::string> text = leagueTextOfName(name);
    if (!text)
        return std::nullopt;
    const std::string lowerName = lowerCase(*text);
    if (const std::string_view own = ownFileNamed(*text); !own.empty())
        return refused(path, "It would replace the league file " + std::string(own));
    if (isTeamOfferFile(leagueFolder, lowerName))
        return refused(path, "It would replace the team offer file " + *text);
    if (isSimulatorPage(Path(target), lowerName))
        return refused(path, "It would replace " + *text + ", a page of the hockey simulator");
    return std::nullopt;
}

void checkExportTarget(const Path& leagueFolder, const Path& path)
{
    if (const std::optional<std::string> problem = exportTargetProblem(leagueFolder, path))
        throw Failure(*problem);
}

} // namespace bidmark
