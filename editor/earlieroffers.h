#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/path.h"

// Last week's offers: the lines of a team's offer file that the commissioner
// has not merged into fa.txt yet. The general manager's own file stays on his
// disk after he mails it; the next time he opens the window the offer list
// starts with what is still to be merged, so that he sees it and sends
// nothing twice.
namespace bidmark {

// A team offer line is merged when fa.txt shows it: the same offer line in a
// block of its player, or, for a retraction, no offer of its team left in any
// block of him. A line for a player fa.txt no longer lists is left out.
struct EarlierOffers {
    std::size_t held = 0;   // lines of the file, empty lines not counted
    std::size_t merged = 0; // of those, the lines fa.txt already shows
    std::vector<std::string> shown; // the rest, for players fa.txt lists, in file order
};

EarlierOffers sortEarlierOffers(const std::vector<std::string>& fileLines,
                                const std::vector<std::string_view>& freeAgentLines);

// The team's offer file in the folder sorted against fa.txt's lines; nothing
// when the file is missing. Throws Failure when it cannot be read.
EarlierOffers readEarlierOffers(const Path& folder, std::string_view team,
                                const std::vector<std::string_view>& freeAgentLines);

// "TOR.txt held 5 lines: 2 merged, 3 shown below."; empty when it held none.
std::string earlierOffersSummary(std::string_view team, const EarlierOffers& earlier);

// Done: the entries to write. An entry shown as an earlier offer is written
// again only while the team's file still holds it unmerged (a merge that took
// the file meanwhile has it already); every other entry is written.
std::vector<std::string> offersToWrite(const std::vector<std::string>& entries,
                                       const std::vector<std::string>& shownEarlier,
                                       const std::vector<std::string>& fileNow,
                                       const std::vector<std::string_view>& freeAgentsNow);

} // namespace bidmark
