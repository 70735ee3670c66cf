#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window that another opens appears: beside its opener or centred on
// it, and whole on the opener's screen. The program places it itself, so it
// opens there under any window manager, or none.
namespace bidmark::gui {

enum class Place { Beside, Centred };

// The top left of a window's frame of the given size, opened by a window
// whose frame is `opener`, on a screen whose free area is `screen`. Beside is
// right of the opener, else left of it, else centred on it; a window larger
// than the screen shows its top left.
QPoint placedAt(Place place, QSize frame, const QRect& opener, const QRect& screen);

// Shows the window in front; placed as above when it was hidden (a window
// already shown stays where the user put it).
void showFrom(QWidget* window, const QWidget* opener, Place place);

} // namespace bidmark::gui
