#pragma once
#include <string>
#include <vector>

namespace bidmark {

// Folds the team's offer file (the team name followed by ".txt", created empty
// when missing) into fa.txt in `folder`: every line of 22 characters or more
// puts the team's offer into the named player's block, in place of the team's
// earlier offer, or takes that offer back. With `moveSignedPlayers`, signed
// players leave fa.txt for signed.txt (player line, then signed line). When
// some line was merged, temp.txt is left holding the new fa.txt. Nothing is
// written before the whole merge is worked out; fa.txt is replaced atomically.
// Throws Failure.
void mergeTeamOffers(const std::string& folder, const std::string& team, bool moveSignedPlayers);

// The teams merged one after another, each team's offer file deleted after its
// merge when `deleteAfter`: the files end as that sequence of merges leaves
// them, but fa.txt, temp.txt and signed.txt are written once, at the end, or
// at a failure for the teams merged before it (which then stay merged).
void mergeTeams(const std::string& folder, const std::vector<std::string>& teams,
                bool moveSignedPlayers, bool deleteAfter);

} // namespace bidmark
