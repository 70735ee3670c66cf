#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/market.h"
#include "marketvalue/bracket.h"
#include "marketvalue/pages.h"

// What one market value run found, kept for the market values window: the
// same free agents, brackets and values that the run wrote to its file.
namespace bidmark {

// One free agent of fa.txt, the lines under his player line there, the
// index of his bracket in MarketValues::brackets and his market value.
struct ValueRow {
    FreeAgent agent;
    std::string_view offerLines; // up to the next player line, in MarketValues::freeAgentList
    std::size_t bracket = 0;
    Valuation valuation;

    // The offers standing in his lines, read when asked for: a run keeps
    // fa.txt's bytes once rather than a copy of every offer.
    PlayerOffers offers() const { return offersIn(offerLines); }
};

struct MarketValues {
    double factor = 1;           // the inflation factor of the run
    std::shared_ptr<const std::string> freeAgentList; // fa.txt's bytes, which the rows' offer lines view
    RosterTable roster;          // after the vitals join; brackets index into it
    std::vector<Bracket> brackets;
    std::vector<ValueRow> rows;  // fa.txt order

    const Bracket& bracketOf(const ValueRow& row) const { return brackets[row.bracket]; }
};

// Finds every free agent's bracket in the roster, once for all free agents
// of the same group, overall and age, and gives him his market value: the
// rows come with their agents (and offer lines), and leave with their
// brackets and valuations.
MarketValues valueFreeAgents(RosterTable roster, std::vector<ValueRow> rows, double factor);

} // namespace bidmark
