#include "app/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QThread>

#include "app/pictures.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"
#include "gui/captionbutton.h"
#include "gui/captionfit.h"
#include "gui/controls.h"
#include "gui/fonts.h"
#include "gui/messages.h"
#include "gui/text.h"
#include "help/helptexts.h"

namespace bidmark {

namespace {
const QString kNoTeam = QStringLiteral("<none>");
const QString kPassword = QStringLiteral("quaysider");
const QColor kFrameRed(192, 0, 0);
const int kRevealPauseMs = 15;

void fillBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

struct Picture {
    const char* name;
    QPixmap (*draw)();
    gui::Twips at;
};
const Picture kPictures[] = {
    {"Picture1", pictures::rink, {480, 240, 4455, 1815}},
    {"Picture2", pictures::puck, {480, 2160, 1695, 1815}},
    {"Picture3", pictures::stick, {120, 4080, 2055, 1455}},
};

struct HelpItem {
    const char* name;
    const char* caption;
    std::string (*text)();
};
const HelpItem kHelpItems[] = {
    {"ver", "Version", versionText},
    {"aboutBidmark", "About Bidmark", aboutText},
    {"aboutVELD", "About VELD", leagueText},
};
} // namespace

Form1::Form1(const Session& session, QWidget* parent) : QMainWindow(parent), session_(session)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(gui::kTitle);
    setFont(gui::sansFont(8.25, false));

    auto* client = new QWidget(this);
    fillBackground(client, Qt::black);
    gui::sizeTwips(client, 5460, 5940);
    setCentralWidget(client);

    auto* maker = gui::named<QLineEdit>(client, "Text1", {120, 0, 3255, 285},
                                        QStringLiteral("Bidmark is a product of the"));
    maker->setFrame(false);
    maker->setReadOnly(true);
    maker->setFont(gui::sansFont(8.25, true));
    QPalette makerColours = maker->palette();
    makerColours.setColor(QPalette::Base, Qt::black);
    makerColours.setColor(QPalette::Text, QColor(0, 0, 192));
    maker->setPalette(makerColours);

    for (const Picture& picture : kPictures) {
        auto* label = gui::named<QLabel>(client, picture.name, picture.at);
        label->setPixmap(picture.draw());
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    teamSelection_ = gui::named<QGroupBox>(client, "Frame1", {2400, 2160, 2895, 3615},
                                           QStringLiteral("Team Selection"));
    fillBackground(teamSelection_, kFrameRed);
    fillBackground(gui::named<QLabel>(teamSelection_, "Label1", {360, 600, 2175, 255},
                                      QStringLiteral("Select Your Team")),
                   kFrameRed);

    // The typed text is the team name exactly as typed: no completion that
    // could change its case, nothing added to the list on Enter.
    teamBox_ = gui::named<QComboBox>(teamSelection_, "Combo1", {360, 960, 2175, 315});
    teamBox_->setEditable(true);
    teamBox_->setInsertPolicy(QComboBox::NoInsert);
    teamBox_->setCompleter(nullptr);
    teamBox_->setEditText(kNoTeam);

    auto* ok =
        gui::named<gui::CaptionButton>(teamSelection_, "Command1", {600, 1800, 1335, 615}, QStringLiteral("OK"));
    connect(ok, &QPushButton::clicked, this, &Form1::chooseTeam);
    auto* commissioner = gui::named<gui::CaptionButton>(teamSelection_, "Command2", {600, 2640, 1335, 615},
                                                        QStringLiteral("Commissioner Menu"));
    connect(commissioner, &QPushButton::clicked, this, &Form1::askPassword);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help"));
    for (const HelpItem& item : kHelpItems) {
        QAction* action = help->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        connect(action, &QAction::triggered, this,
                [this, text = item.text] { gui::showInformation(this, gui::toQt(text())); });
    }
    gui::fitCaptions(this);
}

// The start-up runs once, when the window is first shown, and is over when
// show() returns.
void Form1::setVisible(bool visible)
{
    QMainWindow::setVisible(visible);
    if (visible && !started_) {
        started_ = true;
        startUp();
    }
}

void Form1::startUp()
{
    revealFrameCaption();
    gui::guarded(this, [this] { fillTeams(); });
}

void Form1::revealFrameCaption()
{
    const QString caption = teamSelection_->title();
    for (int length = 1; length <= caption.size(); ++length) {
        teamSelection_->setTitle(caption.left(length));
        // Let the window appear (paint events only, no input), then draw the
        // caption at once.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        teamSelection_->repaint();
        QThread::msleep(kRevealPauseMs);
    }
}

void Form1::fillTeams()
{
    for (const std::string& team : readLines(pathIn(session_.leagueFolder, kTeamsFile)))
        teamBox_->addItem(gui::toQt(team));
    // Adding the first entry selects it; the text stays "<none>".
    teamBox_->setCurrentIndex(-1);
    teamBox_->setEditText(kNoTeam);
}

void Form1::chooseTeam()
{
    const QString text = teamBox_->currentText();
    if (text == kNoTeam)
        return;
    const std::optional<std::string> team =
        gui::typedText(this, text, QStringLiteral("The team name \"%1\"").arg(text));
    if (!team)
        return;
    if (const std::optional<std::string> problem = teamNameProblem(*team)) {
        gui::showMessage(this, gui::toQt(*problem));
        return;
    }
    emit teamChosen(*team);
}

void Form1::askPassword()
{
    const QString answer = QInputDialog::getText(this, gui::kTitle, QStringLiteral("Enter password"),
                                                 QLineEdit::Password, QString());
    if (answer == kPassword)
        emit commissionerRequested();
}

} // namespace bidmark
