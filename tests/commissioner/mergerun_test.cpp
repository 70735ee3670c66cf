#include "commissioner/mergerun.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/linefile.h"
#include "tests/reliability/folder.h"
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
}

// A run that is refused, or that cannot read what it needs, writes nothing,
// not even its journal or the empty offer file of a team that sent none:
// however often it is tried, no signing header piles up in signed.txt.
TEST(MergeRun, RefusedOrUnreadableRunLeavesEveryFileAsItWas)
{
    std::vector<std::string> hundredAndOne;
    for (int i = 0; i <= 100; ++i)
        hundredAndOne.push_back("T" + std::to_string(i));
    const struct {
        const char* refusal;
        std::function<void(const test::TempDir&)> arrange;
        std::string message; // what the failure names
    } cases[] = {
        {"own file's name", [](auto& dir) { dir.writeLines("teams.txt", {"TOR", "Signed", "COMMISH"}); },
         "\"Signed\""},
        {"path", [](auto& dir) { dir.writeLines("teams.txt", {"TOR", "../TOR"}); }, "\"../TOR\""},
        {"drive", [](auto& dir) { dir.writeLines("teams.txt", {"TOR", "a:b"}); }, "\"a:b\""},
        {"fa", [](auto& dir) { dir.writeLines("teams.txt", {"TOR", "fa"}); }, "\"fa\""},
        {"bracket", [](auto& dir) { dir.writeLines("teams.txt", {"TOR", "A<B"}); }, "\"A<B\""},
        {"tag", [](auto& dir) { dir.writeLines("teams.txt", {"TOR", "TOR> 1.0/1 "}); }, "\"TOR> 1.0/1 \""},
        {"101 teams", [&](auto& dir) { dir.writeLines("teams.txt", hundredAndOne); }, "at most 100"},
        {"no teams.txt", [](auto& dir) { std::filesystem::remove(test::fsPath(dir.file("teams.txt"))); }, "teams.txt"},
        {"unreadable offer file",
         [](auto& dir) {
             dir.writeLines("teams.txt", {"TOR", "NY"});
             std::filesystem::create_directory(test::fsPath(dir.file("NY.txt")));
         },
         "NY.txt"},
        {"read-only fa.txt, NY sent no file",
         [](auto& dir) {
             dir.writeLines("teams.txt", {"TOR", "NY"});
             std::filesystem::permissions(test::fsPath(dir.file("fa.txt")), std::filesystem::perms::owner_write,
                                          std::filesystem::perm_options::remove);
         },
         "fa.txt"},
    };
    for (const auto& c : cases) {
        League league({"TOR"});
        league.dir.writeLines("TOR.txt", {kArvoOffer});
        league.dir.writeLines("signed.txt", {"------ FA01----"});
        c.arrange(league.dir);
        const auto before = test::snapshot(league.dir.path());
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                Recovered recovered;
                MergeTeamOffersRun(league.dir.path(), "FA02", {true, false}).run(recovered);
                ADD_FAILURE() << c.refusal << ": accepted";
            } catch (const Failure& failure) {
                EXPECT_NE(std::string(failure.what()).find(c.message), std::string::npos) << failure.what();
            }
            EXPECT_EQ(test::snapshot(league.dir.path()), before) << c.refusal;
            EXPECT_FALSE(league.dir.exists("history")) << c.refusal << ": refused before the journal";
        }
    }
}

TEST(MergeRun, NextMergeNameCountsUpTheLastHeading)
{
    const std::pair<std::string, std::string> names[] = {
        {"FA01 Signed Players", "FA02 Signed Players"}, {"Week 9", "Week 10"}, {"FA99 x", "FA100 x"},
        {"2026 week 007", "2027 week 007"}, {"Final signings", ""},
    };
    for (const auto& [last, next] : names)
        EXPECT_EQ(followingName(last), next) << last;

    League league({"TOR"});
    EXPECT_EQ(nextMergeName(league.dir.path()), "FA01 Signed Players"); // no signed.txt
    league.dir.writeLines("signed.txt", {"------ Week 9----", kJonas, "------ Final signings----"});
    EXPECT_EQ(nextMergeName(league.dir.path()), "FA01 Signed Players");
    league.dir.writeLines("signed.txt", {"------ Final signings----", "------ Week 9----", kJonas});
    EXPECT_EQ(nextMergeName(league.dir.path()), "Week 10");
}

// The run names the files it changes from what it read, once: a team added
// to teams.txt after that is not merged, and its file is left alone.
TEST(MergeRun, ChangesOnlyTheFilesItNamedFromWhatItRead)
{
    League league({"TOR"});
    league.dir.writeLines("TOR.txt", {kArvoOffer});
    MergeTeamOffersRun run(league.dir.path(), "FA02", {true, true});
    const Lines files = run.files();
    EXPECT_EQ(files, (Lines{"fa.txt", "temp.txt", "signed.txt", "TOR.txt"}));
    league.dir.writeLines("teams.txt", {"TOR", "NY"});
    league.dir.writeLines("NY.txt", {"Arvo Lindqvist      <NY> 1.1/1 "});
    run.work(league.dir.path());
    EXPECT_EQ(league.lines("fa.txt")[2], "<TOR> 1.6/3 ");
    EXPECT_TRUE(league.dir.exists("NY.txt"));
    EXPECT_FALSE(league.dir.exists("TOR.txt"));
    EXPECT_EQ(run.report().files.size(), 1u);
    EXPECT_TRUE(league.dir.exists("report.txt")); // kept in the run's folder, here the league folder
}

} // namespace
} // namespace bidmark
