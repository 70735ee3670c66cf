#pragma once
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/falist.h"

// The list builder behind the seven filter boxes of the Players Available
// window: a player and the lines under him are listed only when the box of his
// position and the box of his status are both ticked.
namespace bidmark {

// Check1..Check7 in the order of core's Filter; true = ticked.
using FilterBoxes = std::array<bool, kFilterCount>;

// What the boxes ask of each line of fa.txt, kept for the lines read and used
// by every list built from them: whether it is a listed player line or a
// heading or empty line, which every list shows, and for each filter asked
// about so far (`known`, a bit per filter) whether his line matches it.
struct LineKinds {
    std::vector<std::uint16_t> lines;
    std::uint16_t known = 0;
};
LineKinds lineKinds(const std::vector<std::string_view>& faLines);

// The lines of fa.txt that the player list shows with these boxes, in file
// order: the views given, those not shown taken out. The kinds are those of
// the lines given; the filters of the boxes not ticked are found in them
// when they were not known yet.
std::vector<std::string_view> buildPlayerList(const FilterBoxes& ticked, const std::vector<std::string_view>& faLines,
                                              LineKinds& kinds);
// The same for lines whose kinds are not known yet.
std::vector<std::string_view> buildPlayerList(const FilterBoxes& ticked, const std::vector<std::string_view>& faLines);

} // namespace bidmark
