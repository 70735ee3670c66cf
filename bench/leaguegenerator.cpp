#include "bench/leaguegenerator.h"

#include <cstdio>
#include <random>
#include <set>

#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"

namespace bidmark::bench {

namespace {

const char* const kFirstNames[] = {"Arvo",  "Pekka", "Jonas", "Mikko", "Lars",  "Tomas", "Eino",
                                   "Kalle", "Oskar", "Ville", "Jari",  "Sami",  "Rune",  "Teemu",
                                   "Anders", "Nils", "Espen", "Aleks", "Ivar",  "Matti"};
const char* const kSyllables[] = {"ka", "lo", "mi", "ne", "ro", "sa", "tu", "vi", "bre", "dal", "gen", "hol"};
const char* const kPositions[] = {"C", "LW", "RW", "D", "G"};
const char* const kComments[] = {"", "top line role", "backup to start", "power play time", "no trade clause"};

// Distinct made-up names of at most 19 characters: a first name and a family
// name spelled from the number in syllables.
std::string personName(int number)
{
    std::string family;
    int rest = number;
    do {
        family += kSyllables[rest % 12];
        rest /= 12;
    } while (rest > 0);
    family[0] = static_cast<char>(family[0] - 'a' + 'A');
    return std::string(kFirstNames[number % 20]) + " " + family;
}

template <class... Values>
std::string format(const char* pattern, Values... values)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

std::string offerLine(std::mt19937& random, const std::string& team)
{
    std::uniform_int_distribution<int> salary(5, 90), years(1, 5), bonus(0, 20), comment(0, 4);
    std::string line = "<" + team + "> " + format("%.2f/%d", salary(random) / 10.0, years(random));
    if (int b = bonus(random); b > 10)
        line += format(" +%.1f", b / 10.0);
    return line + " " + kComments[comment(random)];
}

std::vector<std::string> playerLines(const std::vector<std::string>& freeAgents)
{
    std::vector<std::string> players;
    for (const auto& line : freeAgents)
        if (line.size() > 42 && line[22] == ' ' && line.compare(0, 6, "Player") != 0)
            players.push_back(line);
    return players;
}

} // namespace

std::vector<std::string> teamNames(const LeagueSize& size)
{
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (int i = 0; static_cast<int>(names.size()) < size.teams; ++i) {
        std::string name{static_cast<char>('A' + i % 26), static_cast<char>('A' + (i / 26 + 7 * i) % 26)};
        if (i % 2 == 1)
            name += static_cast<char>('A' + (3 * i) % 26);
        if (!teamNameProblem(name) && seen.insert(name).second)
            names.push_back(name);
    }
    return names;
}

std::vector<std::string> freeAgentLines(const LeagueSize& size)
{
    std::mt19937 random(size.seed);
    std::uniform_int_distribution<int> age(19, 36), salary(100, 1800), position(0, 4), overall(55, 90),
        offers(0, 4), percent(0, 99);
    const auto teams = teamNames(size);
    std::uniform_int_distribution<std::size_t> team(0, teams.size() - 1);

    std::vector<std::string> lines{"Player                 Age  Sts     Salary Pos OV"};
    for (int i = 0; i < size.freeAgents; ++i) {
        lines.push_back(format("%-22.22s %02d   %s %10d%4s %d", personName(i).c_str(), age(random),
                               percent(random) < 50 ? "RFA" : "UFA", salary(random) * 5000,
                               kPositions[position(random)], overall(random)));
        for (int n = offers(random); n > 0; --n)
            lines.push_back(offerLine(random, teams[team(random)]));
        if (percent(random) < 2)
            lines.push_back("<SIGNED> " + offerLine(random, teams[team(random)]));
        lines.emplace_back();
    }
    return lines;
}

std::vector<std::string> teamOfferLines(const LeagueSize& size, int team,
                                        const std::vector<std::string>& freeAgents)
{
    std::mt19937 random(size.seed + 1000 + static_cast<unsigned>(team));
    const auto name = teamNames(size).at(static_cast<std::size_t>(team));
    const auto players = playerLines(freeAgents);
    std::uniform_int_distribution<std::size_t> player(0, players.size() - 1);
    std::uniform_int_distribution<int> percent(0, 99);

    std::vector<std::string> lines;
    for (int i = 0; i < size.offerLinesPerTeam; ++i) {
        const std::string key = players[player(random)].substr(0, 20);
        const int kind = percent(random);
        if (kind < 5)
            lines.push_back(key + "<" + name + "> <RETRACT>");
        else if (kind < 7)
            lines.push_back(key);
        else
            lines.push_back(key + offerLine(random, name));
    }
    return lines;
}

std::vector<std::string> rosterPage(const LeagueSize& size)
{
    std::mt19937 random(size.seed + 1);
    std::uniform_int_distribution<int> overall(50, 95), games(0, 82);
    std::vector<std::string> lines{"<html><head><title>Team Rosters</title></head>", "<body><pre>"};
    for (int i = 0; i < size.rostered; ++i)
        lines.push_back(format("%02d %-20.20s   %-2.2s L %7d%02d %3d", i % 100, personName(100000 + i).c_str(),
                               kPositions[i % 5], games(random), i % 100, overall(random)));
    lines.push_back("</pre></body></html>");
    return lines;
}

std::vector<std::string> vitalsPage(const LeagueSize& size)
{
    std::mt19937 random(size.seed + 2);
    std::uniform_int_distribution<int> age(19, 38), salary(100, 2000);
    std::vector<std::string> lines{"<html><head><title>Player Vitals</title></head>", "<body><pre>"};
    for (int i = 0; i < size.rostered; ++i)
        lines.push_back(format("%d   %-20.20s     %2.2s    %02d%19s%10d", i % 10, personName(100000 + i).c_str(),
                               kPositions[(i * 3) % 5], age(random), "", salary(random) * 5000));
    lines.push_back("</pre></body></html>");
    return lines;
}

void writeLeague(const Path& folder, const LeagueSize& size)
{
    const auto freeAgents = freeAgentLines(size);
    writeLinesAtomic(pathIn(folder, "fa.txt"), freeAgents);
    const auto teams = teamNames(size);
    writeLinesAtomic(pathIn(folder, "teams.txt"), teams);
    for (int team = 0; team < static_cast<int>(teams.size()); ++team)
        writeLinesAtomic(pathIn(folder, teamOfferFileName(teams[static_cast<std::size_t>(team)])),
                         teamOfferLines(size, team, freeAgents));
    writeLinesAtomic(pathIn(folder, "roster.html"), rosterPage(size));
    writeLinesAtomic(pathIn(folder, "vitals.html"), vitalsPage(size));
}

} // namespace bidmark::bench
