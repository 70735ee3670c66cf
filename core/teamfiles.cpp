#include "core/teamfiles.h"

#include "core/leaguefiles.h"
#include "core/text.h"

namespace bidmark {

bool isUsableTeamOfferLine(std::string_view line) { return line.size() >= 22; }

std::string offerText(std::string_view teamOfferLine)
{
    return teamOfferLine.size() > 20 ? std::string(teamOfferLine.substr(20)) : std::string();
}

std::string tagStart(std::string_view teamOfferLine) { return std::string(mid(teamOfferLine, 21, 4)); }

bool isRetraction(std::string_view teamOfferLine)
{
    constexpr std::string_view kEnd = "> <RETRACT>";
    if (teamOfferLine.size() <= 20)
        return false;
    std::string_view text = teamOfferLine.substr(20);
    if (text.size() < 1 + kEnd.size() || text.front() != '<')
        return false;
    if (text.substr(text.size() - kEnd.size()) != kEnd)
        return false;
    std::string_view name = text.substr(1, text.size() - 1 - kEnd.size());
    return name.find('>') == std::string_view::npos;
}

std::string signingHeader(std::string_view mergeName) { return "------ " + std::string(mergeName) + "----"; }

std::optional<std::string> teamNameProblem(std::string_view team)
{
    std::string shown; // the name as a message can show it (a NUL as \0)
    for (char c : team)
        shown += c == '\0' ? std::string("\\0") : std::string(1, c);
    const std::string quoted = "\"" + shown + "\"";
    if (team == "." || team == ".." || team.find_first_of(std::string_view("/\\:\0", 4)) != std::string_view::npos)
        return "The team name " + quoted + " cannot be used: a team name must be a plain file name.";
    if (team.find_first_of("<>") != std::string_view::npos)
        return "The team name " + quoted + " cannot be used: its tag could not be told apart from an offer's text.";
    const std::string_view own = ownFileNamed(teamOfferFileName(team));
    if (!own.empty() && own != kCommissionerFile)
        return "The team name " + quoted + " cannot be used: it would name the league's own file "
            + std::string(own) + ".";
    return std::nullopt;
}

} // namespace bidmark
