#pragma once
#include <string>
#include <QMainWindow>

#include "gui/session.h"

class QComboBox;
class QGroupBox;

namespace bidmark {

// The main window: reveals its frame caption and lists the teams of the
// league folder's teams.txt when first shown; OK picks a team, the
// Commissioner Menu button asks for the password; the Help menu shows the
// help boxes. Where the choices lead is decided by the program's wiring.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(const Session& session, QWidget* parent = nullptr);
    void setVisible(bool visible) override;

signals:
    // OK with a team name that may be used (bytes as stored in files).
    void teamChosen(const std::string& team);
    // The commissioner password was given.
    void commissionerRequested();

private:
    void startUp();
    void revealFrameCaption();
    void fillTeams();
    void chooseTeam();
    void askPassword();

    const Session& session_;
    QGroupBox* teamSelection_;
    QComboBox* teamBox_;
    bool started_ = false;
};

} // namespace bidmark
