#include "editor/myoffers.h"

#include <map>
#include <unordered_set>

#include "core/falist.h"
#include "core/numbers.h"
#include "core/teamfiles.h"

namespace bidmark {

namespace {

std::string tagOf(std::string_view team) { return "<" + std::string(team) + "> "; }

bool startsWith(std::string_view line, std::string_view start) { return line.substr(0, start.size()) == start; }

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

std::vector<std::string> standingOffers(const std::vector<std::string_view>& freeAgentLines, std::string_view team)
{
    const std::string tag = tagOf(team);
    std::vector<std::string> standing;
    std::string_view key; // of the player above; empty before the first one
    for (const std::string_view line : freeAgentLines) {
        if (isPlayerLine(line))
            key = line.substr(0, 20); // his name key
        else if (isEmptyLine(line))
            key = {};
        else if (!key.empty() && startsWith(line, tag))
            standing.push_back(std::string(key).append(line));
    }
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

std::string myOffersTotal(const std::vector<std::string>& standing, const std::vector<std::string>& entries,
                          std::string_view team)
{
    const std::string tag = tagOf(team);
    std::map<std::string, double> salaries; // by name key, as the merge would leave them
    for (const std::string& line : standing)
        salaries[nameKey(line)] = salaryOf(offerText(line), tag);
    for (const std::string& entry : entries) {
        const std::string text = offerText(entry);
        if (isRetraction(entry))
            salaries.erase(nameKey(entry));
        else if (startsWith(text, tag))
            salaries[nameKey(entry)] = salaryOf(text, tag);
    }
    double total = 0;
    for (const auto& [key, salary] : salaries)
        total += salary;
    return counted(standing.size(), "standing offer", "standing offers") + ", "
        + counted(entries.size(), "entry", "entries") + " in the list: " + formatNumber(total, "0.0##")
        + " million a year";
}

} // namespace bidmark
