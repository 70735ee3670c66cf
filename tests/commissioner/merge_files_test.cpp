// The merge on league files as members keep them: accented team names,
// shared copies reached through links, files they protected, special files.
#include <algorithm>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "commissioner/merge.h"
#include "core/failure.h"
#include "core/linefile.h"
#include "tests/support/league.h"
#include "tests/support/system.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string kOffer = "Arvo Lindqvist      <TOR> 1.6/3 top line role";

std::string failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "(no failure)";
}

bool linked(const std::string& target, const std::string& link)
{
    std::error_code error;
    fs::create_symlink(fs::u8path(target), fs::u8path(link), error);
    return !error;
}

TEST(MergeFiles, AccentedTeamFindsTheOfferFileAMailClientSaved)
{
    test::TempDir league;
    league.writeLines("fa.txt", test::elevenLines());
    const std::string offer = "Arvo Lindqvist      <Montr\xE9" "al> 1.6/3 ";
    league.writeLines("Montr\xC3\xA9" "al.txt", {offer}); // UTF-8, as the file system spells it
    mergeTeams(league.path(), {"Montr\xE9" "al"}, true, true);
    const Lines fa = splitLines(league.read("fa.txt"));
    EXPECT_NE(std::find(fa.begin(), fa.end(), offer.substr(20)), fa.end());
    EXPECT_FALSE(league.exists("Montr\xC3\xA9" "al.txt")); // merged, then deleted
    EXPECT_FALSE(test::hasPosix() && league.exists("Montr\xE9" "al.txt")); // nothing made under the raw bytes
}

TEST(MergeFiles, ReadOnlyOrSpecialFreeAgentListStopsTheMergeBeforeAnyWrite)
{
    struct Case {
        const char* name;
        std::function<bool(const test::TempDir&)> spoil; // false: not on this system
        std::string message;
    };
    const Case cases[] = {
        {"read-only", [](const test::TempDir& dir) {
             fs::permissions(fs::u8path(dir.file("fa.txt")), fs::perms::owner_write | fs::perms::group_write
                                 | fs::perms::others_write, fs::perm_options::remove);
             return true;
         }, ": the file is read-only"},
        {"named pipe", [](const test::TempDir& dir) {
             if (!test::hasPosix())
                 return false;
             fs::remove(fs::u8path(dir.file("fa.txt")));
             test::makeNamedPipe(dir.file("fa.txt"));
             return true;
         }, " is not a regular file"},
    };
    for (const Case& c : cases) {
        test::TempDir league;
        league.writeLines("fa.txt", test::elevenLines());
        league.writeLines("TOR.txt", {kOffer});
        league.write("signed.txt", "earlier\r\n");
        if (!c.spoil(league))
            continue;
        const std::string message = failureOf([&] { mergeTeamOffers(league.path(), "TOR", true); });
        EXPECT_NE(message.find(pathIn(league.path(), "fa.txt") + c.message), std::string::npos) << c.name << ": " << message;
        EXPECT_EQ(league.read("signed.txt"), "earlier\r\n") << c.name;
        EXPECT_FALSE(league.exists("temp.txt")) << c.name;
        if (fs::is_regular_file(fs::u8path(league.file("fa.txt")))) {
            EXPECT_EQ(splitLines(league.read("fa.txt")), test::elevenLines()) << c.name;
            fs::permissions(fs::u8path(league.file("fa.txt")), fs::perms::owner_write, fs::perm_options::add);
        }
    }
}

TEST(MergeFiles, LinkedFilesUpdateTheSharedCopyAndALinkToNothingCreatesNothing)
{
    test::TempDir shared, league;
    shared.writeLines("fa.txt", test::elevenLines());
    if (!linked(shared.file("fa.txt"), league.file("fa.txt")))
        GTEST_SKIP() << "this system makes no symbolic links for this user";
    league.writeLines("TOR.txt", {kOffer});
    mergeTeamOffers(league.path(), "TOR", true);
    EXPECT_TRUE(fs::is_symlink(fs::u8path(league.file("fa.txt"))));
    EXPECT_EQ(splitLines(shared.read("fa.txt"))[2], kOffer.substr(20));

    const std::string merged = shared.read("fa.txt");
    ASSERT_TRUE(linked(shared.file("NY.txt"), league.file("NY.txt")));
    EXPECT_EQ(failureOf([&] { mergeTeamOffers(league.path(), "NY", true); }),
              "Cannot write " + pathIn(league.path(), "NY.txt") + ": it is a link to a file that does not exist");
    EXPECT_FALSE(shared.exists("NY.txt"));
    EXPECT_EQ(shared.read("fa.txt"), merged);
}

} // namespace
} // namespace bidmark
