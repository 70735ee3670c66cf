#include "core/leaguelock.h"

#include <filesystem>
#include <optional>

#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/linefile.h"
#include "tests/support/system.h"
#include "tests/support/tempdir.h"

using namespace bidmark;
using bidmark::test::TempDir;
namespace fs = std::filesystem;

namespace {

std::string failureOf(const Path& folder)
{
    try {
        const LeagueLock lock(folder, "running Undo Last Run");
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "(taken)";
}

std::string lockOf(const std::string& process, const std::string& machine)
{
    return joinLines({"Bidmark league folder lock", "program: bidmark", "process: " + process, "machine: " + machine,
                      "doing: running Merge Team Offers", "since: 2026-12-07 09.30.12"});
}

void age(const TempDir& dir, std::chrono::minutes by)
{
    const fs::path lock = test::fsPath(dir.file(".bidmark.lock"));
    fs::last_write_time(lock, fs::last_write_time(lock) - by);
}

TEST(LeagueLock, IsMadeForTheChangeAndRemovedAfterIt)
{
    TempDir dir;
    {
        const LeagueLock lock(dir.path(), "running Merge Team Offers");
        const std::vector<std::string> lines = splitLines(dir.read(".bidmark.lock"));
        ASSERT_EQ(lines.size(), 6u);
        EXPECT_EQ(lines[4], "doing: running Merge Team Offers");
    }
    EXPECT_FALSE(dir.exists(".bidmark.lock"));
}

TEST(LeagueLock, RefusalNamesTheHolderWhatItDoesAndSinceWhen)
{
    TempDir dir;
    const LeagueLock held(dir.path(), "waiting on a question");
    const std::string text = failureOf(dir.path());
    EXPECT_NE(text.find("in use"), std::string::npos) << text;
    EXPECT_NE(text.find("(process " + std::to_string(platform::processId())), std::string::npos) << text;
    EXPECT_NE(text.find("has been waiting on a question since 20"), std::string::npos) << text;
}

TEST(LeagueLock, LocksLeftBehindAreTakenOverAndFreshOnesAreNot)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::chrono::minutes aged;
        bool taken;
    };
    const std::string here = platform::machineName();
    const Case cases[] = {
        {"program gone", lockOf("2147483647", here), std::chrono::minutes(0), true},
        {"another machine's, old", lockOf("1", "elsewhere"), std::chrono::minutes(11), true},
        {"another machine's, fresh", lockOf("1", "elsewhere"), std::chrono::minutes(0), false},
        {"empty, old", "", std::chrono::minutes(1), true},
        {"empty, fresh", "", std::chrono::minutes(0), false},
        {"junk, old", std::string(100000, 'x'), std::chrono::minutes(1), true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.write(".bidmark.lock", c.bytes);
        age(dir, c.aged);
        const std::string text = failureOf(dir.path());
        EXPECT_EQ(text == "(taken)", c.taken) << c.name << ": " << text;
        EXPECT_EQ(dir.exists(".bidmark.lock"), !c.taken) << c.name;
    }
}

TEST(LeagueLock, WhatIsNoRegularFileIsRefusedAtOnceSayingWhatToRemove)
{
    std::vector<std::pair<const char*, std::function<bool(const TempDir&)>>> kinds{
        {"a folder", [](const TempDir& dir) { return fs::create_directory(test::fsPath(dir.file(".bidmark.lock"))); }},
        {"a link", [](const TempDir& dir) { return test::makeLink(dir.file("fa.txt"), dir.file(".bidmark.lock")); }},
    };
    if (test::hasPosix())
        kinds.push_back({"not a regular file", [](const TempDir& dir) {
                             test::makeNamedPipe(dir.file(".bidmark.lock"));
                             return true;
                         }});
    for (const auto& [kind, make] : kinds) {
        TempDir dir;
        if (!make(dir))
            continue; // no links for this user here
        const std::string text = failureOf(dir.path());
        EXPECT_NE(text.find(std::string("is ") + kind), std::string::npos) << text;
        EXPECT_NE(text.find("remove " + pathIn(dir.path(), ".bidmark.lock").bytes()), std::string::npos) << text;
    }
}

TEST(LeagueLock, ReadOnlyFolderIsRefusedByName)
{
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("read-only folders");
    if (test::runningAsRoot())
        GTEST_SKIP() << "root writes in a read-only folder";
    TempDir dir;
    fs::permissions(test::fsPath(dir.path()), fs::perms::owner_write, fs::perm_options::remove);
    const std::string text = failureOf(dir.path());
    fs::permissions(test::fsPath(dir.path()), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(text, "The league folder " + dir.path().bytes() + " is read-only, so nothing in it can be changed. Nothing was "
                                                          "changed.");
}

} // namespace
