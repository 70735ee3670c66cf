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

void MarketValueText::addLine(const FreeAgent& agent, const BracketStats& stats, double value, std::size_t bracket)
{
    put(1, agent.name);
    putBracketItems({agent.age, static_cast<double>(agent.group), agent.overall, static_cast<double>(stats.count),
                     stats.high, stats.low, stats.average},
                    bracket);
    put(56, money(agent.lastSalary));
    put(62, money(value));
    text_ += "\r\n";
    lineStart_ = text_.size();
}

// Items from column 22 on lie the same way whenever the line has not passed
// column 21: then they are copied as first laid out.
void MarketValueText::putBracketItems(const BracketItems& items, std::size_t bracket)
{
    constexpr std::size_t kFirstColumn = 22;
    if (text_.size() - lineStart_ >= kFirstColumn) {
        text_ += "\r\n";
        lineStart_ = text_.size();
    }
    text_.append(kFirstColumn - 1 - (text_.size() - lineStart_), ' ');
    const std::size_t start = text_.size();
    if (bracket >= bracketTexts_.size())
        bracketTexts_.resize(bracket + 1);
    LaidOut& laidOut = bracketTexts_[bracket];
    if (laidOut.made && laidOut.items == items) {
        text_ += laidOut.text;
        if (laidOut.lastLineStart != std::string::npos)
            lineStart_ = start + laidOut.lastLineStart;
        return;
    }
    const auto [age, group, overall, count, high, low, average] = items;
    put(kFirstColumn, signedNumber(age));
    put(26, std::string(1, static_cast<char>(group)));
    put(29, signedNumber(overall));
    put(33, " " + std::to_string(static_cast<int>(count)) + " ");
    put(38, money(high));
    put(44, money(low));
    put(50, money(average));
    bracketTexts_[bracket] = {items, true, text_.substr(start),
                              lineStart_ > start ? lineStart_ - start : std::string::npos};
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
const std::string& remembered(NumberTable<1, std::string>& texts, double value, Format format)
{
    if (const std::string* known = texts.find({value}))
        return *known;
    return texts.add({value}, format(value));
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
