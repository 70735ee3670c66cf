#include "editor/playerdetails.h"

#include <gtest/gtest.h>

#include "tests/support/league.h"
#include "tests/support/tempdir.h"

using namespace bidmark;
using bidmark::test::TempDir;

namespace {

const std::string kKey = "Arvo Lindqvist      "; // 20 characters

// A team scoring page line: position, " 1", any, " ", any, the 20-character
// name, two more name characters, " ", team, " ", games played.
std::string pageLine(char position, const std::string& key, const std::string& games = " 82")
{
    return std::string(1, position) + " 12 #" + key + "  TOR " + games + "   9  14  23";
}

std::string continuation(const std::string& team)
{
    return std::string(28, ' ') + team + "  40   1   2   3";
}

} // namespace

TEST(StatisticsLookup, ShowsTheLastContinuationLine)
{
    TempDir dir;
    dir.writeLines("2001TeamScoring.html", {"<html>", pageLine('F', kKey), continuation("DAL"),
                                            continuation("NYR"), pageLine('F', "Someone Else        ")});
    EXPECT_EQ(statisticsLine(dir.path(), kKey), continuation("NYR"));
}

TEST(StatisticsLookup, ShowsOwnLineWhenAnOrdinaryLineFollows)
{
    TempDir dir;
    dir.writeLines("TeamScoring.htm", {pageLine('F', kKey), "</pre>", continuation("DAL")});
    EXPECT_EQ(statisticsLine(dir.path(), kKey), pageLine('F', kKey));
}

TEST(StatisticsLookup, SkipsGoaliesAndMalformedLines)
{
    TempDir dir;
    dir.writeLines("TeamScoring.htm", {pageLine('G', kKey), pageLine('F', kKey, " 8x"),
                                       "F x2 #" + kKey + "   TOR 82", pageLine('D', kKey, "  7")});
    EXPECT_EQ(statisticsLine(dir.path(), kKey), pageLine('D', kKey, "  7"));
    dir.writeLines("TeamScoring.htm", {pageLine('G', kKey)});
    EXPECT_EQ(statisticsLine(dir.path(), kKey), "");
}

TEST(StatisticsLookup, ReadsTheFirstMatchingFileAlphabetically)
{
    TempDir dir;
    dir.writeLines("bTeamScoring.htm", {pageLine('C', kKey, " 10")});
    dir.writeLines("ATeamScoring.html", {pageLine('C', kKey, " 20")});
    EXPECT_EQ(statisticsLine(dir.path(), kKey), pageLine('C', kKey, " 20"));
    EXPECT_EQ(statisticsLine(TempDir().path(), kKey), ""); // no page
}

TEST(MarketValueLookup, FirstPlayerLineOfTheKeyHeaderLinesNeverMatch)
{
    TempDir dir;
    const std::string line = kKey + "  24  F  71  3    3.0   1.0   2.0   0.85  2.0";
    dir.writeLines("marketVal.txt", {"Name                 Age Pos OV  #   High  Low",
                                     kKey + "  xx", line, kKey + "  24 second"});
    EXPECT_EQ(marketValueLine(dir.path(), kKey), line);
    EXPECT_EQ(marketValueLine(dir.path(), "Name                "), "");
    EXPECT_EQ(marketValueLine(TempDir().path(), kKey), "");
}

TEST(PlayerDetails, OnlyForPlayerLinesWithStatsTickedAndMarketValueWhenSigning)
{
    TempDir dir;
    const std::string player = test::playerLine("Arvo Lindqvist", 24, "UFA", 850000, "LW", 71);
    dir.writeLines("TeamScoring.htm", {pageLine('L', kKey)});
    dir.writeLines("marketVal.txt", {kKey + "  24 F"});
    EXPECT_EQ(playerDetails(dir.path(), player, true, false).statistics, pageLine('L', kKey));
    EXPECT_EQ(playerDetails(dir.path(), player, true, false).marketValue, "");
    EXPECT_EQ(playerDetails(dir.path(), player, true, true).marketValue, kKey + "  24 F");
    EXPECT_EQ(playerDetails(dir.path(), player, false, true).statistics, "");
    EXPECT_EQ(playerDetails(dir.path(), "<TOR> 1.5/3 ", true, true).statistics, "");
}
