#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commissioner/merge_report.h"

namespace bidmark {

struct MergeRunOptions {
    bool moveSignedPlayers = true;  // "Move existing <SIGNED> players to Signed.txt"
    bool deleteTeamOffers = true;   // "Delete team offers after merging"
};

inline constexpr int kMaxTeams = 100;

// The teams of teams.txt in file order, checked as the merge checks them.
// Throws Failure.
std::vector<std::string> readTeams(const std::string& folder);

// The Merge Team Offers run in `folder`: every team of teams.txt (at most 100
// lines, every line a team) is merged in file order, its offer file deleted
// after its merge when asked. When a merge name is given, its signing header
// goes to signed.txt with the players the run moves, in one write. Every
// input is read and the whole run worked out before anything is written: a
// team name that cannot name an offer file, or any file that cannot be read,
// stops the run with signed.txt and fa.txt as they were. Throws Failure.
MergeReport mergeAllTeamOffers(const std::string& folder, const std::optional<std::string>& mergeName,
                               MergeRunOptions options);

// The answer the merge name prompt offers: the merge name of the last
// signing header in signed.txt with its first number counted up, keeping its
// width ("FA01 Signed Players" gives "FA02 Signed Players", "Week 9" gives
// "Week 10"); "FA01 Signed Players" when there is no header, or no number in
// it, or signed.txt cannot be read.
inline constexpr std::string_view kFirstMergeName = "FA01 Signed Players";
std::string nextMergeName(const std::string& folder);
std::string followingName(std::string_view mergeName); // the number counted up; empty without one

// The two runs of the per-team merge as the journal names them, and the
// league files each may replace or delete: fa.txt, temp.txt, signed.txt and
// the offer files it merges (those of teams.txt that can name a file, read
// now; none when teams.txt cannot be read, for the run then stops before it
// merges any).
inline constexpr std::string_view kMergeRunName = "Merge Team Offers";
inline constexpr std::string_view kSigningRunName = "Merge Signed Players";
std::vector<std::string> mergeRunFiles(const std::string& folder);
std::vector<std::string> signingRunFiles();

} // namespace bidmark
