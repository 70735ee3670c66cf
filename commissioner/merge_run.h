#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "commissioner/merge_report.h"

namespace bidmark {

struct MergeRunOptions {
    bool moveSignedPlayers = true;  // "Move existing <SIGNED> players to Signed.txt"
    bool deleteTeamOffers = true;   // "Delete team offers after merging"
};

inline constexpr int kMaxTeams = 100;

inline constexpr std::string_view kMergeRun = "Merge Team Offers";

// The Merge Team Offers run in `folder`: every team of teams.txt (at most 100
// lines, every line a team) is merged in file order, its offer file deleted
// after its merge when asked. When a merge name is given, its signing header
// goes to signed.txt with the players the run moves, in one write. Every
// input is read and the whole run worked out before anything is written: a
// team name that cannot name an offer file, or any file that cannot be read,
// stops the run with signed.txt and fa.txt as they were. Throws Failure.
MergeReport mergeAllTeamOffers(const std::string& folder, const std::optional<std::string>& mergeName,
                        MergeRunOptions options);

} // namespace bidmark
