#pragma once
#include <optional>
#include <string>
#include <QString>

class QLineEdit;
class QWidget;

namespace bidmark::gui {

// The Windows-1252 bytes of what the user typed into the box; nothing, after
// a message naming the box, when the text holds a character the league's
// files cannot store.
std::optional<std::string> typedText(QWidget* parent, const QLineEdit* box, const QString& what);

} // namespace bidmark::gui
