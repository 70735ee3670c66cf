#include "gui/captionbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace bidmark::gui {

void CaptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    constexpr int flags = Qt::AlignCenter | Qt::TextWordWrap;
    const QRect room = rect().adjusted(4, 2, -4, -2);
    QFont font = this->font();
    auto fits = [&] {
        const QRect needed = QFontMetrics(font).boundingRect(room, flags, text());
        return needed.width() <= room.width() && needed.height() <= room.height();
    };
    while (!fits() && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    painter.setFont(font);
    style()->drawItemText(&painter, room, flags, palette(), isEnabled(), text(), QPalette::ButtonText);
}

} // namespace bidmark::gui
