#pragma once
#include <functional>
#include <vector>
#include <QLineEdit>
#include <QMessageBox>
#include <QString>

class QWidget;

// Answers the modal dialogs (message boxes, text prompts) that an action
// opens, and says when one that was expected never came.
namespace bidmark::test {

// What a message box or a text prompt showed.
struct Message {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};
struct Prompt {
    QString label, title, preset;
    QLineEdit::EchoMode echo = QLineEdit::Normal;
};

// One answer: it gets the dialog and closes it.
using Answer = std::function<void(QWidget* dialog)>;
Answer ok(Message* seen = nullptr);                                 // a message box's OK
Answer press(const QString& button, Message* seen = nullptr);      // its button of this text
Answer type(const QString& typed, Prompt* seen = nullptr);         // a prompt: typed, then OK
Answer cancel(Prompt* seen = nullptr);                             // a prompt's Cancel
Answer chooseFolder(const QString& folder);                        // a folder chooser: this folder
// A file chooser: this file, the name it suggested kept in `suggested`.
Answer saveAs(const QString& path, QString* suggested = nullptr);

// Runs the action and gives each modal dialog it opens the next answer.
// False, with a warning, when a dialog was expected and never came, or when
// one came that no answer was left for (it is closed).
[[nodiscard]] bool answered(std::vector<Answer> answers, const std::function<void()>& action);

} // namespace bidmark::test
