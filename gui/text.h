#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <QString>

class QLineEdit;
class QWidget;

// Text at the widget boundary: the league's Windows-1252 bytes shown in
// widgets, and what the user typed turned back into bytes.
namespace bidmark::gui {

QString toQt(std::string_view bytes);
// Nothing when a character has no Windows-1252 byte.
std::optional<std::string> fromQt(const QString& text);

// The Windows-1252 bytes of what the user typed; nothing, after a message
// naming `what` ("The salary"), when the text holds a character the league's
// files cannot store.
std::optional<std::string> typedText(QWidget* parent, const QString& text, const QString& what);
std::optional<std::string> typedText(QWidget* parent, const QLineEdit* box, const QString& what);

} // namespace bidmark::gui
