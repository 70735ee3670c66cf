#include "marketvalue/publishpage.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "gui/messages.h"
#include "marketvalue/leaguepage.h"

namespace bidmark {

void publishLeaguePage(QWidget* parent, const std::string& leagueFolder)
{
    const QString start =
        QDir(QString::fromStdString(leagueFolder)).absoluteFilePath(QStringLiteral("leaguePage.html"));
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Publish League Page"), start,
                                                QStringLiteral("Web pages (*.html)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".html");
    LeaguePage page;
    const bool written = gui::guarded(parent, [&] {
        gui::BusyCursor busy;
        page = writeLeaguePage(leagueFolder, path.toStdString()); // paths are UTF-8
    });
    if (written)
        gui::showMessage(parent, QStringLiteral("League page written to %1: %2 free agents, %3 signed players")
                                     .arg(path)
                                     .arg(page.freeAgents)
                                     .arg(page.signedPlayers));
}

} // namespace bidmark
