#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/leaguechange.h"
#include "core/path.h"
#include "core/questions.h"

// The offer list of the Players Available window: the team offer lines that
// Done writes, and in signing mode the pairing of a player with a contract.
namespace bidmark {

inline constexpr std::string_view kSelectPlayerPrompt = "Select Player to Sign";
inline constexpr std::string_view kSelectContractPrompt = "Select Contract to Sign";
inline constexpr std::string_view kContractNotInBlock =
    "This contract does not stand under the player you picked. "
    "Select a contract of that player, or remove his entry from the list.";

struct OfferList {
    std::vector<std::string> entries;
    // Signing mode: the last entry is a player waiting for his contract.
    bool awaitingContract = false;
};

// The caption of the signing prompt for the pairing state.
std::string_view signingPrompt(const OfferList& offers);

enum class DoubleClick {
    Nothing,
    OpenContractDialog, // team mode, a player line
    ContractRefused,    // signing mode, a contract outside the pending player's block
};

// A double-click on row `row` of the player list: the contract step, then the
// player step, on the same line.
DoubleClick doubleClickPlayerList(OfferList& offers, const std::vector<std::string_view>& playerLines,
                                  std::size_t row, bool signingMode);

// Removes one entry; removing the pending entry starts the pairing over.
void removeEntry(OfferList& offers, std::size_t index);

// Done in team mode: writes what the list shows as the team's offer file in
// the folder, atomically. An entry shown as an earlier offer is left out when
// a merge has taken it meanwhile (the file and fa.txt are read again). An
// empty list writes nothing when there is no file; an existing file is
// emptied, for the list showed every line of it still to be merged.
void saveOfferList(const Path& folder, std::string_view team, const OfferList& offers,
                   const std::vector<std::string>& shownEarlier = {});

// The player line at `row` and the lines of his block below it, up to the
// next player line or empty line.
std::vector<std::string> playerBlock(const std::vector<std::string_view>& playerLines, std::size_t row);

// The player's name: columns 1 to 22 of his line, trailing blanks dropped.
std::string playerName(std::string_view playerLine);

// OK on a player whose block holds a <SIGNED> line: "<name> is already
// signed."; nothing when he may get an offer.
std::optional<std::string> alreadySigned(const std::vector<std::string>& playerBlock);

// The question when the window is closed through its frame with entries in
// the offer list: write them (team mode) or merge them (signing mode)?
std::string closingQuestion(bool signingMode, std::string_view team);

// "<team>.txt created, Mail it now!"
std::string offerFileCreatedMessage(std::string_view team);

// A general manager's Done in team mode as one run: under the league
// folder's lock, after an interrupted run is put back (said in `recovered`),
// the list is saved as saveOfferList saves it. The message to show. Throws
// Failure.
std::string saveTeamOffers(const Path& folder, const std::string& team, const OfferList& offers,
                           const std::vector<std::string>& shownEarlier, Recovered& recovered);

} // namespace bidmark
