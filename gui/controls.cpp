#include "gui/controls.h"

#include <QApplication>

namespace bidmark::gui {

namespace {
int pixels(int twips) { return (twips + 7) / 15; }
} // namespace

void placeTwips(QWidget* widget, Twips at)
{
    widget->setGeometry(pixels(at.left), pixels(at.top), pixels(at.width), pixels(at.height));
}

void sizeTwips(QWidget* widget, int width, int height)
{
    widget->setFixedSize(pixels(width), pixels(height));
}

void endProgram()
{
    QApplication::closeAllWindows();
    QApplication::quit();
}

} // namespace bidmark::gui
