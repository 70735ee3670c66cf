#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/leaguechange.h"
#include "gui/session.h"

class QWidget;

// The windows' way to change league files: core/leaguechange.h under a busy
// cursor, its message about an interrupted run shown once the league folder's
// lock is released.
namespace bidmark::gui {

// A run object's change of league files (it takes the lock itself, and asks
// its questions before); what its putting back of an interrupted run did is shown once
// it returns or throws. Failures go on to the caller.
void runShown(QWidget* parent, const std::function<void(Recovered&)>& change);

// Work that changes league files, under the lock, after a run that was
// interrupted is put back. Failures go on to the caller.
void leagueChange(QWidget* parent, const Session& session, const std::function<void()>& work);

// What leagueChange does before any work, on its own: at start-up.
void recoverLeague(QWidget* parent, const Session& session);

// A run that changes league files, recorded in the journal before its first
// write: `files` names, once the run may start, the league files it may
// replace or delete; `work` gets the run's folder in history/ for what else
// the run keeps there (its report.txt).
void leagueRun(QWidget* parent, const Session& session, std::string_view runName,
               const std::function<std::vector<std::string>()>& files,
               const std::function<void(const Path& runFolder)>& work);

} // namespace bidmark::gui
