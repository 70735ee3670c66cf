#pragma once
#include <optional>
#include <string>
#include <string_view>

// teams.txt, team offer files, COMMISH.txt and signed.txt.
namespace bidmark {

bool isUsableTeamOfferLine(std::string_view line);    // 22 characters or more
std::string offerText(std::string_view teamOfferLine); // without its first 20 characters
std::string tagStart(std::string_view teamOfferLine);  // characters 21-24
// The text after the name key is exactly a team tag, one blank and "<RETRACT>".
bool isRetraction(std::string_view teamOfferLine);
std::string signingHeader(std::string_view mergeName); // "------ " + name + "----"
// The merge name of a signing header line; nothing for any other line.
std::optional<std::string> headerMergeName(std::string_view line);

// Why a usable line of `team`'s offer file is not merged: a team's file speaks
// only for that team (its text after the name key begins with "<" team ">"
// and a blank), and COMMISH.txt only holds signings ("<SIGNED> " and a team
// tag).
enum class ForeignLine {
    None,              // the line speaks for the file's team
    OtherTeamsTag,     // a team's file, another team's tag (or none)
    SigningInTeamFile, // a team's file, a signed line
    NotASigning,       // COMMISH.txt, anything but a signed line
};
ForeignLine foreignLine(std::string_view team, std::string_view teamOfferLine);

// Why a team name cannot be used, or nothing when it can: not a plain file
// name (contains '/', '\\', ':' or NUL, or is "." or ".."), holding '<' or
// '>' (its tag could not be told apart from an offer's text), or one of the
// program's own files other than COMMISH.txt (case ignored). An empty name
// and "COMMISH" are allowed.
std::optional<std::string> teamNameProblem(std::string_view team);

} // namespace bidmark
