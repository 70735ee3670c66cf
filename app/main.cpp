#include <QApplication>

#include "app/windows.h"
#include "core/platform.h"
#include "gui/fonts.h"

int main(int argc, char* argv[])
{
    bidmark::platform::prepareProcess();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bidmark"));
    bidmark::gui::useProgramFont();
    bidmark::Windows windows("."); // the league folder is the working directory
    windows.start();
    return QApplication::exec();
}
