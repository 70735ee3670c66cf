#pragma once
#include <memory>
#include <string>
#include <QMainWindow>
#include <QString>

#include "gui/session.h"

class QAction;
class QComboBox;
class QGroupBox;
class QMenu;

namespace bidmark {

// How the program was started. Started from the desktop menu on a folder that
// holds no league, the main window asks for a league folder, or offers to
// copy the installed sample league there, instead of reporting the missing
// team list.
struct StartOptions {
    bool fromDesktopMenu = false;
    QString sampleLeague; // the installed sample league's folder; empty when there is none
    QString userGuide{};  // the user guide's file; empty when there is none
};

// The main window: reveals its frame caption and lists the teams of the
// league folder's teams.txt when first shown; OK picks a team, the
// Commissioner Menu button asks for the password; the File menu opens another
// league folder, the Help menu shows the user guide and the help boxes. Where the choices lead is
// decided by the program's wiring.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Session& session, StartOptions options = {}, QWidget* parent = nullptr);
    void setVisible(bool visible) override;

signals:
    // OK with a team name that may be used (bytes as stored in files).
    void teamChosen(const std::string& team);
    // The commissioner password was given.
    void commissionerRequested();

private:
    void buildMenus();
    void startUp();
    void revealFrameCaption();
    void chooseTeam();
    void askPassword();
    void showUserGuide();
    void showNoTeam();

    // League folders.
    void openLeague(const Path& folder); // becomes the league folder once its teams.txt is read
    void chooseLeague();                        // a folder chooser
    void askForLeague();                        // the desktop menu's start on a folder without a league
    void copySampleLeague();
    void showLeagueFolder(); // in the File menu and the window's tool tip; the recent list

    Session& session_;
    const StartOptions options_;
    QGroupBox* teamSelection_;
    QComboBox* teamBox_;
    QAction* folderShown_ = nullptr;
    QMenu* recent_ = nullptr;
    std::unique_ptr<QWidget> userGuide_; // made on first use
    bool started_ = false;
};

} // namespace bidmark
