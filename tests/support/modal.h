#pragma once
#include <functional>
#include <QString>

class QWidget;

namespace bidmark::test {

// Answers the next modal dialog (message box or text prompt) from the event
// loop: `answer` gets the dialog and must close it. Call before the action
// that opens the dialog.
void answerNextModal(std::function<void(QWidget*)> answer);

// Common answers: press the message box button with this text ("OK", "&Yes"
// ...), record the box's text; type into an input dialog and accept, or cancel.
void pressButton(QWidget* dialog, const QString& buttonText);
void acceptMessage(QString* text = nullptr, QString* title = nullptr);
void answerPrompt(const QString& typed, QString* label = nullptr);
void cancelPrompt();

} // namespace bidmark::test
