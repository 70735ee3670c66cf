#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "core/failure.h"
#include "core/falist.h"
#include "core/linefile.h"
#include "marketvalue/marketvalfile.h"
#include "marketvalue/valuerun.h"
#include "marketvalue/valuetable.h"
#include "tests/marketvalue/pagerows.h"
#include "tests/support/league.h"
#include "tests/support/tempdir.h"

using namespace bidmark;
using bidmark::test::rosterRow;
using bidmark::test::vitalsRow;

namespace {
const std::string kFreeAgent = test::playerLine("Fredrik Free", 25, "UFA", 1200000, "C", 74);
const std::string kFreeAgentOutput = "Fredrik Free          25 F   74  3   3.0   1.0   2.0   1.2   2.0";

// The worked example's league: rostered A B C D E K and one free agent
// among the shared list's players.
class RunTest : public ::testing::Test {
protected:
    void SetUp() override { writeLeague(76); }

    void writeLeague(int overallOfC)
    {
        dir.writeLines("roster.html", test::page("Team Rosters", {
            rosterRow("Aaro Aalto", 72), rosterRow("Bert Berg", 75), rosterRow("Cid Carr", overallOfC),
            rosterRow("Dan Dahl", 71), rosterRow("Eli Ek", 79), rosterRow("Kai Koski", 74)}));
        dir.writeLines("vitals.html", test::page("Player Vitals", {
            vitalsRow("Kai Koski", "RW", 29, 2500000), vitalsRow("Aaro Aalto", "C", 25, 1000000),
            vitalsRow("Bert Berg", "LW", 26, 2000000), vitalsRow("Cid Carr", "C", 23, 3000000),
            vitalsRow("Dan Dahl", "D", 25, 500000), vitalsRow("Eli Ek", "C", 25, 4000000)}));
        std::vector<std::string> freeAgents = test::elevenLines();
        freeAgents.push_back(kFreeAgent);
        dir.writeLines("fa.txt", freeAgents);
    }

    std::string run(const std::string& roster = "roster.html", const std::string& vitals = "vitals.html",
                    const std::string& output = "marketVal.txt", const std::string& rate = "20")
    {
        return runMarketValue(dir.path(), roster, vitals, output, rate).message;
    }

    std::vector<std::string> output(const std::string& name = "marketVal.txt")
    {
        return splitLines(dir.read(name));
    }

    test::TempDir dir;
};
} // namespace

TEST_F(RunTest, WorkedExampleWritesHeaderAndEveryFreeAgent)
{
    const std::string message = run();
    EXPECT_TRUE(std::regex_match(message, std::regex("DONE [0-9]+(\\.[0-9]+)?seconds"))) << message;
    const std::vector<std::string> lines = output();
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8), marketValueHeader());
    EXPECT_EQ(lines[8].substr(0, 20), "Arvo Lindqvist      ");
    EXPECT_EQ(lines[9].substr(0, 20), "Pekka Roine         ");
    EXPECT_EQ(lines[10].substr(0, 20), "Jonas Brandt        ");
    EXPECT_EQ(lines[11], kFreeAgentOutput);
    EXPECT_EQ(dir.read("marketVal.txt").substr(dir.read("marketVal.txt").size() - 2), "\r\n");
}

TEST_F(RunTest, SameOverallEntryRaisesAverageAndValue)
{
    writeLeague(74);
    run();
    EXPECT_EQ(output()[11], "Fredrik Free          25 F   74  3   3.0   1.0   3.0   1.2   3.0");
}

TEST_F(RunTest, AgentsOfOneBracketKeepTheirOwnSalaries)
{
    std::vector<std::string> freeAgents{kFreeAgent, test::playerLine("Frans Free", 25, "UFA", 2500000, "RW", 74)};
    dir.writeLines("fa.txt", freeAgents);
    run();
    const std::vector<std::string> lines = output();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[8], kFreeAgentOutput);
    EXPECT_EQ(lines[9], "Frans Free            25 F   74  3   3.0   1.0   2.0   2.5   3.0");
}

TEST_F(RunTest, EmptyRateRunsAtFactorOne)
{
    run("roster.html", "vitals.html", "out.txt", "");
    // Jonas Brandt, defenceman of 31, has an empty bracket: M.V. = 2.5 x 1.
    EXPECT_EQ(output("out.txt")[10].substr(37), "0.0   0.0   0.0   2.5   2.5");
}

TEST_F(RunTest, EmptyNamesAreReportedRosterFirst)
{
    EXPECT_EQ(run("", ""), "Roster File not specified");
    EXPECT_EQ(run("", "vitals.html", "fa.txt"), "Roster File not specified");
    EXPECT_EQ(run("roster.html", ""), "Vital File not specified");
    EXPECT_FALSE(dir.exists("marketVal.txt"));
}

TEST_F(RunTest, PagesFailingTheirCheckAreReportedBeforeTheOutputName)
{
    for (const std::string output : {"out.txt", "", "fa.txt", "vitals.html"}) {
        EXPECT_EQ(run("vitals.html", "vitals.html", output),
                  "Roster file does not appear to be a valid FHL roster file") << output;
        EXPECT_EQ(run("roster.html", "roster.html", output),
                  "Vitals file does not appear to be a valid FHL vitals file") << output;
    }
    EXPECT_FALSE(dir.exists("out.txt"));
}

TEST_F(RunTest, RefusesOutputOverLeagueFilesOrTheRunsPages)
{
    const std::string freeAgents = dir.read("fa.txt");
    for (const std::string name : {"fa.txt", "FA.TXT", "./fa.txt", "Teams.txt", "signed.txt", "temp.txt",
                                   "commish.txt", "ROSTER.html", "vitals.html"}) {
        const std::string message = run("roster.html", "vitals.html", name);
        EXPECT_NE(message.find("choose another name"), std::string::npos) << name << ": " << message;
    }
    EXPECT_EQ(dir.read("fa.txt"), freeAgents);
    EXPECT_TRUE(dir.exists("roster.html"));
    EXPECT_FALSE(dir.exists("teams.txt"));
}

TEST_F(RunTest, FailureLeavesTheOldOutputAsItWas)
{
    dir.write("marketVal.txt", "earlier values\r\n");
    std::vector<std::string> freeAgents = test::elevenLines();
    freeAgents[1].replace(32, 10, "   unknown");
    dir.writeLines("fa.txt", freeAgents);
    try {
        run();
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("line 2 of fa.txt"), std::string::npos) << failure.what();
    }
    EXPECT_EQ(dir.read("marketVal.txt"), "earlier values\r\n");
}

TEST_F(RunTest, OverflowingRateFailsNamingItAndLeavesTheOutput)
{
    dir.write("marketVal.txt", "earlier values\r\n");
    try {
        run("roster.html", "vitals.html", "marketVal.txt", "1e999");
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "Overflow: the inflation rate 1e999 is too large");
    }
    EXPECT_EQ(dir.read("marketVal.txt"), "earlier values\r\n");
}

TEST_F(RunTest, ShortVitalsRowAndMissingFilesFail)
{
    dir.writeLines("short.html", test::page("Player Vitals", {vitalsRow("Nobody", "C", 25, 0).substr(0, 50)}));
    EXPECT_THROW(run("roster.html", "short.html"), Failure);
    EXPECT_THROW(run("missing.html"), Failure);
    EXPECT_THROW(run("roster.html", "vitals.html", ""), Failure);
    EXPECT_THROW(run("roster.html", "vitals.html", "no/such/folder.txt"), Failure);
    EXPECT_FALSE(dir.exists("marketVal.txt"));
}

// The sample league's run: the values the window shows are the file's.
TEST(RunValues, EqualTheFileTheRunWroteAndAPlainScanOfTheRoster)
{
    test::TempDir dir;
    for (const char* name : {"fa.txt", "roster.html", "vitals.html"})
        dir.write(name, readFile(pathIn(Path(BIDMARK_SAMPLE_LEAGUE), name)));
    const MarketValueRun run = runMarketValue(dir.path(), "roster.html", "vitals.html", "marketVal.txt", "20");
    ASSERT_TRUE(run.values) << run.message;
    const MarketValues& values = *run.values;
    const std::vector<std::string> lines = splitLines(dir.read("marketVal.txt"));
    ASSERT_EQ(lines.size(), 8 + values.rows.size());

    // Where each of the table's columns up to M.V. starts in a player line.
    const std::size_t starts[] = {1, 22, 26, 29, 33, 38, 44, 50, 56, 62, 200};
    std::set<ValueRule> rules;
    for (std::size_t i = 0; i < values.rows.size(); ++i) {
        const ValueRow& row = values.rows[i];
        const std::string& line = lines[8 + i];
        for (int column = 0; column <= kMarketValueColumn; ++column) {
            std::string field = line.substr(starts[column] - 1, starts[column + 1] - starts[column]);
            field.erase(field.find_last_not_of(' ') + 1);
            field.erase(0, field.find_first_not_of(' '));
            EXPECT_EQ(valueCell(values, row, column), field) << "line " << 9 + i << ", column " << column;
        }

        std::vector<std::size_t> scanned;
        for (std::size_t entry = 0; entry < values.roster.size(); ++entry) {
            if (inBracket(row.agent, values.roster[entry]))
                scanned.push_back(entry);
        }
        EXPECT_EQ(values.bracketOf(row).entries, scanned) << row.agent.name;

        rules.insert(row.valuation.rule);
        const std::string value = valueCell(values, row, kMarketValueColumn);
        switch (row.valuation.rule) {
        case ValueRule::BracketAverage: EXPECT_EQ(value, valueCell(values, row, kAverageColumn)); break;
        case ValueRule::LastSalaryTimesFactor: EXPECT_EQ(row.valuation.value, row.agent.lastSalary * 1.2); break;
        case ValueRule::RookieCap: EXPECT_TRUE(row.agent.age <= 22 && value == "1.5") << row.agent.name; break;
        }
    }
    EXPECT_EQ(rules.size(), 3u) << "the sample league shows every rule";

    // Each row's offers are his block's in fa.txt.
    const std::vector<std::string> list = splitLines(dir.read("fa.txt"));
    std::size_t row = 0;
    for (std::size_t index = 0; index < list.size(); ++index) {
        if (!isPlayerLine(list[index]))
            continue;
        ASSERT_LT(row, values.rows.size());
        const PlayerOffers read = values.rows[row++].offers(), block = offersUnder(list, index);
        ASSERT_EQ(read.offers.size(), block.offers.size()) << list[index];
        for (std::size_t offer = 0; offer < block.offers.size(); ++offer)
            EXPECT_EQ(read.offers[offer].line, block.offers[offer].line);
        EXPECT_EQ(read.isSigned(), block.isSigned()) << list[index];
    }
    EXPECT_EQ(row, values.rows.size());
}
