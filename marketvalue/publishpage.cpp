#include "marketvalue/publishpage.h"

#include <QDir>

#include "gui/messages.h"
#include "gui/paths.h"
#include "marketvalue/leaguepage.h"

namespace bidmark {

void publishLeaguePage(QWidget* parent, const Path& leagueFolder)
{
    const QString start = QDir(gui::toQt(leagueFolder)).absoluteFilePath(QStringLiteral("leaguePage.html"));
    const std::optional<Path> path = gui::chooseFileToSave(
        parent, QStringLiteral("Publish League Page"), start, QStringLiteral("Web pages (*.html)"), QStringLiteral(".html"));
    if (!path)
        return;
    LeaguePage page;
    const bool written = gui::guarded(parent, [&] {
        gui::BusyCursor busy;
        page = writeLeaguePage(leagueFolder, *path);
    });
    if (written)
        gui::showMessage(parent, QStringLiteral("League page written to %1: %2 free agents, %3 signed players")
                                     .arg(gui::toQt(*path))
                                     .arg(page.freeAgents)
                                     .arg(page.signedPlayers));
}

} // namespace bidmark
