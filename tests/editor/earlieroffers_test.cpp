#include "editor/earlieroffers.h"

#include <gtest/gtest.h>

#include "tests/support/league.h"
#include "tests/support/tempdir.h"

using namespace bidmark;
using bidmark::test::elevenLines;
using bidmark::test::kArvo;
using bidmark::test::kPekka;
using bidmark::test::views;

namespace {
const std::vector<std::string> kEleven = elevenLines();
}

// Against the eleven-line list: Arvo has TOR's and NY's offers, Pekka DAL's.
TEST(EarlierOffers, ShowsWhatFaTxtDoesNotShowYet)
{
    struct Case {
        const char* name;
        std::string line;
        bool shown;
    };
    const Case cases[] = {
        {"the same offer stands under him: merged", kArvo + "<TOR> 1.5/3 +0.25 top line role", false},
        {"another offer of the team stands: not merged", kArvo + "<TOR> 2.0/3 ", true},
        {"no offer of the team under him: not merged", kPekka + "<TOR> 0.5/1 ", true},
        {"a retraction with the team's offer still there: not merged", kArvo + "<TOR> <RETRACT>", true},
        {"a retraction with no offer of the team left: merged", kPekka + "<TOR> <RETRACT>", false},
        {"the same line under another player: not merged", kPekka + "<NY> 1.0/1 ", true},
    };
    for (const Case& c : cases) {
        const EarlierOffers earlier = sortEarlierOffers({c.line}, views(kEleven));
        EXPECT_EQ(earlier.held, 1u) << c.name;
        EXPECT_EQ(earlier.merged, c.shown ? 0u : 1u) << c.name;
        EXPECT_EQ(earlier.shown, c.shown ? std::vector<std::string>{c.line} : std::vector<std::string>()) << c.name;
    }
}

TEST(EarlierOffers, CountsLinesAndLeavesOutPlayersNoLongerListed)
{
    const std::vector<std::string> file = {
        kArvo + "<TOR> 1.5/3 +0.25 top line role", // merged
        "",                                        // not a line of the file's count
        "Gone Player         <TOR> 1.0/1 ",        // moved to signed.txt
        kPekka + "<TOR> 0.5/1 ",
    };
    const EarlierOffers earlier = sortEarlierOffers(file, views(kEleven));
    EXPECT_EQ(earlier.held, 3u);
    EXPECT_EQ(earlier.merged, 1u);
    EXPECT_EQ(earlier.shown, std::vector<std::string>{file[3]});
    EXPECT_EQ(earlierOffersSummary("TOR", earlier),
              "TOR.txt held 3 lines: 1 merged, 1 for players no longer listed, 1 shown below.");
    EXPECT_EQ(earlierOffersSummary("TOR", sortEarlierOffers({file[3]}, views(kEleven))),
              "TOR.txt held 1 line: 0 merged, 1 shown below.");
    EXPECT_EQ(earlierOffersSummary("TOR", {}), "");

    test::TempDir dir;
    EXPECT_EQ(readEarlierOffers(dir.path(), "TOR", views(kEleven)).held, 0u); // no file
    dir.writeLines("TOR.txt", file);
    EXPECT_EQ(readEarlierOffers(dir.path(), "TOR", views(kEleven)).shown, earlier.shown);
}
