#pragma once
#include <QPixmap>

// The main window's decorations, drawn at start-up.
namespace bidmark::pictures {

QPixmap rink();  // 302 x 153: a rink seen from above
QPixmap puck();  // 135 x 130: a puck on the ice
QPixmap stick(); // 135 x 90: a stick at a puck

} // namespace bidmark::pictures
