#include "commissioner/merge_run.h"

#include <utility>
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

std::optional<std::string> headerOf(const std::optional<std::string>& mergeName)
{
    return mergeName ? std::optional<std::string>(signingHeader(*mergeName)) : std::nullopt;
}

} // namespace

MergeReport mergeAllTeamOffers(const std::string& folder, const std::optional<std::string>& mergeName,
                               MergeRunOptions options)
{
    MergeReport report = mergeTeams(folder, readTeams(folder), options.moveSignedPlayers,
                                    options.deleteTeamOffers, headerOf(mergeName));
    report.run = kMergeRunName;
    return report;
}

MergeTeamOffersRun::MergeTeamOffersRun(std::string folder, std::optional<std::string> mergeName,
                                       MergeRunOptions options)
    : folder_(std::move(folder)), mergeName_(std::move(mergeName)), options_(options)
{
}

MergeTeamOffersRun::~MergeTeamOffersRun() = default;

void MergeTeamOffersRun::run(Recovered& recovered)
{
    runInLeague(folder_, kMergeRunName, [this] { return files(); },
                [this](const std::string& runFolder) { work(runFolder); }, recovered);
}

std::vector<std::string> MergeTeamOffersRun::files()
{
    const std::vector<std::string> teams = readTeams(folder_);
    merge_ = std::make_unique<TeamMerge>(folder_, options_.moveSignedPlayers);
    merge_->mergeAll(teams, options_.deleteTeamOffers);
    merge_->checkWritable();
    std::vector<std::string> files = mergedListFiles();
    for (const std::string& team : teams)
        files.push_back(teamOfferFileName(team));
    return files;
}

void MergeTeamOffersRun::work(const std::string& runFolder)
{
    report_ = merge_->commit(headerOf(mergeName_), options_.deleteTeamOffers);
    report_.run = kMergeRunName;
    keepReport(runFolder, report_);
}

std::vector<std::string> signingRunFiles()
{
    std::vector<std::string> files = mergedListFiles();
    files.push_back(std::string(kCommissionerFile));
    return files;
}

} // namespace bidmark
