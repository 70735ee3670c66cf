#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "core/linefile.h"
#include "tests/support/dialogs.h"
#include "tests/support/program.h"
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
    std::unique_ptr<test::Program> program_;
    const std::string faText_ = joinLines(test::elevenLines());

    test::TempDir& league() { return program_->league(); }

private slots:
    void init()
    {
        program_ = std::make_unique<test::Program>();
        program_->start();
    }
    void cleanup() { program_.reset(); }

    void okOpensPlayersAvailableWithEveryLine()
    {
        chooseTeam(QStringLiteral("TOR"));
        QVERIFY(shown("Form2") && !shown("Form1"));
        QCOMPARE(playerList(), faText_);
        QCOMPARE(control("Form2", "Command1")->text(), QStringLiteral("Done"));
    }

    void okWithoutFreeAgentListKeepsTheMainWindow()
    {
        std::filesystem::remove(league().file("fa.txt"));
        test::Message message;
        QVERIFY(test::answered({test::ok(&message)}, [] { chooseTeam(QStringLiteral("TOR")); }));
        QVERIFY2(message.text.contains(QStringLiteral("fa.txt")), qPrintable(message.text));
        QVERIFY(shown("Form1") && !window("Form2"));
    }

    void menuOpensTheCalculatorOnce()
    {
        QVERIFY(enterCommissionerMenu());
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
        QVERIFY(enterCommissionerMenu());
        control<QCheckBox>("Form4", "Check1")->setChecked(false);
        control("Form4", "Command4")->click();
        QVERIFY(shown("Form2") && !shown("Form4"));
        QCOMPARE(playerList(), faText_);
        QVERIFY(control<QLabel>("Form2", "Label3")->isVisible());
        QCOMPARE(control("Form2", "Command1")->text(), QStringLiteral("Merge Signed Players"));

        control("Form2", "Command1")->click();
        QVERIFY(shown("Form4") && !shown("Form2"));
        QVERIFY(!league().exists("COMMISH.txt"));
        QCOMPARE(league().read("fa.txt"), faText_); // nothing was signed
        QVERIFY(!control<QCheckBox>("Form4", "Check1")->isChecked());

        control("Form4", "Command4")->click(); // a second run starts over
        QCOMPARE(playerList(), faText_);
    }

    void failedSigningMergeKeepsTheSigningWindow()
    {
        QVERIFY(enterCommissionerMenu());
        control("Form4", "Command4")->click();
        QVERIFY(std::filesystem::create_directory(league().file("COMMISH.txt"))); // cannot be read
        test::Message message;
        QVERIFY(test::answered({test::ok(&message)}, [] { control("Form2", "Command1")->click(); }));
        QVERIFY2(message.text.contains(QStringLiteral("COMMISH.txt")), qPrintable(message.text));
        QVERIFY(shown("Form2") && !shown("Form4"));
        QCOMPARE(playerList(), faText_);
    }

    // League text names files as the file system spells names: a team named
    // "Montréal" saves "Montréal.txt" (UTF-8 on Linux), and a page picked in
    // the calculator's file list is found under the name it is shown by.
    void accentedNamesReachTheirFiles()
    {
        chooseTeam(QStringLiteral("Montr\u00E9al"));
        test::offer(1);
        test::Message message;
        QVERIFY(test::answered({test::ok(&message)}, [] { control("Form2", "Command1")->click(); }));
        QCOMPARE(message.text, QStringLiteral("Montr\u00E9al.txt created, Mail it now!"));
        const std::string offers = league().read("Montr\xC3\xA9" "al.txt");
        QVERIFY2(offers.find("<Montr\xE9" "al> 1.5/2") != std::string::npos, offers.c_str());

        program_ = std::make_unique<test::Program>();
        program_->start();
        league().write("\xC3\x89quipe Rosters.htm", "no roster here\r\n");
        QVERIFY(enterCommissionerMenu());
        control("Form4", "Command2")->click();
        QTest::mouseClick(control<QLineEdit>("Form5", "Text1"), Qt::LeftButton);
        auto* files = control<QListWidget>("Form5", "File1");
        const QList<QListWidgetItem*> page = files->findItems(QStringLiteral("\u00C9quipe Rosters.htm"), Qt::MatchExactly);
        QCOMPARE(page.size(), 1);
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(page[0]).center());
        QCOMPARE(control<QLineEdit>("Form5", "Text1")->text(), QStringLiteral("\u00C9quipe Rosters.htm"));
        control<QLineEdit>("Form5", "Text2")->setText(QStringLiteral("vitals.html"));
        QVERIFY(test::answered({test::ok(&message)}, [] { control("Form5", "Command1")->click(); }));
        QCOMPARE(message.text, QStringLiteral("Roster file does not appear to be a valid FHL roster file"));
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
