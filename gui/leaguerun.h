#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gui/session.h"

class QLockFile;
class QWidget;

// Every change of the league folder's files made from a window passes here:
// the runs, Undo, a general manager's Done, and the putting back of a run that
// was interrupted. Each holds the league folder's lock, so that two programs
// (on one machine, or on two sharing the folder) never change the files at
// the same time.
namespace bidmark::gui {

// The lock file .bidmark.lock in the league folder, held for the object's
// lifetime. Another program's lock is waited for briefly; when it stays held
// the constructor throws Failure naming its holder (program, process,
// machine), and nothing is changed. A lock whose program is gone (same
// machine), or that is older than any run takes, is taken over. Where no
// lock file can be made at all (a read-only or missing folder) the change
// goes on without one, and its own writes say what is wrong.
class LeagueLock {
public:
    explicit LeagueLock(const std::string& leagueFolder);
    ~LeagueLock();
    LeagueLock(const LeagueLock&) = delete;
    LeagueLock& operator=(const LeagueLock&) = delete;

private:
    std::unique_ptr<QLockFile> lock_;
};

// Work that changes league files, under the lock. First a run that was
// interrupted (the newest of the journal, never finished) is put back, and
// the user is told so once. Failures go on to the caller.
void leagueChange(QWidget* parent, const Session& session, const std::function<void()>& work);

// What leagueChange does before any work, on its own: at start-up.
void recoverLeague(QWidget* parent, const Session& session);

// A run that changes league files, recorded in the journal before its first
// write: `files` names, once the run may start, the league files it may
// replace or delete; `work` gets the run's folder in history/ for what else
// the run keeps there (its report.txt).
void leagueRun(QWidget* parent, const Session& session, std::string_view runName,
               const std::function<std::vector<std::string>()>& files,
               const std::function<void(const std::string& runFolder)>& work);

} // namespace bidmark::gui
