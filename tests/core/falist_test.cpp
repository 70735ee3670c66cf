#include "core/falist.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "tests/support/league.h"

using namespace bidmark;
using bidmark::test::elevenLines;
using bidmark::test::playerLine;

namespace {
std::vector<Filter> filtersOf(const std::string& line)
{
    std::vector<Filter> found;
    for (int i = 0; i < kFilterCount; ++i)
        if (matchesFilter(line, static_cast<Filter>(i)))
            found.push_back(static_cast<Filter>(i));
    return found;
}
} // namespace

TEST(FaListLines, RecognisesTheElevenLineExample)
{
    const auto lines = elevenLines();
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_TRUE(isHeadingLine(lines[0]));
    EXPECT_FALSE(isPlayerLine(lines[0]));
    for (int i : {1, 5, 8}) {
        EXPECT_EQ(lines[i].size(), 49u);
        EXPECT_TRUE(isPlayerLine(lines[i])) << i;
        EXPECT_TRUE(isListedPlayerLine(lines[i])) << i;
    }
    for (int i : {2, 3, 6, 9}) {
        EXPECT_FALSE(isPlayerLine(lines[i])) << i;
        EXPECT_FALSE(isEmptyLine(lines[i])) << i;
    }
    for (int i : {4, 7, 10})
        EXPECT_TRUE(isEmptyLine(lines[i]));
    EXPECT_TRUE(isSignedLine(lines[9]));
    EXPECT_FALSE(isSignedLine(lines[2]));
    EXPECT_FALSE(isSignedLine("<signed> <TOR> 1.0/1 "));
    EXPECT_FALSE(isHeadingLine("players"));
}

TEST(FaListLines, FiltersByPositionAndStatus)
{
    const auto lines = elevenLines();
    EXPECT_EQ(filtersOf(lines[1]), (std::vector<Filter>{Filter::LeftWingers, Filter::UFA}));
    EXPECT_EQ(filtersOf(lines[5]), (std::vector<Filter>{Filter::Goalies, Filter::RFA}));
    EXPECT_EQ(filtersOf(lines[8]), (std::vector<Filter>{Filter::Defense, Filter::UFA}));
    EXPECT_EQ(filtersOf(playerLine("Centre Man", 30, "UFA", 1, "C", 60)),
              (std::vector<Filter>{Filter::Centers, Filter::UFA}));
    EXPECT_EQ(filtersOf(playerLine("Right Wing", 30, "RFA", 1, "RW", 60)),
              (std::vector<Filter>{Filter::RightWingers, Filter::RFA}));
    EXPECT_TRUE(filtersOf(lines[0]).empty());
    EXPECT_TRUE(filtersOf("").empty());
}

TEST(FaListLines, ShortAndMalformedPlayerLines)
{
    const std::string player = elevenLines()[1];
    const std::string exact42 = player.substr(0, 42);
    EXPECT_TRUE(isPlayerLine(exact42));
    EXPECT_FALSE(isListedPlayerLine(exact42));
    EXPECT_FALSE(isPlayerLine(player.substr(0, 41)));

    std::string oneDigitAge = player;
    oneDigitAge[23] = ' ';
    oneDigitAge[24] = '5';
    EXPECT_FALSE(isPlayerLine(oneDigitAge));
    EXPECT_FALSE(isListedPlayerLine(oneDigitAge));

    std::string noBlank43 = player;
    noBlank43[42] = 'X';
    EXPECT_TRUE(isPlayerLine(noBlank43));
    EXPECT_FALSE(isListedPlayerLine(noBlank43));
}

TEST(FaListFields, ReadsTheColumns)
{
    const auto lines = elevenLines();
    EXPECT_EQ(nameKey(lines[1]), "Arvo Lindqvist      ");
    EXPECT_EQ(nameKey("short"), "short");
    EXPECT_EQ(playerAge(lines[1]), 24);
    EXPECT_EQ(playerAge(lines[5]), 22);
    EXPECT_EQ(lastSalary(lines[1]), 850000);
    EXPECT_EQ(lastSalary(lines[8]), 2500000);
    EXPECT_EQ(positionLetter(lines[1]), 'W');
    EXPECT_EQ(positionLetter(lines[5]), 'G');
    EXPECT_EQ(positionLetter(lines[8]), 'D');
    EXPECT_EQ(positionLetter("too short"), ' ');
    EXPECT_EQ(overallRating(lines[1]), 71);
    EXPECT_EQ(overallRating(lines[5]), 80);
    EXPECT_EQ(overallRating(""), 0);
}

TEST(FaListFields, SalaryThatIsNotANumberFails)
{
    std::string line = elevenLines()[1];
    line.replace(32, 10, "   85k000 ");
    EXPECT_THROW(lastSalary(line), Failure);
    EXPECT_THROW(lastSalary("short"), Failure);
    line.replace(32, 10, "  850,000 ");
    EXPECT_EQ(lastSalary(line), 850000);
}

TEST(FaListLines, JunkAndHugeLinesDoNotCrash)
{
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>(i * 37 % 256);
    std::string huge = elevenLines()[1] + std::string(10'000'000, 'x');
    for (const std::string& line : {junk, huge}) {
        isPlayerLine(line);
        isListedPlayerLine(line);
        for (int i = 0; i < kFilterCount; ++i)
            matchesFilter(line, static_cast<Filter>(i));
        nameKey(line);
        playerAge(line);
        positionLetter(line);
        overallRating(line);
        try {
            lastSalary(line);
        } catch (const Failure&) {
        }
    }
    EXPECT_TRUE(isPlayerLine(huge));
    EXPECT_TRUE(matchesFilter(huge, Filter::LeftWingers));
}
