#include <gtest/gtest.h>

#include "core/linefile.h"
#include "marketvalue/marketvalfile.h"

using namespace bidmark;

namespace {
const std::string kName = "Fredrik Free        ";

FreeAgent agent() { return {kName, 25, 1.2, 'F', 74}; }

BracketStats stats(int count, double high, double low, double average)
{
    BracketStats result;
    result.count = count;
    result.high = high;
    result.low = low;
    result.average = average;
    return result;
}
// The text one free agent adds after the header, without its last line end.
std::string lineOf(const FreeAgent& agent, const BracketStats& stats, double value)
{
    MarketValueText text;
    text.addLine(agent, stats, value, 0);
    const std::string header = joinLines(marketValueHeader());
    EXPECT_EQ(text.text().substr(0, header.size()), header);
    EXPECT_EQ(text.text().substr(text.text().size() - 2), "\r\n");
    return text.text().substr(header.size(), text.text().size() - header.size() - 2);
}
} // namespace

TEST(MarketValueFile, HeaderSpellsTheColumns)
{
    const std::vector<std::string> header = marketValueHeader();
    ASSERT_EQ(header.size(), 8u);
    EXPECT_EQ(header[2], "   within +- 2 yrs age differnce,");
    EXPECT_EQ(header[3], "   of relative +- 4 overall.");
    const std::string& heads = header[7];
    EXPECT_EQ(heads.find("Age"), 21u);
    EXPECT_EQ(heads.find("Pos"), 25u);
    EXPECT_EQ(heads.find("OV"), 29u);
    EXPECT_EQ(heads.find("#"), 33u);
    EXPECT_EQ(heads.find("High"), 37u);
    EXPECT_EQ(heads.find("Low"), 43u);
    EXPECT_EQ(heads.find("Avg"), 49u);
    EXPECT_EQ(heads.find("Last"), 55u);
    EXPECT_EQ(heads.rfind("M.V."), heads.size() - 4);
    EXPECT_EQ(heads.size(), 65u);
}

TEST(MarketValueFile, WorkedExamplePlayerLine)
{
    EXPECT_EQ(lineOf(agent(), stats(3, 3.0, 1.0, 2.0), 2.0),
              kName + "  25 F   74  3   3.0   1.0   2.0   1.2   2.0");
}

TEST(MarketValueFile, ItemsPastTheirColumnStartANewLine)
{
    EXPECT_EQ(lineOf(agent(), stats(1000, 3.0, 1.0, 2.0), 2.0),
              kName + "  25 F   74  1000 \r\n" + std::string(37, ' ') + "3.0   1.0   2.0   1.2   2.0");
    // A value that ends just before the next column stays on the line.
    EXPECT_EQ(lineOf(agent(), stats(3, 123.45, 1.0, 2.0), 2.0),
              kName + "  25 F   74  3   123.451.0   2.0   1.2   2.0");
    EXPECT_EQ(lineOf(agent(), stats(3, 12345.6, 1.0, 2.0), 2.0),
              kName + "  25 F   74  3   12345.6\r\n" + std::string(43, ' ') + "1.0   2.0   1.2   2.0");
}

TEST(MarketValueFile, RoundsMoneyToTwoDecimals)
{
    EXPECT_EQ(lineOf(agent(), stats(0, 0, 0, 0), 1.49 * 1.2).substr(37),
              "0.0   0.0   0.0   1.2   1.79");
}

TEST(MarketValueFile, EachLineStartsAtColumnOne)
{
    MarketValueText text;
    text.addLine(agent(), stats(1000, 3.0, 1.0, 2.0), 2.0, 0);
    text.addLine(agent(), stats(3, 3.0, 1.0, 2.0), 2.0, 1);
    const std::vector<std::string> lines = splitLines(text.text());
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[10], kName + "  25 F   74  3   3.0   1.0   2.0   1.2   2.0");

    // A bracket's items read the same the second time, line break and all.
    const std::string again = lineOf(agent(), stats(1000, 3.0, 1.0, 2.0), 2.5) + "\r\n";
    text.addLine(agent(), stats(1000, 3.0, 1.0, 2.0), 2.5, 0);
    ASSERT_GE(text.text().size(), again.size());
    EXPECT_EQ(text.text().substr(text.text().size() - again.size()), again);

    // A bracket number that comes with other items has them laid out anew.
    text.addLine(agent(), stats(3, 3.0, 1.0, 2.0), 2.0, 0);
    EXPECT_EQ(splitLines(text.text()).back(), lines[10]);
}
