#pragma once
#include <string>
#include <vector>

#include "marketvalue/values.h"

// The worked example's roster (A, B, C, D, E and K, on two teams) valued for
// the free agents a test names.
namespace bidmark::test {

inline FreeAgent freeAgent(const std::string& name, double age, double lastSalary, char group, double overall)
{
    return {name + std::string(name.size() < 20 ? 20 - name.size() : 0, ' '), age, lastSalary, group, overall};
}

inline MarketValues exampleValues(std::vector<FreeAgent> agents, double overallOfC = 76)
{
    RosterTable roster{{"Aaro Aalto          ", 72, 'F', 25, 1.0, "TOR"},
                       {"Bert Berg           ", 75, 'F', 26, 2.0, "NY"},
                       {"Cid Carr            ", overallOfC, 'F', 23, 3.0, "TOR"},
                       {"Dan Dahl            ", 71, 'D', 25, 0.5, "NY"},
                       {"Eli Ek              ", 79, 'F', 25, 4.0, "TOR"},
                       {"Kai Koski           ", 74, 'F', 29, 2.5, ""}};
    std::vector<ValueRow> rows;
    for (FreeAgent& agent : agents)
        rows.emplace_back().agent = std::move(agent);
    return valueFreeAgents(std::move(roster), std::move(rows), 1.2);
}

} // namespace bidmark::test
