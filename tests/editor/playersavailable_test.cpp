// The Players Available window and the Contract dialog, driven end to end on
// real files in a temporary working directory.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "core/linefile.h"
#include "editor/playersavailable.h"
#include "tests/support/dialogs.h"
#include "tests/support/league.h"
#include "tests/support/tempdir.h"

using namespace bidmark;
using namespace bidmark::test;

namespace {

template <class Widget>
Widget* control(QWidget* window, const char* name)
{
    auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

QWidget* contractDialog(PlayersAvailable& form) { return form.findChild<QWidget*>(QStringLiteral("Form3")); }

void doubleClickRow(PlayersAvailable& form, int row)
{
    auto* view = control<QListView>(&form, "List1");
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

// Clicks an offer entry and answers the question whether to remove it.
[[nodiscard]] bool clickOffer(PlayersAvailable& form, int row, const char* answer)
{
    auto* list = control<QListWidget>(&form, "List2");
    return answered({press(QString::fromLatin1(answer))}, [&] {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    });
}

QStringList offers(PlayersAvailable& form)
{
    QStringList entries;
    auto* list = control<QListWidget>(&form, "List2");
    for (int row = 0; row < list->count(); ++row)
        entries << list->item(row)->text();
    return entries;
}

int selectedRow(PlayersAvailable& form)
{
    const QModelIndexList rows = control<QListView>(&form, "List1")->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.front().row();
}

// Types the terms into the open Contract dialog and presses one of its buttons.
void enterTerms(PlayersAvailable& form, const QString& salary, const QString& years, const QString& bonus,
                const QString& comments, const char* button)
{
    QWidget* dialog = contractDialog(form);
    control<QLineEdit>(dialog, "Text1")->setText(salary);
    control<QLineEdit>(dialog, "Text2")->setText(years);
    control<QLineEdit>(dialog, "Text3")->setText(bonus);
    control<QLineEdit>(dialog, "Text4")->setText(comments);
    QTest::mouseClick(control<QPushButton>(dialog, button), Qt::LeftButton);
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir_ = std::make_unique<TempDir>();
        dir_->writeLines("fa.txt", elevenLines());
    }
    void cleanup()
    {
        dir_.reset();
    }

    // Each filter click reads fa.txt again: a list changed since shows, and
    // so do the team's standing offers in it.
    void filterClickReadsTheFileAgain()
    {
        Session session{dir_->path(), "TOR"};
        PlayersAvailable form(session);
        open(form, session);
        auto* goalies = control<QCheckBox>(&form, "Check5");
        auto* total = control<QLabel>(&form, "myOffersTotal");
        QTest::mouseClick(goalies, Qt::LeftButton);
        QVERIFY(total->text().startsWith(QStringLiteral("1 standing offer,")));
        std::vector<std::string> lines = elevenLines();
        lines.insert(lines.end(), {playerLine("Mika Salo", 25, "UFA", 900000, "C", 70), "<TOR> 2.0/2 ", ""});
        dir_->writeLines("fa.txt", lines);
        QTest::mouseClick(goalies, Qt::LeftButton);
        QCOMPARE(control<QListView>(&form, "List1")->model()->rowCount(), 14);
        QVERIFY(total->text().startsWith(QStringLiteral("2 standing offers,")));
    }

    void teamModeFiltersSearchesOffersAndSaves()
    {
        Session session{dir_->path(), "TOR"};
        PlayersAvailable form(session);
        open(form, session);
        QCOMPARE(control<QLabel>(&form, "Label1")->text(), QString());
        QCOMPARE(control<QLineEdit>(&form, "Text2")->text(), QStringLiteral("Offers"));
        QVERIFY(!control<QLabel>(&form, "Label3")->isVisible());

        auto* list = control<QListView>(&form, "List1");
        QTest::mouseClick(control<QCheckBox>(&form, "Check5"), Qt::LeftButton);
        QCOMPARE(list->model()->rowCount(), 9);
        QTest::mouseClick(control<QCheckBox>(&form, "Check5"), Qt::LeftButton);
        QCOMPARE(list->model()->rowCount(), 11);

        control<QLineEdit>(&form, "Text4")->setText(QStringLiteral("<tor>"));
        QTest::mouseClick(control<QPushButton>(&form, "Command2"), Qt::LeftButton);
        QCOMPARE(selectedRow(form), 2);
        QTest::mouseClick(control<QPushButton>(&form, "Command2"), Qt::LeftButton);
        QCOMPARE(selectedRow(form), 9);
        QTest::mouseClick(control<QPushButton>(&form, "Command2"), Qt::LeftButton);
        QCOMPARE(selectedRow(form), 9); // no wrap

        doubleClickRow(form, 2); // an offer line: no dialog
        QVERIFY(!contractDialog(form));
        doubleClickRow(form, 1);
        QVERIFY(contractDialog(form)->isVisible());
        QCOMPARE(control<QLineEdit>(contractDialog(form), "Text4")->maxLength(), 70);

        Message message;
        QVERIFY(answered({ok(&message)}, [&] { enterTerms(form, "1,234.5", "3", "", "", "Command1"); }));
        QCOMPARE(message.text, QStringLiteral("Invalid Salary"));
        QCOMPARE(control<QLineEdit>(contractDialog(form), "Text1")->text(), QStringLiteral("1.234.5"));

        enterTerms(form, "1,25", "3", "0.5", "Welcome aboard", "Command1");
        QVERIFY(!contractDialog(form)->isVisible());
        doubleClickRow(form, 1);
        QCOMPARE(control<QLineEdit>(contractDialog(form), "Text1")->text(), QString());
        enterTerms(form, "9", "9", "9", "ignored", "Command3");
        doubleClickRow(form, 1);
        enterTerms(form, "1", "1", "", "", "Command1");
        QVERIFY(clickOffer(form, 1, "No"));
        Message question;
        QVERIFY(answered({press(QStringLiteral("No"), &question)}, [&] {
            QTest::keyClick(control<QListWidget>(&form, "List2"), Qt::Key_Up); // arrow keys ask too
        }));
        QCOMPARE(question.title, QStringLiteral("Delete contract"));
        QCOMPARE(offers(form).size(), 3);
        QVERIFY(clickOffer(form, 1, "Yes"));
        QCOMPARE(offers(form), (QStringList{"Arvo Lindqvist      <TOR> 1.25/3 +0.5 Welcome aboard",
                                            "Arvo Lindqvist      <TOR> 1.0/1 "}));

        QVERIFY(answered({ok(&message)},
                         [&] { QTest::mouseClick(control<QPushButton>(&form, "Command1"), Qt::LeftButton); }));
        QCOMPARE(message.text, QStringLiteral("TOR.txt created, Mail it now!"));
        QCOMPARE(dir_->read("TOR.txt"), std::string("Arvo Lindqvist      <TOR> 1.25/3 +0.5 Welcome aboard\r\n"
                                                     "Arvo Lindqvist      <TOR> 1.0/1 \r\n"));
        QVERIFY(!form.isVisible());
    }

    // The dialog names the player it was opened for and makes his offer,
    // whatever is selected behind it; Enter is OK, Esc is Cancel.
    void contractIsForThePlayerItNames()
    {
        Session session{dir_->path(), "TOR"};
        PlayersAvailable form(session);
        open(form, session);
        doubleClickRow(form, 5);
        auto* name = control<QLabel>(contractDialog(form), "playerName");
        QCOMPARE(name->text(), QStringLiteral("Pekka Roine"));
        doubleClickRow(form, 1); // moves to Arvo
        QCOMPARE(name->text(), QStringLiteral("Arvo Lindqvist"));
        Message message;
        QVERIFY(answered({ok(&message)},
                         [&] { enterTerms(form, "1", "2", "", QStringLiteral("caf\u00e9 \u03a9mega"), "Command1"); }));
        QVERIFY(message.text.contains(QStringLiteral("Windows-1252")));

        QTest::mouseClick(control<QCheckBox>(&form, "Check1"), Qt::LeftButton); // nothing selected behind it
        control<QLineEdit>(contractDialog(form), "Text4")->clear();
        QTest::keyClick(control<QLineEdit>(contractDialog(form), "Text4"), Qt::Key_Return);
        QVERIFY(!contractDialog(form)->isVisible());
        QCOMPARE(offers(form), QStringList{"Arvo Lindqvist      <TOR> 1.0/2 "});

        doubleClickRow(form, 5);
        QTest::keyClick(control<QLineEdit>(contractDialog(form), "Text1"), Qt::Key_Escape);
        QVERIFY(!contractDialog(form)->isVisible());
        QCOMPARE(offers(form).size(), 1);
    }

    void failedDoneKeepsTheWindowAndTheOffers()
    {
        std::filesystem::create_directory(test::fsPath(dir_->file("TOR.txt")));
        Session session{dir_->path(), "TOR"};
        PlayersAvailable form(session);
        open(form, session);
        doubleClickRow(form, 8);
        enterTerms(form, "", "", "", "", "Command3");
        Message message;
        QVERIFY(answered({ok(&message)},
                         [&] { QTest::mouseClick(control<QPushButton>(&form, "Command1"), Qt::LeftButton); }));
        QVERIFY(message.text.contains(QStringLiteral("TOR.txt")));
        QVERIFY(form.isVisible());
        QCOMPARE(offers(form), QStringList{"Jonas Brandt        <TOR> <RETRACT>"});
    }

    void signingModePairsShowsDetailsAndSaves()
    {
        const std::string key = "Pekka Roine         ";
        dir_->writeLines("marketVal.txt", {key + "  22  G  80"});
        dir_->writeLines("2001TeamScoring.html", {"D 12 #Arvo Lindqvist        TOR  82   9"});
        Session session{dir_->path(), "COMMISH"};
        PlayersAvailable form(session);
        open(form, session);
        auto* prompt = control<QLabel>(&form, "Label1");
        QCOMPARE(prompt->text(), QStringLiteral("Select Player to Sign"));
        QCOMPARE(control<QPushButton>(&form, "Command1")->text(), QStringLiteral("Merge Signed Players"));

        doubleClickRow(form, 1);
        QCOMPARE(control<QLineEdit>(&form, "Text3")->text(),
                 QStringLiteral("D 12 #Arvo Lindqvist        TOR  82   9"));
        QCOMPARE(prompt->text(), QStringLiteral("Select Contract to Sign"));
        QVERIFY(clickOffer(form, 0, "Yes")); // the pending entry: pairing starts over
        QCOMPARE(prompt->text(), QStringLiteral("Select Player to Sign"));

        doubleClickRow(form, 5);
        QCOMPARE(control<QLineEdit>(&form, "Text5")->text(), QString::fromStdString(key + "  22  G  80"));
        QVERIFY(answered({ok()}, [&] { doubleClickRow(form, 2); })); // TOR's offer for Arvo: refused
        QCOMPARE(prompt->text(), QStringLiteral("Select Contract to Sign"));
        doubleClickRow(form, 6);
        QCOMPARE(prompt->text(), QStringLiteral("Select Player to Sign"));

        std::vector<std::vector<std::string>> signings; // Done hands them on; the run writes them
        connect(&form, &PlayersAvailable::signingDone, this,
                [&](const OfferList& offers) { signings.push_back(offers.entries); });
        QTest::mouseClick(control<QPushButton>(&form, "Command1"), Qt::LeftButton);
        QCOMPARE(signings, (std::vector<std::vector<std::string>>{{key + "<SIGNED> <DAL> 0.75/2 backup to start"}}));
        QVERIFY(!dir_->exists("COMMISH.txt"));

        form.clearLists();
        QCOMPARE(control<QListView>(&form, "List1")->model()->rowCount(), 0);
        QVERIFY(offers(form).isEmpty());
    }

    void detailsStartAtTheirFirstCharacterAndEndWithTheList()
    {
        const std::string arvo = "Arvo Lindqvist      ";
        const std::string statistics = "D 12 #Arvo Lindqvist        TOR  82   9" + std::string(150, '7');
        const std::string marketValue = arvo + "  24  F  71" + std::string(150, '9');
        dir_->writeLines("2001TeamScoring.html", {statistics});
        dir_->writeLines("marketVal.txt", {marketValue});
        Session session{dir_->path(), "COMMISH"};
        PlayersAvailable form(session);
        open(form, session);
        auto* list = control<QListView>(&form, "List1");
        const struct {
            const char* rebuild;
            std::function<void()> run;
        } rebuilds[] = {
            {"filter click", [&] { QTest::mouseClick(control<QCheckBox>(&form, "Check5"), Qt::LeftButton); }},
            {"second signing run", [&] {
                 form.clearLists();
                 form.setPlayerLines(readFile(dir_->file("fa.txt")));
             }},
            {"new player lines", [&] { form.setPlayerLines(readFile(dir_->file("fa.txt"))); }},
        };
        for (const auto& rebuild : rebuilds) {
            list->setCurrentIndex(list->model()->index(1, 0));
            for (auto [box, line] : {std::pair{"Text3", statistics}, std::pair{"Text5", marketValue}}) {
                QCOMPARE(control<QLineEdit>(&form, box)->text(), QString::fromStdString(line));
                QCOMPARE(control<QLineEdit>(&form, box)->cursorPosition(), 0); // lines up with its header
            }
            rebuild.run();
            for (const char* box : {"Text3", "Text5"})
                QVERIFY2(control<QLineEdit>(&form, box)->text().isEmpty(), rebuild.rebuild);
        }
    }

    void longLinesAreShownCutButUsedWhole()
    {
        // Pekka Roine's line and DAL's offer under it each run on for a megabyte:
        // the lists show their start, search and signing use them whole.
        std::vector<std::string> lines = elevenLines();
        lines[5] += " " + std::string(1 << 20, 'x') + " needle";
        lines[6] += std::string(1 << 20, 'y');
        dir_->writeLines("fa.txt", lines);
        Session session{dir_->path(), "COMMISH"};
        PlayersAvailable form(session);
        open(form, session);
        auto* list = control<QListView>(&form, "List1");
        QVERIFY(list->uniformItemSizes());
        const QString shown = list->model()->index(5, 0).data().toString();
        QVERIFY(shown.startsWith(QStringLiteral("Pekka Roine")));
        QVERIFY(shown.size() < 2000);

        control<QLineEdit>(&form, "Text4")->setText(QStringLiteral("NEEDLE")); // only the whole line holds it
        QTest::mouseClick(control<QPushButton>(&form, "Command2"), Qt::LeftButton);
        QCOMPARE(selectedRow(form), 5);
        doubleClickRow(form, 5);
        doubleClickRow(form, 6);
        QVERIFY(control<QListWidget>(&form, "List2")->item(0)->text().size() < 2000);
        std::vector<std::string> signings;
        connect(&form, &PlayersAvailable::signingDone, this, [&](const OfferList& offers) { signings = offers.entries; });
        QTest::mouseClick(control<QPushButton>(&form, "Command1"), Qt::LeftButton);
        QCOMPARE(signings, std::vector<std::string>{lines[5].substr(0, 20) + "<SIGNED> " + lines[6]});
    }

private:
    // Fills the window with the folder's fa.txt and shows it, as its opener
    // does in either mode.
    void open(PlayersAvailable& form, const Session& session)
    {
        form.setPlayerLines(readFile(dir_->file("fa.txt")));
        if (session.signingMode())
            form.showMarketValue();
        form.show();
    }

    std::unique_ptr<TempDir> dir_;
};

QTEST_MAIN(WindowsTest)
#include "playersavailable_test.moc"
