// The merge on files named as a mail client saves them: an accented team's
// offer file under the file system's spelling of its name.
#include <algorithm>

#include <gtest/gtest.h>

#include "commissioner/merge.h"
#include "core/linefile.h"
#include "tests/support/league.h"
#include "tests/support/system.h"
#include "tests/support/tempdir.h"

namespace bidmark {
namespace {

using Lines = std::vector<std::string>;

TEST(MergeFiles, AccentedTeamFindsTheOfferFileAMailClientSaved)
{
    test::TempDir league;
    league.writeLines("fa.txt", test::elevenLines());
    const std::string offer = "Arvo Lindqvist      <Montr\xE9" "al> 1.6/3 ";
    league.writeLines("Montr\xC3\xA9" "al.txt", {offer}); // UTF-8, as the file system spells it
    mergeTeams(league.path(), {"Montr\xE9" "al"}, true, true);
    const Lines fa = splitLines(league.read("fa.txt"));
    EXPECT_NE(std::find(fa.begin(), fa.end(), offer.substr(20)), fa.end());
    EXPECT_FALSE(league.exists("Montr\xC3\xA9" "al.txt")); // merged, then deleted
    EXPECT_FALSE(test::hasPosix() && league.exists("Montr\xE9" "al.txt")); // nothing made under the raw bytes
}

} // namespace
} // namespace bidmark
