#include "marketvalue/bracket.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
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

std::size_t hashNumbers(std::initializer_list<double> numbers)
{
    std::uint64_t hash = 0;
    for (const double number : numbers) {
        const double same = number == 0 ? 0.0 : number; // 0 and -0 compare equal
        std::uint64_t bits = 0;
        std::memcpy(&bits, &same, sizeof bits);
        hash = (hash ^ bits) * 0x9E3779B97F4A7C15u;
        hash ^= hash >> 29;
    }
    return static_cast<std::size_t>(hash);
}

bool inBracket(const FreeAgent& agent, const RosterEntry& entry)
{
    return entry.overall > agent.overall - kOverallReach &&
           entry.overall < agent.overall + kOverallReach && entry.group == agent.group &&
           nearAge(agent.age, entry.age);
}

BracketFinder::BracketFinder(const RosterTable& roster) : roster_(roster)
{
    for (std::size_t entry = 0; entry < roster_.size(); ++entry) {
        const int slot = groupSlot(roster_[entry].group);
        if (slot >= 0)
            byGroup_[static_cast<std::size_t>(slot)].push_back({roster_[entry].overall, roster_[entry].age, entry});
    }
    for (std::vector<Ranked>& group : byGroup_) {
        std::sort(group.begin(), group.end(),
                  [](const Ranked& a, const Ranked& b) { return a.overall < b.overall; });
    }
}

std::size_t BracketFinder::KeyHash::operator()(const std::tuple<char, double, double>& key) const
{
    return hashNumbers({static_cast<double>(std::get<0>(key)), std::get<1>(key), std::get<2>(key)});
}

std::size_t BracketFinder::bracketOf(const FreeAgent& agent)
{
    const auto key = std::make_tuple(agent.group, agent.overall, agent.age);
    auto found = known_.find(key);
    if (found == known_.end()) {
        brackets_.push_back(bracket(agent));
        found = known_.emplace(key, brackets_.size() - 1).first;
    }
    return found->second;
}

Bracket BracketFinder::bracket(const FreeAgent& agent)
{
    Bracket result;
    std::vector<std::size_t>& entries = result.entries;
    const int slot = groupSlot(agent.group);
    if (slot < 0)
        return result;
    // Overall above agent - 5 and below agent + 5, the bounds of inBracket;
    // within them, the group's entries of his age.
    const std::vector<Ranked>& group = byGroup_[static_cast<std::size_t>(slot)];
    const auto first = std::upper_bound(group.begin(), group.end(), agent.overall - kOverallReach,
                                        [](double bound, const Ranked& r) { return bound < r.overall; });
    const auto last = std::lower_bound(first, group.end(), agent.overall + kOverallReach,
                                       [](const Ranked& r, double bound) { return r.overall < bound; });
    // Every candidate is written and only those of his age kept: no branch
    // to guess wrong on each of them.
    found_.resize(static_cast<std::size_t>(last - first));
    std::size_t kept = 0;
    for (auto candidate = first; candidate != last; ++candidate) {
        found_[kept] = candidate->entry;
        kept += nearAge(agent.age, candidate->age) ? 1 : 0;
    }
    entries.assign(found_.begin(), found_.begin() + static_cast<std::ptrdiff_t>(kept));
    std::sort(entries.begin(), entries.end());

    BracketStats& stats = result.stats;
    for (const std::size_t index : entries) {
        const RosterEntry& entry = roster_[index];
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
