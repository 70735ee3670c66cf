#include "marketvalue/bracket.h"

#include <cmath>
#include <utility>

#include "core/failure.h"
#include "core/leaguefiles.h"
#include "core/numbers.h"

namespace bidmark {

namespace {
constexpr double kOverallReach = 5;  // strict: whole ratings within 4 points
constexpr double kAgeReach = 3;      // strict: whole ages within 2 years

// Slot of a group in the index; entries without vitals have none.
int groupSlot(char group)
{
    switch (group) {
    case 'F': return 0;
    case 'D': return 1;
    case 'G': return 2;
    default: return -1;
    }
}


bool nearAge(double agentAge, double entryAge)
{
    return entryAge > agentAge - kAgeReach && entryAge < agentAge + kAgeReach;
}
} // namespace

bool inBracket(const FreeAgent& agent, const RosterEntry& entry)
{
    return entry.overall > agent.overall - kOverallReach &&
           entry.overall < agent.overall + kOverallReach && entry.group == agent.group &&
           nearAge(agent.age, entry.age);
}

BracketFinder::BracketFinder(const RosterTable& roster)
{
    for (std::size_t entry = 0; entry < roster.size(); ++entry) {
        const RosterEntry& each = roster[entry];
        const int slot = groupSlot(each.group);
        if (slot >= 0)
            byGroup_[static_cast<std::size_t>(slot)].push_back({each.overall, each.age, each.salary, entry});
    }
}

std::size_t BracketFinder::bracketOf(const FreeAgent& agent)
{
    const NumberTable<3, std::size_t>::Key key{static_cast<double>(agent.group), agent.overall, agent.age};
    if (const std::size_t* known = known_.find(key))
        return *known;
    brackets_.push_back(bracket(agent));
    return known_.add(key, brackets_.size() - 1);
}

// Overall above his less 5 and below his plus 5, the bounds of inBracket.
// Every entry is written and only those kept: no branch to guess wrong on
// each of them.
const std::vector<BracketFinder::Ranked>& BracketFinder::nearOverall(std::size_t slot, double overall)
{
    const NumberTable<2, std::size_t>::Key key{static_cast<double>(slot), overall};
    if (const std::size_t* known = nearOverallOf_.find(key))
        return nearOverall_[*known];
    const std::vector<Ranked>& group = byGroup_[slot];
    scratch_.resize(group.size());
    std::size_t kept = 0;
    for (const Ranked& entry : group) {
        scratch_[kept] = entry;
        kept += entry.overall > overall - kOverallReach && entry.overall < overall + kOverallReach ? 1 : 0;
    }
    nearOverallOf_.add(key, nearOverall_.size());
    return nearOverall_.emplace_back(scratch_.begin(), scratch_.begin() + static_cast<std::ptrdiff_t>(kept));
}

Bracket BracketFinder::bracket(const FreeAgent& agent)
{
    Bracket result;
    const int slot = groupSlot(agent.group);
    if (slot < 0)
        return result;
    // The entries near his overall, of his age.
    const std::vector<Ranked>& near = nearOverall(static_cast<std::size_t>(slot), agent.overall);
    found_.resize(near.size());
    std::size_t kept = 0;
    for (const Ranked& candidate : near) {
        found_[kept] = &candidate;
        kept += nearAge(agent.age, candidate.age) ? 1 : 0;
    }
    result.entries.reserve(kept);
    BracketStats& stats = result.stats;
    for (std::size_t index = 0; index < kept; ++index) {
        const Ranked& entry = *found_[index];
        result.entries.push_back(entry.entry);
        if (stats.low == 0 || entry.salary < stats.low)
            stats.low = entry.salary;
        if (stats.high == 0 || entry.salary > stats.high)
            stats.high = entry.salary;
        stats.sum += entry.salary;
        ++stats.count;
        if (entry.overall == agent.overall) {
            stats.sameSum += entry.salary;
            ++stats.sameCount;
        }
    }
    if (stats.count > 0)
        stats.average = stats.sum / stats.count;
    if (stats.sameCount > 0)
        stats.sameAverage = stats.sameSum / stats.sameCount;
    if (stats.sameAverage > stats.average)
        stats.average = stats.sameAverage;
    return result;
}

double inflationFactor(std::string_view rateText)
{
    const double factor = numberValue(rateText) / 100 + 1;
    if (!std::isfinite(factor))
        throw Failure("Overflow: the inflation rate " + std::string(rateText) + " is too large");
    return factor;
}

double valueThreshold(const BracketStats& stats, double factor)
{
    return (stats.average * (100 - factor)) / 100;
}

Valuation marketValue(const FreeAgent& agent, const BracketStats& stats, double factor)
{
    const double threshold = valueThreshold(stats, factor);
    Valuation valuation = agent.lastSalary < threshold
                              ? Valuation{stats.average, ValueRule::BracketAverage}
                              : Valuation{agent.lastSalary * factor, ValueRule::LastSalaryTimesFactor};
    if (!std::isfinite(threshold) || !std::isfinite(valuation.value)) {
        const std::string name = agent.name.substr(0, agent.name.find_last_not_of(' ') + 1);
        throw Failure("Overflow in the market value of " + name +
                      ": the inflation rate or the bracket's salaries are too large");
    }
    if (agent.age <= kRookieAgeLimit && valuation.value > kRookieSalaryCap)
        valuation = {kRookieSalaryCap, ValueRule::RookieCap};
    return valuation;
}

} // namespace bidmark
