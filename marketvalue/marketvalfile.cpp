#include "marketvalue/marketvalfile.h"

#include "core/linefile.h"
#include "core/market.h"
#include "core/numbers.h"

namespace bidmark {

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
    putBracketItems({agent.age, agent.group, agent.overall, stats.count, stats.high, stats.low, stats.average});
    put(56, money(agent.lastSalary));
    put(62, money(value));
    text_ += "\r\n";
    lineStart_ = text_.size();
}

bool MarketValueText::BracketItems::operator==(const BracketItems& other) const
{
    return age == other.age && group == other.group && overall == other.overall && count == other.count &&
           high == other.high && low == other.low && average == other.average;
}

std::size_t MarketValueText::BracketItemsHash::operator()(const BracketItems& items) const
{
    return hashNumbers({static_cast<double>(items.group), items.age, items.overall,
                        static_cast<double>(items.count), items.high, items.low, items.average});
}

// Items from column 22 on lie the same way whenever the line has not passed
// column 21: then they are copied as first laid out.
void MarketValueText::putBracketItems(const BracketItems& items)
{
    constexpr std::size_t kFirstColumn = 22;
    if (text_.size() - lineStart_ >= kFirstColumn) {
        text_ += "\r\n";
        lineStart_ = text_.size();
    }
    text_.append(kFirstColumn - 1 - (text_.size() - lineStart_), ' ');
    const std::size_t start = text_.size();
    const auto known = bracketTexts_.find(items);
    if (known != bracketTexts_.end()) {
        text_ += known->second.text;
        if (known->second.lastLineStart != std::string::npos)
            lineStart_ = start + known->second.lastLineStart;
        return;
    }
    put(kFirstColumn, signedNumber(items.age));
    put(26, std::string(1, items.group));
    put(29, signedNumber(items.overall));
    put(33, " " + std::to_string(items.count) + " ");
    put(38, money(items.high));
    put(44, money(items.low));
    put(50, money(items.average));
    bracketTexts_.emplace(items, LaidOut{text_.substr(start),
                                         lineStart_ > start ? lineStart_ - start : std::string::npos});
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

namespace {
template <class Format>
const std::string& remembered(NumberTexts& texts, double value, Format format)
{
    auto found = texts.find(value);
    if (found == texts.end())
        found = texts.emplace(value, format(value)).first;
    return found->second;
}
} // namespace

const std::string& MarketValueText::money(double value)
{
    return remembered(moneyTexts_, value, [](double v) { return formatNumber(v, "0.0#"); });
}

const std::string& MarketValueText::signedNumber(double value)
{
    return remembered(signedTexts_, value, [](double v) { return signedText(v); });
}

} // namespace bidmark
