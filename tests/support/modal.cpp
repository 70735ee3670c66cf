#include "modal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

namespace bidmark::test {

namespace {
void poll(std::function<void(QWidget*)> answer, int triesLeft)
{
    QTimer::singleShot(10, [answer = std::move(answer), triesLeft]() mutable {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog) {
            answer(dialog);
        } else if (triesLeft > 0) {
            poll(std::move(answer), triesLeft - 1);
        }
    });
}
} // namespace

void answerNextModal(std::function<void(QWidget*)> answer)
{
    poll(std::move(answer), 500);
}

void pressButton(QWidget* dialog, const QString& buttonText)
{
    auto* box = qobject_cast<QMessageBox*>(dialog);
    if (!box)
        return;
    for (QAbstractButton* button : box->buttons()) {
        if (button->text().remove('&') == QString(buttonText).remove('&')) {
            button->click();
            return;
        }
    }
}

void acceptMessage(QString* text, QString* title)
{
    answerNextModal([text, title](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            if (text)
                *text = box->text();
            if (title)
                *title = box->windowTitle();
            box->accept();
            box->done(QMessageBox::Ok);
        }
    });
}

void answerPrompt(const QString& typed, QString* label)
{
    answerNextModal([typed, label](QWidget* dialog) {
        if (auto* prompt = qobject_cast<QInputDialog*>(dialog)) {
            if (label)
                *label = prompt->labelText();
            prompt->setTextValue(typed);
            prompt->accept();
        }
    });
}

void cancelPrompt()
{
    answerNextModal([](QWidget* dialog) {
        if (auto* prompt = qobject_cast<QInputDialog*>(dialog))
            prompt->reject();
    });
}

} // namespace bidmark::test
