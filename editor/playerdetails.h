#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/path.h"

// The player details of the Players Available window: the selected player's
// line from last season's team scoring page and, for the commissioner, his
// line from marketVal.txt. Plain line searches; nothing is cached, so every
// selection sees the files as they are on disk.
namespace bidmark {

// The skater's line on the first file of the folder matching
// "*TeamScoring.htm*", or the last of the continuation lines right under it;
// empty text when there is no page or no line for him. Goalies never match.
std::string statisticsLine(const Path& folder, std::string_view nameKey);

// The player line of marketVal.txt in the folder whose first 20 characters
// are the name key; empty text when there is no file or no such line.
std::string marketValueLine(const Path& folder, std::string_view nameKey);

struct PlayerDetails {
    std::string statistics;   // Text3
    std::string marketValue;  // Text5, signing mode only
};

// What a selection of the line shows: nothing unless "Show Last Season's
// Stats" is ticked and the line is a player line.
PlayerDetails playerDetails(const Path& folder, std::string_view selectedLine,
                            bool showStats, bool signingMode);

// Signing mode, the line `bestOffer`: the market value of the player line
// lines[row] from the folder's marketVal.txt and how the offers standing
// under him in the list compare with it. Empty text for any other line.
std::string bestOfferText(const Path& folder, const std::vector<std::string_view>& lines, std::size_t row);

} // namespace bidmark
