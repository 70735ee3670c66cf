#include "cli/commands.h"

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "core/linefile.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

// A copy of the sample league, and bidmark-cli run on it.
struct League {
    test::TempDir dir;
    std::string out, err;
    League()
    {
        std::filesystem::copy(BIDMARK_SAMPLE_LEAGUE, test::fsPath(dir.path()),
                              std::filesystem::copy_options::recursive);
    }
    int cli(std::vector<std::string> words)
    {
        words.insert(words.begin(), "--league=" + dir.path().bytes());
        std::ostringstream o, e;
        const int status = cli::run(words, o, e);
        out = o.str();
        err = e.str();
        return status;
    }
};

TEST(Cli, UsageErrorsExitTwo)
{
    League league;
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {}, {"bogus"}, {"merge"}, {"merge", "FA01", "--bogus"}, {"values", "a", "b"}, {"undo", "x"}}) {
        EXPECT_EQ(league.cli(words), cli::kUsage) << (words.empty() ? "" : words[0]);
        EXPECT_TRUE(league.out.empty());
        EXPECT_FALSE(league.err.empty());
    }
    EXPECT_EQ(league.cli({"--help"}), cli::kDone);
    EXPECT_NE(league.out.find("merge NAME"), std::string::npos);
}

TEST(Cli, StatusNamesEveryTeamsFileAndTheLastRuns)
{
    League league;
    league.dir.writeLines("teams.txt", {"BOS", "Montr\xE9" "al"}); // shown in UTF-8
    ASSERT_EQ(league.cli({"status"}), cli::kDone);
    EXPECT_EQ(league.out, "BOS\tBOS.txt\t5 lines\nMontr\xC3\xA9" "al\tMontr\xC3\xA9" "al.txt\tmissing\nLast runs:\n");
}

// A question the run would ask refuses it, naming the option that answers.
TEST(Cli, MergeReportAndUndoThatRefusesUnasked)
{
    League league;
    const std::string fa = league.dir.read("fa.txt");
    ASSERT_EQ(league.cli({"merge", "FA01 Signed Players"}), cli::kDone);
    EXPECT_EQ(league.err, "new fa.txt created\n");
    ASSERT_EQ(league.cli({"report"}), cli::kDone);
    EXPECT_EQ(league.out.rfind("Merge Team Offers: FA01 Signed Players\n", 0), 0u) << league.out;
    EXPECT_EQ(league.cli({"report", "2"}), cli::kRefused);
    ASSERT_EQ(league.cli({"report", "--team", "BOS"}), cli::kDone);
    EXPECT_EQ(league.out.rfind("Receipt for team BOS", 0), 0u) << league.out;
    EXPECT_EQ(league.cli({"report", "--team=DAL"}), cli::kDone); // a team that sent nothing has one too
    EXPECT_EQ(league.cli({"report", "1", "--team", "XYZ"}), cli::kRefused);
    ASSERT_EQ(league.cli({"page", league.dir.file("league.html").bytes()}), cli::kDone);
    EXPECT_NE(league.dir.read("league.html").find("Urho Morvanen"), std::string::npos);

    EXPECT_EQ(league.cli({"undo"}), cli::kRefused);
    EXPECT_NE(league.err.find("Refused: --yes answers Yes."), std::string::npos) << league.err;
    EXPECT_NE(league.dir.read("fa.txt"), fa);
    EXPECT_EQ(league.cli({"undo", "--yes"}), cli::kDone);
    EXPECT_EQ(league.dir.read("fa.txt"), fa);
    EXPECT_EQ(league.cli({"undo", "--yes"}), cli::kDone);
    EXPECT_EQ(league.err, "There is no run to undo.\n");
}

TEST(Cli, FailureExitsOne)
{
    League league;
    std::filesystem::remove(test::fsPath(league.dir.file("teams.txt")));
    EXPECT_EQ(league.cli({"merge", "FA01"}), cli::kRefused);
    EXPECT_NE(league.err.find("teams.txt"), std::string::npos) << league.err;
    EXPECT_EQ(league.cli({"values", "roster.html", "vitals.html", "fa.txt"}), cli::kRefused);
}

} // namespace
} // namespace bidmark
