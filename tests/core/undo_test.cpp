// Undo Last Run as a run: its questions asked without the lock, and under the
// lock it goes on only while it still undoes what was asked.
#include "core/undo.h"

#include <gtest/gtest.h>

#include "core/leaguelock.h"
#include "core/linefile.h"
#include "tests/support/questions.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

using Script = test::Answers;

struct League {
    test::TempDir dir;
    League()
    {
        dir.write("fa.txt", "list\r\n");
        dir.write("TOR.txt", "offer\r\n");
        runJournalled(dir.path(), "Merge Team Offers", {"fa.txt", "TOR.txt"}, [&](const Path&) {
            writeFileAtomic(dir.file("fa.txt"), "merged\r\n");
            deleteFile(dir.file("TOR.txt"));
        });
    }
    std::optional<std::string> undo(Script& script)
    {
        Recovered recovered;
        return undoLastRun(dir.path(), script, recovered);
    }
};

TEST(UndoLastRun, AsksThenPutsBackAndSaysSo)
{
    League league;
    Script no({false});
    EXPECT_EQ(league.undo(no), std::nullopt);
    ASSERT_EQ(no.asked.size(), 1u);
    EXPECT_EQ(no.asked[0].option, "--yes");
    EXPECT_EQ(league.dir.read("fa.txt"), "merged\r\n");

    Script yes({true});
    const std::optional<std::string> said = league.undo(yes);
    ASSERT_TRUE(said);
    EXPECT_NE(said->find(" was undone."), std::string::npos) << *said;
    EXPECT_EQ(league.dir.read("fa.txt"), "list\r\n");
    EXPECT_EQ(league.dir.read("TOR.txt"), "offer\r\n");

    Script none({});
    EXPECT_EQ(league.undo(none), "There is no run to undo.");
}

TEST(UndoLastRun, AsksAgainForFilesChangedSinceTheRun)
{
    for (const bool overwrite : {false, true}) {
        League league;
        league.dir.write("fa.txt", "edited after the merge\r\n");
        Script script({true, overwrite});
        league.undo(script);
        ASSERT_EQ(script.asked.size(), 2u);
        EXPECT_EQ(script.asked[1].option, "--changed-too");
        EXPECT_EQ(script.asked[1].text.rfind("These files have changed since the Merge Team Offers run", 0), 0u);
        EXPECT_EQ(league.dir.read("fa.txt"), overwrite ? "list\r\n" : "edited after the merge\r\n");
    }
}

// While a question is open the folder is free, and what another program
// wrote meanwhile is not undone unasked.
TEST(UndoLastRun, ChangeWhileAskingStopsIt)
{
    League league;
    Script script({true});
    script.meanwhile = [&] {
        const LeagueLock other(league.dir.path(), "Done");
        league.dir.write("fa.txt", "signed meanwhile\r\n");
    };
    EXPECT_EQ(league.undo(script), std::string(kChangedWhileAsking));
    EXPECT_EQ(league.dir.read("fa.txt"), "signed meanwhile\r\n");
    EXPECT_FALSE(league.dir.exists("TOR.txt"));
}

TEST(UndoLastRun, TellsOfAnInterruptedRunBeforeItAsks)
{
    League league;
    {
        RunJournal cutShort(league.dir.path(), "Calculate Market Value", {"marketVal.txt"});
        league.dir.write("marketVal.txt", "half\r\n");
    }
    Script script({false});
    league.undo(script);
    ASSERT_EQ(script.told.size(), 1u);
    EXPECT_NE(script.told[0].find("Calculate Market Value"), std::string::npos) << script.told[0];
    EXPECT_FALSE(league.dir.exists("marketVal.txt"));
    EXPECT_EQ(script.asked.size(), 1u);
}

} // namespace
} // namespace bidmark
