#include "gui/leaguerun.h"

#include "core/journal.h"
#include "gui/messages.h"
#include "gui/text.h"

namespace bidmark::gui {

void leagueChange(QWidget* parent, const Session& session, const std::function<void()>& work)
{
    if (const std::optional<std::string> run = recoverInterruptedRun(session.leagueFolder))
        showMessage(parent, toQt(interruptedRunMessage(*run)));
    work();
}

void recoverLeague(QWidget* parent, const Session& session)
{
    leagueChange(parent, session, [] {});
}

void leagueRun(QWidget* parent, const Session& session, std::string_view runName,
               const std::function<std::vector<std::string>()>& files,
               const std::function<void(const std::string& runFolder)>& work)
{
    leagueChange(parent, session, [&] { runJournalled(session.leagueFolder, runName, files(), work); });
}

} // namespace bidmark::gui
