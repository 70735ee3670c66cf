#include "help/helptexts.h"

#include <initializer_list>

#include "core/leaguefiles.h"

namespace bidmark {

namespace {
const char* const kAuthor = "the Bidmark developers";
const char* const kLeagueAddress = "https://veld-league.example.org";

std::string textOfLines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty())
            text += '\n';
        text += line;
    }
    return text;
}
} // namespace

std::string versionText()
{
    return textOfLines({
        std::string("Bidmark V1.14 Sep 27/01 by ") + kAuthor,
        "V1.10 changes:",
        "-Added pictures",
        "-Added filters to Offers window",
        "-Create new fa.txt button automatically removes existing <SIGNED> players and stores "
        "them in signed.txt",
        "-Fixed <RETRACT> bug in create new fa.txt button",
        "-Added Bonus cannot exceed total Contract rule for offers",
        "V1.11 changes:",
        "-Rookie cap corrected",
        "V1.12 changes:",
        "-Added commissioner menu",
        "-Added market value menu to commissioner menu",
        "-Added display of last years stats to players available window",
        "-Added search to players available window",
        "V1.13 changes:",
        "-Fixed Goalies & Defense for Market Value Generator",
        "-Allow comma's in offers",
        "V1.14 changes:",
        "-Added Sign players Button to commissioners menu ",
    });
}

std::string aboutText()
{
    return textOfLines({
        "Bidmark is a simple editor that creates a .txt file with your offers in it.",
        "Rookie salary Cap set to 1.5M/X +1.5 for players that are " + std::to_string(kRookieAgeLimit) +
            " and under",
    });
}

std::string leagueText()
{
    return std::string("Visit the VELD web page at ") + kLeagueAddress;
}

} // namespace bidmark
