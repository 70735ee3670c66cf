#include "commissioner/merge.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "commissioner/mergerun.h"
#include "commissioner/receipts.h"
#include "core/failure.h"
#include "core/linefile.h"
#include "core/teamfiles.h"
#include "tests/reliability/folder.h"
#include "tests/support/league.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

using Lines = std::vector<std::string>;
using test::playerLine;

const std::string kArvo = playerLine("Arvo Lindqvist", 24, "UFA", 850000, "LW", 71);
const std::string kPekka = playerLine("Pekka Roine", 22, "RFA", 1200000, "G", 80);
const std::string kJonas = playerLine("Jonas Brandt", 31, "UFA", 2500000, "D", 76);

// The name key of a player: his name filled with blanks to 20 characters.
std::string key(const std::string& name) { return name + std::string(20 - name.size(), ' '); }

struct League {
    test::TempDir dir;
    explicit League(const Lines& fa) { dir.writeLines("fa.txt", fa); }
    void merge(const std::string& team, const Lines& offers, bool move = true)
    {
        dir.writeLines(team + ".txt", offers);
        mergeTeamOffers(dir.path(), team, move);
    }
    Lines lines(const std::string& name) const { return splitLines(dir.read(name)); }
};

TEST(TeamMerge, WorkedExampleReplacesOfferRetractsAndMovesSignedPlayer)
{
    League league(test::elevenLines());
    const Lines tor = {key("Arvo Lindqvist") + "<TOR> 1.6/3 +0.25 top line role",
                       key("Pekka Roine") + "<TOR> <RETRACT>"};
    league.merge("TOR", tor);
    const Lines expected = {"Players on the market", kArvo, "<TOR> 1.6/3 +0.25 top line role", "<NY> 1.0/1 ", "",
                            kPekka, "<DAL> 0.75/2 backup to start", "", ""};
    EXPECT_EQ(league.lines("fa.txt"), expected);
    EXPECT_EQ(league.dir.read("temp.txt"), league.dir.read("fa.txt"));
    EXPECT_EQ(league.lines("signed.txt"), (Lines{kJonas, "<SIGNED> <TOR> 2.5/4 +1.0 "}));
    EXPECT_EQ(league.lines("TOR.txt"), tor);
}

TEST(TeamMerge, TagStartKeepsNyAndNyrApart)
{
    League league({kArvo, "<NYR> 2.0/2 ", "<NY> 1.0/1 ", ""});
    league.merge("NY", {key("Arvo Lindqvist") + "<NY> 1.5/1 "});
    league.merge("NYR", {key("Arvo Lindqvist") + "<NYR> 2.5/2 "});
    EXPECT_EQ(league.lines("fa.txt"), (Lines{kArvo, "<NYR> 2.5/2 ", "<NY> 1.5/1 ", ""}));
}

TEST(TeamMerge, ReplacesOnlyTheFirstEarlierOfferOfTheTeam)
{
    League league({kArvo, "<TOR> 1.0/1 first", "<DAL> 1.0/1 ", "<TOR> 1.1/1 second", ""});
    league.merge("TOR", {key("Arvo Lindqvist") + "<TOR> 2.0/2 new"});
    EXPECT_EQ(league.lines("fa.txt"), (Lines{kArvo, "<TOR> 2.0/2 new", "<DAL> 1.0/1 ", "<TOR> 1.1/1 second", ""}));
}

TEST(TeamMerge, OfferForSignedPlayerStaysWhenHeIsMovedLater)
{
    League league(test::elevenLines());
    league.merge("DAL", {key("Jonas Brandt") + "<DAL> 3.0/2 late", key("Pekka Roine") + "<DAL> 1.0/2 "});
    EXPECT_EQ(league.lines("fa.txt"), (Lines{"Players on the market", kArvo, "<TOR> 1.5/3 +0.25 top line role",
                                             "<NY> 1.0/1 ", "", kPekka, "<DAL> 1.0/2 ", "", "<DAL> 3.0/2 late",
                                             ""}));
    EXPECT_EQ(league.lines("signed.txt"), (Lines{kJonas, "<SIGNED> <TOR> 2.5/4 +1.0 "}));
}

TEST(TeamMerge, MoveOptionOffKeepsSignedBlock)
{
    League league(test::elevenLines());
    league.merge("TOR", {key("Pekka Roine") + "<TOR> 1.0/1 "}, false);
    Lines expected = test::elevenLines();
    expected.insert(expected.begin() + 7, "<TOR> 1.0/1 ");
    EXPECT_EQ(league.lines("fa.txt"), expected);
    EXPECT_FALSE(league.dir.exists("signed.txt"));
}

TEST(TeamMerge, RepeatedMergeChangesNothingForTwoAndThreeLetterTeams)
{
    League league(test::elevenLines());
    const Lines ny = {key("Arvo Lindqvist") + "<NY> 1.2/1 ", key("Pekka Roine") + "<NY> 0.9/1 "};
    const Lines tor = {key("Pekka Roine") + "<TOR> 1.3/2 ", key("Arvo Lindqvist") + "<TOR> <RETRACT>"};
    league.merge("NY", ny);
    league.merge("TOR", tor);
    const Lines once = league.lines("fa.txt");
    league.merge("NY", ny);
    league.merge("TOR", tor);
    EXPECT_EQ(league.lines("fa.txt"), once);
}

TEST(TeamMerge, OneAndFourLetterTeamsOnlyEverAdd)
{
    League league({kArvo, ""});
    for (int round = 0; round < 2; ++round) {
        league.merge("A", {key("Arvo Lindqvist") + "<A> 1.0/1 "});
        league.merge("BOST", {key("Arvo Lindqvist") + "<BOST> 1.0/1 "});
    }
    EXPECT_EQ(league.lines("fa.txt"), (Lines{kArvo, "<A> 1.0/1 ", "<BOST> 1.0/1 ", "<A> 1.0/1 ", "<BOST> 1.0/1 ", ""}));
}

TEST(TeamMerge, RetractInsideCommentIsAnOffer)
{
    League league({kArvo, "<TOR> 1.0/1 ", ""});
    league.merge("TOR", {key("Arvo Lindqvist") + "<TOR> 2.0/1 ignore <RETRACT> above"});
    EXPECT_EQ(league.lines("fa.txt"), (Lines{kArvo, "<TOR> 2.0/1 ignore <RETRACT> above", ""}));
}

TEST(TeamMerge, BlockAtEndOfFileAndSharedNameKeysAllGetTheOffer)
{
    const std::string twin1 = playerLine("Christopher Longname1", 25, "UFA", 500000, "C", 60);
    const std::string twin2 = playerLine("Christopher Longname2", 26, "RFA", 600000, "RW", 61);
    League league({twin1, twin2, "<NY> 1.0/1 "});
    league.merge("TOR", {twin1.substr(0, 20) + "<TOR> 1.0/1 "});
    EXPECT_EQ(league.lines("fa.txt"), (Lines{twin1, "<TOR> 1.0/1 ", twin2, "<NY> 1.0/1 ", "<TOR> 1.0/1 "}));
}

TEST(TeamMerge, CrOnlyFileComesOutWithCrLf)
{
    League league({});
    league.dir.write("fa.txt", "Players\r" + kArvo + "\r<TOR> 1.0/1 \r\r");
    league.merge("TOR", {key("Arvo Lindqvist") + "<TOR> 2.0/1 "});
    EXPECT_EQ(league.dir.read("fa.txt"), "Players\r\n" + kArvo + "\r\n<TOR> 2.0/1 \r\n\r\n");
}

TEST(TeamMerge, FileWithoutUsableLineTouchesNothing)
{
    test::TempDir dir;
    dir.writeLines("TOR.txt", {"", key("Arvo Lindqvist")});
    mergeTeamOffers(dir.path(), "TOR", true); // fa.txt is missing and never opened
    mergeTeamOffers(dir.path(), "NY", true);
    EXPECT_EQ(dir.read("NY.txt"), "");
    EXPECT_FALSE(dir.exists("temp.txt"));
}

TEST(TeamMerge, MissingFreeAgentListFailsNamingIt)
{
    test::TempDir dir;
    dir.writeLines("TOR.txt", {key("Arvo Lindqvist") + "<TOR> 1.0/1 "});
    try {
        mergeTeamOffers(dir.path(), "TOR", true);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("fa.txt"), std::string::npos);
    }
}


// A message is league text: a league folder named with an accent ("Montréal",
// UTF-8 on the disk) is named in Windows-1252, as the message box shows it.
TEST(TeamMerge, FailureNamesAnAccentedLeagueFolderAsShown)
{
    test::TempDir dir;
    const Path folder = dir.file("Montr\xC3\xA9" "al");
    makeFolder(folder);
    writeLinesAtomic(pathIn(folder, "teams.txt"), Lines(kMaxTeams + 1, "TOR"));
    try {
        mergeAllTeamOffers(folder, std::nullopt, {true, false});
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("Montr\xE9" "al/teams.txt holds 101 teams"), std::string::npos)
            << failure.what();
    }
}

// Every fate a line can meet, in one team's file; a second team without a file.
TEST(MergeReport, SaysWhatBecameOfEveryLine)
{
    test::TempDir dir;
    dir.writeLines("fa.txt", test::elevenLines());
    dir.writeLines("TOR.txt", {key("Arvo Lindqvist") + "<TOR> 1.6/3 +0.25 top line role",
                               key("Pekka Roine") + "<TOR> 1.0/1 ",
                               key("Pekka Roine") + "<TOR> <RETRACT>",
                               key("Pekka Roine") + "<TOR> <RETRACT>",
                               key("Arvo Lindqvist"),
                               key("Nobody Here") + "<TOR> 1.0/1 ",
                               key("Arvo Lindqvist") + "<NY> 2.0/1 ",
                               key("Arvo Lindqvist") + "<SIGNED> <TOR> 1.0/1 ",
                               key("Pekka Roine") + "<TOR> 2.0/1 ",
                               key("Jonas Brandt") + "<TOR> 3.0/2 ",
                               key("Ville Kallio") + "<TOR> 1.0/1 "});
    dir.writeLines("teams.txt", {"TOR", "NY"});
    dir.writeLines("signed.txt", {"------ FA00----", test::playerLine("Ville Kallio", 27, "UFA", 900000, "RW", 70),
                                  "<SIGNED> <NY> 1.1/2 "});
    const MergeReport report = mergeAllTeamOffers(dir.path(), "FA01", {true, true});
    const std::vector<std::string> expected = {
        "Merge Team Offers: FA01",
        "1 added, 1 replaced, 1 taken back, 8 refused",
        "Signing header written to signed.txt: ------ FA01----",
        "",
        "TOR.txt, offers of team TOR: 11 lines; 1 added, 1 replaced, 1 taken back, 8 refused",
        "  Line 1, Arvo Lindqvist: offer \"<TOR> 1.6/3 +0.25 top line role\" took the place of the earlier offer "
        "\"<TOR> 1.5/3 +0.25 top line role\"",
        "  Line 2, Pekka Roine: offer added: \"<TOR> 1.0/1 \"",
        "  Line 3, Pekka Roine: retraction: the offer \"<TOR> 1.0/1 \" was taken back",
        "  Line 4, Pekka Roine: retraction: there was no offer of TOR to take back",
        "  Line 5, Arvo Lindqvist: not used: shorter than a team offer line",
        "  Line 6, Nobody Here: not used: no such player in the list: \"<TOR> 1.0/1 \"",
        "  Line 7, Arvo Lindqvist: not used: not an offer of TOR (another team's tag): \"<NY> 2.0/1 \"",
        "  Line 8, Arvo Lindqvist: not used: a signing in a team's file: \"<SIGNED> <TOR> 1.0/1 \"",
        "  Line 9, Pekka Roine: not used: Invalid Contract for rookie: \"<TOR> 2.0/1 \"",
        "  Line 10, Jonas Brandt: not used: already signed (moved to signed.txt by this merge): \"<TOR> 3.0/2 \"",
        "  Line 11, Ville Kallio: not used: already signed (in signed.txt under \"FA00\"): \"<TOR> 1.0/1 \"",
        "TOR.txt was deleted after merging.",
        "",
        "NY.txt, offers of team NY: nothing received",
        "",
        "Moved to signed.txt: 1 player:",
        "  " + kJonas,
        "  <SIGNED> <TOR> 2.5/4 +1.0 ",
    };
    EXPECT_EQ(reportLines(report), expected);
    EXPECT_TRUE(runNotes(report).empty());
    // A team's receipt holds its section as the report has it.
    const ReportText text = reportText(report);
    EXPECT_EQ(text.sections, (std::vector<std::pair<std::size_t, std::size_t>>{{4, 17}, {18, 19}}));
    const Lines receipt = splitLines(receiptText(report, text, "TOR", "today", {}));
    ASSERT_GE(receipt.size(), 17u);
    EXPECT_EQ(Lines(receipt.begin() + 3, receipt.begin() + 17), Lines(expected.begin() + 3, expected.begin() + 17));
    // The refused lines changed nothing: Arvo kept NY's offer, nobody was signed to TOR.
    EXPECT_EQ(splitLines(dir.read("fa.txt")),
              (Lines{"Players on the market", kArvo, "<TOR> 1.6/3 +0.25 top line role", "<NY> 1.0/1 ", "",
                     test::playerLine("Pekka Roine", 22, "RFA", 1200000, "G", 80), "<DAL> 0.75/2 backup to start",
                     "", ""}));

    writeReport(dir.file("report.txt"), report);
    EXPECT_EQ(dir.read("report.txt"), joinLines(expected));
}

// A name key two players share is said once; a file of junk lists 200 lines
// of each reason and counts the rest.
TEST(MergeReport, SaysSharedKeysOnceAndListsRefusedLinesUpToALimit)
{
    test::TempDir dir;
    Lines fa = test::elevenLines();
    fa.insert(fa.end(), {playerLine("Arvo Lindqvist", 30, "UFA", 900000, "C", 60), ""});
    dir.writeLines("fa.txt", fa);
    Lines offers{key("Arvo Lindqvist") + "<TOR> 1.6/3 "};
    offers.insert(offers.end(), 250, key("Arvo Lindqvist") + "<NY> 2.0/1 ");
    dir.writeLines("TOR.txt", offers);
    const Lines report = reportLines(mergeTeams(dir.path(), {"TOR"}, true, false));
    ASSERT_EQ(report.size(), 210u);
    EXPECT_EQ(report[3], "TOR.txt, offers of team TOR: 251 lines; 0 added, 1 replaced, 0 taken back, 250 refused");
    EXPECT_EQ(report[4], "  Line 1, Arvo Lindqvist: offer \"<TOR> 1.6/3 \" took the place of the earlier offer \"<TOR> "
                         "1.5/3 +0.25 top line role\" (the name matches 2 players in the list; each got it)");
    EXPECT_EQ(report[204], "  Line 201, Arvo Lindqvist: not used: not an offer of TOR (another team's tag): \"<NY> 2.0/1 \"");
    EXPECT_EQ(report[205], "  ... and 50 more lines not used: another team's tag");
}

// Another program writes between the merge's reading and its writing.
TEST(MergeChanges, FreeAgentListChangedMeanwhileStopsTheRunWithNothingWritten)
{
    test::TempDir dir;
    dir.writeLines("fa.txt", test::elevenLines());
    dir.writeLines("TOR.txt", {key("Arvo Lindqvist") + "<TOR> 1.6/3 "});
    TeamMerge merge(dir.path(), true);
    merge.merge(readOfferFile(dir.path(), "TOR"));

    Lines signedMeanwhile = test::elevenLines();
    signedMeanwhile.insert(signedMeanwhile.begin() + 7, "<SIGNED> <DAL> 0.75/2 backup to start");
    dir.writeLines("fa.txt", signedMeanwhile);
    const auto before = test::snapshot(dir.path());
    try {
        merge.commit(signingHeader("FA01"), true);
        ADD_FAILURE() << "committed over a changed fa.txt";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("fa.txt changed while the merge ran"), std::string::npos)
            << failure.what();
    }
    EXPECT_EQ(test::snapshot(dir.path()), before);
}

TEST(MergeChanges, OfferFileChangedMeanwhileIsKeptAndMergedNextTime)
{
    test::TempDir dir;
    dir.writeLines("fa.txt", test::elevenLines());
    dir.writeLines("TOR.txt", {key("Arvo Lindqvist") + "<TOR> 1.6/3 "});
    dir.writeLines("NY.txt", {key("Arvo Lindqvist") + "<NY> 1.1/1 "});
    TeamMerge merge(dir.path(), false);
    merge.merge(readOfferFile(dir.path(), "TOR"));
    merge.merge(readOfferFile(dir.path(), "NY"));
    merge.merge(readOfferFile(dir.path(), "DAL")); // missing: created empty
    // TOR's general manager presses Done again; DAL's sends a first file.
    const Lines torNow = {key("Arvo Lindqvist") + "<TOR> 1.6/3 ", key("Pekka Roine") + "<TOR> 1.2/2 "};
    dir.writeLines("TOR.txt", torNow);
    dir.writeLines("DAL.txt", {key("Arvo Lindqvist") + "<DAL> 0.9/1 "});
    const MergeReport report = merge.commit(std::nullopt, true);

    EXPECT_EQ(splitLines(dir.read("fa.txt"))[2], "<TOR> 1.6/3 ");
    EXPECT_EQ(splitLines(dir.read("fa.txt"))[3], "<NY> 1.1/1 ");
    EXPECT_EQ(splitLines(dir.read("TOR.txt")), torNow);
    EXPECT_FALSE(dir.exists("NY.txt"));
    EXPECT_TRUE(dir.exists("DAL.txt"));
    EXPECT_EQ(report.files[0].after, FileAfter::KeptChanged);
    EXPECT_EQ(report.files[1].after, FileAfter::Deleted);
    EXPECT_EQ(report.files[2].after, FileAfter::KeptChanged);
    EXPECT_EQ(runNotes(report),
              (Lines{"TOR.txt changed while the merge ran: it was kept, and what it holds now was not merged.",
                     "DAL.txt changed while the merge ran: it was kept, and what it holds now was not merged."}));

    mergeTeams(dir.path(), {"TOR", "DAL"}, false, true); // nothing was lost
    const Lines fa = splitLines(dir.read("fa.txt"));
    EXPECT_EQ(std::count(fa.begin(), fa.end(), "<TOR> 1.2/2 "), 1);
    EXPECT_EQ(std::count(fa.begin(), fa.end(), "<DAL> 0.9/1 "), 1);
}

} // namespace
} // namespace bidmark
