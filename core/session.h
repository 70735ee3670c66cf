#pragma once
#include <string>
#include "core/leaguefiles.h"

namespace bidmark {

// The program-wide state: the current team name. Set by the main window's OK
// and by the Sign Players run; "COMMISH" means signing mode.
struct Session {
    std::string currentTeam;
    bool signingMode() const { return currentTeam == kCommissionerTeam; }
};

} // namespace bidmark
