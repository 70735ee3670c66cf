#include <QApplication>

#include "core/gui/widgets.h"
#include "windows.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bidmark"));
    bidmark::gui::useProgramFont();
    bidmark::Windows windows;
    windows.start();
    return QApplication::exec();
}
