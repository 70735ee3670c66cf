#include "commissioner/signing.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/journal.h"
#include "core/leaguelock.h"
#include "core/linefile.h"
#include "tests/reliability/folder.h"
#include "tests/support/league.h"
#include "tests/support/questions.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

using Lines = std::vector<std::string>;

const std::string kPekkaToDal = "Pekka Roine         <SIGNED> <DAL> 0.75/2 backup to start";
const std::string kArvoToNy = "Arvo Lindqvist      <SIGNED> <NY> 1.0/1 ";
const std::string kJonasToTor = "Jonas Brandt        <SIGNED> <TOR> 2.5/4 +1.0 "; // stands in fa.txt already
const std::string kAside = "COMMISH set aside 2026-12-07 09.30.12.txt";

struct League {
    test::TempDir dir;
    League() { dir.writeLines("fa.txt", test::elevenLines()); }
    Lines fa() const { return splitLines(dir.read("fa.txt")); }
};

TEST(Signing, DoneMergesOnlyItsOwnEntriesAndSetsALeftoverAside)
{
    League league;
    league.dir.writeLines("COMMISH.txt", {kArvoToNy}); // left by a signing that never merged
    const MergeReport report = mergeSignings(league.dir.path(), {kPekkaToDal, "Ola Moen            "}, false, kAside);

    const Lines fa = league.fa();
    EXPECT_EQ(fa[7], "<SIGNED> <DAL> 0.75/2 backup to start");
    EXPECT_EQ(std::count(fa.begin(), fa.end(), "<SIGNED> <NY> 1.0/1 "), 0);
    EXPECT_FALSE(league.dir.exists("COMMISH.txt"));
    EXPECT_EQ(splitLines(league.dir.read(kAside)), Lines{kArvoToNy});
    EXPECT_EQ(report.setAside, kAside);
    EXPECT_EQ(reportLines(report),
              (Lines{"Merge Signed Players", "1 added, 0 replaced, 0 taken back, 1 refused",
                     "COMMISH.txt from an earlier signing was set aside as " + kAside + ".", "",
                     "COMMISH.txt, the commissioner's signings: 2 lines; 1 added, 0 replaced, 0 taken back, 1 refused",
                     "  Line 1, Pekka Roine: signed: \"<DAL> 0.75/2 backup to start\"",
                     "  Line 2, Ola Moen: not used: shorter than a team offer line",
                     "COMMISH.txt was deleted after merging.", "",
                     "Moved to signed.txt: 0 players."}));
    EXPECT_EQ(runNotes(report).size(), 1u);
}

TEST(Signing, DoneWithNothingSignedTouchesNoFile)
{
    League league;
    league.dir.writeLines("COMMISH.txt", {kArvoToNy});
    const auto before = test::snapshot(league.dir.path());
    const MergeReport report = mergeSignings(league.dir.path(), {}, true, kAside);
    EXPECT_EQ(test::snapshot(league.dir.path()), before);
    EXPECT_TRUE(report.files.empty());
}

TEST(Signing, FailedMergeTakesBackTheFileItWrote)
{
    League league;
    std::filesystem::create_directory(test::fsPath(league.dir.file("temp.txt")));
    const auto before = test::snapshot(league.dir.path());
    EXPECT_THROW(mergeSignings(league.dir.path(), {kPekkaToDal}, true, kAside), Failure);
    EXPECT_EQ(test::snapshot(league.dir.path()), before);
}

TEST(Signing, LeftoverIsDescribedThenMergedOnlyOnceOnRequest)
{
    League league;
    EXPECT_FALSE(findLeftoverSignings(league.dir.path()));
    league.dir.writeLines("COMMISH.txt", {kPekkaToDal, "Arvo Lindqvist      ", kJonasToTor});
    const auto leftover = findLeftoverSignings(league.dir.path());
    ASSERT_TRUE(leftover);
    EXPECT_EQ(leftover->players, (Lines{"Pekka Roine", "Jonas Brandt"}));
    EXPECT_EQ(leftover->alreadyInList, 1u);
    EXPECT_EQ(leftoverQuestion(*leftover, kAside),
              "COMMISH.txt from an earlier signing was found in the league folder. It holds 3 lines, 2 signings: "
              "Pekka Roine, Jonas Brandt. 1 of them already stands in fa.txt or signed.txt: merging again would "
              "sign twice.\n\nMerge it into fa.txt now? Yes merges it and deletes it; No sets it aside as \""
                  + kAside + "\" without merging it.");

    mergeLeftoverSignings(league.dir.path(), *leftover, false);
    EXPECT_EQ(league.fa()[7], "<SIGNED> <DAL> 0.75/2 backup to start");
    EXPECT_FALSE(findLeftoverSignings(league.dir.path())); // deleted: it cannot come back
}

TEST(Signing, SetAsideNamesAreNumberedAndNeverReplaceAFile)
{
    League league;
    const std::string stamp = "2026-12-07 09.30.12";
    EXPECT_EQ(leftoverAsideName(league.dir.path(), stamp), kAside);
    league.dir.write(kAside, "earlier");
    EXPECT_EQ(leftoverAsideName(league.dir.path(), stamp), "COMMISH set aside 2026-12-07 09.30.12 2.txt");

    league.dir.writeLines("COMMISH.txt", {kPekkaToDal});
    EXPECT_THROW(setLeftoverSigningsAside(league.dir.path(), kAside), Failure);
    EXPECT_EQ(league.dir.read(kAside), "earlier");
    setLeftoverSigningsAside(league.dir.path(), leftoverAsideName(league.dir.path(), stamp));
    EXPECT_FALSE(league.dir.exists("COMMISH.txt"));
    EXPECT_EQ(league.fa(), test::elevenLines());
}

// The question is asked without the lock; Yes merges the leftover, No sets
// it aside; then the signing's own run. Each is journalled with its report.
TEST(Signing, LeftoverSettledAsAnsweredThenTheSigningRuns)
{
    for (const bool merge : {true, false}) {
        League league;
        league.dir.writeLines("COMMISH.txt", {kPekkaToDal});
        test::Answers answers({merge});
        answers.meanwhile = [&] { const LeagueLock free(league.dir.path(), "Done"); };
        Recovered recovered;
        const auto report = settleLeftover(league.dir.path(), false, "2026-12-07 09.30.12", answers, recovered);
        ASSERT_EQ(answers.asked.size(), 1u);
        EXPECT_EQ(answers.asked[0].option, "--merge-leftover");
        EXPECT_EQ(answers.asked[0].noOption, "--keep-leftover");
        EXPECT_EQ(report.has_value(), merge);
        EXPECT_EQ(league.fa()[7] == "<SIGNED> <DAL> 0.75/2 backup to start", merge);
        EXPECT_EQ(league.dir.exists(kAside), !merge);
        EXPECT_FALSE(league.dir.exists("COMMISH.txt"));

        mergeSignedPlayersRun(league.dir.path(), {kArvoToNy}, false, "2026-12-07 09.30.13", recovered);
        const Lines fa = league.fa();
        EXPECT_EQ(std::count(fa.begin(), fa.end(), "<SIGNED> <NY> 1.0/1 "), 1);
        const std::vector<RunRecord> runs = readJournal(league.dir.path()).runs;
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_EQ(runs[0].run, merge ? "Merge Signed Players" : "Set Aside Signings");
        EXPECT_TRUE(fileExists(pathIn(runs[1].folder, kReportFile)));
    }
}

} // namespace
} // namespace bidmark
