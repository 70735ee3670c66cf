#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// "My offers only": the players under whom a team has an offer standing in
// fa.txt or an entry in its offer list, and what those offers commit.
namespace bidmark {

// The team's offers standing in the free-agent list, each as a team offer
// line: the player's name key and the offer line under him.
std::vector<std::string> standingOffers(const std::vector<std::string_view>& freeAgentLines, std::string_view team);

// The lines of the player list whose player has an offer of the team under him
// or an entry in the offer list; every player's block goes or stays whole,
// lines above the first player go.
std::vector<std::string_view> myOffersOnly(const std::vector<std::string_view>& playerLines, std::string_view team,
                                           const std::vector<std::string>& entries);

// "3 standing offers, 2 entries in the list: 4.75 million a year". The
// salary counts what stands once the list is merged: an entry takes the
// place of the team's standing offer for its player, a retraction takes it
// away.
std::string myOffersTotal(const std::vector<std::string>& standing, const std::vector<std::string>& entries,
                          std::string_view team);

} // namespace bidmark
