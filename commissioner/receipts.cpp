#include "commissioner/receipts.h"

#include <map>
#include <optional>
#include <set>

#include "core/failure.h"
#include "core/falist.h"
#include "core/journal.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"

namespace bidmark {

namespace {

bool speaksFor(std::string_view text, const std::string& team)
{
    const std::string tag = "<" + team + "> ";
    return text.substr(0, tag.size()) == tag;
}

// The team a line's tag names: "TOR" of "<TOR> 1.6/3"; none without a tag
// and a blank after it. A team's name holds no '>', so the first one ends it.
std::optional<std::string> taggedTeam(std::string_view line)
{
    const std::size_t end = line.find('>');
    if (line.empty() || line[0] != '<' || end == std::string_view::npos || line.substr(end + 1, 1) != " ")
        return std::nullopt;
    return std::string(line.substr(1, end - 1));
}

// Every offer standing under a player of the list (fa.txt's bytes), by the
// team its tag names: "Arvo Lindqvist: <TOR> 1.6/3", in list order.
std::map<std::string, std::vector<std::string>> standingOffers(std::string_view freeAgents)
{
    std::map<std::string, std::vector<std::string>> standing;
    std::string player;
    forEachLine(freeAgents, [&](std::size_t, std::string_view line) {
        if (isPlayerLine(line))
            player = playerNamed(line);
        else if (isEmptyLine(line))
            player.clear();
        else if (!player.empty())
            if (const std::optional<std::string> team = taggedTeam(line))
                standing[*team].push_back(player + ": " + std::string(line));
    });
    return standing;
}

void addCounted(std::vector<std::string>& lines, const std::string& title, const std::vector<std::string>& items)
{
    lines.emplace_back();
    lines.push_back(title + ": " + std::to_string(items.size()));
    for (const std::string& item : items)
        lines.push_back("  " + item);
}

} // namespace

std::vector<std::string> receiptLines(const MergeReport& report, const std::string& team, const std::string& date,
                                      const std::vector<std::string>& standing)
{
    std::vector<std::string> lines{"Receipt for team " + team,
                                   "Merge: " + report.mergeName.value_or(report.run), "Date: " + date};
    for (const FileReport& file : report.files) {
        if (file.team != team)
            continue;
        lines.emplace_back();
        const std::vector<std::string> section = sectionLines(file);
        lines.insert(lines.end(), section.begin(), section.end());
    }

    addCounted(lines, "Offers of " + team + " standing in fa.txt after the merge", standing);

    std::vector<std::string> moved;
    for (std::size_t i = 0; i + 1 < report.moved.size(); i += 2) {
        const std::string& signedLine = report.moved[i + 1];
        if (speaksFor(std::string_view(signedLine).substr(std::min<std::size_t>(9, signedLine.size())), team))
            moved.push_back(playerNamed(report.moved[i]) + ": " + signedLine);
    }
    addCounted(lines, "Players of " + team + " moved to signed.txt", moved);
    return lines;
}

void keepReceipts(const Path& leagueFolder, const Path& runFolder, MergeReport& report)
{
    try {
        const auto standing = standingOffers(readFile(pathIn(leagueFolder, kFreeAgentFile)));
        const std::vector<std::string> none;
        const Path folder = pathIn(runFolder, kReceiptsFolder);
        makeFolder(folder);
        const std::string date = journalTimeText(std::chrono::system_clock::now());
        std::set<std::string> written;
        for (const FileReport& file : report.files) {
            if (!written.insert(file.team).second)
                continue;
            const auto offers = standing.find(file.team);
            writeRecordLines(pathIn(folder, file.fileName),
                             receiptLines(report, file.team, date, offers == standing.end() ? none : offers->second));
        }
    } catch (const Failure& failure) {
        report.unkept = failure.what();
    }
}

} // namespace bidmark
