// Takes the pictures of the user guide: walks the real program through a
// general manager's offer and a commissioner's merge, market value run,
// signing and undo, on the league folder it is started in, and saves a PNG of
// each window into the folder named on its command line. scripts/screenshots.sh
// runs it under Xvfb on a fresh copy of the sample league, and again at a
// display scale of 2 (QT_SCALE_FACTOR=2), where it takes only the main window
// and the Players Available window, as NAME-scale2.png; so it does on Windows
// (the windows platform), as NAME-windows.png.
#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QtTest>
#include <cstdio>
#include <functional>

#include "app/windows.h"
#include "gui/fonts.h"
#include "tests/support/dialogs.h"

using namespace bidmark;

namespace {

QString imageFolder;
bool partialRun = false; // at a display scale of 2, or on Windows
QString partialSuffix;   // "-scale2" or "-windows"

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
    savePicture(widget->grab(), qPrintable(file));
}

// The main window with its File menu and the recent league folders open:
// menus are windows of their own, so the picture is taken from the screen.
void saveFileMenu(QWidget* main, const char* name)
{
    auto* file = main->findChild<QMenu*>(QStringLiteral("fileMenu"));
    auto* recent = main->findChild<QMenu*>(QStringLiteral("recentLeagues"));
    main->findChild<QMenuBar*>()->setActiveAction(file->menuAction());
    QTest::qWait(200);
    file->setActiveAction(recent->menuAction());
    QTest::keyClick(file, Qt::Key_Right);
    QTest::qWait(300);
    const QRect area = main->frameGeometry() | file->geometry() | recent->geometry();
    const QPixmap screen = main->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    savePicture(QPixmap::fromImage(screen.toImage().convertToFormat(QImage::Format_RGB32)), name);
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
    Windows program(".");
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
    save(window("Form2"), "offer-list.png");

    auto* offers = control<QListWidget>("Form2", "List2");
    expectDialogs({saving("remove-offer.png", test::press(QStringLiteral("No")))}, [offers] {
        QTest::mouseClick(offers->viewport(), Qt::LeftButton, {}, offers->visualItemRect(offers->item(0)).center());
    });

    // The sample league's TOR.txt holds offers of an earlier Done: keep them.
    expectDialogs({saving("keep-offers.png", test::press(QStringLiteral("Yes"))), saving("done.png", test::ok())},
                  [] { click("Form2", "Command1"); });
}

// Password, merge every team's offers, market values, then sign a player to
// one of his offers, merge the signing, and undo it.
void commissioner()
{
    Windows program(".");
    program.start();
    const test::Answer typePassword = test::type(QStringLiteral("quaysider"));
    expectDialogs({[typePassword](QWidget* dialog) {
                      qobject_cast<QInputDialog*>(dialog)->setTextValue(QStringLiteral("quaysider"));
                      save(dialog, "password.png");
                      typePassword(dialog);
                  }},
                  [] { click("Form1", "Command2"); });
    save(window("Form4"), "commissioners-menu.png");

    expectDialogs({saving("merge-name.png", test::type(QStringLiteral("FA01 Signed Players"))),
                   saving("merged.png", test::ok())},
                  [] { click("Form4", "Command1"); });
    save(window("RunReport"), "merge-report.png");

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
    pickFile("Text2", "vitals.html", "calculator.png");
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
    partialRun = qGuiApp->devicePixelRatio() > 1 || QGuiApplication::platformName() == QLatin1String("windows");
    partialSuffix = qGuiApp->devicePixelRatio() > 1 ? QStringLiteral("-scale2") : QStringLiteral("-windows");
    generalManager();
    if (!partialRun)
        commissioner();
    return 0;
}
