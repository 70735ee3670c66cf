#include "commissioner/merge_run.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/linefile.h"
#include "tests/support/league.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

using Lines = std::vector<std::string>;

const std::string kJonas = test::playerLine("Jonas Brandt", 31, "UFA", 2500000, "D", 76);
const std::string kArvoOffer = "Arvo Lindqvist      <TOR> 1.6/3 ";

struct League {
    test::TempDir dir;
    explicit League(const Lines& teams)
    {
        dir.writeLines("fa.txt", test::elevenLines());
        dir.writeLines("teams.txt", teams);
    }
    Lines lines(const std::string& name) const { return splitLines(dir.read(name)); }
};

TEST(MergeRun, SigningHeaderComesBeforeTheMovedPlayers)
{
    for (const std::string name : {"FA01 Signed Players", ""}) {
        League league({"TOR"});
        league.dir.writeLines("TOR.txt", {kArvoOffer});
        mergeAllTeamOffers(league.dir.path(), name, {true, true});
        EXPECT_EQ(league.lines("signed.txt"),
                  (Lines{"------ " + name + "----", kJonas, "<SIGNED> <TOR> 2.5/4 +1.0 "}));
        EXPECT_FALSE(league.dir.exists("TOR.txt"));
    }
}

TEST(MergeRun, WithoutMergeNameWritesNoHeader)
{
    League league({"TOR"});
    league.dir.writeLines("TOR.txt", {kArvoOffer});
    mergeAllTeamOffers(league.dir.path(), std::nullopt, {false, false});
    EXPECT_FALSE(league.dir.exists("signed.txt"));
    EXPECT_EQ(league.lines("fa.txt")[2], "<TOR> 1.6/3 ");
    EXPECT_TRUE(league.dir.exists("TOR.txt"));
}

TEST(MergeRun, EmptyTeamListMergesNothing)
{
    League league({});
    league.dir.writeLines("TOR.txt", {kArvoOffer});
    mergeAllTeamOffers(league.dir.path(), std::nullopt, {true, true});
    EXPECT_EQ(league.lines("fa.txt"), test::elevenLines());
    EXPECT_TRUE(league.dir.exists("TOR.txt"));
    EXPECT_FALSE(league.dir.exists("temp.txt"));
}

TEST(MergeRun, OnlyListedTeamsAreMergedAndDeletedAlsoWhenMissing)
{
    League league({"TOR", "NY", ""});
    league.dir.writeLines("TOR.txt", {kArvoOffer});
    league.dir.writeLines("COMMISH.txt", {"Pekka Roine         <SIGNED> <DAL> 0.75/2 backup to start"});
    mergeAllTeamOffers(league.dir.path(), std::nullopt, {false, true});
    for (const char* gone : {"TOR.txt", "NY.txt", ".txt"})
        EXPECT_FALSE(league.dir.exists(gone)) << gone;
    EXPECT_TRUE(league.dir.exists("COMMISH.txt"));
    const Lines fa = league.lines("fa.txt");
    EXPECT_EQ(fa.size(), 11u); // COMMISH.txt's signing was not merged
    EXPECT_EQ(fa[2], "<TOR> 1.6/3 ");
}

TEST(MergeRun, CommissionerFileIsMergedWhenListed)
{
    League league({"COMMISH"});
    league.dir.writeLines("COMMISH.txt", {"Pekka Roine         <SIGNED> <DAL> 0.75/2 backup to start"});
    mergeAllTeamOffers(league.dir.path(), std::nullopt, {false, true});
    EXPECT_EQ(league.lines("fa.txt")[7], "<SIGNED> <DAL> 0.75/2 backup to start");
    EXPECT_FALSE(league.dir.exists("COMMISH.txt"));
}

TEST(MergeRun, TeamNamedTwiceIsMergedTwice)
{
    League league({"A", "A"});
    league.dir.writeLines("A.txt", {"Pekka Roine         <A> 1.0/1 "});
    mergeAllTeamOffers(league.dir.path(), std::nullopt, {false, false});
    EXPECT_EQ(league.lines("fa.txt")[7], "<A> 1.0/1 ");
    EXPECT_EQ(league.lines("fa.txt")[8], "<A> 1.0/1 ");
}

TEST(MergeRun, AtMostHundredTeams)
{
    Lines teams;
    for (int i = 0; i < 100; ++i)
        teams.push_back("T" + std::to_string(i));
    League hundred(teams);
    mergeAllTeamOffers(hundred.dir.path(), std::nullopt, {true, false});
    EXPECT_TRUE(hundred.dir.exists("T99.txt"));

    teams.push_back("T100");
    League tooMany(teams);
    EXPECT_THROW(mergeAllTeamOffers(tooMany.dir.path(), "FA02", {true, false}), Failure);
    EXPECT_FALSE(tooMany.dir.exists("T0.txt"));
    EXPECT_EQ(tooMany.lines("signed.txt"), Lines{"------ FA02----"});
}

TEST(MergeRun, RefusedTeamNameStopsBeforeAnyTeamIsMerged)
{
    for (const std::string bad : {"fa", "Signed", "../TOR", "a:b", "A<B", "TOR> 1.0/1 "}) {
        League league({"TOR", bad, "COMMISH"});
        league.dir.writeLines("TOR.txt", {kArvoOffer});
        try {
            mergeAllTeamOffers(league.dir.path(), std::nullopt, {true, true});
            ADD_FAILURE() << bad << " accepted";
        } catch (const Failure& failure) {
            EXPECT_NE(std::string(failure.what()).find("\"" + bad + "\""), std::string::npos);
        }
        EXPECT_EQ(league.lines("fa.txt"), test::elevenLines());
        EXPECT_TRUE(league.dir.exists("TOR.txt"));
    }
}

} // namespace
} // namespace bidmark
