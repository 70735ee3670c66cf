#pragma once
#include <string>

#include "core/leaguefiles.h"
#include "core/path.h"

namespace bidmark {

// The program-wide state: the league folder the program works in and the
// current team name. The team is set by the main window's OK and by the Sign
// Players run; "COMMISH" means signing mode.
struct Session {
    Path leagueFolder{"."}; // "." is the working directory
    std::string currentTeam;
    bool signingMode() const { return currentTeam == kCommissionerTeam; }
};

} // namespace bidmark
