#pragma once
#include <QPushButton>

namespace bidmark::gui {

// A button whose caption wraps onto several lines, and gets smaller when even
// that does not fit, as the program's long captions need on narrow buttons.
// text() stays the caption as given.
class CaptionButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace bidmark::gui
