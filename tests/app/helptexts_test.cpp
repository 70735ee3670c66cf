#include <algorithm>
#include <gtest/gtest.h>

#include "help/helptexts.h"

namespace bidmark {
namespace {

TEST(HelpTexts, HoldTheirFixedLines)
{
    const std::string version = versionText();
    EXPECT_EQ(std::count(version.begin(), version.end(), '\n'), 18);
    EXPECT_EQ(version.rfind("Bidmark V1.14 Sep 27/01 by ", 0), 0u);
    EXPECT_EQ(version.substr(version.rfind('\n')), "\n-Added Sign players Button to commissioners menu ");

    EXPECT_EQ(aboutText(), "Bidmark is a simple editor that creates a .txt file with your offers in it.\n"
                           "Rookie salary Cap set to 1.5M/X +1.5 for players that are 22 and under");

    const std::string league = leagueText();
    EXPECT_EQ(league.rfind("Visit the VELD web page at http", 0), 0u);
    EXPECT_EQ(league.find('\n'), std::string::npos);
}

} // namespace
} // namespace bidmark
