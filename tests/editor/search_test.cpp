#include "editor/search.h"

#include <gtest/gtest.h>

using bidmark::findNext;

namespace {
const std::vector<std::string_view> kLines{"xAB", "yab", "zab"};
}

TEST(Search, FindsTheNextLineBelowTheSelectionCaseIgnored)
{
    EXPECT_EQ(findNext(kLines, 1, "ab"), 2u);
    EXPECT_EQ(findNext(kLines, 0, "ab"), 1u);
    EXPECT_EQ(findNext(kLines, std::nullopt, "AB"), 0u);
}

TEST(Search, DoesNotWrapAround)
{
    EXPECT_EQ(findNext(kLines, 2, "ab"), std::nullopt);
    EXPECT_EQ(findNext(kLines, 1, "xab"), std::nullopt);
}

TEST(Search, EmptyTextOrListFindsNothing)
{
    EXPECT_EQ(findNext(kLines, std::nullopt, ""), std::nullopt);
    EXPECT_EQ(findNext({}, std::nullopt, "ab"), std::nullopt);
}

TEST(Search, BlanksCountAsTyped)
{
    EXPECT_EQ(findNext({"<TOR> 1.0/1", "Arvo  Lind"}, std::nullopt, "o  l"), 1u);
    EXPECT_EQ(findNext({"ArvoLind"}, std::nullopt, "o l"), std::nullopt);
}

TEST(Search, TextEndingTheLineIsFoundAndNoLongerThanTheLine)
{
    EXPECT_EQ(findNext({"za", "xyZAB", "zab"}, std::nullopt, "zab"), 1u);
    EXPECT_EQ(findNext({"za", "ZAB"}, std::nullopt, "zab"), 1u);
    EXPECT_EQ(findNext({"za", "z", ""}, std::nullopt, "zab"), std::nullopt);
}

// Texts whose letters recur, so that a place passed over could have held them.
TEST(Search, FindsTextsWithRecurringLetters)
{
    const struct {
        std::string_view line, text;
        bool found;
    } cases[] = {
        {"aaab", "AAB", true},       {"abcabcabd", "abcabd", true}, {"xx\xC0\xE0" "a", "\xE0\xC0" "A", true},
        {"abcabcab", "abcabd", false}, {"Roine Roi", "oine r", true}, {"ba", "aba", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findNext({c.line}, std::nullopt, c.text).has_value(), c.found) << c.line << " / " << c.text;
}
