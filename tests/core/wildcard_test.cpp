#include "core/wildcard.h"

#include <chrono>
#include <string>

#include <gtest/gtest.h>

using namespace bidmark;

TEST(WildcardMatch, QuestionMarkHashAndStar)
{
    EXPECT_TRUE(wildcardMatch("abc", "a?c"));
    EXPECT_FALSE(wildcardMatch("abc", "a?"));
    EXPECT_TRUE(wildcardMatch("a7c", "a#c"));
    EXPECT_FALSE(wildcardMatch("a c", "a#c"));
    EXPECT_FALSE(wildcardMatch("a\xB2" "c", "a#c")); // superscript two is no digit
    EXPECT_TRUE(wildcardMatch("", "*"));
    EXPECT_TRUE(wildcardMatch("", ""));
    EXPECT_FALSE(wildcardMatch("", "?"));
    EXPECT_TRUE(wildcardMatch("Player list", "Player*"));
    EXPECT_FALSE(wildcardMatch("player list", "Player*"));
    EXPECT_TRUE(wildcardMatch("abcbcd", "a*bcd"));
    EXPECT_TRUE(wildcardMatch("abXcdYef", "*b*d*f"));
    EXPECT_FALSE(wildcardMatch("abXcdYeg", "*b*d*f"));
    EXPECT_TRUE(wildcardMatch(std::string("a\0b", 3), "a?b"));
}

TEST(WildcardMatch, LinePatternAnswersAsWildcardMatch)
{
    const char* const patterns[] = {"?? ##*", "?? ##", "<SIGNED>*", "Player**", "a*b", "", "*", "?#?"};
    const char* const texts[] = {"", "ab 12", "ab 12 more", "ab 1x", "ab 1", "<SIGNED> x", "<SIGNED>",
                                 "Player", "player", "axxb", "ab", "a", "x7y", "x y"};
    for (const char* pattern : patterns) {
        const LinePattern line(pattern);
        for (const char* text : texts)
            EXPECT_EQ(line.matches(text), wildcardMatch(text, pattern)) << pattern << " / " << text;
    }
}

TEST(WildcardMatch, ManyStarsOnLongTextStayFast)
{
    std::string text(1 << 20, 'a');
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(wildcardMatch(text, "*a*a*a*a*a*a*b"));
    EXPECT_TRUE(wildcardMatch(text + "b", "*a*a*a*a*a*a*b"));
    EXPECT_FALSE(wildcardMatch(text, "?????????????????????? ##   ??? ??????????*"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(FileNameMatch, IgnoresCaseOfEveryLetter)
{
    EXPECT_TRUE(fileNameMatch("ABCTeamScoring.HTM", "*teamscoring.htm*"));
    EXPECT_TRUE(fileNameMatch("\xC9t\xE9.txt", "\xE9T\xC9.TXT")); // Été
    EXPECT_TRUE(fileNameMatch("\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"));
    EXPECT_FALSE(fileNameMatch("\xD7", "\xF7")); // multiplication is no letter
    EXPECT_FALSE(fileNameMatch("a1", "a#"));     // '#' is literal in file names
    EXPECT_TRUE(fileNameMatch("a#", "A#"));
    EXPECT_TRUE(fileNameMatch("fa.txt", "f?.txt"));
}
