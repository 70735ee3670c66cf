// The merge run killed at random moments: fa.txt must always be a whole list
// that some number of whole team merges gives, and every player who left it
// must stand in signed.txt. Once the program starts again and puts the
// interrupted run back, the league files are as they were before the run or
// as the whole run leaves them, and a new merge logs no player twice. Undo
// and the putting back of an interrupted run are killed at each of their
// writes in turn, with the same checks.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "commissioner/merge.h"
#include "commissioner/mergerun.h"
#include "commissioner/signing.h"
#include "core/failure.h"
#include "core/falist.h"
#include "core/journal.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/recovery.h"
#include "core/undo.h"
#include "core/teamfiles.h"
#include "tests/reliability/folder.h"
#include "tests/support/league.h"
#include "tests/support/system.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

using Files = std::map<std::string, std::string>;
using Clock = std::chrono::steady_clock;

// A seeded league: `players` free agents with a few offers and signings, and
// `teams` offer files, the last of them the commissioner's signings.
Files generateLeague(unsigned seed, int players, int teams)
{
    std::mt19937 random(seed);
    auto number = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    auto team = [&](int t) { return t + 1 == teams ? std::string(kCommissionerTeam) : "T" + std::to_string(t); };
    std::vector<std::string> keys, fa{"Players on the market"};
    for (int p = 0; p < players; ++p) {
        char name[32];
        std::snprintf(name, sizeof name, "Skater %05d Okk", p);
        fa.push_back(test::playerLine(name, number(19, 36), number(0, 1) ? "UFA" : "RFA",
                                      number(5, 90) * 50000, number(0, 1) ? "C" : "D", number(50, 90)));
        keys.push_back(nameKey(fa.back()));
        for (int o = number(0, 2); o > 0; --o)
            fa.push_back("<" + team(number(0, teams - 2)) + "> 1.0/" + std::to_string(number(1, 5)) + " ");
        if (number(1, 100) <= 3)
            fa.push_back("<SIGNED> <T0> 2.0/2 ");
        fa.push_back("");
    }
    Files files{{"fa.txt", joinLines(fa)}, {"signed.txt", joinLines({"earlier signings"})}};
    std::vector<std::string> teamNames;
    for (int t = 0; t < teams; ++t) {
        std::vector<std::string> offers;
        for (int o = number(20, 120); o > 0; --o) {
            const std::string& key = keys[number(0, players - 1)];
            if (t + 1 == teams)
                offers.push_back(key + "<SIGNED> <T1> 1.5/3 ");
            else if (number(1, 10) == 1)
                offers.push_back(key + "<" + team(t) + "> <RETRACT>");
            else
                offers.push_back(key + "<" + team(t) + "> " + std::to_string(number(1, 9)) + ".5/2 ");
        }
        files[teamOfferFileName(team(t))] = joinLines(offers);
        teamNames.push_back(team(t));
    }
    files["teams.txt"] = joinLines(teamNames);
    return files;
}

void writeAll(const test::TempDir& dir, const Files& files)
{
    for (const auto& entry : std::filesystem::directory_iterator(test::fsPath(dir.path())))
        std::filesystem::remove_all(entry.path());
    for (const auto& [name, bytes] : files)
        dir.write(name, bytes);
}

bool isLeftoverTemporary(const std::string& name)
{
    return name.rfind('.', 0) == 0 && name.find(".txt.bidmark-") != std::string::npos;
}

// The league's files but the temporary files of writes a kill cut short.
Files leagueFiles(const test::TempDir& dir)
{
    Files files = test::snapshot(dir.path());
    for (auto entry = files.begin(); entry != files.end();)
        entry = isLeftoverTemporary(entry->first) ? files.erase(entry) : ++entry;
    return files;
}

// The merge run as the Commissioners Menu starts it, journalled.
void journalledMergeRun(const Path& folder)
{
    MergeTeamOffersRun run(folder, std::string("FA01"), {});
    runJournalled(folder, kMergeRunName, run.files(), [&](const Path& runFolder) { run.work(runFolder); });
}

// The run in a child process, killed after `delay` unless it ends first.
void runAndKill(const Path& folder, Clock::duration delay,
                const std::function<void(const Path&)>& run = journalledMergeRun)
{
    const test::ChildEnd end = test::runInChild(
        [&] {
            try {
                run(folder);
            } catch (const Failure&) {
                return 1;
            }
            return 0;
        },
        delay);
    ASSERT_TRUE(end.killed || end.exitCode == 0);
}

// The run in a child process killed as it is about to make its write number
// `write` (every call of the platform layer that changes the disk counts);
// false when it ended before.
int writesLeft = 0;
void killAtLastWrite()
{
    if (--writesLeft == 0)
        test::killThisProcess();
}
bool killedAtWrite(int write, const std::function<void()>& run)
{
    const test::ChildEnd end = test::runInChild(
        [&] {
            writesLeft = write;
            platform::watchWrites(killAtLastWrite);
            run();
            return 0;
        },
        std::chrono::hours(1));
    EXPECT_TRUE(test::endedByKill(end) || end.exitCode == 0) << "write " << write;
    return test::endedByKill(end);
}

void expectNoOneLoggedTwice(const test::TempDir& dir, int write)
{
    std::set<std::string> logged;
    for (const std::string& line : splitLines(dir.read("signed.txt"))) {
        if (isPlayerLine(line)) {
            EXPECT_TRUE(logged.insert(line).second) << line << " logged twice, write " << write;
        }
    }
}

TEST(CrashConsistency, KilledMergeRunLeavesWholeListAndLogsEveryMovedPlayer)
{
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("fork and kill");
    const int teams = 16;
    const Files league = generateLeague(20240607, 2500, teams);
    const std::vector<std::string> teamNames = splitLines(league.at("teams.txt"));

    // The lists whole team merges give: none, the first, the first two ...
    test::TempDir scratch;
    writeAll(scratch, league);
    std::vector<std::string> validLists{league.at("fa.txt")};
    for (const std::string& team : teamNames) {
        mergeTeams(scratch.path(), {team}, true, true);
        validLists.push_back(scratch.read("fa.txt"));
    }
    const std::string header = signingHeader("FA01") + "\r\n";
    const std::string fullLog = league.at("signed.txt") + header
        + scratch.read("signed.txt").substr(league.at("signed.txt").size());

    test::TempDir dir;
    writeAll(dir, league);
    const auto start = Clock::now();
    runAndKill(dir.path(), std::chrono::hours(1)); // runs to its end
    const auto runTime = Clock::now() - start;
    ASSERT_EQ(dir.read("fa.txt"), validLists.back());
    ASSERT_EQ(dir.read("signed.txt"), fullLog);
    const Files wholeRun = leagueFiles(dir);

    std::mt19937 random(7);
    std::set<std::size_t> statesSeen;
    int killPoints = 0, leftovers = 0, asBefore = 0, asAfter = 0;
    const auto budget = Clock::now() + std::chrono::seconds(50);
    for (; killPoints < 200 && Clock::now() < budget; ++killPoints) {
        writeAll(dir, league);
        runAndKill(dir.path(), std::chrono::duration_cast<Clock::duration>(
                                   runTime * std::uniform_real_distribution<double>(0, 1.1)(random)));
        Files after = test::snapshot(dir.path());

        const auto state = std::find(validLists.begin(), validLists.end(), after["fa.txt"]);
        ASSERT_NE(state, validLists.end()) << "fa.txt is no whole list, kill point " << killPoints;
        statesSeen.insert(static_cast<std::size_t>(state - validLists.begin()));

        // signed.txt grows in one step: the header with every moved player.
        const std::string& log = after["signed.txt"];
        ASSERT_TRUE(log == league.at("signed.txt") || log == fullLog)
            << log.size() << " bytes of " << fullLog.size() << ", kill point " << killPoints;
        const auto kept = splitLines(after["fa.txt"]);
        const std::set<std::string> inList(kept.begin(), kept.end());
        const auto logged = splitLines(log);
        const std::set<std::string> inLog(logged.begin(), logged.end());
        for (const std::string& line : splitLines(league.at("fa.txt"))) {
            if (isPlayerLine(line) && !inList.count(line)) {
                ASSERT_TRUE(inLog.count(line)) << line << " left fa.txt but is not in signed.txt";
            }
        }

        // Nothing else: the league's own files, and perhaps a temporary file
        // of a write the kill cut short.
        for (const auto& [name, bytes] : after) {
            if (isLeftoverTemporary(name)) {
                ++leftovers;
            } else if (name != "temp.txt") {
                ASSERT_TRUE(league.count(name)) << name;
            }
        }

        // The program starts again: a run cut short is put back.
        const bool interrupted = recoverInterruptedRun(dir.path()).has_value();
        const Files recovered = leagueFiles(dir);
        ASSERT_TRUE(recovered == league || recovered == wholeRun)
            << "neither before nor after the run, kill point " << killPoints;
        ASSERT_TRUE(!interrupted || recovered == league) << "kill point " << killPoints;
        ++(recovered == league ? asBefore : asAfter);

        journalledMergeRun(dir.path());
        std::set<std::string> newLog;
        for (const std::string& line : splitLines(dir.read("signed.txt"))) {
            if (isPlayerLine(line)) {
                ASSERT_TRUE(newLog.insert(line).second) << line << " logged twice, kill point " << killPoints;
            }
        }
    }
    std::printf("kill points: %d, fa.txt states seen: %zu, temporary files left: %d, "
                "put back as before the run: %d, whole run kept: %d, players logged twice: 0\n",
                killPoints, statesSeen.size(), leftovers, asBefore, asAfter);
}

// Done in signing mode killed at random moments, as the program runs it
// (journalled): its signings are never lost and never merged twice unawares.
// Right after the kill, fa.txt holds none of them or all; a COMMISH.txt left
// behind holds them all and, found at the next signing, says whether they
// already stand in fa.txt or signed.txt. Once the program starts again the
// league files are as before the signing or as after it.
TEST(CrashConsistency, KilledSigningLeavesItsSigningsWholeAndMarked)
{
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("fork and kill");
    const Files league = generateLeague(20240608, 2500, 2);
    const std::vector<std::string> entries = splitLines(league.at(std::string(kCommissionerFile)));
    const std::string aside = "COMMISH set aside.txt";
    const auto signing = [&](const Path& folder) {
        runJournalled(folder, kSigningRunName, signingDoneFiles(aside),
                      [&](const Path&) { mergeSignings(folder, entries, true, aside); });
    };
    Files start = league;
    start.erase(std::string(kCommissionerFile));
    test::TempDir dir;
    writeAll(dir, start);
    const auto begun = Clock::now();
    runAndKill(dir.path(), std::chrono::hours(1), signing);
    const auto runTime = Clock::now() - begun;
    const Files wholeRun = leagueFiles(dir);
    const std::string merged = wholeRun.at("fa.txt");
    ASSERT_NE(merged, start.at("fa.txt"));
    ASSERT_FALSE(dir.exists(kCommissionerFile));

    std::mt19937 random(8);
    int killPoints = 0, leftovers = 0;
    const auto budget = Clock::now() + std::chrono::seconds(20);
    for (; killPoints < 100 && Clock::now() < budget; ++killPoints) {
        writeAll(dir, start);
        runAndKill(dir.path(), std::chrono::duration_cast<Clock::duration>(
                                   runTime * std::uniform_real_distribution<double>(0, 1.1)(random)),
                   signing);
        const std::string fa = dir.read("fa.txt");
        ASSERT_TRUE(fa == start.at("fa.txt") || fa == merged) << "kill point " << killPoints;
        if (const auto leftover = findLeftoverSignings(dir.path())) {
            ++leftovers;
            ASSERT_EQ(leftover->bytes, league.at(std::string(kCommissionerFile)));
            if (fa == merged) {
                ASSERT_GT(leftover->alreadyInList, 0u) << "kill point " << killPoints;
            } else if (dir.read("signed.txt") == start.at("signed.txt")) {
                ASSERT_EQ(leftover->alreadyInList, 0u) << "kill point " << killPoints;
            }
        }
        recoverInterruptedRun(dir.path());
        Files recovered = leagueFiles(dir);
        recovered.erase(std::string(kHistoryFolder));
        Files before = start, after = wholeRun;
        after.erase(std::string(kHistoryFolder));
        ASSERT_TRUE(recovered == before || recovered == after) << "kill point " << killPoints;
    }
    std::printf("signing kill points: %d, COMMISH.txt left by the kill: %d, after restart: 0\n", killPoints,
                leftovers);
}

// Undo Last Run killed at each of its writes, after a merge: once the program
// starts again the files are as the merge left them or as before it, never
// a mix, and a merge then logs no one twice.
TEST(CrashConsistency, UndoKilledAtEachOfItsWritesEndsAllBeforeOrAllAfter)
{
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("fork and kill");
    const Files league = generateLeague(20240609, 400, 5);
    test::TempDir dir;
    int write = 1, undone = 0, notUndone = 0;
    for (bool killed = true; killed; ++write) {
        writeAll(dir, league);
        journalledMergeRun(dir.path());
        const Files merged = leagueFiles(dir);
        const std::optional<UndoPlan> plan = planUndo(dir.path());
        ASSERT_TRUE(plan);
        killed = killedAtWrite(write, [&] { undoRun(dir.path(), *plan); });
        recoverInterruptedRun(dir.path()); // the program starts again
        const Files now = leagueFiles(dir);
        ASSERT_TRUE(now == merged || now == league) << "a mix of before and after, write " << write;
        ++(now == league ? undone : notUndone);
        journalledMergeRun(dir.path());
        expectNoOneLoggedTwice(dir, write);
    }
    std::printf("Undo killed at each of its %d writes: undone %d times, left as before %d times, mixed 0 times\n",
                write - 2, undone - 1, notUndone);
}

// A merge cut short, then the putting back of it killed at each of its
// writes: once the program starts again the files are as before the merge.
TEST(CrashConsistency, PuttingBackKilledAtEachOfItsWritesEndsAsBeforeTheRun)
{
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("fork and kill");
    const Files league = generateLeague(20240610, 400, 5);
    test::TempDir dir;
    writeAll(dir, league);
    static int mergeWrites = 0;
    platform::watchWrites([] { ++mergeWrites; });
    journalledMergeRun(dir.path());
    platform::watchWrites(nullptr);
    int write = 1;
    for (bool killed = true; killed; ++write) {
        writeAll(dir, league);
        // Cut short among its league writes, before the journal's finish.
        ASSERT_TRUE(killedAtWrite(mergeWrites - 3, [&] { journalledMergeRun(dir.path()); }));
        ASSERT_TRUE(leagueFiles(dir) != league);
        killed = killedAtWrite(write, [&] { recoverInterruptedRun(dir.path()); });
        recoverInterruptedRun(dir.path()); // the program starts again
        ASSERT_TRUE(leagueFiles(dir) == league) << "not as before the merge, write " << write;
        journalledMergeRun(dir.path());
        expectNoOneLoggedTwice(dir, write);
    }
    std::printf("putting back killed at each of its %d writes (merge cut short at write %d of %d): as before the "
                "merge every time\n",
                write - 2, mergeWrites - 3, mergeWrites);
}

} // namespace
} // namespace bidmark
