#include <QApplication>

#include "windows.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bidmark"));
    bidmark::Windows windows;
    windows.start();
    return QApplication::exec();
}
