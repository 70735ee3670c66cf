#include "core/leaguefiles.h"
#include "core/teamfiles.h"

#include <gtest/gtest.h>

using namespace bidmark;

namespace {
const std::string kArvo = "Arvo Lindqvist      ";
}

TEST(TeamOfferLines, FileNamesAndParts)
{
    EXPECT_EQ(teamOfferFileName("TOR"), "TOR.txt");
    EXPECT_EQ(teamOfferFileName(""), ".txt");
    EXPECT_EQ(teamOfferFileName("New york"), "New york.txt");

    const std::string line = kArvo + "<TOR> 1.6/3 +0.25 top line role";
    EXPECT_EQ(offerText(line), "<TOR> 1.6/3 +0.25 top line role");
    EXPECT_EQ(tagStart(line), "<TOR");
    EXPECT_EQ(tagStart(kArvo + "<NY> 1.0/1 "), "<NY>");
    EXPECT_EQ(tagStart(kArvo + "<N"), "<N");
    EXPECT_EQ(offerText(kArvo), "");
    EXPECT_EQ(offerText("short"), "");
    EXPECT_EQ(tagStart("short"), "");

    EXPECT_TRUE(isUsableTeamOfferLine(kArvo + "<T"));
    EXPECT_FALSE(isUsableTeamOfferLine(kArvo + "<"));
    EXPECT_FALSE(isUsableTeamOfferLine(kArvo));
    EXPECT_FALSE(isUsableTeamOfferLine(""));
    EXPECT_EQ(signingHeader("FA01 Signed Players"), "------ FA01 Signed Players----");
    EXPECT_EQ(signingHeader(""), "------ ----");
}

TEST(TeamOfferLines, RetractionIsExactlyTagBlankMarker)
{
    EXPECT_TRUE(isRetraction("Pekka Roine         <TOR> <RETRACT>"));
    EXPECT_TRUE(isRetraction(kArvo + "<> <RETRACT>"));
    EXPECT_TRUE(isRetraction(kArvo + "<New York> <RETRACT>"));
    EXPECT_FALSE(isRetraction(kArvo + "<TOR> 1.0/1 <RETRACT>"));
    EXPECT_FALSE(isRetraction(kArvo + "<TOR> 1.0/1 see <RETRACT> later"));
    EXPECT_FALSE(isRetraction(kArvo + "<TOR>  <RETRACT>"));
    EXPECT_FALSE(isRetraction(kArvo + "<TOR> <RETRACT> "));
    EXPECT_FALSE(isRetraction(kArvo + "<A>B> <RETRACT>"));
    EXPECT_FALSE(isRetraction(kArvo + "TOR> <RETRACT>"));
    EXPECT_FALSE(isRetraction("<TOR> <RETRACT>")); // no name key
    EXPECT_FALSE(isRetraction(""));
}

TEST(TeamNames, RefusesPathsTagMarksAndTheLeaguesOwnFiles)
{
    EXPECT_FALSE(teamNameProblem("TOR").has_value());
    EXPECT_FALSE(teamNameProblem("").has_value());
    EXPECT_FALSE(teamNameProblem("COMMISH").has_value());
    EXPECT_FALSE(teamNameProblem("fax").has_value());
    EXPECT_FALSE(teamNameProblem("New York").has_value());

    EXPECT_EQ(teamNameProblem("fa"),
              std::optional<std::string>(
                  "The team name \"fa\" cannot be used: it would name the league's own file fa.txt."));
    EXPECT_EQ(teamNameProblem("../x"),
              std::optional<std::string>(
                  "The team name \"../x\" cannot be used: a team name must be a plain file name."));
    EXPECT_EQ(teamNameProblem("A<B"),
              std::optional<std::string>("The team name \"A<B\" cannot be used: its tag could not be told "
                                         "apart from an offer's text."));
    for (const char* bad : {"FA", "Temp", "SIGNED", "teams", "marketval", "MARKETVAL", ".", "..", "a/b", "a\\b",
                            "c:", "/", "<none>", "TOR> 1.0/1 ", ">"})
        EXPECT_TRUE(teamNameProblem(bad).has_value()) << bad;
    auto withNul = teamNameProblem(std::string("a\0b", 3));
    ASSERT_TRUE(withNul.has_value());
    EXPECT_EQ(withNul->find('\0'), std::string::npos);
}
