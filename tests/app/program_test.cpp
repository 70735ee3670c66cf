#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/windows.h"
#include "core/linefile.h"
#include "tests/support/league.h"
#include "tests/support/modal.h"
#include "tests/support/tempdir.h"
#include "tests/support/windows.h"

using namespace bidmark;
using test::enterCommissionerMenu;
using test::chooseTeam;
using test::control;
using test::shown;
using test::window;

namespace {

// The player list of the Players Available window as file text.
std::string playerList()
{
    const QAbstractItemModel* model = control<QAbstractItemView>("Form2", "List1")->model();
    std::vector<std::string> lines;
    for (int row = 0; row < model->rowCount(); ++row)
        lines.push_back(model->index(row, 0).data().toString().toStdString());
    return joinLines(lines);
}
} // namespace

// The whole program, its windows wired together, on a league folder.
class ProgramTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TempDir> folder_;
    std::unique_ptr<test::WorkingDirectory> workingDirectory_;
    std::unique_ptr<Windows> program_;
    const std::string faText_ = joinLines(test::elevenLines());


private slots:
    void init()
    {
        folder_ = std::make_unique<test::TempDir>();
        workingDirectory_ = std::make_unique<test::WorkingDirectory>(folder_->path());
        folder_->writeLines("teams.txt", {"TOR", "NY", "DAL"});
        folder_->write("fa.txt", faText_);
        program_ = std::make_unique<Windows>();
        program_->start();
    }
    void cleanup()
    {
        program_.reset();
        workingDirectory_.reset();
        folder_.reset();
    }

    void okOpensPlayersAvailableWithEveryLine()
    {
        chooseTeam(QStringLiteral("TOR"));
        QVERIFY(shown("Form2") && !shown("Form1"));
        QCOMPARE(playerList(), faText_);
        QCOMPARE(control("Form2", "Command1")->text(), QStringLiteral("Done"));
    }

    void okWithoutFreeAgentListKeepsTheMainWindow()
    {
        QFile::remove(QStringLiteral("fa.txt"));
        QString message;
        test::acceptMessage(&message);
        chooseTeam(QStringLiteral("TOR"));
        QVERIFY2(message.contains(QStringLiteral("fa.txt")), qPrintable(message));
        QVERIFY(shown("Form1") && !window("Form2"));
    }

    void menuOpensTheCalculatorOnce()
    {
        enterCommissionerMenu();
        QVERIFY(shown("Form4") && !shown("Form1"));
        QCOMPARE(control<QComboBox>("Form1", "Combo1")->count(), 3);
        control("Form4", "Command2")->click();
        QWidget* calculator = window("Form5");
        QVERIFY(shown("Form5"));
        control("Form4", "Command2")->click();
        QCOMPARE(window("Form5"), calculator);
        QVERIFY(shown("Form4"));
    }

    void signingRunMergesAndComesBackToTheMenu()
    {
        enterCommissionerMenu();
        control<QCheckBox>("Form4", "Check1")->setChecked(false);
        control("Form4", "Command4")->click();
        QVERIFY(shown("Form2") && !shown("Form4"));
        QCOMPARE(playerList(), faText_);
        QVERIFY(control<QLabel>("Form2", "Label3")->isVisible());
        QCOMPARE(control("Form2", "Command1")->text(), QStringLiteral("Merge Signed Players"));

        control("Form2", "Command1")->click();
        QVERIFY(shown("Form4") && !shown("Form2"));
        QVERIFY(!folder_->exists("COMMISH.txt"));
        QCOMPARE(folder_->read("fa.txt"), faText_); // nothing was signed
        QVERIFY(!control<QCheckBox>("Form4", "Check1")->isChecked());

        control("Form4", "Command4")->click(); // a second run starts over
        QCOMPARE(playerList(), faText_);
    }

    void failedSigningMergeKeepsTheSigningWindow()
    {
        enterCommissionerMenu();
        control("Form4", "Command4")->click();
        QVERIFY(QDir().mkdir(QStringLiteral("COMMISH.txt"))); // cannot be read
        QString message;
        test::acceptMessage(&message);
        control("Form2", "Command1")->click();
        QVERIFY2(message.contains(QStringLiteral("COMMISH.txt")), qPrintable(message));
        QVERIFY(shown("Form2") && !shown("Form4"));
        QCOMPARE(playerList(), faText_);
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
