#pragma once
#include <string>
#include <string_view>

// The files of a league folder and the league's rules, named once for the
// whole program.
namespace bidmark {

inline constexpr std::string_view kFreeAgentFile = "fa.txt";
inline constexpr std::string_view kTeamsFile = "teams.txt";
inline constexpr std::string_view kSignedFile = "signed.txt";  // players taken out of fa.txt
inline constexpr std::string_view kTempFile = "temp.txt";      // the merge's copy of the new fa.txt
inline constexpr std::string_view kMarketValueFile = "marketVal.txt";

// The commissioner's pseudo-team: as the current team it means signing mode,
// and its offer file holds the signings.
inline constexpr std::string_view kCommissionerTeam = "COMMISH";
inline constexpr std::string_view kCommissionerFile = "COMMISH.txt";

// A team's offer file: the team name followed by ".txt".
std::string teamOfferFileName(std::string_view team);

// The program's own files, which neither a team's offer file nor the market
// value output may take the place of (each caller names the one it may use).
inline constexpr std::string_view kOwnFiles[] = {kFreeAgentFile, kTeamsFile,        kSignedFile,
                                                 kTempFile,      kCommissionerFile, kMarketValueFile};
// The own file this name spells, case ignored; empty when none.
std::string_view ownFileNamed(std::string_view fileName);

// The contract rules of a rookie: a player of this age or younger may get at
// most this salary and bonus, in millions; his market value is capped at the
// salary cap too.
inline constexpr int kRookieAgeLimit = 22;
inline constexpr double kRookieSalaryCap = 1.5;
inline constexpr double kRookieBonusCap = 5.0;

} // namespace bidmark
