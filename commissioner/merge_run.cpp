#include "commissioner/merge_run.h"

#include <vector>

#include "commissioner/merge.h"
#include "core/failure.h"
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
        throw Failure(path + " holds " + std::to_string(teams.size()) + " teams; at most "
                      + std::to_string(kMaxTeams) + " can be merged. No team was merged.");
    for (const std::string& team : teams) {
        if (auto problem = teamNameProblem(team))
            throw Failure(*problem + " No team was merged.");
    }
    return teams;
}

} // namespace

MergeReport mergeAllTeamOffers(const std::string& folder, const std::optional<std::string>& mergeName,
                               MergeRunOptions options)
{
    const std::optional<std::string> header =
        mergeName ? std::optional<std::string>(signingHeader(*mergeName)) : std::nullopt;
    MergeReport report = mergeTeams(folder, readTeams(folder), options.moveSignedPlayers,
                                    options.deleteTeamOffers, header);
    report.run = kMergeRun;
    return report;
}

} // namespace bidmark
