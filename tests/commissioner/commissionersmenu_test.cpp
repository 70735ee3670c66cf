#include "commissioner/commissionersmenu.h"

#include <filesystem>

#include <QCheckBox>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

#include "core/journal.h"
#include "core/linefile.h"
#include "tests/support/dialogs.h"
#include "tests/support/league.h"
#include "tests/support/tempdir.h"

namespace bidmark {

class CommissionersMenuTest : public QObject {
    Q_OBJECT

private:
    // A league in a fresh folder: the eleven-line list, TOR's file.
    struct League {
        test::TempDir dir;
        Session session{dir.path(), {}};
        CommissionersMenu form{session};
        League()
        {
            dir.writeLines("fa.txt", test::elevenLines());
            dir.writeLines("teams.txt", {"TOR"});
            dir.writeLines("TOR.txt", {"Arvo Lindqvist      <TOR> 1.6/3 "});
            form.show();
        }
        template <class T>
        T* find(const char* name) { return form.findChild<T*>(QString::fromLatin1(name)); }
        void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    };

private slots:
    void showsCaptionsAndTickedOptions()
    {
        League league;
        QCOMPARE(league.form.objectName(), QStringLiteral("Form4"));
        QCOMPARE(league.form.windowTitle(), QStringLiteral("Commissioners Menu"));
        QCOMPARE(league.form.size(), QSize(406, 271));
        QCOMPARE(league.find<QPushButton>("Command4")->text(), QStringLiteral("Sign Players   (new fa.txt)"));
        QCOMPARE(league.find<QPushButton>("Command1")->text(), QStringLiteral("Merge Team Offers (new fa.txt)"));
        QCOMPARE(league.find<QLabel>("Label1")->text(), QStringLiteral("Move existing <SIGNED> players to Signed.txt"));
        QVERIFY(league.find<QLabel>("Label3")->text().contains(QStringLiteral("your leauges vitals")));
        QVERIFY(league.find<QLabel>("Label4")->text().contains(QStringLiteral("teams,  relative")));
        for (const char* name : {"Check1", "Check2"}) {
            QVERIFY(league.find<QCheckBox>(name)->isChecked());
            QVERIFY(league.find<QCheckBox>(name)->text().isEmpty());
        }
        QVERIFY(league.form.moveSignedPlayers());
        QVERIFY(!league.find<QListWidget>("List1")->isVisible());

        QStringList tabOrder;
        for (QWidget* w = league.find<QCheckBox>("Check2"); tabOrder.size() < 8; w = w->nextInFocusChain()) {
            if (w->focusPolicy() & Qt::TabFocus)
                tabOrder << w->objectName();
        }
        QCOMPARE(tabOrder, QStringList({"Check2", "Command1", "Command2", "List1", "Command3", "Command4", "Check1",
                                        "undoLastRun"}));
        auto* undo = league.find<QPushButton>("undoLastRun");
        QCOMPARE(undo->text(), QStringLiteral("Undo Last Run"));
        for (QWidget* other : league.form.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (other != undo && other->isVisible())
                QVERIFY2(!other->geometry().intersects(undo->geometry()), qPrintable(other->objectName()));
        }
    }

    void spaceOnOpeningTogglesDeleteTeamOffers()
    {
        League league;
        league.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&league.form));
        QCOMPARE(QApplication::focusWidget(), league.find<QCheckBox>("Check2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(!league.find<QCheckBox>("Check2")->isChecked());
        QVERIFY(league.find<QCheckBox>("Check1")->isChecked());
    }

    void mergeButtonAsksNameMergesAndSaysSo()
    {
        League league;
        test::Prompt prompt;
        test::Message message;
        QVERIFY(test::answered({test::type(QStringLiteral("FA07"), &prompt), test::ok(&message)},
                               [&] { league.click("Command1"); }));
        QCOMPARE(prompt.label, QStringLiteral("Enter name of this merger"));
        QCOMPARE(prompt.preset, QStringLiteral("FA01 Signed Players"));
        QCOMPARE(message.text, QStringLiteral("new fa.txt created"));
        QCOMPARE(message.title, QStringLiteral("Bidmark"));
        const auto signedLog = splitLines(league.dir.read("signed.txt"));
        QCOMPARE(signedLog.front(), std::string("------ FA07----"));
        QCOMPARE(signedLog.size(), std::size_t(3));
        QCOMPARE(splitLines(league.dir.read("fa.txt"))[2], std::string("<TOR> 1.6/3 "));
        QVERIFY(!league.dir.exists("TOR.txt"));
    }

    // Before the merge: TOR's file counted by the merge's checks, NY's only as
    // a mail program named it, taken in from its row.
    void offersReceivedShowsEachTeamAndTakesAMailCopy()
    {
        League league;
        league.dir.writeLines("teams.txt", {"TOR", "NY"});
        league.dir.writeLines("NY (2).txt", {"Arvo Lindqvist      <NY> 1.2/2 "});
        league.click("offersReceived");
        auto* window = league.form.findChild<QWidget*>(QStringLiteral("OffersReceived"));
        QVERIFY(window && window->isVisible());
        auto* table = window->findChild<QTableWidget*>(QStringLiteral("receivedTable"));
        const auto text = [table](int row, int column) { return table->item(row, column)->text(); };
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(text(0, 1), QStringLiteral("TOR.txt"));
        QCOMPARE(text(0, 3), QStringLiteral("1"));
        QCOMPARE(text(1, 1), QStringLiteral("nothing received"));
        auto* take = table->cellWidget(1, 6)->findChild<QPushButton*>(QStringLiteral("takeVariant"));
        QCOMPARE(take->text(), QStringLiteral("Take NY (2).txt"));

        test::Message said;
        QVERIFY(test::answered({test::ok(&said)}, [&] { QTest::mouseClick(take, Qt::LeftButton); }));
        QCOMPARE(said.text, QStringLiteral("NY (2).txt: taken in as NY.txt"));
        QCOMPARE(league.dir.read("NY.txt"), league.dir.read("NY (2).txt"));
        QTRY_COMPARE(text(1, 1), QStringLiteral("NY.txt"));
        QVERIFY(window->findChild<QPushButton*>(QStringLiteral("receiveFiles")));
    }

    void untickedMoveOptionAsksNothing()
    {
        League league;
        league.find<QCheckBox>("Check1")->setChecked(false);
        league.find<QCheckBox>("Check2")->setChecked(false);
        QVERIFY(!league.form.moveSignedPlayers());
        test::Message message;
        QVERIFY(test::answered({test::ok(&message)}, [&] { league.click("Command1"); }));
        QCOMPARE(message.text, QStringLiteral("new fa.txt created"));
        QVERIFY(!league.dir.exists("signed.txt"));
        QVERIFY(league.dir.exists("TOR.txt"));
    }

    void cancelledPromptGivesEmptyMergeName()
    {
        League league;
        QVERIFY(test::answered({test::cancel(), test::ok()}, [&] { league.click("Command1"); }));
        QCOMPARE(splitLines(league.dir.read("signed.txt")).front(), std::string("------ ----"));
    }

    void failureIsShownAndTheMenuStays()
    {
        League league;
        league.find<QCheckBox>("Check1")->setChecked(false);
        std::filesystem::create_directory(test::fsPath(league.dir.file("temp.txt")));
        const std::string fa = league.dir.read("fa.txt");
        test::Message message;
        QVERIFY(test::answered({test::ok(&message)}, [&] { league.click("Command1"); }));
        QVERIFY(message.text.contains(QStringLiteral("temp.txt")));
        QCOMPARE(league.dir.read("fa.txt"), fa);
        QVERIFY(league.form.isVisible());
    }

    void undoNamesTheRunAsksAndPutsTheFilesBack()
    {
        League league;
        const std::string fa = league.dir.read("fa.txt"), offers = league.dir.read("TOR.txt");
        QVERIFY(test::answered({test::type(QStringLiteral("FA07")), test::ok()}, [&] { league.click("Command1"); }));

        test::Message question, done, nothing;
        QVERIFY(test::answered({test::press(QStringLiteral("Yes"), &question), test::ok(&done)},
                               [&] { league.click("undoLastRun"); }));
        QCOMPARE(question.title, QStringLiteral("Bidmark"));
        QVERIFY2(question.text.startsWith(QStringLiteral("Undo the Merge Team Offers run of ")), qPrintable(question.text));
        QVERIFY2(done.text.endsWith(QStringLiteral(" was undone.")), qPrintable(done.text));
        QCOMPARE(league.dir.read("fa.txt"), fa);
        QCOMPARE(league.dir.read("TOR.txt"), offers);
        QVERIFY(!league.dir.exists("signed.txt") && !league.dir.exists("temp.txt"));

        QVERIFY(test::answered({test::ok(&nothing)}, [&] { league.click("undoLastRun"); }));
        QCOMPARE(nothing.text, QStringLiteral("There is no run to undo."));
    }

    void runCutShortIsPutBackBeforeTheNextRun()
    {
        League league;
        const std::string fa = league.dir.read("fa.txt");
        {
            RunJournal cutShort(league.dir.path(), "Merge Team Offers", {"fa.txt", "TOR.txt"});
            writeFileAtomic(league.dir.file("fa.txt"), "half merged\r\n"); // as every run writes
            deleteFile(league.dir.file("TOR.txt"));
        }
        league.find<QCheckBox>("Check1")->setChecked(false);
        test::Message recovered;
        QVERIFY(test::answered({test::ok(&recovered), test::ok()}, [&] { league.click("Command1"); }));
        QVERIFY2(recovered.text.startsWith(QStringLiteral("The last Merge Team Offers run (started "))
                     && recovered.text.contains(QStringLiteral(" was interrupted; the league files were put back as they were "
                                                       "before it.")),
                 qPrintable(recovered.text));
        QCOMPARE(splitLines(league.dir.read("fa.txt"))[2], std::string("<TOR> 1.6/3 ")); // TOR.txt merged again
        QVERIFY(splitLines(league.dir.read("fa.txt")) != splitLines(fa));
    }

    void buttonsAskForTheOtherWindowsAndDoneEnds()
    {
        League league;
        QSignalSpy calculator(&league.form, &CommissionersMenu::calculatorRequested);
        QSignalSpy signPlayers(&league.form, &CommissionersMenu::signPlayersRequested);
        league.click("Command2");
        league.click("Command4");
        QCOMPARE(calculator.count(), 1);
        QCOMPARE(signPlayers.count(), 1);
        league.click("Command3");
        QVERIFY(!league.form.isVisible());
    }
};

} // namespace bidmark

QTEST_MAIN(bidmark::CommissionersMenuTest)
#include "commissionersmenu_test.moc"
