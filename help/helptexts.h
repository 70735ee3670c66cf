#pragma once
#include <string>

// The three boxes of the Help menu. Lines are separated by "\n".
namespace bidmark {

std::string versionText(); // the version history, ending in "menu "
std::string aboutText();   // what the program does and the rookie salary rule
std::string leagueText();  // where the league lives on the web

} // namespace bidmark
