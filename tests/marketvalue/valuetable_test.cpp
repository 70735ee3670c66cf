#include <gtest/gtest.h>

#include <algorithm>

#include "marketvalue/valuetable.h"
#include "tests/marketvalue/examplevalues.h"

using namespace bidmark;
using test::exampleValues;
using test::freeAgent;

namespace {
// Whether the column sorts row a before row b, up, and b before a, down.
bool sortsBefore(const MarketValues& values, const ValueRow& a, const ValueRow& b, int column)
{
    const auto place = [&](const ValueRow& row, bool descending) {
        const std::vector<std::size_t> rows = sortedRows(values, column, descending);
        return std::find(rows.begin(), rows.end(), static_cast<std::size_t>(&row - values.rows.data())) - rows.begin();
    };
    return place(a, false) < place(b, false) && place(b, true) < place(a, true);
}
} // namespace

TEST(ValueTable, ExplainsEachRuleWithItsNumbers)
{
    // The worked example's free agent, one whose last salary beats the
    // threshold, and a rookie capped at 1.5.
    const MarketValues values = exampleValues({freeAgent("Fredrik Free", 25, 1.2, 'F', 74),
                                               freeAgent("Frans Free", 25, 2.5, 'F', 74),
                                               freeAgent("Rami Rookie", 22, 2.5, 'F', 74)});
    const struct {
        const char* rule;
        const char* value;
        std::vector<std::string> explained;
    } expected[] = {
        {"bracket average", "2.0", {"Avg 2.0 is the average salary of the 3 bracket players (6.0 / 3)", "below the threshold 1.976"}},
        {"last salary \xD7 factor", "3.0", {"not below the threshold 1.976", "last salary \xD7 1.2: 3.0."}},
        {"rookie cap", "1.5", {"Avg 3.0 is the average salary of the 1 bracket players",
                               "bracket average rule he would be worth 3.0", "at most 1.5"}},
    };
    for (std::size_t i = 0; i < values.rows.size(); ++i) {
        const ValueRow& row = values.rows[i];
        EXPECT_EQ(valueCell(values, row, kRuleColumn), expected[i].rule);
        EXPECT_EQ(valueCell(values, row, kMarketValueColumn), expected[i].value);
        const std::string explanation = valueExplanation(values, row);
        for (const std::string& part : expected[i].explained)
            EXPECT_NE(explanation.find(part), std::string::npos) << explanation;
    }
}

TEST(ValueTable, ExplainsAnAverageRaisedBySameOverallEntries)
{
    const MarketValues values = exampleValues({freeAgent("Fredrik Free", 25, 1.2, 'F', 74)}, 74);
    EXPECT_NE(valueExplanation(values, values.rows[0]).find("Avg 3.0 is the average salary of the 1 bracket "
                                                            "players of his exact overall (3.0 / 1), above the 2.0 "
                                                            "of all 3"),
              std::string::npos);
}

TEST(ValueTable, SortsNumbersByValueAndNamesIgnoringCase)
{
    // Values whose text sorts the other way: "100" < "74", "10.5" < "8.0".
    const MarketValues values = exampleValues({freeAgent("Bo Berg", 23, 8.0, 'F', 74),
                                               freeAgent("al Ahl", 30, 10.5, 'D', 100),
                                               freeAgent("\xC5sa Eng", 20, 2.0, 'G', 74)});
    const ValueRow& bo = values.rows[0];
    const ValueRow& al = values.rows[1];
    const ValueRow& asa = values.rows[2];
    const struct {
        int column;
        const ValueRow& a;
        const ValueRow& b;
    } ordered[] = {
        {kNameColumn, al, bo},       {kAgeColumn, asa, bo},         {kOverallColumn, bo, al},
        {kLastSalaryColumn, bo, al}, {kMarketValueColumn, bo, al}, {kGroupColumn, al, bo},
        {kRuleColumn, bo, asa},      {kNameColumn, bo, asa}, // letters above Z come after it
    };
    for (const auto& c : ordered) {
        EXPECT_TRUE(sortsBefore(values, c.a, c.b, c.column)) << "column " << c.column;
    }
    EXPECT_EQ(valueCell(values, bo, kMarketValueColumn), "9.6");
    EXPECT_EQ(valueCell(values, al, kMarketValueColumn), "12.6");
}

// Rows whose cells sort alike keep fa.txt order, up and down alike.
TEST(ValueTable, SortedRowsKeepFileOrderAmongEquals)
{
    const MarketValues values = exampleValues({freeAgent("Bo Berg", 23, 8.0, 'F', 74),
                                               freeAgent("al Ahl", 30, 10.5, 'D', 100),
                                               freeAgent("Cy Cole", 20, 2.0, 'G', 74),
                                               freeAgent("bo berg", 25, 2.0, 'F', 80)});
    const struct {
        int column;
        bool descending;
        std::vector<std::size_t> rows;
    } expected[] = {
        {-1, false, {0, 1, 2, 3}},
        {kOverallColumn, false, {0, 2, 3, 1}},
        {kOverallColumn, true, {1, 3, 0, 2}},
        {kNameColumn, false, {1, 0, 3, 2}},
        {kNameColumn, true, {2, 0, 3, 1}},
        {kGroupColumn, false, {1, 0, 3, 2}},
    };
    for (const auto& c : expected)
        EXPECT_EQ(sortedRows(values, c.column, c.descending), c.rows) << "column " << c.column << " " << c.descending;
}

// The worked example's free agent (value 2.0) with offers of 9.5 and 10.0
// (whose texts sort the other way), one without offers, one signed.
TEST(ValueTable, OffersBesideTheValue)
{
    MarketValues values = exampleValues({freeAgent("Fredrik Free", 25, 1.2, 'F', 74),
                                         freeAgent("Nils None", 25, 1.2, 'F', 74),
                                         freeAgent("Sam Signed", 25, 1.2, 'F', 74)});
    values.rows[0].offerLines = "<DAL> 9.5/2 \r\n<TOR> 10.0/4 +1.0 long\r\n<DAL> 1.0/1 \r\n";
    values.rows[2].offerLines = "<NY> 1.5/1 \r\n<SIGNED> <NY> 1.5/1 \r\n";
    const ValueRow& fredrik = values.rows[0];
    const ValueRow& nils = values.rows[1];
    const ValueRow& sam = values.rows[2];

    EXPECT_EQ(valueCell(values, fredrik, kOffersColumn), "2");
    EXPECT_EQ(valueCell(values, fredrik, kBestOfferColumn), "TOR 10.0/4 +1.0");
    EXPECT_EQ(valueCell(values, nils, kOffersColumn), "0");
    EXPECT_EQ(valueCell(values, nils, kBestOfferColumn), "");
    EXPECT_EQ(valueCell(values, sam, kBestOfferColumn), "signed NY 1.5/1");
    EXPECT_EQ(valueCell(values, sam, kMarketValueColumn), "2.0"); // still valued
    EXPECT_TRUE(sortsBefore(values, nils, sam, kBestOfferColumn));
    EXPECT_TRUE(sortsBefore(values, sam, fredrik, kBestOfferColumn));
    EXPECT_TRUE(sortsBefore(values, nils, fredrik, kOffersColumn));

    const std::string explained = valueExplanation(values, fredrik);
    EXPECT_NE(explained.find("so M.V. is Avg: 2.0. The best offer, TOR 10.0/4 +1.0, is 8.0 above his value."),
              std::string::npos) << explained;
    EXPECT_NE(valueExplanation(values, sam).find("He has signed NY 1.5/1, 0.5 below his value."), std::string::npos);
}

TEST(BracketList, ShowsTeamAndMarksTheSameOverall)
{
    const MarketValues values = exampleValues({freeAgent("Fredrik Free", 25, 1.2, 'F', 74)}, 74);
    const ValueRow& row = values.rows[0];
    std::vector<std::vector<std::string>> cells;
    for (const std::size_t entry : values.bracketOf(row).entries) {
        std::vector<std::string>& line = cells.emplace_back();
        for (int column = 0; column < kBracketColumns; ++column)
            line.push_back(bracketCell(values.roster[entry], row.agent, column));
    }
    const std::vector<std::vector<std::string>> expected{
        {"Aaro Aalto", "TOR", "F", "25", "72", "1.0", ""},
        {"Bert Berg", "NY", "F", "26", "75", "2.0", ""},
        {"Cid Carr", "TOR", "F", "23", "74", "3.0", "same"},
    };
    EXPECT_EQ(cells, expected);
    EXPECT_EQ(bracketCaption(values, row), "Bracket of Fredrik Free (F, age 25, OV 74): 3 rostered players of "
                                           "group F within 2 years of his age and 4 points of his overall");
}
