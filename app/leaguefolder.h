#pragma once
#include <string>
#include <vector>

// A league folder as the program starts in it.
namespace bidmark {

// The folder holds a league: its free-agent list or its team list.
bool holdsLeague(const std::string& folder);

// Copies the named files of one folder into another, byte for byte, each one
// the other folder does not hold yet: what is there is never replaced.
void copyMissingFiles(const std::string& from, const std::string& to, const std::vector<std::string>& names);

} // namespace bidmark
