#include "editor/offerlist.h"

#include <algorithm>

#include "core/falist.h"
#include "core/leaguefiles.h"
#include "core/leaguelock.h"
#include "core/linefile.h"
#include "core/teamfiles.h"
#include "core/wildcard.h"
#include "editor/earlieroffers.h"

namespace bidmark {

namespace {

// In signing mode any line beginning with "<" and three more characters is a
// contract: an offer line, or a signed line.
bool isContractLine(std::string_view line)
{
    return wildcardMatch(line, "<???*");
}

// The name key of the nearest player line above the row; empty when none.
std::string blockOwnerKey(const std::vector<std::string_view>& playerLines, std::size_t row)
{
    for (std::size_t above = row; above-- > 0;) {
        if (isPlayerLine(playerLines[above]))
            return nameKey(playerLines[above]);
    }
    return {};
}

// Joins the contract to the pending entry, which must be the player of the
// contract's block.
DoubleClick signContract(OfferList& offers, const std::vector<std::string_view>& playerLines,
                         std::size_t row)
{
    if (offers.entries.empty())
        return DoubleClick::Nothing;
    std::string& pending = offers.entries.back();
    if (blockOwnerKey(playerLines, row) != pending)
        return DoubleClick::ContractRefused;
    pending.append("<SIGNED> ").append(playerLines[row]);
    offers.awaitingContract = false;
    return DoubleClick::Nothing;
}

} // namespace

std::string_view signingPrompt(const OfferList& offers)
{
    return offers.awaitingContract ? kSelectContractPrompt : kSelectPlayerPrompt;
}

DoubleClick doubleClickPlayerList(OfferList& offers, const std::vector<std::string_view>& playerLines,
                                  std::size_t row, bool signingMode)
{
    const std::string_view line = playerLines.at(row);
    DoubleClick result = DoubleClick::Nothing;
    if (signingMode && offers.awaitingContract && isContractLine(line))
        result = signContract(offers, playerLines, row);
    if (isPlayerLine(line)) {
        if (!signingMode)
            return DoubleClick::OpenContractDialog;
        if (!offers.awaitingContract) {
            offers.entries.push_back(nameKey(line));
            offers.awaitingContract = true;
        }
    }
    return result;
}

void removeEntry(OfferList& offers, std::size_t index)
{
    if (index >= offers.entries.size())
        return;
    if (offers.awaitingContract && index + 1 == offers.entries.size())
        offers.awaitingContract = false;
    offers.entries.erase(offers.entries.begin() + static_cast<std::ptrdiff_t>(index));
}

void saveOfferList(const Path& folder, std::string_view team, const OfferList& offers,
                   const std::vector<std::string>& shownEarlier)
{
    const Path path = pathIn(folder, teamOfferFileName(team));
    const bool exists = fileExists(path);
    std::vector<std::string> lines = offers.entries;
    if (!shownEarlier.empty()) {
        const std::vector<std::string> fileNow = exists ? readLines(path) : std::vector<std::string>();
        const std::string freeAgentsNow = readFile(pathIn(folder, kFreeAgentFile));
        lines = offersToWrite(lines, shownEarlier, fileNow, lineViews(freeAgentsNow));
    }
    if (lines.empty() && !exists)
        return;
    writeLinesAtomic(path, lines);
}

std::vector<std::string> playerBlock(const std::vector<std::string_view>& playerLines, std::size_t row)
{
    std::vector<std::string> block{std::string(playerLines.at(row))};
    for (std::size_t below = row + 1;
         below < playerLines.size() && !isPlayerLine(playerLines[below]) && !isEmptyLine(playerLines[below]); ++below)
        block.emplace_back(playerLines[below]);
    return block;
}

std::string playerName(std::string_view playerLine)
{
    std::string_view name = playerLine.substr(0, 22);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    return std::string(name);
}

std::optional<std::string> alreadySigned(const std::vector<std::string>& playerBlock)
{
    if (playerBlock.empty() || std::none_of(playerBlock.begin() + 1, playerBlock.end(), isSignedLine))
        return std::nullopt;
    return playerName(playerBlock.front()) + " is already signed.";
}

std::string closingQuestion(bool signingMode, std::string_view team)
{
    if (signingMode)
        return "Merge the signed players into fa.txt before closing?";
    return "Write your offers to " + teamOfferFileName(team) + " before closing?";
}

std::string offerFileCreatedMessage(std::string_view team)
{
    return teamOfferFileName(team) + " created, Mail it now!";
}

std::string saveTeamOffers(const Path& folder, const std::string& team, const OfferList& offers,
                           const std::vector<std::string>& shownEarlier, Recovered& recovered)
{
    changeLeague(folder, kChangingFiles, [&] { saveOfferList(folder, team, offers, shownEarlier); }, recovered);
    return offerFileCreatedMessage(team);
}

} // namespace bidmark
