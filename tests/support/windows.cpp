#include "tests/support/windows.h"

#include <QApplication>
#include <QComboBox>

#include "tests/support/dialogs.h"

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

bool enterCommissionerMenu()
{
    return answered({type(QStringLiteral("quaysider"))}, [] { control("Form1", "Command2")->click(); });
}

} // namespace bidmark::test
