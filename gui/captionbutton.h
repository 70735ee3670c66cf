#pragma once
#include <QFont>
#include <QPushButton>
#include <QRect>

namespace bidmark::gui {

// A button whose caption wraps onto several lines, and gets smaller when even
// that does not fit, as the program's long captions need on narrow buttons.
// text() stays the caption as given.
class CaptionButton : public QPushButton {
public:
    using QPushButton::QPushButton;

    QRect captionRoom() const; // where the caption is drawn
    // The button's font, made smaller until the wrapped caption fits its
    // room (6 points at the least).
    QFont captionFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace bidmark::gui
