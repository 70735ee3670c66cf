// The product's merge against the step-by-step reference on generated leagues:
// every file left behind must be byte-identical.
#include <filesystem>
#include <map>
#include <random>

#include <gtest/gtest.h>

#include "commissioner/merge.h"
#include "tests/reference/referencemerge.h"
#include "tests/support/league.h"
#include "tests/support/system.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    std::string freeAgentFile()
    {
        std::vector<std::string> lines;
        if (chance(50))
            lines.push_back(pick<std::string>({"Players on the market", "players", "Player"}));
        for (int block = number(0, 8); block > 0; --block) {
            lines.push_back(playerOrLookalike());
            for (int below = number(0, 4); below > 0; --below)
                lines.push_back(blockLine());
            if (chance(70))
                lines.push_back("");
            if (chance(15))
                lines.push_back(blockLine()); // below the closing empty line
        }
        if (chance(20))
            lines.push_back(playerOrLookalike()); // the file ends in a player line
        return join(lines);
    }

    // Now and then every line names one player, a few hundred of them: his
    // block grows long and the lines land in the same places again and again.
    std::string teamFile(const std::string& team)
    {
        const bool onePlayer = chance(25);
        const std::string player = key();
        std::vector<std::string> lines;
        for (int count = onePlayer ? number(20, 150) : number(0, 6); count > 0; --count)
            lines.push_back(teamOfferLine(team, onePlayer ? player : key()));
        return join(lines);
    }

    std::string team() { return pick<std::string>({"NY", "NYR", "TOR", "A", "BOST", "DAL", "COMMISH"}); }
    bool chance(int percent) { return number(1, 100) <= percent; }

private:
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    template <class T>
    T pick(std::initializer_list<T> items) { return items.begin()[number(0, int(items.size()) - 1)]; }

    std::string name()
    {
        // The last two share their name key.
        return pick<std::string>({"Arvo Lindqvist", "Pekka Roine", "Jonas Brandt", "Ola Moen",
                                  "Christopher Longname1", "Christopher Longname2"});
    }
    std::string key() { return (name() + std::string(22, ' ')).substr(0, 20); }

    std::string playerOrLookalike()
    {
        std::string line = test::playerLine(name(), number(18, 38), pick<std::string>({"UFA", "RFA"}),
                                            number(300000, 9000000), pick<std::string>({"C", "LW", "D"}), 70);
        switch (number(0, 5)) {
        case 0: return line.substr(0, 42);             // shortest player line
        case 1: return line.replace(23, 2, " 5");      // non-digit age: no player line
        default: return line;
        }
    }

    std::string offer(const std::string& tagTeam)
    {
        return "<" + tagTeam + "> " + pick<std::string>({"1.0/1 ", "2.5/3 +0.5 ", "0.75/2 role"});
    }

    std::string blockLine()
    {
        switch (number(0, 7)) {
        case 0: return "<SIGNED> " + offer(team());
        case 1: return "<signed> " + offer(team());
        case 2: return pick<std::string>({"x", "note: injured"});
        default: return offer(team());
        }
    }

    // Mostly lines that speak for the team; now and then one the merge refuses.
    std::string teamOfferLine(const std::string& team, const std::string& key)
    {
        const bool signings = team == "COMMISH";
        const std::string own = signings ? "<SIGNED> " + offer(this->team()) : offer(team);
        switch (number(0, 13)) {
        case 0: return "<" + team + "> 1.0/1 "; // made with no player selected
        case 1: return pick<std::string>({"", key, key + "<"});
        case 2: return key + "<" + team + "> <RETRACT>";
        case 3: return key + own + "no <RETRACT> here";
        case 4: return "Nobody Here         " + own;
        case 5: return key + "<SIGNED> " + offer(this->team());
        case 6: return key + offer(this->team());
        case 7: {
            // An offer that is itself a player line: it starts a block.
            std::string line = playerOrLookalike();
            const std::string tag = own.substr(0, own.find('>', signings ? 9 : 0) + 2);
            return key + line.replace(0, tag.size(), tag);
        }
        default: return key + own;
        }
    }

    std::string join(const std::vector<std::string>& lines)
    {
        const std::string end = pick<std::string>({"\r\n", "\r\n", "\r\n", "\r", "\n"});
        std::string bytes;
        for (const auto& line : lines)
            bytes += line + end;
        if (!bytes.empty() && chance(20))
            bytes.resize(bytes.size() - end.size()); // no line end after the last line
        return bytes;
    }

    std::mt19937 random_;
};

std::map<std::string, std::string> filesIn(const test::TempDir& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(test::fsPath(dir.path()))) {
        const std::string name = entry.path().filename().string();
        files[name] = dir.read(name);
    }
    return files;
}

TEST(TeamMergeDifferential, MatchesStepByStepMergeByteForByte)
{
    // The merge's logic is the same on every system; Windows (under Wine, where
    // each file call is many times slower) checks its files on a tenth of the seeds.
    const unsigned seeds = test::hasPosix() ? 3000 : 300;
    for (unsigned seed = 1; seed <= seeds; ++seed) {
        Generator generate(seed);
        test::TempDir product, reference;
        const std::string fa = generate.freeAgentFile();
        const std::string signedBefore = generate.chance(30) ? "------ earlier----\r\n" : "";
        for (const test::TempDir* dir : {&product, &reference}) {
            dir->write("fa.txt", fa);
            if (!signedBefore.empty())
                dir->write("signed.txt", signedBefore);
        }
        // One run over a few teams, a team now and then named twice.
        std::vector<std::string> teams;
        for (int count = 1 + generate.chance(50) + generate.chance(50) + generate.chance(30); count > 0; --count) {
            teams.push_back(!teams.empty() && generate.chance(15) ? teams.front() : generate.team());
            if (generate.chance(90)) {
                const std::string offers = generate.teamFile(teams.back());
                product.write(teams.back() + ".txt", offers);
                reference.write(teams.back() + ".txt", offers);
            }
        }
        const bool move = generate.chance(60);
        const bool deleteAfter = generate.chance(50);
        mergeTeams(product.path(), teams, move, deleteAfter);
        for (const std::string& team : teams) {
            test::referenceMergeTeamOffers(reference.path(), team, move);
            if (deleteAfter)
                std::filesystem::remove(test::fsPath(reference.file(team + ".txt")));
        }
        ASSERT_EQ(filesIn(product), filesIn(reference)) << "seed " << seed;
    }
}

} // namespace
} // namespace bidmark
