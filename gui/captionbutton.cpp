#include "gui/captionbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace bidmark::gui {

namespace {
constexpr int kFlags = Qt::AlignCenter | Qt::TextWordWrap;
}

QRect CaptionButton::captionRoom() const { return rect().adjusted(4, 2, -4, -2); }

QFont CaptionButton::captionFont() const
{
    const QRect room = captionRoom();
    QFont font = this->font();
    auto fits = [&] {
        const QRect needed = QFontMetrics(font, this).boundingRect(room, kFlags, text());
        return needed.width() <= room.width() && needed.height() <= room.height();
    };
    while (!fits() && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setFont(captionFont());
    style()->drawItemText(&painter, captionRoom(), kFlags, palette(), isEnabled(), text(), QPalette::ButtonText);
}

} // namespace bidmark::gui
