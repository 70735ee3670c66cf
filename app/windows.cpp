#include "app/windows.h"

#include <QApplication>
#include <QDateTime>
#include <QStringList>
#include <QTimer>

#include "commissioner/form4.h"
#include "commissioner/merge_run.h"
#include "commissioner/reportwindow.h"
#include "commissioner/signing.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "editor/form2.h"
#include "gui/leaguerun.h"
#include "gui/messages.h"
#include "gui/placement.h"
#include "gui/questionboxes.h"
#include "gui/text.h"
#include "marketvalue/form5.h"
#include "marketvalue/publishpage.h"

namespace bidmark {

namespace {

// When a file is set aside, in characters every file system takes.
std::string timeStamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")).toStdString();
}

} // namespace

Windows::Windows(std::string leagueFolder, StartOptions options)
    : session_{std::move(leagueFolder), {}}, form1_(std::make_unique<Form1>(session_, std::move(options)))
{
    connect(form1_.get(), &Form1::teamChosen, this, &Windows::openTeam);
    connect(form1_.get(), &Form1::commissionerRequested, this, &Windows::openCommissionerMenu);
    qApp->installEventFilter(this);
}

// Qt ends the program when its last main window closes, but not when the
// last one open is a window Qt counts as secondary; any window closed may be
// the last one.
bool Windows::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
        QTimer::singleShot(0, this, &Windows::endWhenNoWindowIsLeft); // once the window has closed
    return false;
}

void Windows::endWhenNoWindowIsLeft()
{
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            return;
    }
    QApplication::quit();
}

Windows::~Windows() = default;

// A run that was interrupted when the program last ended is put back as soon
// as the main window is there to say so.
void Windows::start()
{
    form1_->show();
    gui::guarded(form1_.get(), [&] { gui::recoverLeague(form1_.get(), session_); });
}

// A window is shown before the one it replaces is hidden, so that the
// program never runs for a moment without a visible window.

void Windows::openTeam(const std::string& team)
{
    gui::guarded(form1_.get(), [&] {
        std::vector<std::string> lines = readLines(pathIn(session_.leagueFolder, kFreeAgentFile));
        session_.currentTeam = team;
        Form2& players = form2();
        players.setPlayerLines(std::move(lines));
        gui::showFrom(&players, form1_.get(), gui::Place::Centred);
        players.showEarlierOffers();
        form1_->hide();
        form1_->close(); // for good: nothing shows the main window again
    });
}

void Windows::openCommissionerMenu()
{
    gui::showFrom(&form4(), form1_.get(), gui::Place::Centred);
    form1_->hide();
}

void Windows::showCalculator()
{
    Form5& calculator = form5();
    gui::showFrom(&calculator, form4_.get(), gui::Place::Beside);
    calculator.activateWindow();
}

// Sign Players: the Players Available window in signing mode over the whole
// free-agent list; a second run starts with both lists emptied. A
// COMMISH.txt that an earlier signing left is settled first.
void Windows::signPlayers()
{
    gui::guarded(form4_.get(), [&] {
        const std::optional<MergeReport> merged = settleLeftoverSignings();
        std::vector<std::string> lines = readLines(pathIn(session_.leagueFolder, kFreeAgentFile));
        session_.currentTeam = kCommissionerTeam;
        if (form2_)
            form2_->clearLists();
        Form2& players = form2();
        players.setPlayerLines(std::move(lines));
        players.showMarketValue();
        gui::showFrom(&players, form4_.get(), gui::Place::Centred);
        form4_->hide();
        if (merged)
            showReport(form2_.get(), *merged);
    });
}

// A COMMISH.txt found when a signing starts is merged now or set aside, as
// the commissioner chooses; never merged unasked. The report of its merge.
std::optional<MergeReport> Windows::settleLeftoverSignings()
{
    QWidget* menu = form4_.get();
    gui::QuestionBoxes questions(menu);
    std::optional<MergeReport> report;
    gui::runShown(menu, [&](Recovered& recovered) {
        report = settleLeftover(session_.leagueFolder, form4().moveSignedPlayers(), timeStamp(), questions,
                                recovered);
    });
    return report;
}

// Done in signing mode, one journalled run: the signings written to
// COMMISH.txt, merged into fa.txt, COMMISH.txt deleted; then back to the menu
// and the report. A failure leaves the signing window as it is.
void Windows::mergeSignedPlayers(const OfferList& signings)
{
    gui::guarded(form2_.get(), [&] {
        Form4& menu = form4();
        MergeReport report;
        gui::runShown(form2_.get(), [&](Recovered& recovered) {
            gui::BusyCursor busy;
            report = mergeSignedPlayersRun(session_.leagueFolder, signings.entries, menu.moveSignedPlayers(),
                                           timeStamp(), recovered);
        });
        gui::showFrom(&menu, form2_.get(), gui::Place::Centred);
        form2_->hide();
        showReport(&menu, report);
    });
}

// After a merge: what the commissioner must know (files kept or set aside),
// then the report window.
void Windows::showReport(QWidget* over, const MergeReport& report)
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
void Windows::choosePlayerToSign(const std::string& nameKey)
{
    if (!form2_ || !form2_->isVisible() || !session_.signingMode()) {
        gui::showMessage(QApplication::activeWindow(),
                         QStringLiteral("Open Sign Players on the Commissioners Menu to sign him."));
        return;
    }
    if (!form2_->selectPlayer(nameKey)) {
        gui::showMessage(QApplication::activeWindow(),
                         gui::toQt(nameKey).trimmed() + QStringLiteral(" is not in the list of Players Available."));
        return;
    }
    form2_->raise();
    form2_->activateWindow();
}

Form2& Windows::form2()
{
    if (!form2_) {
        form2_ = std::make_unique<Form2>(session_);
        connect(form2_.get(), &Form2::signingDone, this, &Windows::mergeSignedPlayers);
        // The signing window hid the menu: closing it brings the menu back.
        connect(form2_.get(), &Form2::closed, this, [this] {
            if (session_.signingMode())
                form4().show();
        });
    }
    return *form2_;
}

Form4& Windows::form4()
{
    if (!form4_) {
        form4_ = std::make_unique<Form4>(session_);
        connect(form4_.get(), &Form4::calculatorRequested, this, &Windows::showCalculator);
        connect(form4_.get(), &Form4::signPlayersRequested, this, &Windows::signPlayers);
        connect(form4_.get(), &Form4::publishPageRequested, this,
                [this] { publishLeaguePage(form4_.get(), session_.leagueFolder); });
        connect(form4_.get(), &Form4::merged, this,
                [this](const MergeReport& report) { showReport(form4_.get(), report); });
        connect(form4_.get(), &Form4::runUndone, this, [this](const std::string& runFolder) {
            if (runReport_)
                runReport_->runUndone(runFolder);
        });
    }
    return *form4_;
}

Form5& Windows::form5()
{
    if (!form5_) {
        form5_ = std::make_unique<Form5>(session_);
        connect(form5_.get(), &Form5::playerChosen, this, &Windows::choosePlayerToSign);
    }
    return *form5_;
}

RunReport& Windows::runReport()
{
    if (!runReport_)
        runReport_ = std::make_unique<RunReport>(session_);
    return *runReport_;
}

} // namespace bidmark
