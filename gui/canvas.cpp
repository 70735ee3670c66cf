#include "gui/canvas.h"

#include <QGuiApplication>

namespace bidmark::gui {

QPixmap canvas(int width, int height, const QColor& fill)
{
    const qreal ratio = qGuiApp->devicePixelRatio(); // the highest of all screens
    QPixmap pixmap(QSize(width, height) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(fill);
    return pixmap;
}

} // namespace bidmark::gui
