#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
