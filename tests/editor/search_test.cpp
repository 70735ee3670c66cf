#include "editor/search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/text.h"

namespace {

using Lines = std::vector<std::string_view>;

// The search on the lines as the player list holds them: views into one text
// of lines, each followed by CR LF; the lines not listed left out.
std::optional<std::size_t> findNext(const Lines& lines, std::optional<std::size_t> selected, std::string_view text,
                                    const std::vector<bool>& listed = {})
{
    std::string bytes;
    for (const std::string_view line : lines)
        bytes.append(line).append("\r\n");
    Lines views;
    std::size_t at = 0;
    for (std::size_t row = 0; row < lines.size(); at += lines[row++].size() + 2) {
        if (listed.empty() || listed[row])
            views.push_back(std::string_view(bytes).substr(at, lines[row].size()));
    }
    return bidmark::findNext(bytes, views, selected, text);
}

const Lines kLines{"xAB", "yab", "zab"};

} // namespace

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

// A text in a line left out of the list, or running on from one listed line
// into the next, is not found there.
TEST(Search, LooksOnlyWithinTheListedLines)
{
    EXPECT_EQ(findNext({"Roine", "Arvo Lindqvist", "Lind"}, std::nullopt, "lind", {true, false, true}), 1u);
    EXPECT_EQ(findNext({"Roine", "Arvo Lindqvist"}, std::nullopt, "lind", {true, false}), std::nullopt);
    EXPECT_EQ(findNext({"Arvo", "Lind"}, std::nullopt, "o\r\nl"), std::nullopt);
}

// Long lines of a few letters, some left out, searched for random texts:
// the line found is the first listed one whose lower-case copy holds the
// text, wherever in the sixteen places tried at once it stands.
TEST(Search, FindsWhatEachLineInLowerCaseHolds)
{
    std::mt19937 random(7);
    const std::string letters = "aAbB \xC0\xE0\x8A\x9A";
    const auto randomText = [&](std::size_t size) {
        std::string text;
        for (std::size_t i = 0; i < size; ++i)
            text += letters[random() % letters.size()];
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> texts;
        std::vector<bool> listed;
        for (int row = 0; row < 6; ++row) {
            texts.push_back(randomText(random() % 70));
            listed.push_back(random() % 4 != 0);
        }
        const std::string sought = randomText(1 + random() % 5);
        Lines lines(texts.begin(), texts.end());
        std::optional<std::size_t> expected;
        for (std::size_t row = 0, shown = 0; row < texts.size() && !expected; ++row) {
            if (listed[row] && bidmark::lowerCase(texts[row]).find(bidmark::lowerCase(sought)) != std::string::npos)
                expected = shown;
            shown += listed[row];
        }
        EXPECT_EQ(findNext(lines, std::nullopt, sought, listed), expected) << round;
    }
}
