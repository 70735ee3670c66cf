#include "marketvalue/values.h"

#include <utility>

namespace bidmark {

MarketValues valueFreeAgents(RosterTable roster, std::vector<ValueRow> rows, double factor)
{
    MarketValues values;
    values.factor = factor;
    values.roster = std::move(roster);
    values.rows = std::move(rows);
    BracketFinder finder(values.roster);
    for (ValueRow& row : values.rows) {
        row.bracket = finder.bracketOf(row.agent);
        row.valuation = marketValue(row.agent, finder.brackets()[row.bracket].stats, factor);
    }
    values.brackets = finder.takeBrackets();
    return values;
}

} // namespace bidmark
