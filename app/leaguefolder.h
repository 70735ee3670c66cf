#pragma once
#include "core/path.h"

// A league folder as the program starts in it.
namespace bidmark {

// The folder holds a league: its free-agent list or its team list.
bool holdsLeague(const Path& folder);

// Copies the files of one folder (not hidden ones) into another, byte for
// byte, under the same names, each one the other folder does not hold yet:
// what is there is never replaced.
void copyMissingFiles(const Path& from, const Path& to);

} // namespace bidmark
