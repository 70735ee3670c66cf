#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/path.h"

// Files the program writes for the user beside the league's own (a CSV
// export, the league page, a saved report) never take the place of a league
// file: not fa.txt, teams.txt, a team's offer file, signed.txt, temp.txt,
// COMMISH.txt, marketVal.txt, a page of the hockey simulator, nor anything in
// the journal's history/ folder. Links are followed, so a name that leads to
// one of them is refused too.
namespace bidmark {

// A page Bidmark writes carries this line near its start; any other page of
// the league folder is the simulator's.
inline constexpr std::string_view kOwnPageMark = "<meta name=\"generator\" content=\"Bidmark\">";

// Why the file at the path may not be written, as a message for the user;
// nothing when it may.
std::optional<std::string> exportTargetProblem(const Path& leagueFolder, const Path& path);

// Throws Failure with that message.
void checkExportTarget(const Path& leagueFolder, const Path& path);

} // namespace bidmark
