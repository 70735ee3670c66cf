#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commissioner/mergereport.h"
#include "core/leaguechange.h"
#include "core/path.h"
#include "core/questions.h"

// Done in signing mode, and a COMMISH.txt that an earlier signing left behind
// (a signing whose program ended before it had merged its file).
namespace bidmark {

inline constexpr std::string_view kSetAsideRunName = "Set Aside Signings";

// The league files Done in signing mode may replace, delete or create: those
// of every signing's merge, and a leftover COMMISH.txt's new name.
std::vector<std::string> signingDoneFiles(const std::string& asideName);
// Those setting COMMISH.txt aside changes: it and its new name.
std::vector<std::string> setAsideRunFiles(const std::string& asideName);

// Done in signing mode: the signing's entries are written to COMMISH.txt,
// merged into fa.txt and COMMISH.txt is deleted. Only these entries are
// merged: with none, nothing is written or merged. A COMMISH.txt already in
// the folder is first set aside under `asideName` (see leftoverAsideName),
// never merged and never overwritten. Throws Failure; when the merge fails,
// the COMMISH.txt it wrote is removed again.
MergeReport mergeSignings(const Path& folder, const std::vector<std::string>& entries,
                          bool moveSignedPlayers, const std::string& asideName);

// A COMMISH.txt found in the folder.
struct LeftoverSignings {
    std::string bytes;
    std::size_t lines = 0;
    std::vector<std::string> players; // the players its signings name
    std::size_t alreadyInList = 0;    // signings that already stand under their player in fa.txt
};

std::optional<LeftoverSignings> findLeftoverSignings(const Path& folder);

// A name under which COMMISH.txt can be set aside in the folder:
// "COMMISH set aside <stamp>.txt", numbered when taken.
std::string leftoverAsideName(const Path& folder, const std::string& stamp);

// "COMMISH.txt from an earlier signing was found ...": what it holds, and the
// choice between merging it now (Yes) and setting it aside (No).
std::string leftoverQuestion(const LeftoverSignings& leftover, const std::string& asideName);

// The leftover merged now as it was found, then deleted (kept, and the
// report says so, when it changed since it was found). Throws Failure.
MergeReport mergeLeftoverSignings(const Path& folder, const LeftoverSignings& leftover,
                                  bool moveSignedPlayers);

// COMMISH.txt renamed to `asideName`: kept, never merged. Throws Failure.
void setLeftoverSigningsAside(const Path& folder, const std::string& asideName);

// The runs of a signing, for the windows and the command line alike; each
// takes the league folder's lock, puts back an interrupted run first (said in
// `recovered`, or told through `questions` before a question) and is
// journalled. `stamp` ("2026-12-07 09.30.12") names a leftover set aside.
// Throw Failure.
//
// Before a signing: a COMMISH.txt found in the folder is merged now (Yes,
// "--merge-leftover") or set aside (No, "--keep-leftover"), never merged
// unasked; the question is asked without the lock. The report of its merge;
// none when there was none, or it was set aside.
std::optional<MergeReport> settleLeftover(const Path& folder, bool moveSignedPlayers,
                                          const std::string& stamp, Questions& questions, Recovered& recovered);
// Merge Signed Players: mergeSignings, its report kept in the run's folder.
MergeReport mergeSignedPlayersRun(const Path& folder, const std::vector<std::string>& entries,
                                  bool moveSignedPlayers, const std::string& stamp, Recovered& recovered);

} // namespace bidmark
