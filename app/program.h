#pragma once
#include <memory>
#include <optional>
#include <string>
#include <QObject>

#include "app/mainwindow.h"
#include "commissioner/mergereport.h"
#include "gui/session.h"

class QWidget;

namespace bidmark {

struct OfferList;
class MainWindow;
class PlayersAvailable;
class CommissionersMenu;
class MarketValueCalculator;
class RunReport;

// The program: the session and every window, each created on first use, and
// the one place where the windows' requests are connected to each other and
// to the logic.
class Program : public QObject {
    Q_OBJECT
public:
    explicit Program(Path leagueFolder, StartOptions options = {});
    ~Program() override;

    void start(); // shows the main window
    MainWindow& mainWindow() { return *mainWindow_; }

protected:
    // Every window's closing: the program ends once none is left open.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void endWhenNoWindowIsLeft();
    void openTeam(const std::string& team);
    void openCommissionerMenu();
    void showCalculator();
    void signPlayers();
    std::optional<MergeReport> settleLeftoverSignings();
    void mergeSignedPlayers(const OfferList& signings);
    void showReport(QWidget* over, const MergeReport& report);
    void choosePlayerToSign(const std::string& nameKey);

    PlayersAvailable& playersAvailable();
    CommissionersMenu& commissionersMenu();
    MarketValueCalculator& calculator();
    RunReport& runReport();

    Session session_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<PlayersAvailable> playersAvailable_;
    std::unique_ptr<CommissionersMenu> commissionersMenu_;
    std::unique_ptr<MarketValueCalculator> calculator_;
    std::unique_ptr<RunReport> runReport_;
};

} // namespace bidmark
