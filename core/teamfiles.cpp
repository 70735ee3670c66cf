#include "core/teamfiles.h"

#include <algorithm>

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

std::optional<std::string> headerMergeName(std::string_view line)
{
    constexpr std::string_view kStart = "------ ", kEnd = "----";
    if (line.size() < kStart.size() + kEnd.size() || line.substr(0, kStart.size()) != kStart
        || line.substr(line.size() - kEnd.size()) != kEnd)
        return std::nullopt;
    return std::string(line.substr(kStart.size(), line.size() - kStart.size() - kEnd.size()));
}

ForeignLine foreignLine(std::string_view team, std::string_view teamOfferLine)
{
    constexpr std::string_view kSigned = "<SIGNED> ";
    const std::string_view text = teamOfferLine.substr(std::min<std::size_t>(20, teamOfferLine.size()));
    const bool isSigning = text.substr(0, kSigned.size()) == kSigned;
    if (team == kCommissionerTeam) {
        // "<SIGNED> " and a team tag: "<", a name without brackets, ">".
        const std::string_view tag = text.substr(std::min(kSigned.size(), text.size()));
        const std::size_t close = tag.find_first_of("<>", 1);
        const bool tagged = isSigning && !tag.empty() && tag.front() == '<' && close != std::string_view::npos
            && tag[close] == '>';
        return tagged ? ForeignLine::None : ForeignLine::NotASigning;
    }
    if (isSigning)
        return ForeignLine::SigningInTeamFile;
    const std::string ownTag = "<" + std::string(team) + "> ";
    return text.substr(0, ownTag.size()) == ownTag ? ForeignLine::None : ForeignLine::OtherTeamsTag;
}

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
