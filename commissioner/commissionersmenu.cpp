#include "commissioner/commissionersmenu.h"

#include <optional>
#include <string>

#include <QCheckBox>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>

#include "commissioner/mergerun.h"
#include "commissioner/offersreceived.h"
#include "commissioner/receiveflow.h"
#include "core/undo.h"
#include "gui/captionbutton.h"
#include "gui/captionfit.h"
#include "gui/controls.h"
#include "gui/leaguerun.h"
#include "gui/messages.h"
#include "gui/questionboxes.h"
#include "gui/text.h"

namespace bidmark {

namespace {

constexpr gui::Control kLabels[] = {
    {"Label3",
     "This requires your leauges vitals.html and Team Scoring.html and can be seen when signing players",
     {600, 1200, 3735, 615}},
    {"Label1", "Move existing <SIGNED> players to Signed.txt", {240, 1920, 3615, 255}},
    {"Label2", "Delete team offers after merging", {240, 2280, 3615, 255}},
    {"Label4",
     "Review current offers from teams,  relative to a players market value and sign them to a contract",
     {720, 2640, 3615, 615}},
};

QPushButton* button(QWidget* parent, const char* name, const char* caption, int top)
{
    return gui::named<gui::CaptionButton>(parent, name, {4560, top, 1455, 615}, QString::fromLatin1(caption));
}

// A merge option: a ticked box with no caption of its own.
QCheckBox* option(QWidget* parent, const char* name, int top)
{
    auto* box = gui::named<QCheckBox>(parent, name, {3960, top, 255, 255});
    box->setChecked(true);
    return box;
}

// The merge name for the signing header, Cancel giving empty text; nothing
// when it holds a character signed.txt cannot store.
std::optional<std::string> askMergeName(QWidget* parent, const Path& folder)
{
    const QString typed = QInputDialog::getText(parent, gui::kTitle, QStringLiteral("Enter name of this merger"),
                                                QLineEdit::Normal, gui::toQt(nextMergeName(folder)));
    return gui::typedText(parent, typed, QStringLiteral("The merge name"));
}

} // namespace

CommissionersMenu::CommissionersMenu(const Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Commissioners Menu"));
    gui::sizeTwips(this, 6090, 4065);
    QPalette red = palette();
    red.setColor(QPalette::Window, QColor(192, 0, 0));
    setPalette(red);
    setAutoFillBackground(true);

    auto* calculate = button(this, "Command2", "Calculate a Market Value for Free Agents", 1200);
    auto* merge = button(this, "Command1", "Merge Team Offers (new fa.txt)", 1920);
    moveSigned_ = option(this, "Check1", 1920);
    deleteOffers_ = option(this, "Check2", 2280);
    auto* sign = button(this, "Command4", "Sign Players   (new fa.txt)", 2640);
    auto* done = button(this, "Command3", "Done", 3360);
    for (const gui::Control& label : kLabels) {
        auto* widget = gui::named<QLabel>(this, label);
        widget->setTextFormat(Qt::PlainText); // "<SIGNED>" is text, not markup
        widget->setWordWrap(true);
    }
    // A screen reader hears each merge option by the label to its left.
    findChild<QLabel*>(QStringLiteral("Label1"))->setBuddy(moveSigned_);
    findChild<QLabel*>(QStringLiteral("Label2"))->setBuddy(deleteOffers_);
    auto* scratch = gui::named<QListWidget>(this, "List1", {5040, 120, 855, 255});
    scratch->hide(); // the scratch list stays hidden and empty: the merge works in memory
    // Below the labels, on the row of Done but far from it.
    auto* undo = gui::named<gui::CaptionButton>(this, "undoLastRun", {240, 3360, 1455, 615},
                                                QStringLiteral("Undo Last Run"));
    // Above the labels: the week's mail, before the merge, and the league page.
    auto* received = gui::named<gui::CaptionButton>(this, "offersReceived", {240, 360, 1335, 615},
                                                    QStringLiteral("Offers Received"));
    auto* receive = gui::named<gui::CaptionButton>(this, "receiveFiles", {1695, 360, 1335, 615},
                                                   QStringLiteral("Receive Offer Files…"));
    auto* publish = gui::named<gui::CaptionButton>(this, "publishPage", {3150, 360, 1335, 615},
                                                   QStringLiteral("Publish League Page…"));

    // Tab order of the controls that take focus: Check2, Command1, Command2,
    // List1, Command3, Command4, Check1, then Undo Last Run, the mail's two
    // and Publish League Page.
    QWidget* order[] = {deleteOffers_, merge,      calculate, scratch, done,   sign,
                        moveSigned_,   undo,       received,  receive, publish};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    deleteOffers_->setFocus(); // the first of the tab order has the focus when the menu opens

    connect(merge, &QPushButton::clicked, this, &CommissionersMenu::mergeTeamOffers);
    connect(calculate, &QPushButton::clicked, this, &CommissionersMenu::calculatorRequested);
    connect(done, &QPushButton::clicked, this, [] { gui::endProgram(); });
    connect(sign, &QPushButton::clicked, this, &CommissionersMenu::signPlayersRequested);
    connect(undo, &QPushButton::clicked, this, &CommissionersMenu::undoLastRun);
    connect(received, &QPushButton::clicked, this, &CommissionersMenu::showOffersReceived);
    connect(receive, &QPushButton::clicked, this, [this] {
        if (receiveOfferFiles(this, session_, chooseOfferFiles(this)) && offersReceived_ && offersReceived_->isVisible())
            offersReceived_->refresh(moveSigned_->isChecked());
    });
    connect(publish, &QPushButton::clicked, this, &CommissionersMenu::publishPageRequested);
    gui::fitCaptions(this);
}

bool CommissionersMenu::moveSignedPlayers() const { return moveSigned_->isChecked(); }

void CommissionersMenu::showOffersReceived()
{
    if (!offersReceived_)
        offersReceived_ = new OffersReceived(session_, moveSigned_->isChecked(), this);
    offersReceived_->refresh(moveSigned_->isChecked());
    offersReceived_->show();
    offersReceived_->raise();
    offersReceived_->activateWindow();
}

void CommissionersMenu::mergeTeamOffers()
{
    gui::guarded(this, [this] {
        const bool moveSigned = moveSigned_->isChecked();
        std::optional<std::string> mergeName;
        if (moveSigned) {
            mergeName = askMergeName(this, session_.leagueFolder);
            if (!mergeName)
                return;
        }
        MergeTeamOffersRun run(session_.leagueFolder, mergeName, {moveSigned, deleteOffers_->isChecked()});
        gui::runShown(this, [&](Recovered& recovered) {
            gui::BusyCursor busy;
            run.run(recovered);
        });
        gui::showMessage(this, gui::toQt(run.doneMessage()));
        if (offersReceived_ && offersReceived_->isVisible())
            offersReceived_->refresh(moveSigned);
        emit merged(run.report());
    });
}

// The questions are asked without the league folder's lock, so that another
// program's Done is not held up by an open question (core/undo.h).
void CommissionersMenu::undoLastRun()
{
    gui::guarded(this, [this] {
        gui::QuestionBoxes questions(this);
        std::optional<std::string> said;
        Path undone;
        gui::runShown(this, [&](Recovered& recovered) {
            said = bidmark::undoLastRun(session_.leagueFolder, questions, recovered, &undone);
        });
        if (!undone.empty())
            emit runUndone(undone);
        if (said)
            gui::showMessage(this, gui::toQt(*said));
    });
}

} // namespace bidmark
