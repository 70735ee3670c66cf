#include "commissioner/mergerun.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "commissioner/merge.h"
#include "commissioner/receipts.h"
#include "core/failure.h"
#include "core/filenames.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"

namespace bidmark {

std::vector<std::string> readTeams(const Path& folder)
{
    const Path path = pathIn(folder, kTeamsFile);
    std::vector<std::string> teams = readLines(path);
    if (teams.size() > static_cast<std::size_t>(kMaxTeams))
        throw Failure(path.shown() + " holds " + std::to_string(teams.size()) + " teams; at most "
                      + std::to_string(kMaxTeams) + " can be merged. No team was merged.");
    for (const std::string& team : teams) {
        if (auto problem = teamNameProblem(team))
            throw Failure(*problem + " No team was merged.");
    }
    return teams;
}

namespace {

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

MergeReport mergeAllTeamOffers(const Path& folder, const std::optional<std::string>& mergeName,
                               MergeRunOptions options)
{
    MergeReport report = mergeTeams(folder, readTeams(folder), options.moveSignedPlayers,
                                    options.deleteTeamOffers, headerOf(mergeName));
    report.run = kMergeRunName;
    report.mergeName = mergeName;
    return report;
}

std::string followingName(std::string_view mergeName)
{
    const std::size_t first = mergeName.find_first_of("0123456789");
    if (first == std::string_view::npos)
        return {};
    std::size_t end = mergeName.find_first_not_of("0123456789", first);
    end = std::min(end, mergeName.size());
    std::string number(mergeName.substr(first, end - first));
    std::size_t digit = number.size();
    while (digit > 0 && number[digit - 1] == '9')
        number[--digit] = '0';
    if (digit == 0)
        number.insert(number.begin(), '1');
    else
        ++number[digit - 1];
    return std::string(mergeName.substr(0, first)) + number + std::string(mergeName.substr(end));
}

std::string nextMergeName(const Path& folder)
{
    std::optional<std::string> last;
    try {
        const Path path = pathIn(folder, kSignedFile);
        if (fileExists(path)) {
            for (const std::string& line : readLines(path)) {
                if (std::optional<std::string> name = headerMergeName(line))
                    last = std::move(name);
            }
        }
    } catch (const Failure&) {
        // the prompt still opens; the merge itself says what is wrong with signed.txt
    }
    const std::string next = last ? followingName(*last) : std::string();
    return next.empty() ? std::string(kFirstMergeName) : next;
}

MergeTeamOffersRun::MergeTeamOffersRun(Path folder, std::optional<std::string> mergeName,
                                       MergeRunOptions options)
    : folder_(std::move(folder)), mergeName_(std::move(mergeName)), options_(options)
{
}

MergeTeamOffersRun::~MergeTeamOffersRun() = default;

void MergeTeamOffersRun::run(Recovered& recovered)
{
    runInLeague(folder_, kMergeRunName, [this] { return files(); },
                [this](const Path& runFolder) { work(runFolder); }, recovered);
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

void MergeTeamOffersRun::work(const Path& runFolder)
{
    report_ = merge_->commit(headerOf(mergeName_), options_.deleteTeamOffers);
    report_.run = kMergeRunName;
    report_.mergeName = mergeName_;
    keepReport(runFolder, report_);
    keepReceipts(folder_, runFolder, report_);
}

std::vector<std::string> signingRunFiles()
{
    std::vector<std::string> files = mergedListFiles();
    files.push_back(std::string(kCommissionerFile));
    return files;
}

} // namespace bidmark
