// A merge that cannot write leaves fa.txt whole and signed.txt as it was, so
// that merging again once the disk is fixed gives the same files as before.
#include <filesystem>

#include <gtest/gtest.h>

#include "commissioner/merge.h"
#include "core/failure.h"
#include "core/platform.h"
#include "tests/support/league.h"
#include "tests/support/system.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

const std::string kOffer = "Arvo Lindqvist      <TOR> 1.6/3 top line role";

struct Expected {
    std::string fa, signedLog;
};

// The files a merge leaves on a disk that does not fail.
Expected mergedWithoutFailure(const std::string& fa, const std::string& signedLog)
{
    test::TempDir dir;
    dir.write("fa.txt", fa);
    dir.write("signed.txt", signedLog);
    dir.writeLines("TOR.txt", {kOffer});
    mergeTeamOffers(dir.path(), "TOR", true);
    return {dir.read("fa.txt"), dir.read("signed.txt")};
}

TEST(TeamMergeFailure, FileSizeLimitAtEveryWriteKeepsFilesWhole)
{
    if (!test::hasPosix())
        GTEST_SKIP() << test::posixOnly("file-size limits");
    platform::prepareProcess(); // as the program starts
    std::string fa;
    for (const auto& line : test::elevenLines())
        fa += line + "\r\n";
    for (const std::string& signedLog : {std::string(), std::string(600, 'x') + "\r\n"}) {
        const Expected merged = mergedWithoutFailure(fa, signedLog);
        // Each limit stops a different write: signed.txt, then temp.txt and fa.txt.
        for (std::size_t limit = 0; limit <= merged.fa.size() + merged.signedLog.size(); limit += 7) {
            test::TempDir dir;
            dir.write("fa.txt", fa);
            dir.write("signed.txt", signedLog);
            dir.writeLines("TOR.txt", {kOffer});
            try {
                test::FileSizeLimit limited(limit);
                mergeTeamOffers(dir.path(), "TOR", true);
            } catch (const Failure&) {
                EXPECT_EQ(dir.read("fa.txt"), fa) << "limit " << limit;
                EXPECT_EQ(dir.read("signed.txt"), signedLog) << "limit " << limit;
            }
            mergeTeamOffers(dir.path(), "TOR", true); // again, on a sound disk
            EXPECT_EQ(dir.read("fa.txt"), merged.fa) << "limit " << limit;
            EXPECT_EQ(dir.read("signed.txt"), merged.signedLog) << "limit " << limit;
        }
    }
}

TEST(TeamMergeFailure, TargetThatIsAFolderStopsTheMerge)
{
    const std::string earlier = "------ earlier----\r\n";
    for (const std::string blocked : {"signed.txt", "temp.txt"}) {
        test::TempDir dir;
        dir.writeLines("fa.txt", test::elevenLines());
        dir.writeLines("TOR.txt", {kOffer});
        dir.write("signed.txt", earlier);
        std::filesystem::remove(test::fsPath(dir.file(blocked)));
        std::filesystem::create_directory(test::fsPath(dir.file(blocked)));
        const std::string fa = dir.read("fa.txt");
        EXPECT_THROW(mergeTeamOffers(dir.path(), "TOR", true), Failure) << blocked;
        EXPECT_EQ(dir.read("fa.txt"), fa) << blocked;
        if (blocked == "temp.txt") {
            EXPECT_EQ(dir.read("signed.txt"), earlier);
        }
    }
}

} // namespace
} // namespace bidmark
