#pragma once
#include <memory>
#include <string>
#include <utility>

#include "gui/messages.h"
#include "gui/session.h"

class QLockFile;

// The runs that write league files hold the league folder's lock, so that two
// programs (on one machine, or on two sharing the folder) never write them at
// the same time.
namespace bidmark::gui {

// The lock file .bidmark.lock in the league folder, held for the object's
// lifetime. Another program's lock is waited for briefly; when it stays held
// the constructor throws Failure naming its holder (process, machine,
// program), and nothing is written. A lock whose program is gone (same
// machine), or that is older than any run takes, is taken over. Where no
// lock file can be made at all (a read-only or missing folder) the run goes
// on without one, and its own writes say what is wrong.
class LeagueLock {
public:
    explicit LeagueLock(const std::string& leagueFolder);
    ~LeagueLock();
    LeagueLock(const LeagueLock&) = delete;
    LeagueLock& operator=(const LeagueLock&) = delete;

private:
    std::unique_ptr<QLockFile> lock_;
};

// A run that writes league files: the work under the league folder's lock,
// with a busy cursor. Returns what the work returns; throws what it throws.
template <class Work>
auto leagueRun(const Session& session, Work&& work)
{
    BusyCursor busy;
    LeagueLock lock(session.leagueFolder);
    return std::forward<Work>(work)();
}

} // namespace bidmark::gui
