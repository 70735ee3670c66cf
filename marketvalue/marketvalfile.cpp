#include "marketvalue/marketvalfile.h"

#include "core/linefile.h"
#include "core/market.h"
#include "core/numbers.h"

namespace bidmark {

namespace {
template <class Format>
const std::string& remembered(std::unordered_map<double, std::string>& texts, double value, Format format)
{
    auto found = texts.find(value);
    if (found == texts.end())
        found = texts.emplace(value, format(value)).first;
    return found->second;
}
} // namespace

std::unordered_map<std::string, double> readMarketValues(const std::vector<std::string>& lines)
{
    std::unordered_map<std::string, double> values;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        if (!isMarketValueLine(lines[index]))
            continue;
        std::size_t last = index;
        while (last + 1 < lines.size() && !isMarketValueLine(lines[last + 1]))
            ++last;
        values.emplace(lines[index].substr(0, 20), entryMarketValue(lines[last]));
        index = last;
    }
    return values;
}

std::vector<std::string> marketValueHeader()
{
    return {
        "Bidmark Market Value output Values in Millions of $$",
        "#= The number of players in bracket; ie. at the same position,",
        "   within +- 2 yrs age differnce,",
        "   of relative +- 4 overall.",
        "High/Low = highest salary for this bracket",
        "Avg = Average salary for this bracket",
        "M.V. = market value for this player based on the bracket",
        "Name                 Age Pos OV  #   High  Low   Avg   Last  M.V.",
    };
}

MarketValueText::MarketValueText(std::size_t players)
    : text_(joinLines(marketValueHeader())), lineStart_(text_.size())
{
    constexpr std::size_t kPlayerLine = 70; // its items at their columns, the line end
    text_.reserve(text_.size() + players * kPlayerLine);
}

void MarketValueText::addLine(const FreeAgent& agent, const BracketStats& stats, double value)
{
    put(1, agent.name);
    put(22, signedNumber(agent.age));
    put(26, std::string(1, agent.group));
    put(29, signedNumber(agent.overall));
    put(33, " " + std::to_string(stats.count) + " ");
    put(38, money(stats.high));
    put(44, money(stats.low));
    put(50, money(stats.average));
    put(56, money(agent.lastSalary));
    put(62, money(value));
    text_ += "\r\n";
    lineStart_ = text_.size();
}

// Writes blanks up to the 1-based column; a column already passed ends the
// line and the item goes to that column of the next one.
void MarketValueText::put(std::size_t column, const std::string& item)
{
    if (text_.size() - lineStart_ >= column) {
        text_ += "\r\n";
        lineStart_ = text_.size();
    }
    text_.append(column - 1 - (text_.size() - lineStart_), ' ');
    text_ += item;
}

const std::string& MarketValueText::money(double value)
{
    return remembered(moneyTexts_, value, [](double v) { return formatNumber(v, "0.0#"); });
}

const std::string& MarketValueText::signedNumber(double value)
{
    return remembered(signedTexts_, value, [](double v) { return signedText(v); });
}

} // namespace bidmark
