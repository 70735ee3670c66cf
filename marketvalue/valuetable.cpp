#include "marketvalue/valuetable.h"

#include <algorithm>
#include <numeric>

#include "core/leaguefiles.h"
#include "core/numbers.h"
#include "core/text.h"

namespace bidmark {

namespace {
constexpr std::string_view kValueTitles[kValueColumns] = {
    "Name", "Age", "Pos", "OV", "#", "High", "Low", "Avg", "Last", "M.V.", "Offers", "Best offer", "Rule"};
constexpr std::string_view kBracketTitles[kBracketColumns] = {
    "Name", "Team", "Pos", "Age", "OV", "Salary", "Same OV"};

// Money as marketVal.txt writes it: millions, "0.0#".
std::string money(double value) { return formatNumber(value, "0.0#"); }

// A rostered player's salary, and sums of them, to the thousand dollars, so
// that the bracket's average can be worked out again from the list.
std::string salary(double value) { return formatNumber(value, "0.0##"); }

// Ages and ratings as marketVal.txt writes them, without the blank that
// stands for the sign.
std::string number(double value)
{
    std::string text = signedText(value);
    return text[0] == ' ' ? text.substr(1) : text;
}

double numberOf(const MarketValues& values, const ValueRow& row, int column)
{
    const BracketStats& stats = values.bracketOf(row).stats;
    switch (column) {
    case kAgeColumn: return row.agent.age;
    case kOverallColumn: return row.agent.overall;
    case kCountColumn: return stats.count;
    case kHighColumn: return stats.high;
    case kLowColumn: return stats.low;
    case kAverageColumn: return stats.average;
    case kLastSalaryColumn: return row.agent.lastSalary;
    case kOffersColumn: return row.offers().teams();
    case kBestOfferColumn: {
        const PlayerOffers offers = row.offers();
        const StandingOffer* offer = offers.isSigned() ? &*offers.signedContract : offers.best();
        return offer ? offer->salary : -1;
    }
    default: return row.valuation.value;
    }
}

// The columns sorted by text rather than by number.
bool isTextOrdered(int column) { return column == kNameColumn || column == kGroupColumn || column == kRuleColumn; }

// What such a column sorts by: its bytes, a name's letters in lower case.
void appendTextKey(std::string& to, const ValueRow& row, int column)
{
    switch (column) {
    case kNameColumn: {
        const std::size_t start = to.size();
        to += row.agent.name;
        const auto name = to.begin() + static_cast<std::ptrdiff_t>(start);
        std::transform(name, to.end(), name, lowerLetter);
        return;
    }
    case kGroupColumn: to += row.agent.group; return;
    default: to += ruleName(row.valuation.rule); return;
    }
}

} // namespace

std::string displayName(const std::string& nameKey)
{
    return nameKey.substr(0, nameKey.find_last_not_of(' ') + 1);
}

std::string_view valueColumnTitle(int column) { return kValueTitles[column]; }

bool isNumberColumn(int column)
{
    return column != kNameColumn && column != kGroupColumn && column != kBestOfferColumn && column != kRuleColumn;
}

std::string valueCell(const MarketValues& values, const ValueRow& row, int column)
{
    switch (column) {
    case kNameColumn: return displayName(row.agent.name);
    case kGroupColumn: return std::string(1, row.agent.group);
    case kRuleColumn: return std::string(ruleName(row.valuation.rule));
    case kAgeColumn:
    case kOverallColumn: return number(numberOf(values, row, column));
    case kCountColumn: return std::to_string(values.bracketOf(row).stats.count);
    case kOffersColumn: return std::to_string(row.offers().teams());
    case kBestOfferColumn: {
        const PlayerOffers offers = row.offers();
        if (offers.isSigned())
            return "signed " + offerSummary(*offers.signedContract);
        return offers.best() ? offerSummary(*offers.best()) : std::string();
    }
    default: return money(numberOf(values, row, column));
    }
}

// Each row's key is worked out once, not once per comparison; the text keys
// lie one after the other in one piece of memory.
std::vector<std::size_t> sortedRows(const MarketValues& values, int column, bool descending)
{
    std::vector<std::size_t> rows(values.rows.size());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    const auto sortBy = [&](auto less) {
        if (descending)
            std::stable_sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) { return less(b, a); });
        else
            std::stable_sort(rows.begin(), rows.end(), less);
    };
    if (column < 0)
        return rows;
    if (isTextOrdered(column)) {
        std::string texts;
        texts.reserve(rows.size() * 20); // a name key's length
        std::vector<std::size_t> ends;
        ends.reserve(rows.size());
        for (const ValueRow& row : values.rows) {
            appendTextKey(texts, row, column);
            ends.push_back(texts.size());
        }
        const auto text = [&](std::size_t row) {
            const std::size_t start = row == 0 ? 0 : ends[row - 1];
            return std::string_view(texts).substr(start, ends[row] - start);
        };
        sortBy([&](std::size_t a, std::size_t b) { return text(a) < text(b); });
    } else {
        std::vector<double> numbers;
        numbers.reserve(rows.size());
        for (const ValueRow& row : values.rows)
            numbers.push_back(numberOf(values, row, column));
        sortBy([&](std::size_t a, std::size_t b) { return numbers[a] < numbers[b]; });
    }
    return rows;
}

std::string_view ruleName(ValueRule rule)
{
    switch (rule) {
    case ValueRule::BracketAverage: return "bracket average";
    case ValueRule::LastSalaryTimesFactor: return "last salary \xD7 factor";
    case ValueRule::RookieCap: return "rookie cap";
    }
    return {};
}

std::string bracketCaption(const MarketValues& values, const ValueRow& row)
{
    const FreeAgent& agent = row.agent;
    const int count = values.bracketOf(row).stats.count;
    return "Bracket of " + displayName(agent.name) + " (" + std::string(1, agent.group) + ", age " +
           number(agent.age) + ", OV " + number(agent.overall) + "): " + std::to_string(count) + " rostered " +
           (count == 1 ? "player" : "players") + " of group " + std::string(1, agent.group) +
           " within 2 years of his age and 4 points of his overall";
}

namespace {
std::string ruleExplanation(const MarketValues& values, const ValueRow& row)
{
    const BracketStats& stats = values.bracketOf(row).stats;
    const std::string average = money(stats.average);
    std::string text;
    if (stats.count == 0)
        text = "No rostered player is in his bracket, so Avg is 0.0. ";
    else if (stats.sameAverage > stats.sum / stats.count) // the same-overall entries raised it
        text = "Avg " + average + " is the average salary of the " + std::to_string(stats.sameCount) +
               " bracket players of his exact overall (" + salary(stats.sameSum) + " / " +
               std::to_string(stats.sameCount) + "), above the " + money(stats.sum / stats.count) + " of all " +
               std::to_string(stats.count) + ". ";
    else
        text = "Avg " + average + " is the average salary of the " + std::to_string(stats.count) +
               " bracket players (" + salary(stats.sum) + " / " + std::to_string(stats.count) + "). ";

    const std::string threshold = formatNumber(valueThreshold(stats, values.factor), "0.0##");
    const std::string last = money(row.agent.lastSalary);
    const std::string factor = formatNumber(values.factor, "0.0##");
    switch (row.valuation.rule) {
    case ValueRule::BracketAverage:
        return text + "His last salary " + last + " is below the threshold " + threshold + " (Avg \xD7 (100 - " +
               factor + ") / 100), so M.V. is Avg: " + money(row.valuation.value) + ".";
    case ValueRule::LastSalaryTimesFactor:
        return text + "His last salary " + last + " is not below the threshold " + threshold + " (Avg \xD7 (100 - " +
               factor + ") / 100), so M.V. is his last salary \xD7 " + factor + ": " +
               money(row.valuation.value) + ".";
    case ValueRule::RookieCap: {
        FreeAgent veteran = row.agent;
        veteran.age = kRookieAgeLimit + 1;
        const Valuation uncapped = marketValue(veteran, stats, values.factor);
        return text + "By the " + std::string(ruleName(uncapped.rule)) + " rule he would be worth " +
               money(uncapped.value) + ", but a player of " + std::to_string(kRookieAgeLimit) + " or younger is worth at most " +
               money(kRookieSalaryCap) + ": M.V. is the rookie cap.";
    }
    }
    return text;
}
} // namespace

std::string valueExplanation(const MarketValues& values, const ValueRow& row)
{
    return ruleExplanation(values, row) + " " + offersAgainstValue(row.offers(), row.valuation.value);
}

std::string_view bracketColumnTitle(int column) { return kBracketTitles[column]; }

bool sameOverall(const RosterEntry& entry, const FreeAgent& agent) { return entry.overall == agent.overall; }

std::string bracketCell(const RosterEntry& entry, const FreeAgent& agent, int column)
{
    switch (column) {
    case kEntryNameColumn: return displayName(entry.name);
    case kEntryTeamColumn: return entry.team;
    case kEntryGroupColumn: return std::string(1, entry.group);
    case kEntryAgeColumn: return number(entry.age);
    case kEntryOverallColumn: return number(entry.overall);
    case kEntrySalaryColumn: return salary(entry.salary);
    default: return sameOverall(entry, agent) ? "same" : "";
    }
}

} // namespace bidmark
