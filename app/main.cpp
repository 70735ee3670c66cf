#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "app/program.h"
#include "core/platform.h"
#include "gui/fonts.h"
#include "gui/paths.h"

namespace {

// The installed sample league, found from where the program lies; empty
// when there is none (a program run from its build folder).
QString installedSampleLeague()
{
    const QDir sample(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(BIDMARK_SAMPLE_LEAGUE)));
    return sample.exists() ? sample.absolutePath() : QString();
}

// The user guide: the installed copy, or the source tree's when the program
// runs from its build folder; empty when there is neither.
QString userGuide()
{
    const QString installed = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(BIDMARK_USER_GUIDE));
    for (const QString& file : {installed, QStringLiteral(BIDMARK_SOURCE_USER_GUIDE)}) {
        if (QFileInfo(file).isFile())
            return QFileInfo(file).absoluteFilePath();
    }
    return {};
}

} // namespace

// bidmark [--from-menu] [FOLDER]: the league folder is FOLDER, or the working
// directory without it.
int main(int argc, char* argv[])
{
    bidmark::platform::prepareProcess();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bidmark"));
    QApplication::setOrganizationName(QStringLiteral("Bidmark"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The free-agent market of a fantasy hockey league."));
    parser.addHelpOption();
    const QCommandLineOption fromMenu(
        QStringLiteral("from-menu"),
        QStringLiteral("Started from the desktop menu: when the folder holds no league, ask for one."));
    parser.addOption(fromMenu);
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("The league folder (default: the working directory)."));
    parser.process(application);
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.helpText()));
        return 2;
    }
    bidmark::Path folder("."); // the working directory
    if (!folders.isEmpty()) {
        if (!QDir(folders.front()).exists()) {
            std::fprintf(stderr, "bidmark: no such folder: %s\n", qPrintable(folders.front()));
            return 2;
        }
        folder = bidmark::gui::pathFromQt(QDir(folders.front()).absolutePath());
    }

    bidmark::gui::useProgramFont();
    bidmark::Program windows(folder, {parser.isSet(fromMenu), installedSampleLeague(), userGuide()});
    windows.start();
    return QApplication::exec();
}
