#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/path.h"

// Every change of a league folder's files passes here, from a window or a
// console program alike: the runs, Undo, a general manager's Done, and the
// putting back of a run that was interrupted.
//
// A change takes the league folder's lock (core/leaguelock.h), puts back a
// run that was interrupted (the newest of the journal, never finished), then
// does its work, and releases the lock before it returns or throws. It asks
// nothing and shows nothing: what the putting back did comes back as the text
// to show, once the lock is released, also when the work then failed.
// Questions are asked before a change; under the lock the work checks that
// what the answers were about has not changed.
namespace bidmark {

struct Journal;

// What a change did before its work: the message about the run it put back.
struct Recovered {
    std::optional<std::string> message;
};

// `work` under the lock, taken for `doing` (what the lock tells others this
// program is doing).
void changeLeague(const Path& leagueFolder, std::string_view doing, const std::function<void()>& work,
                  Recovered& recovered);

// `work` under the lock as changeLeague's, given the journal as read under
// it (once, the run it put back included), so that it need not read it again.
void changeJournalled(const Path& leagueFolder, std::string_view doing,
                      const std::function<void(const Journal&)>& work, Recovered& recovered);

// A run that changes league files, under the lock and recorded in the journal
// before its first write: `files` names, once the run may start, the league
// files it may replace or delete; `work` gets the run's folder in history/
// for what else the run keeps there (its report.txt).
void runInLeague(const Path& leagueFolder, std::string_view runName,
                 const std::function<std::vector<std::string>()>& files,
                 const std::function<void(const Path& runFolder)>& work, Recovered& recovered);

} // namespace bidmark
