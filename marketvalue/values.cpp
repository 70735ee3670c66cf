#include "marketvalue/values.h"

#include <utility>

namespace bidmark {

MarketValues valueFreeAgents(RosterTable roster, std::vector<FreeAgent> agents, double factor)
{
    MarketValues values;
    values.factor = factor;
    values.roster = std::move(roster);
    values.rows.reserve(agents.size());
    BracketFinder finder(values.roster);
    for (FreeAgent& agent : agents) {
        ValueRow& row = values.rows.emplace_back();
        row.agent = std::move(agent);
        row.bracket = finder.bracketOf(row.agent);
        row.valuation = marketValue(row.agent, finder.brackets()[row.bracket].stats, factor);
    }
    values.brackets = finder.takeBrackets();
    return values;
}

} // namespace bidmark
