#include <gtest/gtest.h>

#include "core/failure.h"
#include "marketvalue/pages.h"
#include "tests/marketvalue/pagerows.h"
#include "tests/support/league.h"

using namespace bidmark;
using bidmark::test::rosterRow;
using bidmark::test::vitalsRow;

namespace {
std::vector<std::string> linesWithMarkerOn(std::size_t lineNumber, const std::string& marker)
{
    std::vector<std::string> lines(14, "<p>nothing yet</p>");
    lines[lineNumber - 1] = "<h1>VELD " + marker + "</h1>";
    return lines;
}

std::string name20(const std::string& name) { return name + std::string(20 - name.size(), ' '); }
} // namespace

TEST(PageCheck, FindsMarkerWithinFirstElevenLines)
{
    EXPECT_TRUE(hasPageMarker(linesWithMarkerOn(11, "Team Rosters"), kRosterMarker));
    EXPECT_FALSE(hasPageMarker(linesWithMarkerOn(12, "Team Rosters"), kRosterMarker));
    EXPECT_TRUE(hasPageMarker(linesWithMarkerOn(1, "Player Vitals"), kVitalsMarker));
}

TEST(PageCheck, CountsCaseAndRejectsShortPagesWithoutMarker)
{
    EXPECT_FALSE(hasPageMarker(linesWithMarkerOn(2, "team rosters"), kRosterMarker));
    EXPECT_FALSE(hasPageMarker(linesWithMarkerOn(2, "Team Rosters"), kVitalsMarker));
    EXPECT_FALSE(hasPageMarker({"<html>", "<pre>"}, kRosterMarker));
    EXPECT_FALSE(hasPageMarker({}, kRosterMarker));
}

TEST(RosterRows, KeepsPageOrderNameAndOverall)
{
    const RosterTable roster = readRosterRows(
        test::page("Team Rosters", {rosterRow("Aaro Aalto", 72), "<tr>", rosterRow("Bert Berg", 75)}));
    ASSERT_EQ(roster.size(), 2u);
    EXPECT_EQ(roster[0].name, name20("Aaro Aalto"));
    EXPECT_EQ(roster[0].overall, 72);
    EXPECT_EQ(roster[1].name, name20("Bert Berg"));
    EXPECT_EQ(roster[1].overall, 75);
    EXPECT_EQ(roster[1].group, 0); // no vitals yet
}

TEST(RosterRows, TakeTheTeamOfTheHeadingAboveThem)
{
    const RosterTable roster = readRosterRows(
        {"<title>VELD Team Rosters</title>", "<pre>", rosterRow("Early Bird", 70), "<b>TOR</b>", "",
         "No Name                   Po H  IT SP OV", rosterRow("Aaro Aalto", 72), "<b> New York </b>",
         rosterRow("Bert Berg", 75), "</pre>", rosterRow("Cid Carr", 71)});
    ASSERT_EQ(roster.size(), 4u);
    EXPECT_EQ(roster[0].team, ""); // the page's title names no team
    EXPECT_EQ(roster[1].team, "TOR");
    EXPECT_EQ(roster[2].team, "New York");
    EXPECT_EQ(roster[3].team, "New York"); // markup without text changes nothing
}

TEST(RosterRows, NeedFortyCharactersAndReadOverallFromLastThree)
{
    const std::string forty = rosterRow("Aaro Aalto", 0).substr(0, 40); // ends in "80"
    EXPECT_FALSE(isRosterRow(forty.substr(0, 39)));
    ASSERT_TRUE(isRosterRow(forty));
    EXPECT_EQ(readRosterRows({forty})[0].overall, 80);       // columns 38-40: " 80"
    EXPECT_EQ(readRosterRows({forty + " 75 "})[0].overall, 75);
    EXPECT_EQ(readRosterRows({forty + " 87</td>"})[0].overall, 0);
}

TEST(VitalsJoin, GivesGroupAgeAndSalaryInMillions)
{
    RosterTable roster = readRosterRows({rosterRow("Aaro Aalto", 72), rosterRow("Cid Carr", 70)});
    joinVitalsRows(test::page("Player Vitals", {vitalsRow("Aaro Aalto", "D", 25, 1250000)}),
                   "vitals.html", roster);
    EXPECT_EQ(roster[0].group, 'D');
    EXPECT_EQ(roster[0].age, 25);
    EXPECT_DOUBLE_EQ(roster[0].salary, 1.25);
    EXPECT_EQ(roster[1].group, 0); // not on the vitals page
}

TEST(VitalsJoin, ReadsGroupFromColumnThirtyOneCaseCounting)
{
    RosterTable roster = readRosterRows(
        {rosterRow("Al", 70), rosterRow("Bo", 70), rosterRow("Cy", 70), rosterRow("Di", 70), rosterRow("Ed", 70)});
    joinVitalsRows({vitalsRow("Al", "LW", 25, 1), vitalsRow("Bo", "C", 25, 1), vitalsRow("Cy", "d", 25, 1),
                    vitalsRow("Di", "G", 25, 1), vitalsRow("Ed", "RD", 25, 1)},
                   "vitals.html", roster);
    EXPECT_EQ(roster[0].group, 'F');
    EXPECT_EQ(roster[1].group, 'F');
    EXPECT_EQ(roster[2].group, 'F');
    EXPECT_EQ(roster[3].group, 'G');
    EXPECT_EQ(roster[4].group, 'D');
}

TEST(VitalsJoin, JoinsOnlyAllTwentyCharactersAlike)
{
    RosterTable roster = readRosterRows({rosterRow("Aaro Aalto", 72), rosterRow("Bert Berg", 75)});
    joinVitalsRows({vitalsRow("AARO AALTO", "C", 25, 1000000), vitalsRow(" Bert Berg", "C", 25, 1000000)},
                   "vitals.html", roster);
    EXPECT_EQ(roster[0].group, 0);
    EXPECT_EQ(roster[1].group, 0);
}

TEST(VitalsJoin, FirstRosterEntryOfANameGetsTheLastVitalsRow)
{
    RosterTable roster = readRosterRows({rosterRow("Twin", 72), rosterRow("Twin", 75)});
    joinVitalsRows({vitalsRow("Twin", "C", 25, 1000000), vitalsRow("Twin", "D", 31, 2000000)}, "vitals.html",
                   roster);
    EXPECT_EQ(roster[0].group, 'D');
    EXPECT_EQ(roster[0].age, 31);
    EXPECT_DOUBLE_EQ(roster[0].salary, 2.0);
    EXPECT_EQ(roster[1].group, 0);
}

TEST(VitalsJoin, FailsOnSalaryThatIsNoNumberEvenForUnrosteredRow)
{
    RosterTable roster;
    const std::string row = vitalsRow("Nobody", "C", 25, 0).substr(0, 56) + "  1.2 mill";
    try {
        joinVitalsRows({"<pre>", row}, "vitals.html", roster);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("line 2 of vitals.html"), std::string::npos) << failure.what();
    }
    const std::string shortRow = vitalsRow("Nobody", "C", 25, 0).substr(0, 56);
    ASSERT_TRUE(isVitalsRow(shortRow));
    EXPECT_THROW(joinVitalsRows({shortRow}, "vitals.html", roster), Failure);
}

TEST(FreeAgentLine, ReadsTheFiveFields)
{
    const FreeAgent agent = readFreeAgent(test::playerLine("Arvo Lindqvist", 24, "UFA", 850000, "LW", 71));
    EXPECT_EQ(agent.name, name20("Arvo Lindqvist"));
    EXPECT_EQ(agent.age, 24);
    EXPECT_DOUBLE_EQ(agent.lastSalary, 0.85);
    EXPECT_EQ(agent.group, 'F');
    EXPECT_EQ(agent.overall, 71);
    EXPECT_EQ(readFreeAgent(test::playerLine("Jonas Brandt", 31, "UFA", 2500000, "D", 76)).group, 'D');
    EXPECT_EQ(readFreeAgent(test::playerLine("Pekka Roine", 22, "RFA", 1200000, "G", 80)).group, 'G');
}
