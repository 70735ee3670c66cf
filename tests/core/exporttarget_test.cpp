#include "core/exporttarget.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "tests/support/system.h"
#include "tests/support/tempdir.h"

using namespace bidmark;
namespace fs = std::filesystem;

namespace {
// A league folder with its files, a journal folder, a page of the simulator,
// one Bidmark wrote, and a folder of the user's beside it.
struct League {
    test::TempDir dir;
    Path folder = dir.file("league");
    Path elsewhere = dir.file("mine");

    League()
    {
        fs::create_directories(test::fsPath(folder / "history/run"));
        fs::create_directories(test::fsPath(elsewhere));
        for (const char* name : {"fa.txt", "signed.txt", "roster.html", "TOR.txt"})
            dir.write(std::string("league/") + name, "x\r\n");
        dir.write("league/teams.txt", "TOR\r\nMontr\xE9" "al\r\n");
        dir.write("league/leaguePage.html", "<!DOCTYPE html>\n" + std::string(kOwnPageMark) + "\n");
    }
    void link(const std::string& name, const Path& target) const
    {
        fs::create_symlink(test::fsPath(target), test::fsPath(dir.file(name)));
    }
};
} // namespace

TEST(ExportTarget, RefusesLeagueFilesAndTheJournalLinksFollowed)
{
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("symbolic links");
    const League league;
    league.link("mine/fa-link.csv", league.folder / "fa.txt");
    league.link("mine/history-link", league.folder / "history");
    const Path refused[] = {
        league.folder / "fa.txt",
        league.folder / "TEMP.TXT",          // case ignored, there or not
        league.folder / "marketVal.txt",
        league.folder / "TOR.txt",
        league.folder / "Montr\xC3\xA9" "al.txt", // a team of teams.txt, spelled as file names are
        league.folder / "roster.html",       // the simulator's page
        league.folder / "history/run/report.txt",
        league.folder / "history/new.csv",
        league.elsewhere / "fa-link.csv",
        league.elsewhere / "history-link/x.csv",
        league.folder / "../league/./signed.txt",
    };
    for (const Path& path : refused)
        EXPECT_TRUE(exportTargetProblem(league.folder, path)) << path.bytes();
    EXPECT_EQ(*exportTargetProblem(league.folder, league.folder / "fa.txt"),
              "Not written: " + (league.folder / "fa.txt").bytes()
                  + ". It would replace the league file fa.txt; choose another name.");

    const Path allowed[] = {
        league.folder / "values.csv",
        league.folder / "leaguePage.html", // written by Bidmark
        league.folder / "new page.html",
        league.folder / "NY.txt",          // no team of teams.txt
        league.elsewhere / "fa.txt",
    };
    for (const Path& path : allowed)
        EXPECT_FALSE(exportTargetProblem(league.folder, path)) << path.bytes();
}
