#include "form1.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QThread>

#include "core/gui/captionbutton.h"
#include "core/gui/widgets.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"
#include "help/helptexts.h"
#include "pictures.h"

namespace bidmark {

namespace {
const QString kNoTeam = QStringLiteral("<none>");
const QString kPassword = QStringLiteral("quaysider");
const QColor kFrameRed(192, 0, 0);
const int kRevealPauseMs = 15;

template <class Widget>
Widget* control(QWidget* parent, const char* name)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void fillBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* picture(QWidget* parent, const char* name, const QPixmap& pixmap)
{
    auto* label = control<QLabel>(parent, name);
    label->setPixmap(pixmap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}
} // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(gui::kTitle);
    setFont(gui::sansFont(8.25, false));

    auto* client = new QWidget(this);
    fillBackground(client, Qt::black);
    gui::sizeTwips(client, 5460, 5940);
    setCentralWidget(client);

    auto* text1 = control<QLineEdit>(client, "Text1");
    text1->setText(QStringLiteral("Bidmark is a product of the"));
    text1->setFrame(false);
    text1->setReadOnly(true);
    text1->setFont(gui::sansFont(8.25, true));
    QPalette textPalette = text1->palette();
    textPalette.setColor(QPalette::Base, Qt::black);
    textPalette.setColor(QPalette::Text, QColor(0, 0, 192));
    text1->setPalette(textPalette);
    gui::placeTwips(text1, 120, 0, 3255, 285);

    gui::placeTwips(picture(client, "Picture1", pictures::rink()), 480, 240, 4455, 1815);
    gui::placeTwips(picture(client, "Picture2", pictures::puck()), 480, 2160, 1695, 1815);
    gui::placeTwips(picture(client, "Picture3", pictures::stick()), 120, 4080, 2055, 1455);

    frame_ = control<QGroupBox>(client, "Frame1");
    frame_->setTitle(QStringLiteral("Team Selection"));
    fillBackground(frame_, kFrameRed);
    gui::placeTwips(frame_, 2400, 2160, 2895, 3615);

    auto* label1 = control<QLabel>(frame_, "Label1");
    label1->setText(QStringLiteral("Select Your Team"));
    fillBackground(label1, kFrameRed);
    gui::placeTwips(label1, 360, 600, 2175, 255);

    // The typed text is the team name exactly as typed: no completion that
    // could change its case, nothing added to the list on Enter.
    teams_ = control<QComboBox>(frame_, "Combo1");
    teams_->setEditable(true);
    teams_->setInsertPolicy(QComboBox::NoInsert);
    teams_->setCompleter(nullptr);
    teams_->setEditText(kNoTeam);
    gui::placeTwips(teams_, 360, 960, 2175, 315);

    auto* ok = control<QPushButton>(frame_, "Command1");
    ok->setText(QStringLiteral("OK"));
    gui::placeTwips(ok, 600, 1800, 1335, 615);
    connect(ok, &QPushButton::clicked, this, &Form1::chooseTeam);

    auto* commissioner = control<gui::CaptionButton>(frame_, "Command2");
    commissioner->setText(QStringLiteral("Commissioner Menu"));
    gui::placeTwips(commissioner, 600, 2640, 1335, 615);
    connect(commissioner, &QPushButton::clicked, this, &Form1::askPassword);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help"));
    const struct {
        const char* name;
        const char* caption;
        std::string (*text)();
    } items[] = {
        {"ver", "Version", versionText},
        {"aboutBidmark", "About Bidmark", aboutText},
        {"aboutVELD", "About VELD", leagueText},
    };
    for (const auto& item : items) {
        QAction* action = help->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        connect(action, &QAction::triggered, this,
                [this, text = item.text] { gui::showInformation(this, gui::toQt(text())); });
    }
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
    const QString caption = frame_->title();
    for (int length = 1; length <= caption.size(); ++length) {
        frame_->setTitle(caption.left(length));
        // Let the window appear (paint events only, no input), then draw the
        // caption at once.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        frame_->repaint();
        QThread::msleep(kRevealPauseMs);
    }
}

void Form1::fillTeams()
{
    for (const std::string& team : readLines(std::string(kTeamsFile)))
        teams_->addItem(gui::toQt(team));
    // Adding the first entry selects it; the text stays "<none>".
    teams_->setCurrentIndex(-1);
    teams_->setEditText(kNoTeam);
}

void Form1::chooseTeam()
{
    const QString text = teams_->currentText();
    if (text == kNoTeam)
        return;
    const std::optional<std::string> team = gui::fromQt(text);
    if (!team) {
        gui::showMessage(this, QStringLiteral("The team name \"%1\" cannot be used: it holds a "
                                              "character that the league's files cannot store.")
                                   .arg(text));
        return;
    }
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
