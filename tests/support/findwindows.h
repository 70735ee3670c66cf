#pragma once
#include <QPushButton>
#include <QString>

// The program's windows as a test finds them: by objectName.
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
// An offer of 1.5 for 2 years to the player of this row of the Players
// Available window: the row double-clicked and the Contract dialog's OK.
void offer(int row);
[[nodiscard]] bool enterCommissionerMenu();

} // namespace bidmark::test
