#include "gui/captionfit.h"

#include <optional>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>

namespace bidmark::gui {

namespace {

constexpr double kSmallestPoints = 6;
constexpr int kLineEditMargin = 2; // a text box's own room on each side of its text

// Whether the control's caption fits its room in the control's present font;
// nothing for a control without a caption.
std::optional<bool> captionFits(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        if (label->text().isEmpty())
            return std::nullopt;
        if (label->wordWrap())
            return label->heightForWidth(label->width()) <= label->height();
        return label->sizeHint().width() <= label->width();
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
        if (box->text().isEmpty())
            return std::nullopt;
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        return box->fontMetrics().horizontalAdvance(box->text()) <= room.width();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->minimumSizeHint().width() <= frame->width();
    if (const auto* box = qobject_cast<const QLineEdit*>(control)) {
        if (box->hasFrame() || !box->isReadOnly())
            return std::nullopt;
        const QMargins margins = box->textMargins();
        return box->fontMetrics().horizontalAdvance(box->text()) + 2 * kLineEditMargin + margins.left()
                   + margins.right() <= box->width();
    }
    return std::nullopt;
}

} // namespace

void fitCaptions(QWidget* window)
{
    for (QWidget* control : window->findChildren<QWidget*>()) {
        while (captionFits(control) == false && control->font().pointSizeF() > kSmallestPoints) {
            QFont font = control->font();
            font.setPointSizeF(font.pointSizeF() - 0.5);
            control->setFont(font);
        }
    }
}

} // namespace bidmark::gui
