#pragma once
#include <optional>
#include <string>

namespace bidmark {

struct MergeRunOptions {
    bool moveSignedPlayers = true;  // "Move existing <SIGNED> players to Signed.txt"
    bool deleteTeamOffers = true;   // "Delete team offers after merging"
};

inline constexpr int kMaxTeams = 100;

// The Merge Team Offers run in `folder`: first, when a merge name is given, its
// signing header is appended to signed.txt; then every team of teams.txt (at
// most 100 lines, every line a team) is merged in file order, its offer file
// deleted after its merge when asked. A team name that cannot name an offer
// file stops the run before any team is merged. Throws Failure; teams merged
// before a failure stay merged.
void mergeAllTeamOffers(const std::string& folder, const std::optional<std::string>& mergeName,
                        MergeRunOptions options);

} // namespace bidmark
