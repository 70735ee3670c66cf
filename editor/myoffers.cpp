#include "editor/myoffers.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_set>

#include "core/falist.h"
#include "core/numbers.h"
#include "core/text.h"
#include "core/teamfiles.h"

namespace bidmark {

namespace {

std::string tagOf(std::string_view team) { return "<" + std::string(team) + "> "; }

// Byte by byte: another team's offer line differs within the first letters of
// the tag.
bool startsWith(std::string_view line, std::string_view start)
{
    return line.size() >= start.size() && std::mismatch(start.begin(), start.end(), line.begin()).first == start.end();
}

// The salary of an offer line "<TOR> 1.25/3 ...": the number after the tag.
double salaryOf(std::string_view offerLine, std::string_view tag)
{
    return numberValue(offerLine.substr(tag.size()));
}

std::string counted(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

StandingOffers standingOffers(const std::vector<std::string_view>& freeAgentLines, std::string_view team)
{
    const std::string tag = tagOf(team);
    StandingOffers standing;
    std::string_view key; // of the player above; empty before the first one
    for (const std::string_view line : freeAgentLines) {
        if (isPlayerLine(line))
            key = line.substr(0, 20); // his name key
        else if (isEmptyLine(line))
            key = {};
        else if (!key.empty() && startsWith(line, tag))
            standing.salaries.emplace_back(key, salaryOf(line, tag));
    }
    standing.count = standing.salaries.size();
    // A player's offers stay in list order among his key's: his last one is
    // what stands.
    auto& salaries = standing.salaries;
    std::stable_sort(salaries.begin(), salaries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::size_t kept = 0;
    for (std::size_t at = 0; at < salaries.size(); ++at) {
        if (at + 1 == salaries.size() || salaries[at + 1].first != salaries[at].first)
            salaries[kept++] = salaries[at];
    }
    salaries.resize(kept);
    return standing;
}

std::vector<std::string_view> myOffersOnly(const std::vector<std::string_view>& playerLines, std::string_view team,
                                           const std::vector<std::string>& entries)
{
    const std::string tag = tagOf(team);
    std::unordered_set<std::string> entryKeys;
    for (const std::string& entry : entries)
        entryKeys.insert(nameKey(entry));
    std::vector<std::string_view> shown;
    bool keep = false;
    for (std::size_t row = 0; row < playerLines.size(); ++row) {
        if (isPlayerLine(playerLines[row])) {
            keep = entryKeys.count(nameKey(playerLines[row])) != 0;
            for (std::size_t below = row + 1; !keep && below < playerLines.size()
                 && !isPlayerLine(playerLines[below]) && !isEmptyLine(playerLines[below]);
                 ++below)
                keep = startsWith(playerLines[below], tag);
        }
        if (keep)
            shown.push_back(playerLines[row]);
    }
    return shown;
}

std::string myOffersTotal(const StandingOffers& standing, const std::vector<std::string>& entries,
                          std::string_view team)
{
    const std::string tag = tagOf(team);
    // What the entries leave their players, by name key: a salary, or none
    // where a retraction takes the standing offer away.
    std::map<std::string_view, std::optional<double>> entered;
    for (const std::string& entry : entries) {
        const std::string_view key = leftPart(entry, 20);
        const std::string_view text = std::string_view(entry).substr(key.size());
        if (isRetraction(entry))
            entered[key] = std::nullopt;
        else if (startsWith(text, tag))
            entered[key] = salaryOf(text, tag);
    }
    // Every player's salary as the merge would leave it, added up in the
    // order of the keys.
    double total = 0;
    const auto add = [&total](const std::optional<double>& salary) {
        if (salary)
            total += *salary;
    };
    auto entry = entered.begin();
    for (const auto& [key, salary] : standing.salaries) {
        for (; entry != entered.end() && entry->first < key; ++entry)
            add(entry->second);
        if (entry != entered.end() && entry->first == key)
            add((entry++)->second);
        else
            total += salary;
    }
    for (; entry != entered.end(); ++entry)
        add(entry->second);
    return counted(standing.count, "standing offer", "standing offers") + ", "
        + counted(entries.size(), "entry", "entries") + " in the list: " + formatNumber(total, "0.0##")
        + " million a year";
}

} // namespace bidmark
