#pragma once
#include <array>
#include <string_view>
#include <vector>

#include "core/falist.h"

// The list builder behind the seven filter boxes of the Players Available
// window: a player and the lines under him are listed only when the box of his
// position and the box of his status are both ticked.
namespace bidmark {

// Check1..Check7 in the order of core's Filter; true = ticked.
using FilterBoxes = std::array<bool, kFilterCount>;

// The lines of fa.txt that the player list shows with these boxes, in file
// order: the views given, those not shown taken out.
std::vector<std::string_view> buildPlayerList(const FilterBoxes& ticked, std::vector<std::string_view> faLines);

} // namespace bidmark
