#include "editor/listbuilder.h"

#include <gtest/gtest.h>

#include "tests/support/league.h"

using bidmark::buildPlayerList;
using bidmark::FilterBoxes;
using bidmark::test::elevenLines;
using bidmark::test::playerLine;
using bidmark::test::views;

namespace {

constexpr FilterBoxes kAll{true, true, true, true, true, true, true};

FilterBoxes without(std::initializer_list<int> checks) // 1-based, as Check1..Check7
{
    FilterBoxes ticked = kAll;
    for (int check : checks)
        ticked[check - 1] = false;
    return ticked;
}

const std::vector<std::string> kEleven = elevenLines();

// Lines of the eleven-line example by their 1-based numbers.
std::vector<std::string_view> exampleLines(std::initializer_list<int> numbers)
{
    std::vector<std::string_view> lines;
    for (int number : numbers)
        lines.push_back(kEleven[number - 1]);
    return lines;
}

} // namespace

TEST(ListBuilder, AllTickedListsEveryLine)
{
    EXPECT_EQ(buildPlayerList(kAll, views(kEleven)), views(kEleven));
}

TEST(ListBuilder, HidesWholeBlockOfUntickedPosition)
{
    EXPECT_EQ(buildPlayerList(without({5}), views(kEleven)),
              exampleLines({1, 2, 3, 4, 5, 8, 9, 10, 11}));
}

TEST(ListBuilder, HidesWholeBlockOfUntickedStatus)
{
    EXPECT_EQ(buildPlayerList(without({7}), views(kEleven)), exampleLines({1, 5, 6, 7, 8, 11}));
}

TEST(ListBuilder, PositionAndStatusCombineWithAnd)
{
    EXPECT_EQ(buildPlayerList(without({2, 6}), views(kEleven)),
              exampleLines({1, 5, 8, 9, 10, 11}));
}

TEST(ListBuilder, LineOf42CharactersTakesOverTheFlagFromAbove)
{
    const std::string goalie = playerLine("Hidden Goalie", 25, "UFA", 500000, "G", 70);
    const std::string short42 = playerLine("Short Line", 25, "UFA", 500000, "C", 70).substr(0, 42);
    const std::vector<std::string> file{goalie, "<TOR> 1.0/1 ", short42, "<NY> 2.0/2 ", ""};
    EXPECT_EQ(buildPlayerList(without({5}), views(file)), (std::vector<std::string_view>{""}));
    EXPECT_EQ(buildPlayerList(without({1}), views(file)), views(file)); // no filter applies to it
}

TEST(ListBuilder, HeadingLineResetsTheFlag)
{
    const std::vector<std::string> file{playerLine("Hidden Goalie", 25, "UFA", 1, "G", 70),
                                        "<TOR> 1.0/1 ", "Player heading", "under the heading"};
    EXPECT_EQ(buildPlayerList(without({5}), views(file)),
              (std::vector<std::string_view>{"Player heading", "under the heading"}));
}

TEST(ListBuilder, KeepsConsecutiveEmptyLinesAndLinesAboveTheFirstPlayer)
{
    const std::vector<std::string> file{"league notes", "", "", playerLine("A", 30, "UFA", 1, "D", 60)};
    EXPECT_EQ(buildPlayerList(without({4}), views(file)),
              (std::vector<std::string_view>{"league notes", "", ""}));
}

// The window keeps what the boxes asked of the lines from click to click: a
// box unticked later is asked about then, and every list is the one the
// boxes give on lines read afresh.
TEST(ListBuilder, KindsKeptFromClickToClickGiveTheListsOfFreshOnes)
{
    const std::vector<std::string_view> lines = views(kEleven);
    bidmark::LineKinds kept = bidmark::lineKinds(lines);
    for (const FilterBoxes& ticked : {without({5}), kAll, without({7}), without({5, 7}), without({1, 2, 3, 4, 6}), kAll})
        EXPECT_EQ(buildPlayerList(ticked, lines, kept), buildPlayerList(ticked, lines));
}
