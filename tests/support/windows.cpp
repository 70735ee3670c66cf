#include "windows.h"

#include <QApplication>
#include <QComboBox>

#include "modal.h"

namespace bidmark::test {

QWidget* window(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name))
            return widget;
    }
    return nullptr;
}

bool shown(const char* name)
{
    return window(name) && window(name)->isVisible();
}

void chooseTeam(const QString& team)
{
    control<QComboBox>("Form1", "Combo1")->setEditText(team);
    control("Form1", "Command1")->click();
}

void enterCommissionerMenu()
{
    answerPrompt(QStringLiteral("quaysider"));
    control("Form1", "Command2")->click();
}

void recordMessage(Message* message)
{
    answerNextModal([message](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            message->text = box->text();
            message->icon = box->icon();
            box->done(QMessageBox::Ok);
        }
    });
}

} // namespace bidmark::test
