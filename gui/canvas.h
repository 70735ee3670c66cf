#pragma once
#include <QColor>
#include <QPixmap>

namespace bidmark::gui {

// A picture of width by height device-independent pixels, filled with the
// colour, for our own drawings: it holds the pixels of the program's sharpest
// screen (twice as many each way at a display scale of 2), and a painter on it
// still draws in device-independent pixels.
QPixmap canvas(int width, int height, const QColor& fill);

} // namespace bidmark::gui
