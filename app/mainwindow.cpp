#include "app/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <utility>

#include "app/leaguefolder.h"
#include "app/pictures.h"
#include "app/recentleagues.h"
#include "app/userguide.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"
#include "gui/captionbutton.h"
#include "gui/captionfit.h"
#include "gui/controls.h"
#include "gui/fonts.h"
#include "gui/messages.h"
#include "gui/paths.h"
#include "gui/placement.h"
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

QString absoluteFolder(const Path& folder)
{
    return QDir(gui::toQt(folder)).absolutePath();
}

// A folder as a menu item's text: "&" is no shortcut mark.
QString menuText(QString folder)
{
    return folder.replace(QLatin1Char('&'), QStringLiteral("&&"));
}
} // namespace

MainWindow::MainWindow(Session& session, StartOptions options, QWidget* parent)
    : QMainWindow(parent), session_(session), options_(std::move(options))
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
    maker->setAccessibleName(maker->text()); // a screen reader hears the caption

    for (const Picture& picture : kPictures) {
        auto* label = gui::named<QLabel>(client, picture.name, picture.at);
        label->setPixmap(picture.draw());
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    teamSelection_ = gui::named<QGroupBox>(client, "Frame1", {2400, 2160, 2895, 3615},
                                           QStringLiteral("Team Selection"));
    fillBackground(teamSelection_, kFrameRed);
    auto* teamLabel =
        gui::named<QLabel>(teamSelection_, "Label1", {360, 600, 2175, 255}, QStringLiteral("Select Your Team"));
    fillBackground(teamLabel, kFrameRed);

    // The typed text is the team name exactly as typed: no completion that
    // could change its case, nothing added to the list on Enter.
    teamBox_ = gui::named<QComboBox>(teamSelection_, "Combo1", {360, 960, 2175, 315});
    teamBox_->setEditable(true);
    teamBox_->setInsertPolicy(QComboBox::NoInsert);
    teamBox_->setCompleter(nullptr);
    showNoTeam();
    teamBox_->setFocus(); // the keys go to the team box first
    teamLabel->setBuddy(teamBox_); // a screen reader hears the box by its label

    auto* ok =
        gui::named<gui::CaptionButton>(teamSelection_, "Command1", {600, 1800, 1335, 615}, QStringLiteral("OK"));
    connect(ok, &QPushButton::clicked, this, &MainWindow::chooseTeam);
    auto* commissioner = gui::named<gui::CaptionButton>(teamSelection_, "Command2", {600, 2640, 1335, 615},
                                                        QStringLiteral("Commissioner Menu"));
    connect(commissioner, &QPushButton::clicked, this, &MainWindow::askPassword);

    buildMenus();
    showLeagueFolder();
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    folderShown_ = file->addAction(QString());
    folderShown_->setObjectName(QStringLiteral("leagueFolder"));
    folderShown_->setEnabled(false);
    file->addSeparator();
    QAction* open = file->addAction(QStringLiteral("Open League Folder\u2026"));
    open->setObjectName(QStringLiteral("openLeague"));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &MainWindow::chooseLeague);
    recent_ = file->addMenu(QStringLiteral("Recent League Folders"));
    recent_->setObjectName(QStringLiteral("recentLeagues"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help"));
    QAction* guide = help->addAction(QStringLiteral("User Guide"));
    guide->setObjectName(QStringLiteral("userGuide"));
    guide->setShortcut(QKeySequence::HelpContents);
    connect(guide, &QAction::triggered, this, &MainWindow::showUserGuide);
    help->addSeparator();
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
void MainWindow::setVisible(bool visible)
{
    QMainWindow::setVisible(visible);
    if (visible && !started_) {
        started_ = true;
        startUp();
    }
}

void MainWindow::startUp()
{
    revealFrameCaption();
    if (options_.fromDesktopMenu && !holdsLeague(session_.leagueFolder))
        askForLeague();
    else
        openLeague(session_.leagueFolder);
}

void MainWindow::revealFrameCaption()
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

// The folder's team list fills the team box; a folder whose teams.txt cannot
// be read leaves everything as it was.
void MainWindow::openLeague(const Path& folder)
{
    gui::guarded(this, [&] {
        const std::vector<std::string> teams = readLines(pathIn(folder, kTeamsFile));
        session_.leagueFolder = folder;
        teamBox_->clear();
        for (const std::string& team : teams)
            teamBox_->addItem(gui::toQt(team));
        showNoTeam(); // adding the first entry selected it
        recentLeagues::remember(absoluteFolder(folder));
        showLeagueFolder();
    });
}

// The team box reads "<none>", marked, so that a team typed replaces it.
void MainWindow::showNoTeam()
{
    teamBox_->setCurrentIndex(-1);
    teamBox_->setEditText(kNoTeam);
    teamBox_->lineEdit()->selectAll();
}

void MainWindow::chooseLeague()
{
    if (const std::optional<Path> folder =
            gui::chooseFolder(this, QStringLiteral("Open League Folder"), absoluteFolder(session_.leagueFolder)))
        openLeague(*folder);
}

void MainWindow::askForLeague()
{
    QString text = QStringLiteral("The folder %1 holds no league: neither fa.txt nor teams.txt.\n\n"
                                  "Open the folder that holds your league's files")
                       .arg(QDir::toNativeSeparators(absoluteFolder(session_.leagueFolder)));
    text += options_.sampleLeague.isEmpty() ? QStringLiteral(".")
                                            : QStringLiteral(", or copy the sample league here to try Bidmark.");
    QMessageBox box(QMessageBox::NoIcon, gui::kTitle, text, QMessageBox::Cancel, this);
    box.setTextFormat(Qt::PlainText);
    QPushButton* open = box.addButton(QStringLiteral("Open League Folder\u2026"), QMessageBox::AcceptRole);
    QPushButton* copy = options_.sampleLeague.isEmpty()
        ? nullptr
        : box.addButton(QStringLiteral("Copy Sample League"), QMessageBox::ActionRole);
    box.setDefaultButton(open);
    box.exec();
    if (box.clickedButton() == open)
        chooseLeague();
    else if (copy && box.clickedButton() == copy)
        copySampleLeague();
}

void MainWindow::copySampleLeague()
{
    const bool copied = gui::guarded(this, [&] {
        copyMissingFiles(gui::pathFromQt(options_.sampleLeague), session_.leagueFolder);
    });
    if (copied)
        openLeague(session_.leagueFolder);
}

void MainWindow::showLeagueFolder()
{
    const QString folder = QDir::toNativeSeparators(absoluteFolder(session_.leagueFolder));
    folderShown_->setText(menuText(QStringLiteral("League folder: %1").arg(folder)));
    centralWidget()->setToolTip(
        QStringLiteral("<p style='white-space:pre'>League folder: %1</p>").arg(folder.toHtmlEscaped()));

    recent_->clear();
    for (const QString& recent : recentLeagues::folders()) {
        QAction* action = recent_->addAction(menuText(QDir::toNativeSeparators(recent)));
        connect(action, &QAction::triggered, this, [this, recent] { openLeague(gui::pathFromQt(recent)); });
    }
    recent_->setEnabled(!recent_->isEmpty());
}

void MainWindow::chooseTeam()
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

void MainWindow::showUserGuide()
{
    if (options_.userGuide.isEmpty()) {
        gui::showWarning(this, QStringLiteral("The user guide is not installed."));
        return;
    }
    if (!userGuide_)
        userGuide_ = std::make_unique<UserGuide>(options_.userGuide);
    gui::showFrom(userGuide_.get(), this, gui::Place::Beside);
    userGuide_->activateWindow();
}

void MainWindow::askPassword()
{
    const QString answer = QInputDialog::getText(this, gui::kTitle, QStringLiteral("Enter password"),
                                                 QLineEdit::Password, QString());
    if (answer == kPassword)
        emit commissionerRequested();
}

} // namespace bidmark
