#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/leaguechange.h"
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
DoubleClick doubleClickPlayerList(OfferList& offers, const std::vector<std::string>& playerLines,
                                  std::size_t row, bool signingMode);

// Removes one entry; removing the pending entry starts the pairing over.
void removeEntry(OfferList& offers, std::size_t index);

// Done in team mode: the lines of the team's offer file that the offer list
// does not hold (offers saved at an earlier Done and not merged yet), in file
// order; empty lines do not count. Nothing when the file is missing or the
// list is empty (Done then writes nothing).
std::vector<std::string> earlierOffers(const std::string& folder, std::string_view team,
                                       const OfferList& offers);

// "TOR.txt already holds 3 offers that are not in your list. Keep them?"
std::string keepEarlierOffersQuestion(std::string_view team, std::size_t count);

// Done in team mode: writes the kept earlier offers and then the entries as
// the team's offer file in the folder, atomically. At the merge a later line
// for the same player replaces an earlier one, so the entries win. An empty
// list writes nothing.
void saveOfferList(const std::string& folder, std::string_view team, const OfferList& offers,
                   const std::vector<std::string>& kept = {});

// "<team>.txt created, Mail it now!"
std::string offerFileCreatedMessage(std::string_view team);

// A general manager's Done in team mode as one run: when the team's offer
// file holds earlier offers, whether to keep them is asked first, without the
// lock (Cancel: nothing is written, and none is returned); then under the
// league folder's lock, after an interrupted run is put back (said in
// `recovered`), the file is read again (a merge that took it while the
// question was open has its offers already, and they are not written back)
// and the list saved. The message to show. Throws Failure.
std::optional<std::string> saveTeamOffers(const std::string& folder, const std::string& team,
                                          const OfferList& offers, Questions& questions, Recovered& recovered);

} // namespace bidmark
