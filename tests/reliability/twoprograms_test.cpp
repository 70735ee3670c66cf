// Two programs on one league folder: while one writes league files, the
// other's runs wait briefly, say who is writing and change nothing; a lock
// whose program is gone does not block anyone.
#include <filesystem>
#include <functional>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "core/leaguelock.h"
#include "core/linefile.h"
#include "tests/reliability/folder.h"
#include "tests/support/dialogs.h"
#include "tests/support/program.h"
#include "tests/support/findwindows.h"

using namespace bidmark;
using test::control;
using test::enterCommissionerMenu;
using test::Message;
using test::window;

namespace {

// One run that writes league files, as a user starts it.
struct Run {
    const char* name;
    std::function<void(test::TempDir& league)> arrange; // up to the click
    const char* window;
    const char* button;
    std::vector<test::Answer> before; // dialogs ahead of the run's own message
};

void selectRow(int row)
{
    auto* view = control<QAbstractItemView>("Form2", "List1");
    view->setCurrentIndex(view->model()->index(row, 0));
    emit view->doubleClicked(view->currentIndex());
}

std::vector<Run> writingRuns()
{
    return {
        {"Merge Team Offers",
         [](test::TempDir& league) {
             league.writeLines("TOR.txt", {"Arvo Lindqvist      <TOR> 1.6/3 "});
             QVERIFY(enterCommissionerMenu());
         },
         "Form4", "Command1", {test::type(QStringLiteral("FA01 Signed Players"))}},
        {"Done in team mode",
         [](test::TempDir&) {
             test::chooseTeam(QStringLiteral("TOR"));
             selectRow(1);
             auto* contract = window("Form2")->findChild<QWidget*>(QStringLiteral("Form3"));
             contract->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("1.5"));
             contract->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("2"));
             contract->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
         },
         "Form2", "Command1", {}},
        {"Done in signing mode",
         [](test::TempDir&) {
             QVERIFY(enterCommissionerMenu());
             control("Form4", "Command4")->click();
             selectRow(5);
             selectRow(6);
         },
         "Form2", "Command1", {}},
        {"Undo Last Run", [](test::TempDir&) { QVERIFY(enterCommissionerMenu()); }, "Form4", "undoLastRun", {}},
        {"Calculate Market Value",
         [](test::TempDir& league) {
             league.writeLines("roster.html", {"Team Rosters"});
             league.writeLines("vitals.html", {"Player Vitals"});
             QVERIFY(enterCommissionerMenu());
             control("Form4", "Command2")->click();
             control<QLineEdit>("Form5", "Text1")->setText(QStringLiteral("roster.html"));
             control<QLineEdit>("Form5", "Text2")->setText(QStringLiteral("vitals.html"));
         },
         "Form5", "Command1", {}},
    };
}

} // namespace

class TwoPrograms : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Program> program_;

    test::TempDir& league() { return program_->league(); }

private slots:
    void cleanup() { program_.reset(); }

    void runWaitsForTheOtherProgramThenNamesItAndChangesNothing()
    {
        for (const Run& run : writingRuns()) {
            program_ = std::make_unique<test::Program>();
            program_->start();
            run.arrange(league());
            const LeagueLock other(league().path(), "running Merge Team Offers"); // the other program
            const auto before = test::snapshot(league().path());

            Message message;
            std::vector<test::Answer> answers = run.before;
            answers.push_back(test::ok(&message));
            QVERIFY2(test::answered(answers, [&] { control(run.window, run.button)->click(); }), run.name);
            QCOMPARE(message.icon, QMessageBox::Critical);
            QVERIFY2(message.text.contains(QStringLiteral("in use"))
                         && message.text.contains(QString::number(QCoreApplication::applicationPid()))
                         && message.text.contains(QStringLiteral("running Merge Team Offers since")),
                     qPrintable(message.text));
            QVERIFY2(test::snapshot(league().path()) == before, run.name);
            QVERIFY(window(run.window)->isVisible());
            program_.reset();
        }
    }

    void lockOfAProgramThatIsGoneIsTakenOver()
    {
        program_ = std::make_unique<test::Program>();
        program_->start();
        league().writeLines("teams.txt", {"TOR"});
        league().writeLines("TOR.txt", {"Arvo Lindqvist      <TOR> 1.6/3 "});
        // The lock a killed program left behind: its own, with a process
        // number that no longer runs (this test program, listing its tests).
        QProcess ended;
        ended.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-functions")});
        QVERIFY(ended.waitForStarted());
        const qint64 gone = ended.processId();
        QVERIFY(ended.waitForFinished());
        league().write(".bidmark.lock", joinLines({"Bidmark league folder lock", "program: bidmark",
                                                   "process: " + std::to_string(gone),
                                                   "machine: " + platform::machineName(),
                                                   "doing: Merge Team Offers", "since: 2026-12-07 09.30.12"}));
        QVERIFY(enterCommissionerMenu());
        control<QCheckBox>("Form4", "Check1")->setChecked(false);
        Message message;
        QVERIFY(test::answered({test::ok(&message)}, [] { control("Form4", "Command1")->click(); }));
        QCOMPARE(message.text, QStringLiteral("new fa.txt created"));
        QVERIFY(!league().exists("TOR.txt"));
        QVERIFY(!league().exists(".bidmark.lock"));
    }
};

QTEST_MAIN(TwoPrograms)
#include "twoprograms_test.moc"
