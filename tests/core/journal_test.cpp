#include "core/journal.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/journalkey.h"
#include "core/linefile.h"
#include "core/recovery.h"
#include "core/undo.h"
#include "tests/support/system.h"
#include "tests/support/tempdir.h"

using namespace bidmark;
using bidmark::test::TempDir;
using Files = std::map<std::string, std::string>;

namespace {

const JournalTime kNoon = std::chrono::system_clock::from_time_t(1796640600); // a day in December 2026

// The league files of the folder: everything but history/.
Files leagueFiles(const TempDir& dir)
{
    Files files;
    for (const auto& entry : std::filesystem::directory_iterator(test::fsPath(dir.path()))) {
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = readFile(test::pathOf(entry.path()));
    }
    return files;
}

std::vector<std::string> runFolders(const TempDir& dir)
{
    std::vector<std::string> names = listFolder(dir.file("history"));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<RunRecord> journalRuns(const TempDir& dir) { return readJournal(dir.path()).runs; }

// A run of the shape of a merge: fa.txt replaced, signed.txt grown, TOR.txt
// deleted, temp.txt made.
void mergeLikeRun(const TempDir& dir, const std::string& tag)
{
    writeFileAtomic(dir.file("fa.txt"), "list after " + tag + "\r\n");
    appendLines(dir.file("signed.txt"), {tag});
    writeFileAtomic(dir.file("temp.txt"), "list after " + tag + "\r\n");
    if (dir.exists("TOR.txt"))
        deleteFile(dir.file("TOR.txt"));
}
const std::vector<std::string> kRunFiles{"fa.txt", "signed.txt", "temp.txt", "TOR.txt"};

class Journal : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_.write("fa.txt", "list\r\n");
        dir_.write("signed.txt", "log\r\n");
        dir_.write("TOR.txt", "offer\r\n");
        before_ = leagueFiles(dir_);
    }
    TempDir dir_;
    Files before_;
};

TEST_F(Journal, RecordsEveryFileAsItWasAndHowTheRunLeftIt)
{
    RunJournal run(dir_.path(), "Merge Team Offers", kRunFiles, kNoon);
    mergeLikeRun(dir_, "one");
    run.finish(kNoon);

    const std::string started = journalTimeText(kNoon);
    ASSERT_EQ(runFolders(dir_).size(), 1u);
    EXPECT_EQ(runFolders(dir_)[0].rfind(started + " Merge Team Offers ", 0), 0u); // and the key's tag
    EXPECT_EQ(started.find_first_of("<>:\"/\\|?*"), std::string::npos);
    // The copies keep the old bytes, also of the file the run deleted.
    for (const char* name : {"fa.txt", "signed.txt", "TOR.txt"})
        EXPECT_EQ(readFile(pathIn(run.folder(), name)), before_[name]) << name;
    EXPECT_FALSE(fileExists(pathIn(run.folder(), "temp.txt")));

    const std::vector<RunRecord> runs = journalRuns(dir_);
    ASSERT_EQ(runs.size(), 1u);
    const RunRecord& record = runs[0];
    EXPECT_EQ(record.run, "Merge Team Offers");
    EXPECT_EQ(record.started, started);
    EXPECT_EQ(record.finished, started);
    ASSERT_EQ(record.files.size(), 4u);
    const RecordedFile& fa = record.files[0];
    EXPECT_EQ(fa.saved, std::optional<std::string>("fa.txt"));
    EXPECT_EQ(fa.after, stateOf(dir_.read("fa.txt"), journalKey()));
    EXPECT_FALSE(record.files[2].saved);                          // temp.txt was not there
    EXPECT_TRUE(record.files[3].saved && !record.files[3].after); // TOR.txt is gone
}

TEST_F(Journal, NamesRunsApartAndKeepsTheNewestFiftyOfItsOwn)
{
    std::filesystem::create_directories(test::fsPath(dir_.file("history/2024 season")));
    for (std::size_t i = 0; i < kKeptRuns + 2; ++i)
        RunJournal(dir_.path(), "Calculate Market Value", {"marketVal.txt"}, kNoon).finish(kNoon);
    const std::vector<std::string> folders = runFolders(dir_);
    ASSERT_EQ(folders.size(), kKeptRuns + 1);
    EXPECT_EQ(folders.front(), "2024 season") << "what is not the journal's is left alone";
    const std::vector<RunRecord> runs = journalRuns(dir_);
    EXPECT_EQ(runs.front().number, 3);
    EXPECT_EQ(runs.back().number, static_cast<long long>(kKeptRuns + 2));
}

TEST_F(Journal, RunCutShortIsPutBackOnceInARunThatCanBeUndone)
{
    {
        RunJournal run(dir_.path(), "Merge Team Offers", kRunFiles, kNoon);
        mergeLikeRun(dir_, "one"); // and never finished
    }
    const Files cutShort = leagueFiles(dir_);
    const std::optional<std::string> message = recoverInterruptedRun(dir_.path(), kNoon);
    ASSERT_TRUE(message);
    const std::string started = journalTimeText(kNoon);
    EXPECT_EQ(message->rfind("The last Merge Team Offers run (started " + started
                                 + ") was interrupted; the league files were put back as they were before it. The "
                                   "files as it left them are kept in history/" + started
                                 + " Put Back of Merge Team Offers ",
                             0),
              0u)
        << *message;
    EXPECT_EQ(leagueFiles(dir_), before_);
    EXPECT_EQ(recoverInterruptedRun(dir_.path()), std::nullopt);

    const std::optional<UndoPlan> plan = planUndo(dir_.path());
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->run, "Put Back of Merge Team Offers");
    undoRun(dir_.path(), *plan);
    EXPECT_EQ(leagueFiles(dir_), cutShort);
    EXPECT_FALSE(planUndo(dir_.path())) << "the run cut short is not undone";

    runJournalled(dir_.path(), "Merge Team Offers", kRunFiles, [&](const Path&) { mergeLikeRun(dir_, "two"); });
    EXPECT_EQ(recoverInterruptedRun(dir_.path()), std::nullopt) << "a finished run stays";
}

TEST_F(Journal, FailedRunIsFinishedAndCanBeUndone)
{
    EXPECT_THROW(runJournalled(dir_.path(), "Merge Team Offers", kRunFiles,
                               [&](const Path&) {
                                   mergeLikeRun(dir_, "one");
                                   deleteFile(dir_.file("missing.txt"));
                               }),
                 std::exception);
    EXPECT_EQ(recoverInterruptedRun(dir_.path()), std::nullopt);
    const std::optional<UndoPlan> plan = planUndo(dir_.path());
    ASSERT_TRUE(plan);
    undoRun(dir_.path(), *plan);
    EXPECT_EQ(leagueFiles(dir_), before_);
}

TEST_F(Journal, UndoGoesBackRunByRunAndPassesOverRunsThatChangedNothing)
{
    runJournalled(dir_.path(), "Merge Team Offers", kRunFiles, [&](const Path&) { mergeLikeRun(dir_, "one"); });
    const Files afterOne = leagueFiles(dir_);
    runJournalled(dir_.path(), "Merge Team Offers", kRunFiles, [&](const Path&) { mergeLikeRun(dir_, "two"); });
    runJournalled(dir_.path(), "Calculate Market Value", {"marketVal.txt"}, [](const Path&) {});

    std::optional<UndoPlan> plan = planUndo(dir_.path());
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->run, "Merge Team Offers");
    EXPECT_EQ(plan->putBack, (std::vector<std::string>{"fa.txt", "signed.txt", "temp.txt"}));
    EXPECT_TRUE(plan->remove.empty() && plan->changed.empty());
    EXPECT_EQ(undoQuestion(*plan), "Undo the Merge Team Offers run of " + plan->started
                                       + "?\n\nThese files are put back as they were before it:"
                                         "\n    fa.txt\n    signed.txt\n    temp.txt");
    undoRun(dir_.path(), *plan);
    EXPECT_EQ(leagueFiles(dir_), afterOne);

    plan = planUndo(dir_.path());
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->putBack, (std::vector<std::string>{"fa.txt", "signed.txt", "TOR.txt"}));
    EXPECT_EQ(plan->remove, std::vector<std::string>{"temp.txt"});
    undoRun(dir_.path(), *plan);
    EXPECT_EQ(leagueFiles(dir_), before_);
    EXPECT_FALSE(planUndo(dir_.path()));
    EXPECT_EQ(runFolders(dir_).size(), 5u) << "undone runs keep their folders, beside the two Undo runs";
}

TEST_F(Journal, UndoNamesFilesChangedSinceTheRunButNotThoseAnUndoCutShortPutBack)
{
    runJournalled(dir_.path(), "Merge Team Offers", kRunFiles, [&](const Path&) { mergeLikeRun(dir_, "one"); });
    dir_.write("TOR.txt", "a new offer\r\n");
    dir_.write("signed.txt", "edited by hand\r\n");
    writeFileAtomic(dir_.file("fa.txt"), before_["fa.txt"]); // as an undo cut short left it
    std::optional<UndoPlan> plan = planUndo(dir_.path());
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->changed, (std::vector<std::string>{"signed.txt", "TOR.txt"}));
    undoRun(dir_.path(), *plan);
    EXPECT_EQ(leagueFiles(dir_), before_);
}

TEST_F(Journal, KeepsAndPutsBackOnlyFilesRightInTheLeagueFolder)
{
    std::filesystem::create_directory(test::fsPath(dir_.file("sub")));
    dir_.write("sub/marketVal.txt", "values\r\n");
    RunJournal run(dir_.path(), "Calculate Market Value", {"sub/marketVal.txt", "../fa.txt", "fa.txt"}, kNoon);
    ASSERT_EQ(journalRuns(dir_).at(0).files.size(), 1u);

    // A manifest changed to lead outside the league folder is not followed.
    const Path manifest = pathIn(run.folder(), kManifestFile);
    const std::string text = readFile(manifest);
    writeFileAtomic(manifest, text.substr(0, text.find("file: ")) + "file: ../outside.txt\r\nbefore: absent\r\n");
    EXPECT_TRUE(journalRuns(dir_).empty());
    EXPECT_EQ(recoverInterruptedRun(dir_.path()), std::nullopt);

    // Nor is a saved file replaced by a link to a file elsewhere.
    writeFileAtomic(manifest, text);
    writeFileAtomic(dir_.file("fa.txt"), "changed\r\n");
    std::filesystem::remove(test::fsPath(pathIn(run.folder(), "fa.txt")));
    if (!test::makeLink(dir_.file("sub/marketVal.txt"), pathIn(run.folder(), "fa.txt")))
        GTEST_SKIP() << "this system makes no symbolic links for this user";
    EXPECT_THROW(recoverInterruptedRun(dir_.path()), Failure);
    EXPECT_EQ(dir_.read("fa.txt"), "changed\r\n");
}

TEST(FileStates, AreKeyedHashesOfTheBytes)
{
    // SipHash-2-4's own test: key 00 01 ... 0f, no bytes.
    const HashKey key{0x0706050403020100ULL, 0x0f0e0d0c0b0a0908ULL};
    EXPECT_EQ(stateOf("", key).hash, (std::array<std::uint64_t, 2>{0xe6a825ba047f81a3ULL, 0x930255c71472f66dULL}));
    const std::string bytes(1000, 'x');
    std::string flipped = bytes;
    flipped[997] = 'y';
    ContentHash pieces(key);
    for (std::size_t at = 0; at < bytes.size(); at += 7)
        pieces.add(std::string_view(bytes).substr(at, 7));
    EXPECT_EQ(pieces.result(), stateOf(bytes, key).hash);
    EXPECT_NE(stateOf(bytes, key), stateOf(flipped, key));
    EXPECT_NE(stateOf(bytes, key), stateOf(bytes, HashKey{key.k0, key.k1 + 1}));
    EXPECT_NE(stateOf("", key), stateOf(std::string(1, '\0'), key));
}

TEST(FileStates, OfAFileReadInPiecesUnderAnAccentedName)
{
    TempDir dir;
    std::string bytes(200000, 'x'); // more than one piece
    bytes[150000] = '\0';
    dir.write("Montr\xC3\xA9" "al.txt", bytes);
    const HashKey key{1, 2};
    EXPECT_EQ(fileStateOf(dir.file("Montr\xC3\xA9" "al.txt"), key), stateOf(bytes, key));
    EXPECT_EQ(fileStateOf(dir.file("missing.txt"), key), std::nullopt);
}

} // namespace
