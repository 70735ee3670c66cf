// What the file layer refuses and what it follows: special files, oversized
// files, read-only files, links; and the program's start-up under a file-size
// limit.
#include "core/platform.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/linefile.h"
#include "tests/core/files.h"
#include "tests/support/system.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

namespace fs = std::filesystem;
using test::failureOf;
using test::namesIn;
using Names = std::vector<std::string>;

TEST(StartUp, FileSizeLimitIsAWriteFailureNotTheEndOfTheProgram)
{
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("file-size limits and signals");
    test::TempDir dir;
    dir.write("fa.txt", "old contents");
    const std::string expected = "Cannot write " + dir.file("fa.txt").bytes() + ": " + std::strerror(EFBIG);
    auto writePastTheLimit = [&](bool startedUp) {
        return test::runInChild(
            [&] {
                if (startedUp)
                    platform::prepareProcess();
                test::FileSizeLimit limit(1000);
                return failureOf([&] { writeFileAtomic(dir.file("fa.txt"), std::string(5000, 'n')); }) == expected
                    ? 0
                    : 1;
            },
            std::chrono::minutes(1));
    };
    // Without the start-up a signal ends the process half-way through the write.
    EXPECT_NE(writePastTheLimit(false).signal, 0);
    const test::ChildEnd started = writePastTheLimit(true);
    EXPECT_EQ(started.signal, 0);
    EXPECT_EQ(started.exitCode, 0);
    EXPECT_EQ(dir.read("fa.txt"), "old contents");
}

TEST(SpecialFiles, AreRefusedWhenReadOrWritten)
{
    test::TempDir dir;
    fs::create_directory(test::fsPath(dir.file("folder")));
    dir.write("huge.txt", "");
    fs::resize_file(test::fsPath(dir.file("huge.txt")), platform::kMaxFileSize + 1); // sparse: no disk used
    EXPECT_EQ(failureOf([&] { readFile(dir.file("huge.txt")); }),
              dir.file("huge.txt").bytes() + " is larger than 256 MiB; no league file is that large, so it was not read");
    EXPECT_EQ(failureOf([&] { readFile(dir.file("folder")); }).rfind("Cannot read " + dir.file("folder").bytes() + ": ", 0),
              0u);
    EXPECT_TRUE(fileExists(dir.file("huge.txt")));
    EXPECT_FALSE(fileExists(dir.file("folder")));
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("named pipes and device files");

    // A named pipe never blocks; a link to an endless device is not read.
    test::makeNamedPipe(dir.file("pipe.txt"));
    ASSERT_TRUE(test::makeLink(Path("/dev/zero"), dir.file("zero.txt")));
    for (const char* name : {"pipe.txt", "zero.txt"}) {
        const Path path = dir.file(name);
        EXPECT_EQ(failureOf([&] { readFile(path); }), path.bytes() + " is not a regular file");
        EXPECT_EQ(failureOf([&] { writeFileAtomic(path, "x"); }), path.bytes() + " is not a regular file");
        EXPECT_FALSE(fileExists(path));
    }
    EXPECT_TRUE(fs::is_fifo(test::fsPath(dir.file("pipe.txt"))));
    EXPECT_TRUE(fs::is_symlink(test::fsPath(dir.file("zero.txt"))));
}

TEST(ReadOnlyFile, IsRefusedAndKeptEvenForRoot)
{
    test::TempDir dir;
    dir.write("fa.txt", "protected");
    fs::permissions(test::fsPath(dir.file("fa.txt")), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::string refused = "Cannot write " + dir.file("fa.txt").bytes() + ": the file is read-only";
    EXPECT_EQ(failureOf([&] { checkWritable(dir.file("fa.txt")); }), refused);
    EXPECT_EQ(failureOf([&] { writeFileAtomic(dir.file("fa.txt"), "new"); }), refused);
    EXPECT_EQ(failureOf([&] { appendLines(dir.file("fa.txt"), {"more"}); }), refused);
    EXPECT_EQ(dir.read("fa.txt"), "protected");
    EXPECT_EQ(namesIn(dir.path()), Names{"fa.txt"});
    fs::permissions(test::fsPath(dir.file("fa.txt")), fs::perms::owner_write, fs::perm_options::add);
}

TEST(LinkedFile, TargetIsReplacedInItsOwnFolderAndALinkToNothingIsNotFollowed)
{
    test::TempDir shared, league;
    shared.write("fa.txt", "shared copy");
    if (!test::makeLink(shared.file("fa.txt"), league.file("fa.txt")))
        GTEST_SKIP() << "this system makes no symbolic links for this user";
    writeFileAtomic(league.file("fa.txt"), "merged");
    EXPECT_EQ(shared.read("fa.txt"), "merged");
    EXPECT_TRUE(fs::is_symlink(test::fsPath(league.file("fa.txt"))));
    EXPECT_EQ(namesIn(shared.path()), Names{"fa.txt"});
    EXPECT_EQ(namesIn(league.path()), Names{"fa.txt"});

    // A team file whose shared copy is gone is never created through the link.
    ASSERT_TRUE(test::makeLink(shared.file("TOR.txt"), league.file("TOR.txt")));
    const std::string refused = "Cannot write " + league.file("TOR.txt").bytes() + ": it is a link to a file that does not exist";
    EXPECT_EQ(failureOf([&] { appendLines(league.file("TOR.txt"), {}); }), refused);
    EXPECT_EQ(failureOf([&] { writeFileAtomic(league.file("TOR.txt"), "x"); }), refused);
    EXPECT_EQ(namesIn(shared.path()), Names{"fa.txt"});
    EXPECT_EQ(failureOf([&] { readFile(league.file("TOR.txt")); }), "File not found: " + league.file("TOR.txt").bytes());
}

TEST(RecordFolders, MakeLinkMoveCompareAndRemove)
{
    test::TempDir dir;
    const Path records = pathIn(dir.path(), "history/run 1");
    platform::makeFolder(records);
    platform::makeFolder(records); // already there
    dir.write("fa.txt", "list");
    linkOrCopyFile(dir.file("fa.txt"), pathIn(records, "fa.txt"));
    writeFileAtomic(dir.file("fa.txt"), "new list"); // the record keeps the old bytes
    EXPECT_EQ(readFile(pathIn(records, "fa.txt")), "list");
    EXPECT_FALSE(sameFileContent(dir.file("fa.txt"), pathIn(records, "fa.txt")));
    moveFile(pathIn(records, "fa.txt"), dir.file("fa.txt"));
    EXPECT_EQ(dir.read("fa.txt"), "list");
    linkOrCopyFile(dir.file("fa.txt"), pathIn(records, "copy.txt"));
    EXPECT_TRUE(sameFileContent(dir.file("fa.txt"), pathIn(records, "copy.txt")));
    EXPECT_EQ(listFolder(records), Names{"copy.txt"});
    EXPECT_EQ(listFolder(pathIn(dir.path(), "missing")), Names{});
    EXPECT_TRUE(platform::removeOwnFolder(pathIn(dir.path(), "history"), "run 1"));
    EXPECT_TRUE(platform::removeOwnFolder(pathIn(dir.path(), "history"), "run 1")); // gone already
    EXPECT_EQ(namesIn(pathIn(dir.path(), "history")), Names{});
    EXPECT_EQ(failureOf([&] { moveFile(pathIn(records, "gone.txt"), dir.file("x.txt")); })
                  .rfind("Cannot move " + pathIn(records, "gone.txt").bytes() + ": ", 0),
              0u);
}

} // namespace
} // namespace bidmark
