#include <gtest/gtest.h>

#include <random>

#include "core/failure.h"
#include "marketvalue/bracket.h"

using namespace bidmark;

namespace {
RosterEntry entry(double overall, char group, double age, double salary)
{
    return {"", overall, group, age, salary, ""};
}

// The worked example's roster: A B C D E K.
RosterTable exampleRoster(double overallOfC = 76)
{
    return {entry(72, 'F', 25, 1.0), entry(75, 'F', 26, 2.0), entry(overallOfC, 'F', 23, 3.0),
            entry(71, 'D', 25, 0.5), entry(79, 'F', 25, 4.0), entry(74, 'F', 29, 2.5)};
}

FreeAgent agent(double age, double lastSalary, char group = 'F', double overall = 74)
{
    return {"", age, lastSalary, group, overall};
}

BracketStats statsOf(const FreeAgent& agent, const RosterTable& roster)
{
    BracketFinder finder(roster);
    return finder.brackets()[finder.bracketOf(agent)].stats;
}

BracketStats averageOf(double average)
{
    BracketStats stats;
    stats.average = average;
    return stats;
}
} // namespace

TEST(Bracket, WorkedExampleKeepsAThroughC)
{
    const BracketStats stats = statsOf(agent(25, 1.2), exampleRoster());
    EXPECT_EQ(stats.count, 3);
    EXPECT_DOUBLE_EQ(stats.sum, 6.0);
    EXPECT_DOUBLE_EQ(stats.low, 1.0);
    EXPECT_DOUBLE_EQ(stats.high, 3.0);
    EXPECT_EQ(stats.sameCount, 0);
    EXPECT_DOUBLE_EQ(stats.average, 2.0);
    EXPECT_DOUBLE_EQ(marketValue(agent(25, 1.2), stats, 1.2).value, 2.0);
}

TEST(Bracket, SameOverallAverageRaisesTheAverage)
{
    const BracketStats stats = statsOf(agent(25, 1.2), exampleRoster(74));
    EXPECT_EQ(stats.sameCount, 1);
    EXPECT_DOUBLE_EQ(stats.sameAverage, 3.0);
    EXPECT_DOUBLE_EQ(stats.average, 3.0);
    EXPECT_DOUBLE_EQ(marketValue(agent(25, 1.2), stats, 1.2).value, 3.0);
}

TEST(Bracket, KeepsEntriesWithinFourPointsAndTwoYears)
{
    const FreeAgent fa = agent(25, 1.0);
    EXPECT_TRUE(inBracket(fa, entry(70, 'F', 25, 1)));
    EXPECT_TRUE(inBracket(fa, entry(78, 'F', 25, 1)));
    EXPECT_FALSE(inBracket(fa, entry(69, 'F', 25, 1)));
    EXPECT_FALSE(inBracket(fa, entry(79, 'F', 25, 1)));
    EXPECT_TRUE(inBracket(fa, entry(74, 'F', 23, 1)));
    EXPECT_TRUE(inBracket(fa, entry(74, 'F', 27, 1)));
    EXPECT_FALSE(inBracket(fa, entry(74, 'F', 22, 1)));
    EXPECT_FALSE(inBracket(fa, entry(74, 'F', 28, 1)));
    EXPECT_FALSE(inBracket(fa, entry(74, 'D', 25, 1)));
    EXPECT_FALSE(inBracket(fa, entry(74, 0, 25, 1))); // no vitals
}

TEST(Bracket, EmptyBracketLeavesZerosAndInflatesLastSalary)
{
    const BracketStats stats = statsOf(agent(25, 1.0, 'G'), exampleRoster());
    EXPECT_EQ(stats.count, 0);
    EXPECT_EQ(stats.high, 0);
    EXPECT_EQ(stats.low, 0);
    EXPECT_EQ(stats.average, 0);
    EXPECT_DOUBLE_EQ(marketValue(agent(25, 1.0, 'G'), stats, 1.2).value, 1.2);
    EXPECT_DOUBLE_EQ(marketValue(agent(22, 2.0, 'G'), stats, 1.2).value, 1.5);
}

TEST(Bracket, OnePlayerIsHighLowAndAverage)
{
    const BracketStats stats = statsOf(agent(25, 1.0), {entry(74, 'F', 25, 1.75)});
    EXPECT_EQ(stats.count, 1);
    EXPECT_DOUBLE_EQ(stats.high, 1.75);
    EXPECT_DOUBLE_EQ(stats.low, 1.75);
    EXPECT_DOUBLE_EQ(stats.average, 1.75);
}

TEST(Bracket, ZeroSalaryLetsTheNextSalaryBecomeLow)
{
    EXPECT_DOUBLE_EQ(statsOf(agent(25, 1), {entry(74, 'F', 25, 0), entry(74, 'F', 25, 0.8)}).low, 0.8);
    EXPECT_DOUBLE_EQ(statsOf(agent(25, 1), {entry(74, 'F', 25, 0.8), entry(74, 'F', 25, 0)}).low, 0);
}

TEST(MarketValue, ThresholdSubtractsTheFactorAndRookiesAreCapped)
{
    const struct {
        double age, lastSalary, average, factor, value;
        ValueRule rule;
    } cases[] = {
        {25, 1.0, 1.5, 1.2, 1.5, ValueRule::BracketAverage},
        {25, 2.0, 1.5, 1.2, 2.4, ValueRule::LastSalaryTimesFactor},
        {25, 1.48, 1.5, 1.2, 1.5, ValueRule::BracketAverage}, // 1.48 < 1.482
        {25, 1.49, 1.5, 1.2, 1.49 * 1.2, ValueRule::LastSalaryTimesFactor},
        {25, 1.484, 1.5, 1.0, 1.5, ValueRule::BracketAverage}, // rate 0: T = 0.99 x A
        {25, 1.486, 1.5, 1.0, 1.486, ValueRule::LastSalaryTimesFactor},
        {22, 2.5, 0, 1.2, 1.5, ValueRule::RookieCap},
        {22, 1.0, 3.0, 1.2, 1.5, ValueRule::RookieCap}, // the average too is capped
        {23, 2.5, 0, 1.2, 3.0, ValueRule::LastSalaryTimesFactor},
        {22, 1.0, 0, 1.2, 1.2, ValueRule::LastSalaryTimesFactor},
        {22, 1.0, 1.5, 1.2, 1.5, ValueRule::BracketAverage}, // at the cap, not above it
    };
    for (const auto& c : cases) {
        const Valuation valuation = marketValue(agent(c.age, c.lastSalary), averageOf(c.average), c.factor);
        EXPECT_DOUBLE_EQ(valuation.value, c.value) << c.age << " " << c.lastSalary << " " << c.average;
        EXPECT_EQ(valuation.rule, c.rule) << c.age << " " << c.lastSalary << " " << c.average;
    }
}

TEST(MarketValue, FactorComesFromRatePercent)
{
    EXPECT_DOUBLE_EQ(inflationFactor("20"), 1.2);
    EXPECT_DOUBLE_EQ(inflationFactor(""), 1.0);
    EXPECT_DOUBLE_EQ(inflationFactor("lots"), 1.0);
    EXPECT_DOUBLE_EQ(inflationFactor("5%"), 1.05);
}

TEST(MarketValue, OverflowIsAFailureNeverInfinity)
{
    EXPECT_DOUBLE_EQ(inflationFactor("1e300"), 1e298 + 1);
    for (const char* rate : {"1e999", "-1e999", "9e308"})
        EXPECT_THROW(inflationFactor(rate), Failure) << rate;

    FreeAgent named = agent(25, 1.0);
    named.name = "Fredrik Free        ";
    const struct {
        double lastSalary, average, factor;
    } overflowing[] = {
        {1.0, 1e307, 1.2},     // the threshold
        {1.0, 200.0, 1.7e306}, // the threshold, through the factor
        {1e300, 1.0, 1e10},    // last salary times the factor
    };
    for (const auto& c : overflowing) {
        named.lastSalary = c.lastSalary;
        try {
            marketValue(named, averageOf(c.average), c.factor);
            ADD_FAILURE() << "no failure at average " << c.average << ", factor " << c.factor;
        } catch (const Failure& failure) {
            EXPECT_STREQ(failure.what(), "Overflow in the market value of Fredrik Free: "
                                         "the inflation rate or the bracket's salaries are too large");
        }
    }
}
TEST(Bracket, FinderKeepsTheEntriesAPassOverTheRosterFinds)
{
    // Repeated and fractional overalls and ages, zero salaries, entries without vitals.
    std::mt19937 random(7);
    RosterTable roster;
    for (int i = 0; i < 400; ++i) {
        const char group = random() % 7 == 0 ? 0 : "FFDG"[random() % 4];
        const double salary = random() % 10 == 0 ? 0 : (random() % 500) / 100.0;
        roster.push_back(entry(60 + random() % 30 + (random() % 4 == 0 ? 0.5 : 0), group,
                               20 + random() % 15 + (random() % 5 == 0 ? 0.5 : 0), salary));
    }
    BracketFinder finder(roster);
    for (int i = 0; i < 600; ++i) {
        const FreeAgent fa = agent(20 + random() % 15, 1.0, "FDG"[random() % 3], 60 + random() % 30);
        BracketStats expected;
        std::vector<std::size_t> entries;
        for (std::size_t index = 0; index < roster.size(); ++index) {
            const RosterEntry& e = roster[index];
            if (!inBracket(fa, e))
                continue;
            entries.push_back(index);
            if (expected.low == 0 || e.salary < expected.low)
                expected.low = e.salary;
            if (expected.high == 0 || e.salary > expected.high)
                expected.high = e.salary;
            expected.sum += e.salary;
            ++expected.count;
        }
        const Bracket& bracket = finder.brackets()[finder.bracketOf(fa)];
        ASSERT_EQ(bracket.entries, entries);
        const BracketStats& found = bracket.stats;
        ASSERT_EQ(found.count, expected.count);
        ASSERT_EQ(found.sum, expected.sum); // same additions in the same order
        ASSERT_EQ(found.low, expected.low);
        ASSERT_EQ(found.high, expected.high);
    }
}
