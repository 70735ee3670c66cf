#include "core/linefile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/failure.h"
#include "tests/support/tempdir.h"

using namespace bidmark;
using bidmark::test::TempDir;
using bidmark::test::WorkingDirectory;
using Lines = std::vector<std::string>;

namespace {

std::string failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "(no failure)";
}

// Files in the folder, to see that no temporary file stays behind.
std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Lowers the file-size limit for its lifetime, with SIGXFSZ ignored, so that
// writes past `bytes` fail with EFBIG even when the tests run as root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace

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

TEST(JoinLines, EveryLineGetsCrLf)
{
    EXPECT_EQ(joinLines({}), "");
    EXPECT_EQ(joinLines({""}), "\r\n");
    EXPECT_EQ(joinLines({"a", "", "b "}), "a\r\n\r\nb \r\n");
}

TEST(PathIn, JoinsFolderAndName)
{
    EXPECT_EQ(pathIn("", "fa.txt"), "fa.txt");
    EXPECT_EQ(pathIn(".", "fa.txt"), "fa.txt");
    EXPECT_EQ(pathIn("/tmp/league", "fa.txt"), "/tmp/league/fa.txt");
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
    EXPECT_EQ(failureOf([] { readFile("fa.txt"); }), "File not found: fa.txt");
    EXPECT_EQ(failureOf([] { readLines("teams.txt"); }), "File not found: teams.txt");
    std::filesystem::create_directory(dir.file("folder"));
    EXPECT_EQ(failureOf([] { readFile("folder"); }).rfind("Cannot read folder: ", 0), 0u);
    EXPECT_FALSE(fileExists("folder"));
    EXPECT_FALSE(fileExists("fa.txt"));
    dir.write("fa.txt", "x");
    EXPECT_TRUE(fileExists("fa.txt"));
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
    writeFileAtomic("temp.txt", "x\r\n");
    EXPECT_EQ(dir.read("temp.txt"), "x\r\n");
    EXPECT_EQ(namesIn(dir.path()), Lines{"temp.txt"});
}

TEST(WriteFileAtomic, KeepsPermissionBitsOfTheOldFile)
{
    TempDir dir;
    dir.write("fa.txt", "old");
    ::chmod(dir.file("fa.txt").c_str(), 0640);
    writeFileAtomic(dir.file("fa.txt"), "new");
    struct stat st;
    ASSERT_EQ(::stat(dir.file("fa.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(WriteFileAtomic, FileSizeLimitLeavesTheOldFile)
{
    TempDir dir;
    dir.write("fa.txt", "old contents");
    std::string message;
    {
        FileSizeLimit limit(1000);
        message = failureOf([&] { writeFileAtomic(dir.file("fa.txt"), std::string(5000, 'n')); });
    }
    EXPECT_EQ(message, "Cannot write " + dir.file("fa.txt") + ": " + std::strerror(EFBIG));
    EXPECT_EQ(dir.read("fa.txt"), "old contents");
    EXPECT_EQ(namesIn(dir.path()), Lines{"fa.txt"});
}

TEST(WriteFileAtomic, MissingFolderFails)
{
    TempDir dir;
    std::string target = dir.file("missing/fa.txt");
    EXPECT_EQ(failureOf([&] { writeFileAtomic(target, "x"); }),
              "Cannot write " + target + ": " + std::strerror(ENOENT));
}

TEST(WriteFileAtomic, ReadOnlyFolderLeavesTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    TempDir dir;
    dir.write("fa.txt", "old");
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_EQ(failureOf([&] { writeFileAtomic(dir.file("fa.txt"), "new"); }).rfind("Cannot write ", 0), 0u);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(dir.read("fa.txt"), "old");
    EXPECT_EQ(namesIn(dir.path()), Lines{"fa.txt"});
}

TEST(WriteFileAtomic, FolderAsTargetFails)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("sub"));
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
    std::string missing = dir.file("missing/signed.txt");
    EXPECT_EQ(failureOf([&] { appendLines(missing, {"x"}); }),
              "Cannot write " + missing + ": " + std::strerror(ENOENT));
    dir.write("signed.txt", "old\r\n");
    std::string message;
    {
        FileSizeLimit limit(100);
        message = failureOf([&] { appendLines(dir.file("signed.txt"), {std::string(500, 'x')}); });
    }
    EXPECT_EQ(message, "Cannot write " + dir.file("signed.txt") + ": " + std::strerror(EFBIG));
}

TEST(DeleteFile, MissingFileIsAFailure)
{
    TempDir dir;
    WorkingDirectory here(dir.path());
    dir.write("COMMISH.txt", "x");
    deleteFile("COMMISH.txt");
    EXPECT_FALSE(dir.exists("COMMISH.txt"));
    EXPECT_EQ(failureOf([] { deleteFile("COMMISH.txt"); }), "File not found: COMMISH.txt");
    std::filesystem::create_directory(dir.file("sub"));
    EXPECT_EQ(failureOf([] { deleteFile("sub"); }).rfind("Cannot delete sub: ", 0), 0u);
}

TEST(FindFile, FirstRegularFileInCaseInsensitiveOrder)
{
    TempDir dir;
    dir.write("zTeamScoring.htm", "");
    dir.write("BTeamScoring.html", "");
    dir.write("bTeamScoring.htm", "");
    std::filesystem::create_directory(dir.file("ATeamScoring.htm"));
    // Byte order would put "BTeam..." first; the folder "ATeam..." is passed over.
    EXPECT_EQ(findFile(dir.path(), "*TeamScoring.htm*"), "bTeamScoring.htm");
    EXPECT_EQ(findFile(dir.path(), "*teamscoring.HTML"), "BTeamScoring.html");
    EXPECT_EQ(findFile(dir.path(), "Z*"), "zTeamScoring.htm");
    EXPECT_EQ(findFile(dir.path(), "fa.txt"), "");
    EXPECT_EQ(findFile(dir.file("missing"), "*"), "");

    TempDir ties;
    ties.write("ab.txt", "");
    ties.write("AB.txt", "");
    ties.write("Ab.txt", "");
    EXPECT_EQ(findFile(ties.path(), "*.TXT"), "AB.txt");

    WorkingDirectory here(dir.path());
    EXPECT_EQ(findFile(".", "Z?EAMSCORING.HTM"), "zTeamScoring.htm");
    EXPECT_EQ(findFile("", "z*"), "zTeamScoring.htm");
}
