#include "app/windows.h"

#include "commissioner/form4.h"
#include "commissioner/merge.h"
#include "commissioner/merge_run.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "editor/form2.h"
#include "gui/leaguerun.h"
#include "gui/messages.h"
#include "marketvalue/form5.h"

namespace bidmark {

Windows::Windows(std::string leagueFolder, StartOptions options)
    : session_{std::move(leagueFolder), {}}, form1_(std::make_unique<Form1>(session_, std::move(options)))
{
    connect(form1_.get(), &Form1::teamChosen, this, &Windows::openTeam);
    connect(form1_.get(), &Form1::commissionerRequested, this, &Windows::openCommissionerMenu);
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
        players.show();
        form1_->hide();
        form1_->close(); // for good: nothing shows the main window again
    });
}

void Windows::openCommissionerMenu()
{
    form4().show();
    form1_->hide();
}

void Windows::showCalculator()
{
    Form5& calculator = form5();
    calculator.show();
    calculator.raise();
    calculator.activateWindow();
}

// Sign Players: the Players Available window in signing mode over the whole
// free-agent list; a second run starts with both lists emptied.
void Windows::signPlayers()
{
    gui::guarded(form4_.get(), [&] {
        std::vector<std::string> lines = readLines(pathIn(session_.leagueFolder, kFreeAgentFile));
        session_.currentTeam = kCommissionerTeam;
        if (form2_)
            form2_->clearLists();
        Form2& players = form2();
        players.setPlayerLines(std::move(lines));
        players.showMarketValue();
        players.show();
        form4_->hide();
    });
}

// Done in signing mode, one journalled run: write COMMISH.txt, merge it into
// fa.txt, delete it, and go back to the menu. A failure leaves the signing
// window as it is.
void Windows::mergeSignedPlayers(const OfferList& signings)
{
    gui::guarded(form2_.get(), [&] {
        Form4& menu = form4();
        const std::string& folder = session_.leagueFolder;
        gui::leagueRun(form2_.get(), session_, kSigningRunName, signingRunFiles, [&](const std::string&) {
            saveOfferList(folder, kCommissionerTeam, signings);
            mergeTeamOffers(folder, std::string(kCommissionerTeam), menu.moveSignedPlayers());
            deleteFile(pathIn(folder, kCommissionerFile));
        });
        menu.show();
        form2_->hide();
    });
}

Form2& Windows::form2()
{
    if (!form2_) {
        form2_ = std::make_unique<Form2>(session_);
        connect(form2_.get(), &Form2::signingDone, this, &Windows::mergeSignedPlayers);
    }
    return *form2_;
}

Form4& Windows::form4()
{
    if (!form4_) {
        form4_ = std::make_unique<Form4>(session_);
        connect(form4_.get(), &Form4::calculatorRequested, this, &Windows::showCalculator);
        connect(form4_.get(), &Form4::signPlayersRequested, this, &Windows::signPlayers);
    }
    return *form4_;
}

Form5& Windows::form5()
{
    if (!form5_)
        form5_ = std::make_unique<Form5>(session_);
    return *form5_;
}

} // namespace bidmark
