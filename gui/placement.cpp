#include "gui/placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace bidmark::gui {

namespace {
constexpr int kGap = 8; // between a window and the one it opens beside

// The start of a span of the given length within [low, high): the span's end
// kept inside first, then its start.
int keptWithin(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}
} // namespace

QPoint placedAt(Place place, QSize frame, const QRect& opener, const QRect& screen)
{
    const QPoint centred = opener.center() - QPoint(frame.width() / 2, frame.height() / 2);
    QPoint at = centred;
    if (place == Place::Beside) {
        const int right = opener.right() + 1 + kGap;
        const int left = opener.left() - kGap - frame.width();
        if (right + frame.width() <= screen.right() + 1)
            at = {right, opener.top()};
        else if (left >= screen.left())
            at = {left, opener.top()};
    }
    return {keptWithin(at.x(), frame.width(), screen.left(), screen.right() + 1),
            keptWithin(at.y(), frame.height(), screen.top(), screen.bottom() + 1)};
}

void showFrom(QWidget* window, const QWidget* opener, Place place)
{
    if (!window->isVisible() && opener) {
        // A window not yet shown has no frame: it will get one like its opener's.
        const QSize frameMargins = opener->frameGeometry().size() - opener->geometry().size();
        const QScreen* screen = opener->screen();
        window->move(placedAt(place, window->size() + frameMargins, opener->frameGeometry(),
                              screen->availableGeometry()));
    }
    window->show();
    window->raise();
}

} // namespace bidmark::gui
