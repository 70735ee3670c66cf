#pragma once

class QWidget;

namespace bidmark::gui {

// Makes the font of each captioned control of the window smaller, half a
// point at a time and 6 points at the least, until its caption fits the room
// the control has at its fixed place: labels (wrapped ones within their
// height), check boxes, frame titles and caption boxes (read-only text boxes
// without a frame). Buttons are CaptionButtons, which fit themselves. Called
// once a window's controls hold their captions.
void fitCaptions(QWidget* window);

} // namespace bidmark::gui
