#pragma once
#include <string>
#include <vector>

#include "core/path.h"

// A seeded, made-up large league for the benchmarks: the same seed gives the
// same files on every machine.
namespace bidmark::bench {

struct LeagueSize {
    int freeAgents = 20000;       // player blocks in fa.txt, 0 to 4 offers each
    int teams = 32;               // 2- and 3-letter team names
    int offerLinesPerTeam = 250;  // lines of each team offer file
    int rostered = 1600;          // rows of the roster and vitals pages
    unsigned seed = 2026;
};

std::vector<std::string> teamNames(const LeagueSize& size);
// A heading line, then one block per free agent (player line, offers, now and
// then a signed line, an empty line).
std::vector<std::string> freeAgentLines(const LeagueSize& size);
// Offers, retractions and short lines of one team for players of the list.
std::vector<std::string> teamOfferLines(const LeagueSize& size, int team,
                                        const std::vector<std::string>& freeAgents);
std::vector<std::string> rosterPage(const LeagueSize& size);  // "Team Rosters" page
std::vector<std::string> vitalsPage(const LeagueSize& size);  // "Player Vitals" page

// Writes fa.txt, teams.txt, every team offer file, roster.html and
// vitals.html into the folder.
void writeLeague(const Path& folder, const LeagueSize& size);

} // namespace bidmark::bench
