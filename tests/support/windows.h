#pragma once
#include <QMessageBox>
#include <QPushButton>
#include <QString>

namespace bidmark::test {

// The top-level window of this objectName, or nullptr.
QWidget* window(const char* name);
bool shown(const char* name); // the window exists and is visible

// A control of a top-level window, found by objectName.
template <class Widget = QPushButton>
Widget* control(const char* windowName, const char* name)
{
    return window(windowName)->findChild<Widget*>(QString::fromLatin1(name));
}

// The main window's two ways on: a team typed and OK, or the password.
void chooseTeam(const QString& team);
void enterCommissionerMenu();

// What a message box showed; recordMessage answers the next one with OK.
struct Message {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};
void recordMessage(Message* message);

} // namespace bidmark::test
