#include "core/linefile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/core/files.h"
#include "tests/support/system.h"
#include "tests/support/tempdir.h"

using namespace bidmark;
using bidmark::test::TempDir;
using bidmark::test::WorkingDirectory;
using Lines = std::vector<std::string>;

using test::failureOf;
using test::namesIn;

TEST(SplitLines, EndsAtCrLfLoneCrOrLoneLf)
{
    EXPECT_EQ(splitLines(""), Lines{});
    EXPECT_EQ(splitLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(splitLines("\r\n"), Lines{""});
    EXPECT_EQ(splitLines("a\r\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(splitLines("a\n\r"), (Lines{"a", ""}));
    EXPECT_EQ(splitLines("a\rb\nc\r\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("last line without end"), Lines{"last line without end"});
    EXPECT_EQ(splitLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(splitLines(std::string("a\0b\r\n\0", 6)), (Lines{std::string("a\0b", 3), std::string("\0", 1)}));
}

// Lines of every length around a word of eight bytes, filled with the bytes
// nearest CR and LF and with high bytes, each line end at every place.
TEST(SplitLines, FindsEachLineEndWhateverItsPlace)
{
    const std::string fillers("\x0b\x0c\x0e\x8a\x8d\xff\x00 ", 8);
    for (std::size_t length = 0; length < 20; ++length) {
        for (const char* end : {"\r\n", "\r", "\n"}) {
            std::string line;
            for (std::size_t i = 0; i < length; ++i)
                line += fillers[(i + length) % fillers.size()];
            EXPECT_EQ(splitLines(line + end + line + end + "x"), (Lines{line, line, "x"})) << length << end;
        }
    }
}

TEST(JoinLines, EveryLineGetsCrLf)
{
    EXPECT_EQ(joinLines({}), "");
    EXPECT_EQ(joinLines({""}), "\r\n");
    EXPECT_EQ(joinLines({"a", "", "b "}), "a\r\n\r\nb \r\n");
}

TEST(PathIn, JoinsFolderAndName)
{
    EXPECT_EQ(pathIn(Path(""), "fa.txt"), Path("fa.txt"));
    EXPECT_EQ(pathIn(Path("."), "fa.txt"), Path("fa.txt"));
    EXPECT_EQ(pathIn(Path("/tmp/league"), "fa.txt"), Path("/tmp/league/fa.txt"));
    EXPECT_EQ(pathIn(Path("/tmp/league/"), "fa.txt"), Path("/tmp/league/fa.txt"));
}

TEST(Path, NamesItsLastPartAndShowsAsLeagueText)
{
    EXPECT_EQ((Path("history") / "2026-12-07 run").name(), "2026-12-07 run");
    EXPECT_EQ(Path("C:\\league\\fa.txt").name(), "fa.txt");
    EXPECT_EQ(Path("fa.txt").name(), "fa.txt");
    EXPECT_EQ(Path("Montr\xc3\xa9" "al/\xc5\x81\xc3\xb3" "d\xc5\xba").shown(), "Montr\xe9" "al/?\xf3" "d?");
}

// "Montréal" in teams.txt is Windows-1252; its file is named as the file
// system spells names, and one named by the raw bytes is found too.
TEST(PathIn, SpellsLeagueTextAsTheFileSystemDoesAndFindsRawNames)
{
    const std::string team = "Montr\xE9" "al.txt", spelled = "Montr\xC3\xA9" "al.txt";
    TempDir dir;
    EXPECT_EQ(pathIn(dir.path(), team), dir.path() / spelled);
    writeLinesAtomic(pathIn(dir.path(), team), {"offer"});
    EXPECT_EQ(namesIn(dir.path()), Lines{spelled});
    EXPECT_EQ(readLines(pathIn(dir.path(), team)), Lines{"offer"});
    EXPECT_EQ(failureOf([&] { readFile(pathIn(dir.path(), "\xC9quipe.htm")); }),
              "File not found: " + dir.path().bytes() + "/\xC9quipe.htm"); // messages keep naming league text

    if (!test::hasPosix())
        GTEST_SKIP() << "Windows names are UTF-16: the raw bytes name the same file";
    TempDir raw;
    raw.write(team, "from an archive");
    EXPECT_EQ(readFile(pathIn(raw.path(), team)), "from an archive");
    raw.write(spelled, "from a mail client"); // both there: the file system's spelling wins
    EXPECT_EQ(readFile(pathIn(raw.path(), team)), "from a mail client");
}

TEST(ReadFile, ReadsEveryKindOfLineEnd)
{
    TempDir dir;
    dir.write("cr.txt", "one\rtwo\rthree");
    EXPECT_EQ(readLines(dir.file("cr.txt")), (Lines{"one", "two", "three"}));
    dir.write("mixed.txt", "a\r\nb\nc\r\r\n");
    EXPECT_EQ(readLines(dir.file("mixed.txt")), (Lines{"a", "b", "c", ""}));
    dir.write("empty.txt", "");
    EXPECT_EQ(readLines(dir.file("empty.txt")), Lines{});
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary += static_cast<char>(i);
    dir.write("binary.bin", binary);
    EXPECT_EQ(readFile(dir.file("binary.bin")), binary);
}

TEST(ReadFile, TakesATenMegabyteLine)
{
    TempDir dir;
    std::string longLine(10 * 1024 * 1024, 'x');
    dir.write("long.txt", "first\r\n" + longLine + "\r\nlast");
    Lines lines = readLines(dir.file("long.txt"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], longLine);
    EXPECT_EQ(lines[2], "last");
}

TEST(ReadFile, MissingFileAndFolderFail)
{
    TempDir dir;
    WorkingDirectory here(dir.path());
    EXPECT_EQ(failureOf([] { readFile(Path("fa.txt")); }), "File not found: fa.txt");
    EXPECT_EQ(failureOf([] { readLines(Path("teams.txt")); }), "File not found: teams.txt");
    std::filesystem::create_directory(test::fsPath(dir.file("folder")));
    EXPECT_EQ(failureOf([] { readFile(Path("folder")); }).rfind("Cannot read folder: ", 0), 0u);
    EXPECT_FALSE(fileExists(Path("folder")));
    EXPECT_FALSE(fileExists(Path("fa.txt")));
    dir.write("fa.txt", "x");
    EXPECT_TRUE(fileExists(Path("fa.txt")));
}

TEST(WriteFileAtomic, CreatesAndReplacesWithoutLeftovers)
{
    TempDir dir;
    writeLinesAtomic(dir.file("fa.txt"), {"a", "", "b"});
    EXPECT_EQ(dir.read("fa.txt"), "a\r\n\r\nb\r\n");
    writeFileAtomic(dir.file("fa.txt"), "new");
    EXPECT_EQ(dir.read("fa.txt"), "new");
    writeLinesAtomic(dir.file("fa.txt"), {});
    EXPECT_EQ(dir.read("fa.txt"), "");
    EXPECT_EQ(namesIn(dir.path()), Lines{"fa.txt"});
}

TEST(WriteFileAtomic, RelativeNameInWorkingFolder)
{
    TempDir dir;
    WorkingDirectory here(dir.path());
    writeFileAtomic(Path("temp.txt"), "x\r\n");
    EXPECT_EQ(dir.read("temp.txt"), "x\r\n");
    EXPECT_EQ(namesIn(dir.path()), Lines{"temp.txt"});
}

TEST(WriteFileAtomic, KeepsPermissionBitsOfTheOldFile)
{
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("permission bits");
    namespace fs = std::filesystem;
    TempDir dir;
    dir.write("fa.txt", "old");
    const auto bits = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(test::fsPath(dir.file("fa.txt")), bits);
    writeFileAtomic(dir.file("fa.txt"), "new");
    EXPECT_EQ(fs::status(test::fsPath(dir.file("fa.txt"))).permissions(), bits);
}

TEST(WriteFileAtomic, FileSizeLimitLeavesTheOldFile)
{
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("file-size limits");
    platform::prepareProcess(); // as the program starts
    TempDir dir;
    dir.write("fa.txt", "old contents");
    std::string message;
    {
        test::FileSizeLimit limit(1000);
        message = failureOf([&] { writeFileAtomic(dir.file("fa.txt"), std::string(5000, 'n')); });
    }
    EXPECT_EQ(message, "Cannot write " + dir.file("fa.txt").bytes() + ": " + std::strerror(EFBIG));
    EXPECT_EQ(dir.read("fa.txt"), "old contents");
    EXPECT_EQ(namesIn(dir.path()), Lines{"fa.txt"});
}

TEST(WriteFileAtomic, MissingFolderFails)
{
    TempDir dir;
    Path target = dir.file("missing/fa.txt");
    EXPECT_EQ(failureOf([&] { writeFileAtomic(target, "x"); }),
              "Cannot write " + target.bytes() + ": " + std::strerror(ENOENT));
}

TEST(WriteFileAtomic, ReadOnlyFolderLeavesTheOldFile)
{
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("read-only folders");
    if (test::runningAsRoot())
        GTEST_SKIP() << "permission bits do not stop root";
    namespace fs = std::filesystem;
    TempDir dir;
    dir.write("fa.txt", "old");
    fs::permissions(test::fsPath(dir.path()), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(failureOf([&] { writeFileAtomic(dir.file("fa.txt"), "new"); }).rfind("Cannot write ", 0), 0u);
    fs::permissions(test::fsPath(dir.path()), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(dir.read("fa.txt"), "old");
    EXPECT_EQ(namesIn(dir.path()), Lines{"fa.txt"});
}

TEST(WriteFileAtomic, FolderAsTargetFails)
{
    TempDir dir;
    std::filesystem::create_directory(test::fsPath(dir.file("sub")));
    EXPECT_EQ(failureOf([&] { writeFileAtomic(dir.file("sub"), "x"); }).rfind("Cannot write ", 0), 0u);
    EXPECT_EQ(namesIn(dir.path()), Lines{"sub"});
}

TEST(AppendLines, CreatesThenAppends)
{
    TempDir dir;
    appendLines(dir.file("signed.txt"), {"------ FA01 Signed Players----"});
    appendLines(dir.file("signed.txt"), {"player", "<SIGNED> <TOR> 1.0/1 "});
    EXPECT_EQ(dir.read("signed.txt"), "------ FA01 Signed Players----\r\nplayer\r\n<SIGNED> <TOR> 1.0/1 \r\n");
    appendLines(dir.file("empty.txt"), {});
    EXPECT_TRUE(dir.exists("empty.txt"));
}

TEST(AppendLines, WriteFailuresAreReported)
{
    TempDir dir;
    Path missing = dir.file("missing/signed.txt");
    EXPECT_EQ(failureOf([&] { appendLines(missing, {"x"}); }),
              "Cannot write " + missing.bytes() + ": " + std::strerror(ENOENT));
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("file-size limits");
    platform::prepareProcess(); // as the program starts
    dir.write("signed.txt", "old\r\n");
    std::string message;
    {
        test::FileSizeLimit limit(100);
        message = failureOf([&] { appendLines(dir.file("signed.txt"), {std::string(500, 'x')}); });
    }
    EXPECT_EQ(message, "Cannot write " + dir.file("signed.txt").bytes() + ": " + std::strerror(EFBIG));
}

// The unflushed writes are whole all the same; a record is never written over.
TEST(WriteUnflushed, WholeFilesAndRecordsNeverWrittenOver)
{
    TempDir dir;
    writeFileAtomic(dir.file("temp.txt"), "old\r\n");
    writeFileAtomic(dir.file("temp.txt"), "new\r\n", platform::Flush::left);
    EXPECT_EQ(dir.read("temp.txt"), "new\r\n");
    writeRecordLines(dir.file("report.txt"), {"Merge Team Offers", ""});
    EXPECT_EQ(dir.read("report.txt"), "Merge Team Offers\r\n\r\n");
    EXPECT_EQ(failureOf([&] { writeRecordLines(dir.file("report.txt"), {"again"}); }),
              "Cannot write " + dir.file("report.txt").shown() + ": a file of that name is there already");
    EXPECT_EQ(dir.read("report.txt"), "Merge Team Offers\r\n\r\n");
    EXPECT_EQ(namesIn(dir.path()), (Lines{"report.txt", "temp.txt"}));
}

TEST(DeleteFile, MissingFileIsAFailure)
{
    TempDir dir;
    WorkingDirectory here(dir.path());
    dir.write("COMMISH.txt", "x");
    deleteFile(Path("COMMISH.txt"));
    EXPECT_FALSE(dir.exists("COMMISH.txt"));
    EXPECT_EQ(failureOf([] { deleteFile(Path("COMMISH.txt")); }), "File not found: COMMISH.txt");
    std::filesystem::create_directory(test::fsPath(dir.file("sub")));
    EXPECT_EQ(failureOf([] { deleteFile(Path("sub")); }).rfind("Cannot delete sub: ", 0), 0u);
}

TEST(FindFile, FirstRegularFileInCaseInsensitiveOrder)
{
    TempDir dir;
    dir.write("zTeamScoring.htm", "");
    dir.write("BTeamScoring.html", "");
    dir.write("bTeamScoring.htm", "");
    std::filesystem::create_directory(test::fsPath(dir.file("ATeamScoring.htm")));
    // Byte order would put "BTeam..." first; the folder "ATeam..." is passed over.
    EXPECT_EQ(findFile(dir.path(), "*TeamScoring.htm*"), "bTeamScoring.htm");
    EXPECT_EQ(findFile(dir.path(), "*teamscoring.HTML"), "BTeamScoring.html");
    EXPECT_EQ(findFile(dir.path(), "Z*"), "zTeamScoring.htm");
    EXPECT_EQ(findFile(dir.path(), "fa.txt"), "");
    EXPECT_EQ(findFile(dir.file("missing"), "*"), "");

    {
        WorkingDirectory here(dir.path());
        EXPECT_EQ(findFile(Path("."), "Z?EAMSCORING.HTM"), "zTeamScoring.htm");
        EXPECT_EQ(findFile(Path(""), "z*"), "zTeamScoring.htm");
    }
    if (!test::hasPosix())
        GTEST_SKIP() << "names that differ only in case name one file on Windows";
    TempDir ties;
    ties.write("ab.txt", "");
    ties.write("AB.txt", "");
    ties.write("Ab.txt", "");
    EXPECT_EQ(findFile(ties.path(), "*.TXT"), "AB.txt");
}

TEST(FindFile, MatchesNamesAsLeagueText)
{
    TempDir dir;
    dir.write("\xC3\x89quipe Rosters.htm", "page");      // "Équipe", UTF-8
    dir.write("\xC5\x81\xC3\xB3" "d\xC5\xBA.htm", "page"); // "Łódź": no Windows-1252 name
    const std::string found = findFile(dir.path(), "\xE9quipe*.HTM");
    EXPECT_EQ(found, "\xC9quipe Rosters.htm");
    EXPECT_EQ(readFile(pathIn(dir.path(), found)), "page");
    EXPECT_EQ(findFile(dir.path(), "*d?.htm"), "");
}
