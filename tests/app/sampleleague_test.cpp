#include <algorithm>
#include <set>
#include <gtest/gtest.h>

#include "core/falist.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"
#include "core/contract.h"
#include "editor/playerdetails.h"
#include "marketvalue/pages.h"

// The sample league in examples/league must serve every workflow: it is read
// here with the program's own recognisers.
namespace bidmark {
namespace {

const Path kLeague(BIDMARK_SAMPLE_LEAGUE);

std::string playerLineOf(const std::vector<std::string>& faLines, const std::string& key)
{
    for (const std::string& line : faLines) {
        if (isListedPlayerLine(line) && nameKey(line) == key)
            return line;
    }
    return {};
}

// The rule of the Contract dialog that a team offer line "<TAG> S/Y +B ..."
// breaks; empty when it keeps them all.
std::string brokenContractRule(const std::string& offerLine, const std::string& playerLine)
{
    std::string terms = offerText(offerLine);
    terms = terms.substr(terms.find("> ") + 2);
    const std::size_t slash = terms.find('/'), blank = terms.find(' ');
    const std::string salary = terms.substr(0, slash);
    const std::string years = terms.substr(slash + 1, blank - slash - 1);
    std::string bonus;
    if (terms.compare(blank, 2, " +") == 0)
        bonus = terms.substr(blank + 2, terms.find(' ', blank + 2) - blank - 2);
    return checkTerms(salary, years, bonus, playerLine).problem.value_or("");
}

std::vector<std::string> leagueLines(const std::string& name)
{
    const std::string bytes = readFile(pathIn(kLeague, name));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r'))
        << name << " has line ends other than CR LF";
    return splitLines(bytes);
}

TEST(SampleLeague, FreeAgentListHoldsClosedBlocksOfEveryKind)
{
    std::set<std::string> tags;
    for (const std::string& team : leagueLines("teams.txt")) {
        EXPECT_TRUE(team.size() == 2 || team.size() == 3) << team;
        tags.insert("<" + team + ">");
    }
    const auto hasTag = [&](const std::string& line) {
        return tags.count(line.substr(0, line.find('>') + 1)) == 1;
    };
    const std::vector<std::string> lines = leagueLines("fa.txt");
    ASSERT_TRUE(isHeadingLine(lines.at(0)));
    std::set<std::string> keys;
    int players = 0, signings = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (isListedPlayerLine(line)) {
            ++players;
            keys.insert(nameKey(line));
            EXPECT_TRUE(i == 1 || isEmptyLine(lines[i - 1])) << "open block above line " << i + 1;
            EXPECT_GT(lastSalary(line) * overallRating(line), 0) << line;
        } else if (isSignedLine(line)) {
            ++signings;
            EXPECT_TRUE(hasTag(line.substr(9))) << line;
        } else {
            EXPECT_TRUE(isEmptyLine(line) || hasTag(line)) << "line " << i + 1 << ": " << line;
        }
    }
    EXPECT_TRUE(isEmptyLine(lines.back()));
    EXPECT_GE(players, 90);
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(players)) << "name keys repeat";
    EXPECT_EQ(signings, 1);
    for (int filter = 0; filter < kFilterCount; ++filter) {
        EXPECT_GE(std::count_if(lines.begin(), lines.end(),
                                [&](const std::string& line) { return matchesFilter(line, Filter(filter)); }),
                  5)
            << "filter " << filter;
    }

    // The guide's general manager picks TOR: no earlier offers of TOR wait.
    EXPECT_FALSE(fileExists(pathIn(kLeague, teamOfferFileName("TOR"))));
    int retractions = 0;
    for (const char* team : {"BOS", "NY"}) {
        for (const std::string& line : leagueLines(teamOfferFileName(team))) {
            EXPECT_EQ(keys.count(nameKey(line)), 1u) << line;
            EXPECT_EQ(offerText(line).rfind(std::string("<") + team + ">", 0), 0u) << line;
            retractions += isRetraction(line) ? 1 : 0;
            if (!isRetraction(line)) {
                EXPECT_EQ(brokenContractRule(line, playerLineOf(lines, nameKey(line))), "") << line;
            }
        }
    }
    EXPECT_EQ(retractions, 1);
}

TEST(SampleLeague, SimulatorPagesCoverRosterAndFreeAgents)
{
    const std::vector<std::string> roster = leagueLines("roster.html");
    const std::vector<std::string> vitals = leagueLines("vitals.html");
    EXPECT_TRUE(hasPageMarker(roster, kRosterMarker));
    EXPECT_TRUE(hasPageMarker(vitals, kVitalsMarker));
    RosterTable table = readRosterRows(roster);
    EXPECT_GE(table.size(), 140u);
    joinVitalsRows(vitals, "vitals.html", table);
    std::set<char> groups;
    for (const RosterEntry& entry : table) {
        EXPECT_GT(entry.salary * entry.overall, 0) << entry.name;
        groups.insert(entry.group);
    }
    EXPECT_EQ(groups, (std::set<char>{'F', 'D', 'G'}));

    int skaters = 0, found = 0, continued = 0;
    for (const std::string& line : leagueLines("fa.txt")) {
        if (!isListedPlayerLine(line) || positionLetter(line) == 'G')
            continue;
        ++skaters;
        const std::string statistics = statisticsLine(kLeague, nameKey(line));
        found += statistics.empty() ? 0 : 1;
        continued += statistics.rfind(std::string(28, ' '), 0) == 0 ? 1 : 0;
    }
    EXPECT_GE(found, skaters * 3 / 4);
    EXPECT_GE(continued, 1);
}

} // namespace
} // namespace bidmark
