#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// "My offers only": the players under whom a team has an offer standing in
// fa.txt or an entry in its offer list, and what those offers commit.
namespace bidmark {

// The team's offers standing in the free-agent list, read once for every
// total of the offer list: how many offer lines there are, and the salary of
// each player's last one by his name key, in the order of the keys. The keys
// are views into the lines given.
struct StandingOffers {
    std::size_t count = 0;
    std::vector<std::pair<std::string_view, double>> salaries;
};
StandingOffers standingOffers(const std::vector<std::string_view>& freeAgentLines, std::string_view team);

// The lines of the player list whose player has an offer of the team under him
// or an entry in the offer list; every player's block goes or stays whole,
// lines above the first player go.
std::vector<std::string_view> myOffersOnly(const std::vector<std::string_view>& playerLines, std::string_view team,
                                           const std::vector<std::string>& entries);

// "3 standing offers, 2 entries in the list: 4.75 million a year". The
// salary counts what stands once the list is merged: an entry takes the
// place of the team's standing offer for its player, a retraction takes it
// away.
std::string myOffersTotal(const StandingOffers& standing, const std::vector<std::string>& entries,
                          std::string_view team);

} // namespace bidmark
