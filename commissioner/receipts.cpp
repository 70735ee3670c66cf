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
#include "core/text.h"

namespace bidmark {

namespace {

bool speaksFor(std::string_view text, const std::string& team)
{
    const std::string tag = "<" + team + "> ";
    return text.substr(0, tag.size()) == tag;
}

// The team a line's tag names: "TOR" of "<TOR> 1.6/3"; none without a tag
// and a blank after it. A team's name holds no '>', so the first one ends it.
std::optional<std::string_view> taggedTeam(std::string_view line)
{
    const std::size_t end = line.find('>');
    if (line.empty() || line[0] != '<' || end == std::string_view::npos || line.substr(end + 1, 1) != " ")
        return std::nullopt;
    return line.substr(1, end - 1);
}

// A player line's name as playerNamed gives it, within the line.
std::string_view nameWithin(std::string_view playerLine)
{
    const std::string_view key = leftPart(playerLine, 20);
    return key.substr(0, key.find_last_not_of(' ') + 1);
}

using Standing = std::map<std::string, std::vector<ListedOffer>, std::less<>>;

// Every offer standing under a player of the list (fa.txt's bytes, which the
// offers point into), by the team its tag names, in list order.
Standing standingOffers(std::string_view freeAgents)
{
    Standing standing;
    std::string_view player;
    forEachLine(freeAgents, [&](std::size_t, std::string_view line) {
        if (isPlayerLine(line))
            player = nameWithin(line);
        else if (isEmptyLine(line))
            player = {};
        else if (!player.empty())
            if (const std::optional<std::string_view> team = taggedTeam(line)) {
                auto offers = standing.find(*team);
                if (offers == standing.end())
                    offers = standing.emplace(std::string(*team), std::vector<ListedOffer>()).first;
                offers->second.push_back({player, line});
            }
    });
    return standing;
}

// The receipt's bytes as they are made: each line followed by CR LF.
class Receipt {
public:
    Receipt& line(std::string_view text = {})
    {
        bytes_.append(text).append("\r\n");
        return *this;
    }
    // A part of the receipt: an empty line, then its title with the count of
    // its items; each item follows, indented, as "player: line".
    void counted(const std::string& title, std::size_t count)
    {
        line().line(title + ": " + std::to_string(count));
    }
    void item(std::string_view player, std::string_view text)
    {
        bytes_.append("  ").append(player).append(": ").append(text).append("\r\n");
    }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

} // namespace

std::string receiptText(const MergeReport& report, const ReportText& text, const std::string& team,
                        const std::string& date, const std::vector<ListedOffer>& standing)
{
    Receipt receipt;
    receipt.line("Receipt for team " + team).line("Merge: " + report.mergeName.value_or(report.run)).line("Date: " + date);
    for (std::size_t file = 0; file < report.files.size(); ++file) {
        if (report.files[file].team != team)
            continue;
        receipt.line();
        const auto [first, end] = text.sections[file];
        for (std::size_t line = first; line < end; ++line)
            receipt.line(text.lines[line]);
    }

    receipt.counted("Offers of " + team + " standing in fa.txt after the merge", standing.size());
    for (const ListedOffer& offer : standing)
        receipt.item(offer.player, offer.line);

    std::vector<std::size_t> moved; // the places of the player lines in report.moved
    for (std::size_t i = 0; i + 1 < report.moved.size(); i += 2) {
        const std::string& signedLine = report.moved[i + 1];
        if (speaksFor(std::string_view(signedLine).substr(std::min<std::size_t>(9, signedLine.size())), team))
            moved.push_back(i);
    }
    receipt.counted("Players of " + team + " moved to signed.txt", moved.size());
    for (std::size_t i : moved)
        receipt.item(nameWithin(report.moved[i]), report.moved[i + 1]);
    return receipt.take();
}

void keepReceipts(const Path& leagueFolder, const Path& runFolder, MergeReport& report)
{
    try {
        const std::string freeAgents = readFile(pathIn(leagueFolder, kFreeAgentFile));
        const Standing standing = standingOffers(freeAgents);
        const std::vector<ListedOffer> none;
        const Path folder = pathIn(runFolder, kReceiptsFolder);
        makeFolder(folder);
        const std::string date = journalTimeText(std::chrono::system_clock::now());
        const ReportText& text = keptText(report);
        std::set<std::string> written;
        for (const FileReport& file : report.files) {
            if (!written.insert(file.team).second)
                continue;
            const auto offers = standing.find(file.team);
            writeRecord(pathIn(folder, file.fileName),
                        receiptText(report, text, file.team, date, offers == standing.end() ? none : offers->second));
        }
    } catch (const Failure& failure) {
        report.unkept = failure.what();
    }
}

} // namespace bidmark
