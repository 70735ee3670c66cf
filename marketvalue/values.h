#pragma once
#include <cstddef>
#include <vector>

#include "core/market.h"
#include "marketvalue/bracket.h"
#include "marketvalue/pages.h"

// What one market value run found, kept for the market values window: the
// same free agents, brackets and values that the run wrote to its file.
namespace bidmark {

// One free agent of fa.txt, the offers standing under him there, the index
// of his bracket in MarketValues::brackets and his market value.
struct ValueRow {
    FreeAgent agent;
    PlayerOffers offers;
    std::size_t bracket = 0;
    Valuation valuation;
};

struct MarketValues {
    double factor = 1;           // the inflation factor of the run
    RosterTable roster;          // after the vitals join; brackets index into it
    std::vector<Bracket> brackets;
    std::vector<ValueRow> rows;  // fa.txt order

    const Bracket& bracketOf(const ValueRow& row) const { return brackets[row.bracket]; }
};

// Finds every free agent's bracket in the roster, once for all free agents
// of the same group, overall and age, and gives him his market value. The
// offers, when given, are the agents' own, in the same order.
MarketValues valueFreeAgents(RosterTable roster, std::vector<FreeAgent> agents, double factor,
                             std::vector<PlayerOffers> offers = {});

} // namespace bidmark
