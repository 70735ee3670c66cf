#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commissioner/mergereport.h"
#include "core/leaguechange.h"
#include "core/path.h"

namespace bidmark {

class TeamMerge;

struct MergeRunOptions {
    bool moveSignedPlayers = true;  // "Move existing <SIGNED> players to Signed.txt"
    bool deleteTeamOffers = true;   // "Delete team offers after merging"
};

inline constexpr int kMaxTeams = 100;

// The teams of teams.txt in file order, checked as the merge checks them.
// Throws Failure.
std::vector<std::string> readTeams(const Path& folder);

// The Merge Team Offers run in `folder`: every team of teams.txt (at most 100
// lines, every line a team) is merged in file order, its offer file deleted
// after its merge when asked. When a merge name is given, its signing header
// goes to signed.txt with the players the run moves, in one write. Every
// input is read and the whole run worked out before anything is written: a
// team name that cannot name an offer file, or any file that cannot be read,
// stops the run with signed.txt and fa.txt as they were. Throws Failure.
MergeReport mergeAllTeamOffers(const Path& folder, const std::optional<std::string>& mergeName,
                               MergeRunOptions options);

// The answer the merge name prompt offers: the merge name of the last
// signing header in signed.txt with its first number counted up, keeping its
// width ("FA01 Signed Players" gives "FA02 Signed Players", "Week 9" gives
// "Week 10"); "FA01 Signed Players" when there is no header, or no number in
// it, or signed.txt cannot be read.
inline constexpr std::string_view kFirstMergeName = "FA01 Signed Players";
std::string nextMergeName(const Path& folder);
std::string followingName(std::string_view mergeName); // the number counted up; empty without one

// The two runs of the per-team merge as the journal names them.
inline constexpr std::string_view kMergeRunName = "Merge Team Offers";
inline constexpr std::string_view kSigningRunName = "Merge Signed Players";
// The league files a signing's merge may replace or delete.
std::vector<std::string> signingRunFiles();

// Merge Team Offers as one run, for the Commissioners Menu and the command
// line alike: the input they gathered, then the whole run under the league
// folder's lock, journalled, and what it did. It asks nothing.
class MergeTeamOffersRun {
public:
    MergeTeamOffersRun(Path folder, std::optional<std::string> mergeName, MergeRunOptions options);
    ~MergeTeamOffersRun();

    // The run: the lock taken, an interrupted run put back (said in
    // `recovered`), files() recorded in the journal, then work(). Throws
    // Failure; a run refused before it starts writes nothing.
    void run(Recovered& recovered);
    // Its steps, for those who hold the lock and keep the journal themselves.
    // files() reads every input once (teams.txt, the teams' offer files,
    // fa.txt), works the merge out in memory, and names from what it read the
    // league files the run may replace or delete: fa.txt, temp.txt,
    // signed.txt and the teams' offer files. A run that is refused is
    // refused here, before anything is written. work() writes what was worked
    // out and keeps the report in the run's folder.
    std::vector<std::string> files();
    void work(const Path& runFolder);

    const MergeReport& report() const { return report_; }
    std::string_view doneMessage() const { return "new fa.txt created"; }

private:
    Path folder_;
    std::optional<std::string> mergeName_;
    MergeRunOptions options_;
    std::unique_ptr<TeamMerge> merge_; // from files() to work()
    MergeReport report_;
};

} // namespace bidmark
