#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "core/path.h"

// The league page: one self-contained HTML file (UTF-8, inline style, no
// request to anywhere) that a league posts on its web site or forum. It holds
// the league and merge name and the date; every free agent with position,
// age, overall, status, salary, his market value where one was computed and
// every offer standing for him; and the players signed in the last merge with
// their contracts. A little inline script sorts the free agents by a column
// and filters them; without scripts the page shows them all in fa.txt order.
// League text is Windows-1252 and is escaped, so a name is always text.
namespace bidmark {

struct LeaguePageHeading {
    std::string leagueName; // league text
    std::string date;       // "2026-12-07"
};

// What the page is made from: the lines of fa.txt, marketVal.txt and
// signed.txt (none when a file is not there).
struct LeaguePageFiles {
    std::vector<std::string> freeAgents;
    std::vector<std::string> marketValues;
    std::vector<std::string> signedPlayers;
};

struct LeaguePage {
    std::string html;
    std::size_t freeAgents = 0;
    std::size_t signedPlayers = 0; // under the last heading of signed.txt
};

LeaguePage leaguePage(const LeaguePageFiles& files, const LeaguePageHeading& heading);

// Reads the folder's files and writes the page to the path, whole or not at
// all. The league name is the folder's name unless one is given, the date
// today's unless one is given. A path that would take the place of a league
// file (links followed), a missing fa.txt or a file that cannot be read or
// written throws Failure, with nothing written.
LeaguePage writeLeaguePage(const Path& folder, const Path& path, LeaguePageHeading heading = {});

} // namespace bidmark
