#include "commissioner/receive.h"

#include <algorithm>

#include "commissioner/mergerun.h"
#include "core/failure.h"
#include "core/filenames.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"

namespace bidmark {

namespace {

std::string joined(const std::vector<std::string>& teams)
{
    std::string text;
    for (const std::string& team : teams)
        text += (text.empty() ? "" : ", ") + team;
    return text;
}

std::string fileNameOf(const Path& path)
{
    const std::string name = path.name();
    return leagueTextOfName(name).value_or(name);
}

} // namespace

std::vector<std::string> teamsSpokenFor(std::string_view bytes)
{
    std::vector<std::string> teams;
    for (const std::string& line : splitLines(bytes)) {
        if (!isUsableTeamOfferLine(line))
            continue;
        const std::string text = offerText(line);
        const std::size_t close = text.find("> ");
        if (text.front() != '<' || close == std::string::npos)
            continue;
        const std::string team = text.substr(1, close - 1);
        if (foreignLine(team, line) == ForeignLine::None && std::find(teams.begin(), teams.end(), team) == teams.end())
            teams.push_back(team);
    }
    return teams;
}

Receiving::Receiving(Path leagueFolder) : folder_(std::move(leagueFolder)), teams_(readTeams(folder_)) {}

Arrival Receiving::inspect(const Path& source)
{
    Arrival arrival;
    arrival.source = source;
    arrival.name = fileNameOf(source);
    arrival.bytes = readFile(source);
    const std::vector<std::string> teams = teamsSpokenFor(arrival.bytes);
    if (teams.empty()) {
        arrival.refused = arrival.name + ": no line of it is an offer of a team (a player's name key, then a team's "
                                         "tag and a blank); it was not taken in.";
        return arrival;
    }
    if (teams.size() > 1) {
        arrival.refused = arrival.name + ": its lines speak for several teams (" + joined(teams)
                          + "); a team's file speaks only for its team. It was not taken in.";
        return arrival;
    }
    arrival.team = teams.front();
    if (std::find(teams_.begin(), teams_.end(), arrival.team) == teams_.end() || arrival.team == kCommissionerTeam) {
        arrival.refused = arrival.name + ": its lines speak for " + arrival.team
                          + ", which is not a team of teams.txt; it was not taken in.";
        return arrival;
    }
    arrival.fileName = teamOfferFileName(arrival.team);
    if (auto planned = planned_.find(arrival.fileName); planned != planned_.end()) {
        arrival.before = planned->second;
    } else {
        const Path path = pathIn(folder_, arrival.fileName);
        if (fileExists(path))
            arrival.before = readFile(path);
        found_.emplace(arrival.fileName, arrival.before);
    }
    arrival.holdsWaitingLines = arrival.before && *arrival.before != arrival.bytes
                                && !teamsSpokenFor(*arrival.before).empty();
    return arrival;
}

void Receiving::take(const Arrival& arrival, Taking taking)
{
    if (taking == Taking::Skip) {
        summary_.push_back(arrival.name + ": skipped");
        return;
    }
    std::string bytes = arrival.bytes;
    if (taking == Taking::AddAfter && arrival.before) {
        const std::vector<std::string> lines = splitLines(*arrival.before);
        bytes = joinLines(lines) + bytes;
    }
    planned_[arrival.fileName] = std::move(bytes);
    summary_.push_back(arrival.name + ": taken in as " + arrival.fileName
                       + (taking == Taking::AddAfter && arrival.holdsWaitingLines ? ", after the lines it held" : ""));
}

std::vector<std::string> Receiving::files() const
{
    std::vector<std::string> files;
    for (const auto& planned : planned_)
        files.push_back(planned.first);
    return files;
}

void Receiving::write() const
{
    for (const auto& [fileName, found] : found_) {
        if (!planned_.count(fileName))
            continue;
        const Path path = pathIn(folder_, fileName);
        const std::optional<std::string> now =
            fileExists(path) ? std::optional<std::string>(readFile(path)) : std::nullopt;
        if (now != found)
            throw Failure(path.shown() + " changed while you were choosing: nothing was taken in. Receive the "
                          "files again.");
    }
    for (const auto& [fileName, bytes] : planned_)
        writeFileAtomic(pathIn(folder_, fileName), bytes);
}

std::string waitingLinesQuestion(const Arrival& arrival)
{
    return arrival.fileName + " already holds offers of " + arrival.team + " that have not been merged.\n"
           + "Replace them with the lines of " + arrival.name + ", add its lines after them, or skip "
           + arrival.name + "?";
}

} // namespace bidmark
