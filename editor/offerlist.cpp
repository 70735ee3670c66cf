#include "editor/offerlist.h"

#include <algorithm>

#include "core/falist.h"
#include "core/leaguefiles.h"
#include "core/leaguelock.h"
#include "core/linefile.h"
#include "core/teamfiles.h"
#include "core/wildcard.h"

namespace bidmark {

namespace {

// In signing mode any line beginning with "<" and three more characters is a
// contract: an offer line, or a signed line.
bool isContractLine(std::string_view line)
{
    return wildcardMatch(line, "<???*");
}

// The name key of the nearest player line above the row; empty when none.
std::string blockOwnerKey(const std::vector<std::string>& playerLines, std::size_t row)
{
    for (std::size_t above = row; above-- > 0;) {
        if (isPlayerLine(playerLines[above]))
            return nameKey(playerLines[above]);
    }
    return {};
}

// Joins the contract to the pending entry, which must be the player of the
// contract's block.
DoubleClick signContract(OfferList& offers, const std::vector<std::string>& playerLines,
                         std::size_t row)
{
    if (offers.entries.empty())
        return DoubleClick::Nothing;
    std::string& pending = offers.entries.back();
    if (blockOwnerKey(playerLines, row) != pending)
        return DoubleClick::ContractRefused;
    pending += "<SIGNED> " + playerLines[row];
    offers.awaitingContract = false;
    return DoubleClick::Nothing;
}

} // namespace

std::string_view signingPrompt(const OfferList& offers)
{
    return offers.awaitingContract ? kSelectContractPrompt : kSelectPlayerPrompt;
}

DoubleClick doubleClickPlayerList(OfferList& offers, const std::vector<std::string>& playerLines,
                                  std::size_t row, bool signingMode)
{
    const std::string& line = playerLines.at(row);
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

std::vector<std::string> earlierOffers(const std::string& folder, std::string_view team,
                                       const OfferList& offers)
{
    const std::string path = pathIn(folder, teamOfferFileName(team));
    if (offers.entries.empty() || !fileExists(path))
        return {};
    std::vector<std::string> earlier;
    for (std::string& line : readLines(path)) {
        const bool inList =
            std::find(offers.entries.begin(), offers.entries.end(), line) != offers.entries.end();
        if (!line.empty() && !inList)
            earlier.push_back(std::move(line));
    }
    return earlier;
}

std::string keepEarlierOffersQuestion(std::string_view team, std::size_t count)
{
    const std::string held = count == 1 ? "1 offer that is" : std::to_string(count) + " offers that are";
    return teamOfferFileName(team) + " already holds " + held + " not in your list. Keep "
        + (count == 1 ? "it?" : "them?");
}

void saveOfferList(const std::string& folder, std::string_view team, const OfferList& offers,
                   const std::vector<std::string>& kept)
{
    if (offers.entries.empty())
        return;
    std::vector<std::string> lines = kept;
    lines.insert(lines.end(), offers.entries.begin(), offers.entries.end());
    writeLinesAtomic(pathIn(folder, teamOfferFileName(team)), lines);
}

std::string offerFileCreatedMessage(std::string_view team)
{
    return teamOfferFileName(team) + " created, Mail it now!";
}

std::optional<std::string> saveTeamOffers(const std::string& folder, const std::string& team,
                                          const OfferList& offers, Questions& questions, Recovered& recovered)
{
    bool keep = false;
    if (const std::size_t earlier = earlierOffers(folder, team, offers).size(); earlier > 0) {
        const std::optional<bool> answer =
            questions.yesOrNo({keepEarlierOffersQuestion(team, earlier), "--keep-earlier", "--drop-earlier"});
        if (!answer)
            return std::nullopt;
        keep = *answer;
    }
    changeLeague(folder, kChangingFiles, [&] {
        saveOfferList(folder, team, offers, keep ? earlierOffers(folder, team, offers) : std::vector<std::string>());
    }, recovered);
    return offerFileCreatedMessage(team);
}

} // namespace bidmark
