#include "marketvalue/values.h"

#include <utility>

namespace bidmark {

MarketValues valueFreeAgents(RosterTable roster, std::vector<FreeAgent> agents, double factor,
                             std::vector<PlayerOffers> offers)
{
    MarketValues values;
    values.factor = factor;
    values.roster = std::move(roster);
    values.rows.reserve(agents.size());
    BracketFinder finder(values.roster);
    for (std::size_t index = 0; index < agents.size(); ++index) {
        ValueRow& row = values.rows.emplace_back();
        row.agent = std::move(agents[index]);
        if (index < offers.size())
            row.offers = std::move(offers[index]);
        row.bracket = finder.bracketOf(row.agent);
        row.valuation = marketValue(row.agent, finder.brackets()[row.bracket].stats, factor);
    }
    values.brackets = finder.takeBrackets();
    return values;
}

} // namespace bidmark
