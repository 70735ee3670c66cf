// The commissioner's week on real files: offer files arrive under the names
// mail programs give them, Offers Received shows what the merge would take,
// the merge writes a receipt per team, and Undo takes the week back.
#include <filesystem>

#include <gtest/gtest.h>

#include "commissioner/mergerun.h"
#include "commissioner/receipts.h"
#include "commissioner/receive.h"
#include "commissioner/received.h"
#include "core/journal.h"
#include "core/linefile.h"
#include "core/undo.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

namespace fs = std::filesystem;
const fs::path kWeek = fs::path(BIDMARK_CASES) / "week";

struct Seen {
    std::string team, file;
    std::size_t lines, used;
    std::string refused;
    std::vector<std::string> variants;
};

std::vector<Seen> seen(const Path& folder)
{
    std::vector<Seen> rows;
    for (const ReceivedTeam& team : offersReceived(folder, true)) {
        const LineCounts counts = countLines(team.file);
        rows.push_back({team.file.team, team.file.missing ? "nothing received" : team.file.fileName,
                        team.file.lineCount, counts.added + counts.replaced + counts.takenBack,
                        refusedText(team.file), team.variants});
    }
    return rows;
}

bool operator==(const Seen& a, const Seen& b)
{
    return a.team == b.team && a.file == b.file && a.lines == b.lines && a.used == b.used && a.refused == b.refused
           && a.variants == b.variants;
}

void PrintTo(const Seen& row, std::ostream* out)
{
    *out << row.team << " " << row.file << " " << row.lines << " " << row.used << " " << row.refused;
}

// Each line of the receipt as expected, the date line only by its start,
// and each followed by CR LF as every file the league mails.
void expectReceipt(const Path& runFolder, const std::string& team)
{
    const std::vector<std::string> expected = readLines(test::pathOf(kWeek / "receipts" / (team + ".txt")));
    const std::string bytes = readFile(pathIn(pathIn(runFolder, kReceiptsFolder), team + ".txt"));
    std::vector<std::string> actual = splitLines(bytes);
    EXPECT_EQ(bytes, joinLines(actual)) << team;
    ASSERT_EQ(actual.size(), expected.size()) << team;
    ASSERT_EQ(actual[2].rfind("Date: ", 0), 0u);
    actual[2] = "Date: ";
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << team << " line " << i + 1;
}

void undoLast(const Path& folder, std::string_view run)
{
    const std::optional<UndoPlan> plan = planUndo(folder);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->run, run);
    undoRun(folder, *plan);
}

TEST(CommissionersWeek, ReceiveLookMergeMailReceiptsAndUndo)
{
    test::TempDir league;
    fs::copy(kWeek / "league", test::fsPath(league.path()), fs::copy_options::recursive);
    const std::string start = league.read("fa.txt");

    EXPECT_EQ(seen(league.path()), (std::vector<Seen>{{"TOR", "nothing received", 0, 0, "0", {}},
                                                     {"NY", "nothing received", 0, 0, "0", {"NY.txt.txt"}},
                                                     {"BOS", "nothing received", 0, 0, "0", {}}}));

    // Mail from TOR, a file speaking for two teams, and NY's copy in the league folder.
    Receiving receiving(league.path());
    std::vector<std::string> refused;
    for (const fs::path& file : {kWeek / "mail" / "TOR (2).txt", kWeek / "mail" / "both.txt",
                                 test::fsPath(league.file("NY.txt.txt"))}) {
        const Arrival arrival = receiving.inspect(test::pathOf(file));
        if (arrival.refused.empty())
            receiving.take(arrival, Taking::Replace);
        else
            refused.push_back(arrival.refused);
    }
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_NE(refused[0].find("both.txt: its lines speak for several teams (TOR, NY)"), std::string::npos);
    runJournalled(league.path(), kReceiveRunName, receiving.files(), [&](const Path&) { receiving.write(); });
    EXPECT_EQ(league.read("TOR.txt"), readFile(test::pathOf(kWeek / "mail" / "TOR (2).txt")));

    EXPECT_EQ(seen(league.path()),
              (std::vector<Seen>{{"TOR", "TOR.txt", 3, 2, "1 (1 already signed)", {}},
                                 {"NY", "NY.txt", 2, 1, "1 (1 breaks the contract rules)", {"NY.txt.txt"}},
                                 {"BOS", "nothing received", 0, 0, "0", {}}}));

    // The merge, named after last week's.
    const std::optional<std::string> name = nextMergeName(league.path());
    EXPECT_EQ(name, "FA02 Signed Players");
    MergeTeamOffersRun merge(league.path(), name, {});
    Recovered recovered;
    merge.run(recovered);
    EXPECT_EQ(merge.report().unkept, "");
    for (const char* team : {"TOR", "NY", "BOS"})
        expectReceipt(merge.report().runFolder, team);
    EXPECT_FALSE(league.exists("TOR.txt"));

    undoLast(league.path(), kMergeRunName);
    undoLast(league.path(), kReceiveRunName);
    EXPECT_FALSE(league.exists("TOR.txt"));
    EXPECT_FALSE(league.exists("NY.txt"));
    EXPECT_TRUE(league.exists("NY.txt.txt"));
    EXPECT_EQ(league.read("fa.txt"), start);
}

TEST(MailNames, VariantsOfTheTeamsFileAndTheTeamALineSpeaksFor)
{
    for (const char* name : {"TOR (2).txt", "tor.txt", "TOR.TXT", "TOR.txt.txt", "Tor (12).TXT"})
        EXPECT_TRUE(isMailVariant(name, "TOR")) << name;
    for (const char* name : {"TOR.txt", "TORONTO.txt", "TOR (x).txt", "TOR", "NY.txt", "TOR (2).csv"})
        EXPECT_FALSE(isMailVariant(name, "TOR")) << name;

    const std::pair<std::string, std::vector<std::string>> files[] = {
        {"Arvo Lindqvist      <TOR> 1.6/3 \r\nPekka Roine         <TOR> <RETRACT>\r\n", {"TOR"}},
        {"Arvo Lindqvist      <TOR> 1.6/3 \nPekka Roine         <NY> 1.0/1 ", {"TOR", "NY"}},
        {"Arvo Lindqvist      <SIGNED> <TOR> 1.6/3 \r\nshort\r\nArvo Lindqvist      TOR 1.0/1 ", {}},
    };
    for (const auto& [bytes, teams] : files)
        EXPECT_EQ(teamsSpokenFor(bytes), teams) << bytes;
}

} // namespace
} // namespace bidmark
