#pragma once
#include <optional>
#include <string>

#include "core/journal.h"
#include "core/path.h"

// The putting back of a run that was interrupted (a power cut, a kill), done
// under the league folder's lock before every change (core/leaguechange.h).
namespace bidmark {

// When the newest run of the user's journal never finished: an ordinary run
// has every file it recorded put back as it was before it, in a run of its
// own ("Put Back of <run>") that first keeps the files as the interrupted
// run left them, so that the putting back can be undone. An Undo or a
// putting back that was itself interrupted is finished. Either way the
// league files end all as before the interrupted run or all as after it.
// The message that says what was done; none when nothing was interrupted.
// A saved copy changed since is refused before anything is written.
std::optional<std::string> recoverInterruptedRun(const Path& leagueFolder,
                                                 JournalTime now = std::chrono::system_clock::now());
// The same, given the journal as its caller has just read it under the
// league folder's lock; when a run was put back, `journal` is read again,
// so that it holds the putting back too.
std::optional<std::string> recoverInterruptedRun(const Path& leagueFolder, Journal& journal,
                                                 JournalTime now = std::chrono::system_clock::now());

} // namespace bidmark
