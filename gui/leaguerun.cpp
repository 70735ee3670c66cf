#include "gui/leaguerun.h"

#include <optional>

#include "core/leaguechange.h"
#include "core/leaguelock.h"
#include "gui/messages.h"
#include "gui/text.h"

namespace bidmark::gui {

namespace {

// The change, then what its putting back of an interrupted run did, said
// after the lock is released, also when the change failed.
void said(QWidget* parent, const std::function<void(Recovered&)>& change)
{
    Recovered recovered;
    try {
        BusyCursor busy;
        change(recovered);
    } catch (...) {
        if (recovered.message)
            showMessage(parent, toQt(*recovered.message));
        throw;
    }
    if (recovered.message)
        showMessage(parent, toQt(*recovered.message));
}

} // namespace

void leagueChange(QWidget* parent, const Session& session, const std::function<void()>& work)
{
    said(parent, [&](Recovered& recovered) { changeLeague(session.leagueFolder, kChangingFiles, work, recovered); });
}

void recoverLeague(QWidget* parent, const Session& session)
{
    leagueChange(parent, session, [] {});
}

void leagueRun(QWidget* parent, const Session& session, std::string_view runName,
               const std::function<std::vector<std::string>()>& files,
               const std::function<void(const std::string& runFolder)>& work)
{
    said(parent,
         [&](Recovered& recovered) { runInLeague(session.leagueFolder, runName, files, work, recovered); });
}

} // namespace bidmark::gui
