#include "commissioner/merge_run.h"

#include <vector>

#include "commissioner/merge.h"
#include "core/failure.h"
#include "core/filenames.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"

namespace bidmark {

namespace {

std::vector<std::string> readTeams(const std::string& folder)
{
    const std::string path = pathIn(folder, kTeamsFile);
    std::vector<std::string> teams = readLines(path);
    if (teams.size() > static_cast<std::size_t>(kMaxTeams))
        throw Failure(shownPath(path) + " holds " + std::to_string(teams.size()) + " teams; at most "
                      + std::to_string(kMaxTeams) + " can be merged. No team was merged.");
    for (const std::string& team : teams) {
        if (auto problem = teamNameProblem(team))
            throw Failure(*problem + " No team was merged.");
    }
    return teams;
}

// The files every merge may write.
std::vector<std::string> mergedListFiles()
{
    return {std::string(kFreeAgentFile), std::string(kTempFile), std::string(kSignedFile)};
}

} // namespace

MergeReport mergeAllTeamOffers(const std::string& folder, const std::optional<std::string>& mergeName,
                               MergeRunOptions options)
{
    const std::optional<std::string> header =
        mergeName ? std::optional<std::string>(signingHeader(*mergeName)) : std::nullopt;
    MergeReport report = mergeTeams(folder, readTeams(folder), options.moveSignedPlayers,
                                    options.deleteTeamOffers, header);
    report.run = kMergeRunName;
    return report;
}

std::vector<std::string> mergeRunFiles(const std::string& folder)
{
    std::vector<std::string> files = mergedListFiles();
    const std::string teams = pathIn(folder, kTeamsFile);
    if (!fileExists(teams))
        return files;
    for (const std::string& team : readLines(teams)) {
        if (!teamNameProblem(team))
            files.push_back(teamOfferFileName(team));
    }
    return files;
}

std::vector<std::string> signingRunFiles()
{
    std::vector<std::string> files = mergedListFiles();
    files.push_back(std::string(kCommissionerFile));
    return files;
}

} // namespace bidmark
