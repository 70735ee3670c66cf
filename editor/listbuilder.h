#pragma once
#include <array>
#include <string>
#include <vector>

#include "core/falist.h"

// The list builder behind the seven filter boxes of the Players Available
// window: a player and the lines under him are listed only when the box of his
// position and the box of his status are both ticked.
namespace bidmark {

// Check1..Check7 in the order of core's Filter; true = ticked.
using FilterBoxes = std::array<bool, kFilterCount>;

// The lines of fa.txt that the player list shows with these boxes.
std::vector<std::string> buildPlayerList(const FilterBoxes& ticked, std::vector<std::string> faLines);

} // namespace bidmark
