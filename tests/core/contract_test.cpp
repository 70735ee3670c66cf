#include "core/contract.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "tests/support/league.h"

using namespace bidmark;
using bidmark::test::playerLine;

namespace {

const std::string kVeteran = playerLine("Sample Player", 27, "UFA", 900000, "C", 70);

std::optional<std::string> problem(const std::string& salary, const std::string& years,
                                   const std::string& bonus, int age = 27)
{
    return checkTerms(salary, years, bonus, playerLine("Sample Player", age, "UFA", 1, "C", 70)).problem;
}

std::string offer(const std::string& salary, const std::string& years, const std::string& bonus,
                  const std::string& comments = "")
{
    const TermsCheck check = checkTerms(salary, years, bonus, kVeteran);
    EXPECT_EQ(check.problem, std::nullopt);
    return makeOffer(kVeteran, "ABC", check.salary, years, check.bonus, comments).substr(20);
}

} // namespace

TEST(ContractRules, WorkedExample)
{
    const TermsCheck check = checkTerms("1,25", "3", "0.5", kVeteran);
    EXPECT_EQ(check.salary, "1.25");
    EXPECT_EQ(check.problem, std::nullopt);
    EXPECT_EQ(makeOffer(kVeteran, "ABC", check.salary, "3", check.bonus, "Welcome aboard"),
              "Sample Player       <ABC> 1.25/3 +0.5 Welcome aboard");
    EXPECT_EQ(offer("1,25", "3", ""), "<ABC> 1.25/3 ");
}

TEST(ContractRules, FirstCommaIsTheDecimalPoint)
{
    EXPECT_EQ(offer("1,5", "2", "0,75"), "<ABC> 1.5/2 +0.75 ");
    const TermsCheck check = checkTerms("1,234.5", "2", "", kVeteran);
    EXPECT_EQ(check.salary, "1.234.5");
    EXPECT_EQ(check.problem, "Invalid Salary");
}

TEST(ContractRules, ChecksInOrder)
{
    EXPECT_EQ(problem("", "", "x"), "Invalid Salary");
    EXPECT_EQ(problem("1", "", "x"), "Invalid Years");
    EXPECT_EQ(problem("1", "three", ""), "Invalid Years");
    EXPECT_EQ(problem("1", "3", "x"), "Invalid Bonus");
}

TEST(ContractRules, MoneyMaskAndYearsAsTyped)
{
    EXPECT_EQ(offer("2", "3", "0"), "<ABC> 2.0/3 +0.0 ");
    EXPECT_EQ(offer(".5", "2.5", ""), "<ABC> 0.5/2.5 ");
    EXPECT_EQ(offer("1.23456", "1", "", "hi"), "<ABC> 1.235/1 hi");
}

TEST(ContractRules, RookieCaps)
{
    EXPECT_EQ(problem("1.5", "1", "5", 22), std::nullopt); // bonus above the total is allowed
    EXPECT_EQ(problem("1.51", "1", "", 22), "Invalid Contract for rookie");
    EXPECT_EQ(problem("1.0", "1", "5.01", 22), "Invalid Contract for rookie");
    EXPECT_EQ(problem("1.51", "1", "", 23), std::nullopt);
}

TEST(ContractRules, BonusAgainstTotalContract)
{
    EXPECT_EQ(problem("1.0", "2", "2"), std::nullopt);
    EXPECT_EQ(problem("1.0", "2", "2.01"), "Bonus Exceeds Total Contract");
    EXPECT_EQ(problem("-1", "3", ""), "Bonus Exceeds Total Contract");
    EXPECT_EQ(problem("1.0", "0", ""), std::nullopt);
    EXPECT_EQ(problem("1.0", "5", "6", 23), "Bonus Exceeds Total Contract");
}

TEST(ContractRules, OverflowIsAFailureNotAnOffer)
{
    EXPECT_THROW(problem("1e300", "1e300", ""), Failure);
}

TEST(ContractRules, Retraction)
{
    EXPECT_EQ(makeRetraction(kVeteran, "TOR"), "Sample Player       <TOR> <RETRACT>");
}

// The merge reads the terms back out of an offer line and checks them as the
// dialog checks its boxes; whatever the dialog makes passes.
TEST(ContractRules, OfferLineCheckedAtTheMerge)
{
    const std::string rookie = playerLine("Young Player", 19, "RFA", 1, "C", 70);
    const struct {
        std::string offer;
        const std::string& player;
        std::optional<std::string> problem;
    } cases[] = {
        {"<ABC> 1.25/3 +0.5 Welcome aboard", kVeteran, std::nullopt},
        {"<ABC> 1.25/3 ", kVeteran, std::nullopt},
        {"<ABC> 1.0/1 +5 bonus is a comment's start", kVeteran, "Bonus Exceeds Total Contract"},
        {"<ABC> 1.0/1 +great deal", kVeteran, std::nullopt},
        {"<ABC> lots/3 ", kVeteran, "Invalid Salary"},
        {"<ABC> 1.0 ", kVeteran, "Invalid Years"},
        {"<ABC> 1.0/three ", kVeteran, "Invalid Years"},
        {"<ABC> 2.0/3 hand-edited", rookie, "Invalid Contract for rookie"},
        {"<ABC> 1.5/3 +6.0 ", rookie, "Invalid Contract for rookie"},
        {"<ABC> 1.5/1 +5.0 ", rookie, std::nullopt},
        {"<ABC> 1e308/1e308 ", kVeteran, "Overflow: the total contract (years times salary) is too large"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(offerRuleBroken(c.offer, c.player), c.problem) << c.offer;
}
