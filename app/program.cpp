#include "app/program.h"

#include <QApplication>
#include <QDateTime>
#include <QStringList>
#include <QTimer>

#include "commissioner/commissionersmenu.h"
#include "commissioner/mergerun.h"
#include "commissioner/runreport.h"
#include "commissioner/signing.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "editor/playersavailable.h"
#include "gui/leaguerun.h"
#include "gui/messages.h"
#include "gui/placement.h"
#include "gui/questionboxes.h"
#include "gui/text.h"
#include "marketvalue/calculator.h"
#include "marketvalue/publishpage.h"

namespace bidmark {

namespace {

// When a file is set aside, in characters every file system takes.
std::string timeStamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")).toStdString();
}

} // namespace

Program::Program(Path leagueFolder, StartOptions options)
    : session_{std::move(leagueFolder), {}}, mainWindow_(std::make_unique<MainWindow>(session_, std::move(options)))
{
    connect(mainWindow_.get(), &MainWindow::teamChosen, this, &Program::openTeam);
    connect(mainWindow_.get(), &MainWindow::commissionerRequested, this, &Program::openCommissionerMenu);
    qApp->installEventFilter(this);
}

// Qt ends the program when its last main window closes, but not when the
// last one open is a window Qt counts as secondary; any window closed may be
// the last one.
bool Program::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
        QTimer::singleShot(0, this, &Program::endWhenNoWindowIsLeft); // once the window has closed
    return false;
}

void Program::endWhenNoWindowIsLeft()
{
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            return;
    }
    QApplication::quit();
}

Program::~Program() = default;

// A run that was interrupted when the program last ended is put back as soon
// as the main window is there to say so.
void Program::start()
{
    mainWindow_->show();
    gui::guarded(mainWindow_.get(), [&] { gui::recoverLeague(mainWindow_.get(), session_); });
}

// A window is shown before the one it replaces is hidden, so that the
// program never runs for a moment without a visible window.

void Program::openTeam(const std::string& team)
{
    gui::guarded(mainWindow_.get(), [&] {
        std::string faText = readFile(pathIn(session_.leagueFolder, kFreeAgentFile));
        session_.currentTeam = team;
        PlayersAvailable& players = playersAvailable();
        players.setPlayerLines(std::move(faText));
        gui::showFrom(&players, mainWindow_.get(), gui::Place::Centred);
        players.showEarlierOffers();
        mainWindow_->hide();
        mainWindow_->close(); // for good: nothing shows the main window again
    });
}

void Program::openCommissionerMenu()
{
    gui::showFrom(&commissionersMenu(), mainWindow_.get(), gui::Place::Centred);
    mainWindow_->hide();
}

void Program::showCalculator()
{
    MarketValueCalculator& shown = calculator();
    gui::showFrom(&shown, commissionersMenu_.get(), gui::Place::Beside);
    shown.activateWindow();
}

// Sign Players: the Players Available window in signing mode over the whole
// free-agent list; a second run starts with both lists emptied. A
// COMMISH.txt that an earlier signing left is settled first.
void Program::signPlayers()
{
    gui::guarded(commissionersMenu_.get(), [&] {
        const std::optional<MergeReport> merged = settleLeftoverSignings();
        std::string faText = readFile(pathIn(session_.leagueFolder, kFreeAgentFile));
        session_.currentTeam = kCommissionerTeam;
        if (playersAvailable_)
            playersAvailable_->clearLists();
        PlayersAvailable& players = playersAvailable();
        players.setPlayerLines(std::move(faText));
        players.showMarketValue();
        gui::showFrom(&players, commissionersMenu_.get(), gui::Place::Centred);
        commissionersMenu_->hide();
        if (merged)
            showReport(playersAvailable_.get(), *merged);
    });
}

// A COMMISH.txt found when a signing starts is merged now or set aside, as
// the commissioner chooses; never merged unasked. The report of its merge.
std::optional<MergeReport> Program::settleLeftoverSignings()
{
    QWidget* menu = commissionersMenu_.get();
    gui::QuestionBoxes questions(menu);
    std::optional<MergeReport> report;
    gui::runShown(menu, [&](Recovered& recovered) {
        report = settleLeftover(session_.leagueFolder, commissionersMenu().moveSignedPlayers(), timeStamp(), questions,
                                recovered);
    });
    return report;
}

// Done in signing mode, one journalled run: the signings written to
// COMMISH.txt, merged into fa.txt, COMMISH.txt deleted; then back to the menu
// and the report. A failure leaves the signing window as it is.
void Program::mergeSignedPlayers(const OfferList& signings)
{
    gui::guarded(playersAvailable_.get(), [&] {
        CommissionersMenu& menu = commissionersMenu();
        MergeReport report;
        gui::runShown(playersAvailable_.get(), [&](Recovered& recovered) {
            gui::BusyCursor busy;
            report = mergeSignedPlayersRun(session_.leagueFolder, signings.entries, menu.moveSignedPlayers(),
                                           timeStamp(), recovered);
        });
        gui::showFrom(&menu, playersAvailable_.get(), gui::Place::Centred);
        playersAvailable_->hide();
        showReport(&menu, report);
    });
}

// After a merge: what the commissioner must know (files kept or set aside),
// then the report window.
void Program::showReport(QWidget* over, const MergeReport& report)
{
    QStringList notes;
    for (const std::string& note : runNotes(report))
        notes << gui::toQt(note);
    if (!notes.isEmpty())
        gui::showWarning(over, notes.join(QLatin1Char('\n')));
    runReport().showReport(report, over);
}

// A double-click on a free agent in the Market Values window selects him in
// the signing list, when a signing is open.
void Program::choosePlayerToSign(const std::string& nameKey)
{
    if (!playersAvailable_ || !playersAvailable_->isVisible() || !session_.signingMode()) {
        gui::showMessage(QApplication::activeWindow(),
                         QStringLiteral("Open Sign Players on the Commissioners Menu to sign him."));
        return;
    }
    if (!playersAvailable_->selectPlayer(nameKey)) {
        gui::showMessage(QApplication::activeWindow(),
                         gui::toQt(nameKey).trimmed() + QStringLiteral(" is not in the list of Players Available."));
        return;
    }
    playersAvailable_->raise();
    playersAvailable_->activateWindow();
}

PlayersAvailable& Program::playersAvailable()
{
    if (!playersAvailable_) {
        playersAvailable_ = std::make_unique<PlayersAvailable>(session_);
        connect(playersAvailable_.get(), &PlayersAvailable::signingDone, this, &Program::mergeSignedPlayers);
        // The signing window hid the menu: closing it brings the menu back.
        connect(playersAvailable_.get(), &PlayersAvailable::closed, this, [this] {
            if (session_.signingMode())
                commissionersMenu().show();
        });
    }
    return *playersAvailable_;
}

CommissionersMenu& Program::commissionersMenu()
{
    if (!commissionersMenu_) {
        commissionersMenu_ = std::make_unique<CommissionersMenu>(session_);
        connect(commissionersMenu_.get(), &CommissionersMenu::calculatorRequested, this, &Program::showCalculator);
        connect(commissionersMenu_.get(), &CommissionersMenu::signPlayersRequested, this, &Program::signPlayers);
        connect(commissionersMenu_.get(), &CommissionersMenu::publishPageRequested, this,
                [this] { publishLeaguePage(commissionersMenu_.get(), session_.leagueFolder); });
        connect(commissionersMenu_.get(), &CommissionersMenu::merged, this,
                [this](const MergeReport& report) { showReport(commissionersMenu_.get(), report); });
        connect(commissionersMenu_.get(), &CommissionersMenu::runUndone, this, [this](const Path& runFolder) {
            if (runReport_)
                runReport_->runUndone(runFolder);
        });
    }
    return *commissionersMenu_;
}

MarketValueCalculator& Program::calculator()
{
    if (!calculator_) {
        calculator_ = std::make_unique<MarketValueCalculator>(session_);
        connect(calculator_.get(), &MarketValueCalculator::playerChosen, this, &Program::choosePlayerToSign);
    }
    return *calculator_;
}

RunReport& Program::runReport()
{
    if (!runReport_)
        runReport_ = std::make_unique<RunReport>(session_);
    return *runReport_;
}

} // namespace bidmark
