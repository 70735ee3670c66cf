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

// What the boxes ask of each line of fa.txt, found once for the lines read
// and used by every list built from them: whether it is a listed player line
// and which filters his line matches, and whether it is a heading or empty
// line, which every list shows.
using LineKinds = std::vector<std::uint16_t>;
LineKinds lineKinds(const std::vector<std::string_view>& faLines);

// The lines of fa.txt that the player list shows with these boxes, in file
// order: the views given, those not shown taken out. The kinds are those of
// the lines given.
std::vector<std::string_view> buildPlayerList(const FilterBoxes& ticked, const std::vector<std::string_view>& faLines,
                                              const LineKinds& kinds);
// The same for lines whose kinds are not known yet.
std::vector<std::string_view> buildPlayerList(const FilterBoxes& ticked, const std::vector<std::string_view>& faLines);

} // namespace bidmark
