#include "tests/support/findwindows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

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

void offer(int row)
{
    auto* view = control<QAbstractItemView>("Form2", "List1");
    view->setCurrentIndex(view->model()->index(row, 0));
    emit view->doubleClicked(view->currentIndex());
    QWidget* dialog = window("Form2")->findChild<QWidget*>(QStringLiteral("Form3"));
    dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("1.5"));
    dialog->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("2"));
    dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
}

bool enterCommissionerMenu()
{
    return answered({type(QStringLiteral("quaysider"))}, [] { control("Form1", "Command2")->click(); });
}

} // namespace bidmark::test
