#include "editor/myoffers.h"

#include <gtest/gtest.h>

#include "tests/support/league.h"

using namespace bidmark;
using bidmark::test::elevenLines;
using bidmark::test::kArvo;
using bidmark::test::kPekka;
using bidmark::test::views;

TEST(MyOffers, ShowsThePlayersWithAStandingOfferOrAnEntry)
{
    const std::vector<std::string> eleven = elevenLines();
    const std::vector<std::string_view> lines = views(eleven);
    const std::vector<std::string_view> arvo(lines.begin() + 1, lines.begin() + 5);
    const std::vector<std::string_view> pekka(lines.begin() + 5, lines.begin() + 8);
    EXPECT_EQ(myOffersOnly(lines, "NY", {}), arvo);
    EXPECT_EQ(myOffersOnly(lines, "TOR", {}), arvo); // a signed line of TOR is no standing offer
    std::vector<std::string_view> both = arvo;
    both.insert(both.end(), pekka.begin(), pekka.end());
    EXPECT_EQ(myOffersOnly(lines, "NY", {kPekka + "<NY> 0.5/1 "}), both);
    EXPECT_TRUE(myOffersOnly(lines, "BOS", {}).empty());
}

TEST(MyOffers, TotalCountsWhatStandsOnceTheListIsMerged)
{
    const std::vector<std::string> eleven = elevenLines();
    const StandingOffers standing = standingOffers(views(eleven), "TOR");
    EXPECT_EQ(standing.count, 1u);
    EXPECT_EQ(standing.salaries, (std::vector<std::pair<std::string_view, double>>{{kArvo, 1.5}}));
    struct Case {
        const char* name;
        std::vector<std::string> entries;
        std::string total;
    };
    const Case cases[] = {
        {"standing only", {}, "1 standing offer, 0 entries in the list: 1.5 million a year"},
        {"a new player", {kPekka + "<TOR> 0.75/2 "}, "1 standing offer, 1 entry in the list: 2.25 million a year"},
        {"an entry replaces the standing offer", {kArvo + "<TOR> 2.0/1 "},
         "1 standing offer, 1 entry in the list: 2.0 million a year"},
        {"a retraction takes it away", {kArvo + "<TOR> <RETRACT>", kPekka + "<TOR> 0.5/1 "},
         "1 standing offer, 2 entries in the list: 0.5 million a year"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(myOffersTotal(standing, c.entries, "TOR"), c.total) << c.name;
}

// A player with two offers of the team standing: both are counted, his later
// one is the salary.
TEST(MyOffers, TotalTakesAPlayersLastStandingOffer)
{
    std::vector<std::string> lines = elevenLines();
    lines.insert(lines.begin() + 7, "<TOR> 0.5/1 ");  // under Pekka Roine
    lines.insert(lines.begin() + 3, "<TOR> 1.25/2 "); // under Arvo Lindqvist, after his first
    const StandingOffers standing = standingOffers(views(lines), "TOR");
    EXPECT_EQ(myOffersTotal(standing, {}, "TOR"), "3 standing offers, 0 entries in the list: 1.75 million a year");
    EXPECT_EQ(myOffersTotal(standing, {kPekka + "<TOR> <RETRACT>"}, "TOR"),
              "3 standing offers, 1 entry in the list: 1.25 million a year");
}
