#include "gui/leaguerun.h"

#include <optional>

#include "core/leaguechange.h"
#include "core/leaguelock.h"
#include "gui/messages.h"
#include "gui/text.h"

namespace bidmark::gui {

void runShown(QWidget* parent, const std::function<void(Recovered&)>& change)
{
    Recovered recovered;
    try {
        change(recovered);
    } catch (...) {
        if (recovered.message)
            showMessage(parent, toQt(*recovered.message));
        throw;
    }
    if (recovered.message)
        showMessage(parent, toQt(*recovered.message));
}

void leagueChange(QWidget* parent, const Session& session, const std::function<void()>& work)
{
    runShown(parent,
             [&](Recovered& recovered) {
                 BusyCursor busy;
                 changeLeague(session.leagueFolder, kChangingFiles, work, recovered);
             });
}

void recoverLeague(QWidget* parent, const Session& session)
{
    leagueChange(parent, session, [] {});
}

void leagueRun(QWidget* parent, const Session& session, std::string_view runName,
               const std::function<std::vector<std::string>()>& files,
               const std::function<void(const Path& runFolder)>& work)
{
    runShown(parent,
             [&](Recovered& recovered) {
                 BusyCursor busy;
                 runInLeague(session.leagueFolder, runName, files, work, recovered);
             });
}

} // namespace bidmark::gui
