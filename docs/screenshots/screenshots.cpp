// Takes the pictures of the user guide: walks the real program through a
// general manager's offer and a commissioner's merge, market value run,
// signing and undo, on the league folder it is started in, and saves a PNG of
// each window into the folder named on its command line. scripts/screenshots.sh
// runs it under Xvfb on a fresh copy of the sample league, and again at a
// display scale of 2 (QT_SCALE_FACTOR=2), where it takes only the main window
// and the Players Available window, as NAME-scale2.png; so it does on Windows
// (the windows platform), as NAME-windows.png. Every picture shows its window
// in a frame with the window's title, as a desktop draws it, and names the
// league folder as a user's would be, not the temporary one.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QtTest>
#include <cstdio>
#include <functional>

#include "app/recentleagues.h"
#include "app/program.h"
#include "gui/fonts.h"
#include "marketvalue/valuetable.h"
#include "tests/support/dialogs.h"

using namespace bidmark;

namespace {

QString imageFolder;
bool partialRun = false; // at a display scale of 2, or on Windows
QString partialSuffix;   // "-scale2" or "-windows"

// The league folder as the pictures name it.
const QString kShownFolder = QStringLiteral("/home/you/Bidmark");

// The frame drawn around each window: its border and title bar.
constexpr int kBorder = 1;
constexpr int kTitleBar = 28;

// Texts of the window that name the league folder, which the tool keeps in a
// temporary folder, name the folder a user would have instead.
void showUsualFolder(QWidget* window)
{
    const QString real = QDir::currentPath();
    const QString shown = QDir::toNativeSeparators(kShownFolder);
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text().contains(real))
            label->setText(label->text().replace(real, shown));
    }
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->text().contains(real))
            action->setText(action->text().replace(real, shown));
    }
}

// A window's picture in a frame with its title bar, as a desktop shows it:
// the guide calls windows by their titles. A dialog's bar has only its
// close button.
QPixmap framed(const QPixmap& content, const QWidget* window)
{
    const QString title = window->windowTitle();
    const bool dialog = window->windowType() == Qt::Dialog;
    const qreal ratio = content.devicePixelRatio();
    const QSize inner = content.deviceIndependentSize().toSize();
    QPixmap picture(QSize(inner.width() + 2 * kBorder, inner.height() + kTitleBar + kBorder) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(QColor(52, 58, 70));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(kBorder, kTitleBar, content);
    // Close, maximise and minimise, from the right.
    painter.setPen(QPen(QColor(225, 228, 235), 1.5));
    constexpr int kButton = 10;
    const int top = (kTitleBar - kButton) / 2;
    int left = inner.width() + kBorder - 12 - kButton;
    painter.drawLine(left, top, left + kButton, top + kButton);
    painter.drawLine(left + kButton, top, left, top + kButton);
    if (!dialog) {
        left -= 28;
        painter.drawRect(left, top, kButton, kButton);
        left -= 28;
        painter.drawLine(left, top + kButton, left + kButton, top + kButton);
    }
    QFont font = QApplication::font();
    font.setPointSizeF(9.5);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRect titleRoom(kBorder + 10, 0, left - kBorder - 24, kTitleBar);
    painter.drawText(titleRoom, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(title, Qt::ElideRight, titleRoom.width()));
    return picture;
}

void savePicture(const QPixmap& picture, const char* name)
{
    const QString file = imageFolder + QLatin1Char('/') + QLatin1String(name);
    if (!picture.save(file))
        qFatal("cannot write %s", qPrintable(file));
    std::printf("%s\n", qPrintable(file));
}

// Lets the windows settle, then saves the widget as NAME in the image folder;
// in a partial run only the pictures asked for, as NAME-scale2.png or
// NAME-windows.png.
void save(QWidget* widget, const char* name, bool alsoInPartialRun = false)
{
    if (partialRun && !alsoInPartialRun)
        return;
    QTest::qWait(100);
    QString file = QString::fromLatin1(name);
    if (partialRun)
        file.replace(QStringLiteral(".png"), partialSuffix + QStringLiteral(".png"));
    showUsualFolder(widget->window());
    savePicture(framed(widget->grab(), widget->window()), qPrintable(file));
}

// The main window with its File menu and the recent league folders open:
// menus are windows of their own, drawn where they stand beside the framed
// main window.
void saveFileMenu(QWidget* main, const char* name)
{
    showUsualFolder(main);
    auto* file = main->findChild<QMenu*>(QStringLiteral("fileMenu"));
    auto* recent = main->findChild<QMenu*>(QStringLiteral("recentLeagues"));
    main->findChild<QMenuBar*>()->setActiveAction(file->menuAction());
    QTest::qWait(200);
    file->setActiveAction(recent->menuAction());
    QTest::keyClick(file, Qt::Key_Right);
    QTest::qWait(300);
    const QPixmap window = framed(main->grab(), main);
    const QPoint origin = main->geometry().topLeft() - QPoint(kBorder, kTitleBar);
    QRect area(QPoint(0, 0), window.deviceIndependentSize().toSize());
    for (const QMenu* menu : {file, recent})
        area |= menu->geometry().translated(-origin);
    QPixmap picture(area.size() * window.devicePixelRatio());
    picture.setDevicePixelRatio(window.devicePixelRatio());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, window);
    for (QMenu* menu : {file, recent})
        painter.drawPixmap(menu->geometry().topLeft() - origin, menu->grab());
    painter.end();
    savePicture(picture, name);
    recent->close();
    file->close();
}

QWidget* window(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name) && widget->isVisible())
            return widget;
    }
    qFatal("window %s is not shown", name);
}

template <class Widget = QPushButton>
Widget* control(const char* windowName, const char* name)
{
    auto* widget = window(windowName)->findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s in %s", name, windowName);
    return widget;
}

void click(const char* windowName, const char* name)
{
    QTest::mouseClick(control<QWidget>(windowName, name), Qt::LeftButton);
}

// An answer that saves the dialog as NAME before giving `then`.
test::Answer saving(const char* name, test::Answer then)
{
    return [name, then](QWidget* dialog) {
        save(dialog, name);
        then(dialog);
    };
}

// The action's dialogs answered in turn; the run stops when they differ.
void expectDialogs(std::vector<test::Answer> answers, const std::function<void()>& action)
{
    if (!test::answered(std::move(answers), action))
        qFatal("the program did not show the dialogs expected");
}

// The player list of the Players Available window.
QListView* playerList() { return control<QListView>("Form2", "List1"); }

int selectedPlayerRow()
{
    const QModelIndexList rows = playerList()->selectionModel()->selectedIndexes();
    if (rows.isEmpty())
        qFatal("no line selected in the player list");
    return rows.front().row();
}

// Types TEXT into the search box and presses Search for.
void search(const char* text)
{
    control<QLineEdit>("Form2", "Text4")->setText(QString::fromLatin1(text));
    click("Form2", "Command2");
    selectedPlayerRow(); // found
}

void clickPlayerRow(int row, bool twice)
{
    const QModelIndex index = playerList()->model()->index(row, 0);
    playerList()->scrollTo(index);
    const QPoint at = playerList()->visualRect(index).center();
    QTest::mouseClick(playerList()->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(playerList()->viewport(), Qt::LeftButton, {}, at);
}

void typeInto(const char* windowName, const char* name, const char* text)
{
    control<QLineEdit>(windowName, name)->setText(QString::fromLatin1(text));
}

// Pick TOR, filter, search, read the statistics, make an offer, look at the
// removal question, Done.
void generalManager()
{
    Program program(Path("."));
    program.start();
    if (!partialRun)
        saveFileMenu(window("Form1"), "file-menu.png");
    control<QComboBox>("Form1", "Combo1")->setEditText(QStringLiteral("TOR"));
    save(window("Form1"), "main.png", true);
    click("Form1", "Command1");

    click("Form2", "Check5"); // no goalies
    search("pellridge");
    save(window("Form2"), "players-team.png", true);
    if (partialRun)
        return;

    clickPlayerRow(selectedPlayerRow(), true);
    typeInto("Form3", "Text1", "1.5");
    typeInto("Form3", "Text2", "3");
    typeInto("Form3", "Text3", "0.5");
    typeInto("Form3", "Text4", "Top six minutes from day one");
    save(window("Form3"), "contract.png");
    click("Form3", "Command1");
    save(window("Form2"), "offer-list.png"); // the sample TOR.txt's lines, not merged yet, and the new offer
    click("Form2", "myOffers");
    save(window("Form2"), "my-offers.png");
    click("Form2", "myOffers");

    auto* offers = control<QListWidget>("Form2", "List2");
    expectDialogs({saving("remove-offer.png", test::press(QStringLiteral("No")))}, [offers] {
        QTest::mouseClick(offers->viewport(), Qt::LeftButton, {}, offers->visualItemRect(offers->item(0)).center());
    });

    expectDialogs({saving("done.png", test::ok())}, [] { click("Form2", "Command1"); });
}

// The team's receipt of the newest run, as a mail program shows a text file.
void saveReceipt(const char* team, const char* name)
{
    const QFileInfoList runs = QDir(QStringLiteral("history")).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Time);
    QFile receipt(runs.value(0).filePath() + QStringLiteral("/receipts/") + QLatin1String(team));
    if (runs.isEmpty() || !receipt.open(QIODevice::ReadOnly))
        qFatal("no receipt of %s", team);
    QPlainTextEdit text;
    text.setWindowTitle(QLatin1String(team));
    text.setFont(gui::fixedFont(9));
    text.setLineWrapMode(QPlainTextEdit::NoWrap);
    text.setPlainText(QString::fromLatin1(receipt.readAll()).remove(QLatin1Char('\r')));
    text.resize(720, 330);
    text.show();
    save(&text, name);
}

// Password, the offers received, merge every team's offers, market values, then sign a player to
// one of his offers, merge the signing, and undo it.
void commissioner()
{
    Program program(Path("."));
    program.start();
    const test::Answer typePassword = test::type(QStringLiteral("quaysider"));
    expectDialogs({[typePassword](QWidget* dialog) {
                      qobject_cast<QInputDialog*>(dialog)->setTextValue(QStringLiteral("quaysider"));
                      save(dialog, "password.png");
                      typePassword(dialog);
                  }},
                  [] { click("Form1", "Command2"); });
    save(window("Form4"), "commissioners-menu.png");

    // BOS's file as a mail program saved it, beside the files already taken in.
    QFile mailed(QStringLiteral("BOS (2).txt"));
    if (!mailed.open(QIODevice::WriteOnly) || mailed.write("Rune Velton         <BOS> 1.0/2 \r\n") < 0)
        qFatal("cannot write BOS (2).txt");
    mailed.close();
    click("Form4", "offersReceived");
    save(window("OffersReceived"), "offers-received.png");
    window("OffersReceived")->close();

    expectDialogs({saving("merge-name.png", test::type(QStringLiteral("FA01 Signed Players"))),
                   saving("merged.png", test::ok())},
                  [] { click("Form4", "Command1"); });
    save(window("RunReport"), "merge-report.png");
    saveReceipt("TOR.txt", "receipt.png");

    click("Form4", "Command2");
    // Clicks the box, which opens the file picker, then the file.
    auto pickFile = [](const char* box, const char* file, const char* picture) {
        click("Form5", box);
        auto* files = control<QListWidget>("Form5", "File1");
        const QList<QListWidgetItem*> found = files->findItems(QString::fromLatin1(file), Qt::MatchExactly);
        if (found.isEmpty())
            qFatal("no %s in the file picker", file);
        if (picture)
            save(window("Form5"), picture);
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(found.front()).center());
    };
    pickFile("Text1", "roster.html", nullptr);
    pickFile("Text2", "vitals.html", nullptr);
    pickFile("Text2", "vitals.html", "calculator.png"); // the picker again, on the page just picked
    expectDialogs({saving("market-value-done.png", test::ok())}, [] { click("Form5", "Command1"); });
    // The Market Values window the run opened: one free agent's bracket.
    QWidget* values = window("MarketValues");
    values->resize(1180, 720);
    auto* table = control<QTableView>("MarketValues", "valuesTable");
    const QModelIndexList found = table->model()->match(table->model()->index(0, 0), Qt::DisplayRole,
                                                        QStringLiteral("Zeb Branstad"), 1, Qt::MatchExactly);
    if (found.isEmpty())
        qFatal("no Zeb Branstad in the market values");
    table->selectRow(found.front().row());
    table->scrollTo(found.front(), QAbstractItemView::PositionAtCenter);
    save(values, "market-values.png");
    // The offers beside the values: a player with three offers, the table
    // scrolled to its last columns.
    const QModelIndexList offered = table->model()->match(table->model()->index(0, 0), Qt::DisplayRole,
                                                          QStringLiteral("Urho Morvanen"), 1, Qt::MatchExactly);
    if (offered.isEmpty())
        qFatal("no Urho Morvanen in the market values");
    table->selectRow(offered.front().row());
    table->scrollTo(table->model()->index(offered.front().row(), kRuleColumn), QAbstractItemView::PositionAtCenter);
    save(values, "market-values-offers.png");
    values->close();
    click("Form5", "Command2");

    click("Form4", "Command4");
    search("pellridge");
    const int player = selectedPlayerRow();
    clickPlayerRow(player, true);
    search("<TOR>");
    clickPlayerRow(selectedPlayerRow(), true);
    clickPlayerRow(player, false);
    save(window("Form2"), "players-signing.png");
    click("Form2", "Command1");

    expectDialogs({saving("undo.png", test::press(QStringLiteral("Yes"))), test::ok()},
                  [] { click("Form4", "undoLastRun"); });
    click("Form4", "Command3");
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bidmark"));
    bidmark::gui::useProgramFont();
    if (argc != 2) {
        std::fprintf(stderr, "Usage: bidmark_screenshots IMAGE_FOLDER (run in a league folder)\n");
        return 2;
    }
    imageFolder = QString::fromLocal8Bit(argv[1]);
    QStandardPaths::setTestModeEnabled(true); // the recent league folders: not the user's
    QSettings().clear();
    recentLeagues::remember(QDir::toNativeSeparators(QStringLiteral("/home/you/Leagues/Summer League")));
    partialRun = qGuiApp->devicePixelRatio() > 1 || QGuiApplication::platformName() == QLatin1String("windows");
    partialSuffix = qGuiApp->devicePixelRatio() > 1 ? QStringLiteral("-scale2") : QStringLiteral("-windows");
    generalManager();
    if (!partialRun)
        commissioner();
    return 0;
}
