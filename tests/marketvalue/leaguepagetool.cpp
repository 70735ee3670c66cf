// The browser test's helper: a league of many free agents, the market value
// run and the league page, from the command line.
//   leaguepagetool generate FOLDER FREE_AGENTS
//   leaguepagetool values FOLDER
//   leaguepagetool page FOLDER OUTPUT
#include <cstdlib>
#include <iostream>
#include <string>

#include "bench/leaguegenerator.h"
#include "core/failure.h"
#include "marketvalue/leaguepage.h"
#include "marketvalue/valuerun.h"

int main(int argc, char** argv)
{
    const std::string command = argc > 2 ? argv[1] : "";
    try {
        if (command == "generate" && argc == 4) {
            bidmark::bench::LeagueSize size;
            size.freeAgents = std::atoi(argv[3]);
            bidmark::bench::writeLeague(bidmark::Path(argv[2]), size);
        } else if (command == "values" && argc == 3) {
            std::cout << bidmark::runMarketValue(bidmark::Path(argv[2]), "roster.html", "vitals.html", "marketVal.txt", "20").message
                      << "\n";
        } else if (command == "page" && argc == 4) {
            std::cout << bidmark::writeLeaguePage(bidmark::Path(argv[2]), bidmark::Path(argv[3]), {"VELD", "2026-12-07"}).freeAgents
                      << " free agents\n";
        } else {
            std::cerr << "usage: leaguepagetool generate FOLDER N | values FOLDER | page FOLDER OUTPUT\n";
            return 2;
        }
    } catch (const bidmark::Failure& failure) {
        std::cerr << failure.what() << "\n";
        return 1;
    }
    return 0;
}
