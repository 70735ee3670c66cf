// history/ as a hostile league member or an unlucky commissioner leaves it:
// entries the program did not write (planted, edited, copied, another user's)
// are passed over, never acted on and never deleted; history/ as a link, the
// league's own folders in it and links inside it are never followed.
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/journal.h"
#include "core/journalkey.h"
#include "core/linefile.h"
#include "core/recovery.h"
#include "core/undo.h"
#include "tests/reliability/folder.h"
#include "tests/support/system.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;
const std::vector<std::string> kRunFiles{"fa.txt", "signed.txt", "teams.txt"};

// Every file under a folder, links not followed: its bytes, or where a link leads.
Files tree(const Path& folder)
{
    Files files;
    std::error_code gone;
    const fs::path top = test::fsPath(folder);
    for (auto entry = fs::recursive_directory_iterator(top, gone); entry != fs::recursive_directory_iterator();
         ++entry) {
        const std::string name = entry->path().lexically_relative(top).generic_string();
        if (entry->is_symlink())
            files[name] = "-> " + fs::read_symlink(entry->path()).generic_string();
        else if (entry->is_regular_file())
            files[name] = readFile(test::pathOf(entry->path()));
        else
            files[name] = "<folder>";
    }
    return files;
}

void writeLeague(const test::TempDir& dir)
{
    dir.write("fa.txt", "the list\r\n");
    dir.write("signed.txt", "the log\r\n");
    dir.write("teams.txt", "TOR\r\n");
}

void aRun(const Path& folder, const std::string& tag)
{
    runJournalled(folder, "Merge Team Offers", kRunFiles,
                  [&](const Path&) { writeFileAtomic(pathIn(folder, "fa.txt"), "list " + tag + "\r\n"); });
}

// A manifest as someone who read one writes it by hand: an unfinished run
// with fa.txt saved as a planted copy, signed.txt and teams.txt "absent".
void handWritten(const test::TempDir& dir, const std::string& folder, const std::string& number, bool finished)
{
    fs::create_directories(test::fsPath(dir.file("history/" + folder)));
    dir.write("history/" + folder + "/fa.txt", "a planted list\r\n");
    std::string text = "Bidmark run journal\r\nrun: Merge Team Offers\r\nnumber: " + number
        + "\r\nstarted: 2026-12-07 09.30.12\r\nfile: fa.txt\r\nbefore: saved fa.txt\r\nfile: signed.txt\r\n"
          "before: absent\r\nfile: teams.txt\r\nbefore: absent\r\n";
    if (finished)
        text += "finished: 2026-12-07 09.30.13\r\n";
    dir.write("history/" + folder + "/manifest.txt", text);
}

// A run of ours, recorded in another league folder, its folder brought here
// under its own name (none given) or another.
void copiedRun(const test::TempDir& dir, std::string name, const std::function<void(std::string&)>& edit)
{
    test::TempDir other;
    writeLeague(other);
    aRun(other.path(), "elsewhere");
    const Path folder = readJournal(other.path()).runs.at(0).folder;
    if (name.empty())
        name = folder.name();
    fs::create_directories(test::fsPath(dir.file("history")));
    fs::copy(test::fsPath(folder), test::fsPath(dir.file("history/" + name)));
    std::string manifest = dir.read("history/" + name + "/manifest.txt");
    edit(manifest);
    dir.write("history/" + name + "/manifest.txt", manifest);
}

TEST(PlantedEntries, ArePassedOverAndLeftAsTheyAre)
{
    const std::vector<std::pair<const char*, std::function<void(const test::TempDir&)>>> plants{
        {"unfinished run by hand", [](const test::TempDir& dir) { handWritten(dir, "run", "7", false); }},
        {"finished run by hand", [](const test::TempDir& dir) { handWritten(dir, "run", "7", true); }},
        {"numbered 9223372036854775807",
         [](const test::TempDir& dir) { handWritten(dir, "run", "9223372036854775807", false); }},
        {"49 finished runs numbered high",
         [](const test::TempDir& dir) {
             for (int i = 0; i < 49; ++i)
                 handWritten(dir, "run " + std::to_string(i), std::to_string(1000000 + i), true);
         }},
        {"a run of ours edited",
         [](const test::TempDir& dir) {
             copiedRun(dir, "", [](std::string& text) { text.replace(text.find("number: 1"), 9, "number: 2"); });
         }},
        {"a run of ours under another name",
         [](const test::TempDir& dir) { copiedRun(dir, "2026-12-07 09.30.12 Calculate", [](std::string&) {}); }},
        {"another user's run",
         [](const test::TempDir& dir) {
             test::TempDir otherUser;
             const std::string mine = std::getenv(kKeyFolderVariable);
             test::setEnvironment(kKeyFolderVariable, otherUser.path().bytes());
             { RunJournal cutShort(dir.path(), "Merge Team Offers", kRunFiles); }
             test::setEnvironment(kKeyFolderVariable, mine);
         }},
    };
    for (const auto& [name, plant] : plants) {
        test::TempDir dir;
        writeLeague(dir);
        plant(dir);
        writeLeague(dir);
        const Files league = test::snapshot(dir.path()), planted = tree(dir.file("history"));

        EXPECT_EQ(recoverInterruptedRun(dir.path()), std::nullopt) << name;
        EXPECT_FALSE(planUndo(dir.path())) << name;
        EXPECT_NE(nothingToUndoMessage(dir.path(), readJournal(dir.path())).find("they are left alone"),
                  std::string::npos)
            << name;
        EXPECT_EQ(test::snapshot(dir.path()), league) << name;

        // The program's own runs go on beside them, numbered from 1.
        for (int run = 0; run < 3; ++run)
            aRun(dir.path(), std::to_string(run));
        const Journal journal = readJournal(dir.path());
        ASSERT_EQ(journal.runs.size(), 3u) << name;
        EXPECT_EQ(journal.runs.back().number, 3) << name;
        Files now = tree(dir.file("history"));
        for (const RunRecord& run : journal.runs) {
            const std::string folder = run.folder.name() + "/";
            for (auto entry = now.begin(); entry != now.end();)
                entry = entry->first.rfind(folder, 0) == 0 || entry->first + "/" == folder ? now.erase(entry) : ++entry;
        }
        EXPECT_EQ(now, planted) << name;
    }
}

TEST(PlantedEntries, SavedCopyChangedAfterTheRunIsNotPutBack)
{
    test::TempDir dir;
    writeLeague(dir);
    aRun(dir.path(), "one");
    const std::optional<UndoPlan> plan = planUndo(dir.path());
    ASSERT_TRUE(plan);
    writeFileAtomic(pathIn(plan->runFolder, "fa.txt"), "a planted list\r\n");
    const Files league = test::snapshot(dir.path());
    EXPECT_THROW(undoRun(dir.path(), *plan), Failure);
    EXPECT_EQ(test::snapshot(dir.path()), league);
}

// A history that is a link to the user's own things, the league's own folders
// in it, and links inside it: nothing outside the league folder is written
// or removed, nor anything in history/ the program did not make.
TEST(LinksAndFolders, AreNeverFollowedAndNeverRemoved)
{
    test::TempDir outside, dir;
    fs::create_directories(test::fsPath(outside.file("Documents")));
    fs::create_directories(test::fsPath(outside.file("photos/2024")));
    outside.write("photos/2024/lake.jpg", "a photo");
    writeLeague(dir);
    if (!test::makeLink(outside.path(), dir.file("history")))
        GTEST_SKIP() << "this system makes no symbolic links for this user";
    const Files elsewhere = tree(outside.path()), league = test::snapshot(dir.path());
    bool worked = false;
    EXPECT_THROW(runJournalled(dir.path(), "Merge Team Offers", kRunFiles, [&](const Path&) { worked = true; }),
                 Failure);
    EXPECT_FALSE(worked) << "a run whose journal cannot start writes nothing";
    EXPECT_EQ(recoverInterruptedRun(dir.path()), std::nullopt);
    EXPECT_EQ(tree(outside.path()), elsewhere);
    EXPECT_EQ(test::snapshot(dir.path()), league);

    fs::remove(test::fsPath(dir.file("history")));
    fs::create_directories(test::fsPath(dir.file("history/2024 season")));
    dir.write("history/2024 season/fa.txt", "last season\r\n");
    ASSERT_TRUE(test::makeLink(outside.path(), dir.file("history/elsewhere")));
    // A run of ours with a link and a folder put into it.
    aRun(dir.path(), "first");
    const Path first = readJournal(dir.path()).runs.at(0).folder;
    ASSERT_TRUE(test::makeLink(outside.file("photos/2024/lake.jpg"), pathIn(first, "lake.jpg")));
    const Files ours = tree(dir.file("history"));
    for (std::size_t run = 0; run < kKeptRuns + 1; ++run)
        aRun(dir.path(), std::to_string(run));

    EXPECT_EQ(tree(outside.path()), elsewhere);
    const Files now = tree(dir.file("history"));
    for (const char* kept : {"2024 season/fa.txt", "elsewhere"}) {
        ASSERT_TRUE(now.count(kept) && ours.count(kept)) << kept;
        EXPECT_EQ(now.at(kept), ours.at(kept)) << kept;
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(test::fsPath(pathIn(first, "lake.jpg"))))) << "the oldest run of ours is pruned";
    EXPECT_EQ(readJournal(dir.path()).runs.size(), kKeptRuns);
}

} // namespace
} // namespace bidmark
