#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "core/linefile.h"
#include "gui/paths.h"
#include "tests/support/dialogs.h"
#include "tests/support/program.h"
#include "tests/support/system.h"
#include "tests/support/findwindows.h"

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

    static QString reportText() { return control<QPlainTextEdit>("RunReport", "reportText")->toPlainText(); }

    // In the signing window: Pekka Roine (row 5) paired with DAL's offer (row 6).
    static void signPekkaToDal()
    {
        auto* view = control<QAbstractItemView>("Form2", "List1");
        for (int row : {5, 6}) {
            view->setCurrentIndex(view->model()->index(row, 0));
            emit view->doubleClicked(view->currentIndex());
        }
    }

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
        std::filesystem::remove(test::fsPath(league().file("fa.txt")));
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

    void mergeShowsItsReportWhichCanBeSaved()
    {
        league().writeLines("TOR.txt", {"Arvo Lindqvist      <TOR> 1.6/3 ", "Arvo Lindqvist      <NY> 9.9/1 "});
        QVERIFY(enterCommissionerMenu());
        QVERIFY(test::answered({test::type(QStringLiteral("FA07")), test::ok()},
                               [] { control("Form4", "Command1")->click(); }));
        QVERIFY(shown("RunReport") && shown("Form4"));
        QCOMPARE(window("RunReport")->windowTitle(), QStringLiteral("Merge Report"));
        QCOMPARE(window("RunReport")->windowModality(), Qt::NonModal);
        QVERIFY(control<QPlainTextEdit>("RunReport", "reportText")->isReadOnly());
        QVERIFY2(reportText().contains(QStringLiteral("Line 2, Arvo Lindqvist: not used: not an offer of TOR")),
                 qPrintable(reportText()));

        const QString saved = gui::toQt(league().file("re\xC3\xA7u.txt")); // "reçu.txt"
        QVERIFY(control("RunReport", "openReceipts")->isEnabled());
        QString suggested;
        QVERIFY(test::answered({test::saveAs(saved, &suggested)}, [] { control("RunReport", "saveReport")->click(); }));
        QCOMPARE(QString::fromLatin1(league().read("re\xC3\xA7u.txt")),
                 reportText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        QVERIFY2(suggested.endsWith(QStringLiteral("/FA07 report.txt")), qPrintable(suggested));

        const QString merged = reportText();
        QVERIFY(test::answered({test::press(QStringLiteral("Yes")), test::ok()},
                               [] { control("Form4", "undoLastRun")->click(); }));
        QCOMPARE(window("RunReport")->windowTitle(), QStringLiteral("Merge Report (undone)"));
        QCOMPARE(reportText(),
                 QStringLiteral("Undone: Undo Last Run put back the files as they were before this run.\n\n") + merged);
        // The next merge's report takes the place of the whole text.
        QVERIFY(test::answered({test::type(QStringLiteral("FA08")), test::ok()},
                               [] { control("Form4", "Command1")->click(); }));
        QCOMPARE(reportText().count(QStringLiteral("Line 2, Arvo Lindqvist")), 1);
        QVERIFY(!reportText().contains(QStringLiteral("Undone:")));
        QTest::keyClick(control<QPlainTextEdit>("RunReport", "reportText"), Qt::Key_Escape);
        QVERIFY(!shown("RunReport") && shown("Form4"));
    }

    // Signing with the values in view: the best offer against the value in
    // the signing window, a double-click in Market Values selecting the
    // player there, and the league page published from the menu.
    void signingWithTheMarketValuesInView()
    {
        for (const char* page : {"roster.html", "vitals.html"})
            league().write(page, readFile(pathIn(Path(BIDMARK_SAMPLE_LEAGUE), page)));
        QVERIFY(enterCommissionerMenu());
        control("Form4", "Command2")->click();
        control<QLineEdit>("Form5", "Text1")->setText(QStringLiteral("roster.html"));
        control<QLineEdit>("Form5", "Text2")->setText(QStringLiteral("vitals.html"));
        QVERIFY(test::answered({test::ok()}, [] { control("Form5", "Command1")->click(); }));
        auto* values = control<QAbstractItemView>("MarketValues", "valuesTable");
        const auto chooseInValues = [values](int row) {
            values->setCurrentIndex(values->model()->index(row, 0));
            emit values->doubleClicked(values->currentIndex());
        };
        test::Message notSigning;
        QVERIFY(test::answered({test::ok(&notSigning)}, [&] { chooseInValues(2); }));
        QVERIFY(notSigning.text.contains(QStringLiteral("Sign Players")));

        control("Form4", "Command4")->click();
        chooseInValues(2); // Jonas Brandt, in line 9 of fa.txt
        auto* list = control<QAbstractItemView>("Form2", "List1");
        QCOMPARE(list->currentIndex().row(), 8);
        const QString jonas = control<QLabel>("Form2", "bestOffer")->text();
        QVERIFY2(jonas.startsWith(QStringLiteral("Market value "))
                     && jonas.contains(QStringLiteral("He has signed TOR 2.5/4 +1.0")),
                 qPrintable(jonas));
        QVERIFY(control<QLabel>("Form2", "bestOffer")->isVisible());

        const QString page = gui::toQt(league().file("page.html"));
        test::Message published;
        QVERIFY(test::answered({test::saveAs(page), test::ok(&published)}, [] { control("Form4", "publishPage")->click(); }));
        QVERIFY2(published.text.contains(QStringLiteral("3 free agents")), qPrintable(published.text));
        QVERIFY(league().read("page.html").find("Jonas Brandt") != std::string::npos);
    }

    void leftoverSigningsAreMergedWhenAsked()
    {
        league().writeLines("COMMISH.txt", {"Pekka Roine         <SIGNED> <DAL> 0.75/2 backup to start"});
        QVERIFY(enterCommissionerMenu());
        control<QCheckBox>("Form4", "Check1")->setChecked(false);
        test::Message question;
        QVERIFY(test::answered({test::press(QStringLiteral("Yes"), &question)},
                               [] { control("Form4", "Command4")->click(); }));
        QVERIFY2(question.text.startsWith(QStringLiteral("COMMISH.txt from an earlier signing was found")),
                 qPrintable(question.text));
        QVERIFY(!league().exists("COMMISH.txt"));
        QCOMPARE(splitLines(league().read("fa.txt"))[7], std::string("<SIGNED> <DAL> 0.75/2 backup to start"));
        QVERIFY(shown("Form2") && shown("RunReport"));
        QVERIFY(reportText().contains(QStringLiteral("Line 1, Pekka Roine: signed")));
        control("RunReport", "closeReport")->click();
        QVERIFY(!shown("RunReport") && shown("Form2"));
    }

    void failedSigningMergeKeepsTheSigningWindow()
    {
        QVERIFY(enterCommissionerMenu());
        control("Form4", "Command4")->click();
        signPekkaToDal();
        QVERIFY(std::filesystem::create_directory(test::fsPath(league().file("COMMISH.txt")))); // cannot be written
        test::Message message;
        QVERIFY(test::answered({test::ok(&message)}, [] { control("Form2", "Command1")->click(); }));
        QVERIFY2(message.text.contains(QStringLiteral("COMMISH.txt")), qPrintable(message.text));
        QVERIFY(shown("Form2") && !shown("Form4"));
        QCOMPARE(playerList(), faText_);
        QCOMPARE(control<QListWidget>("Form2", "List2")->count(), 1);
    }

    // League text names files as the file system spells names: a team named
    // "Montréal" saves "Montréal.txt" (UTF-8 on Linux).
    void accentedTeamSavesItsFileUnderTheSystemsSpelling()
    {
        chooseTeam(QStringLiteral("Montr\u00E9al"));
        test::offer(1);
        test::Message message;
        QVERIFY(test::answered({test::ok(&message)}, [] { control("Form2", "Command1")->click(); }));
        QCOMPARE(message.text, QStringLiteral("Montr\u00E9al.txt created, Mail it now!"));
        const std::string offers = league().read("Montr\xC3\xA9" "al.txt");
        QVERIFY2(offers.find("<Montr\xE9" "al> 1.5/2") != std::string::npos, offers.c_str());
    }

    // A page picked in the calculator's file list is found under the name it
    // is shown by, whether the file system spells it in UTF-8 or it came out
    // of an archive with its raw Windows-1252 bytes.
    void accentedPageIsShownAndFoundByItsName_data()
    {
        QTest::addColumn<QByteArray>("fileName");
        QTest::newRow("UTF-8") << QByteArray("\xC3\x89quipe Rosters.htm");
        QTest::newRow("raw Windows-1252") << QByteArray("\xC9quipe Rosters.htm");
    }
    void accentedPageIsShownAndFoundByItsName()
    {
        QFETCH(QByteArray, fileName);
        if (!test::hasPosix() && fileName.startsWith('\xC9'))
            QSKIP("Windows names are UTF-16: no file is named by raw Windows-1252 bytes");
        league().write(fileName.toStdString(), "no roster here\r\n");
        QVERIFY(enterCommissionerMenu());
        control("Form4", "Command2")->click();
        QTest::mouseClick(control<QLineEdit>("Form5", "Text1"), Qt::LeftButton);
        auto* files = control<QListWidget>("Form5", "File1");
        const QList<QListWidgetItem*> page = files->findItems(QStringLiteral("\u00C9quipe Rosters.htm"), Qt::MatchExactly);
        QCOMPARE(page.size(), 1);
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(page[0]).center());
        QCOMPARE(control<QLineEdit>("Form5", "Text1")->text(), QStringLiteral("\u00C9quipe Rosters.htm"));
        control<QLineEdit>("Form5", "Text2")->setText(QStringLiteral("vitals.html"));
        test::Message message;
        QVERIFY(test::answered({test::ok(&message)}, [] { control("Form5", "Command1")->click(); }));
        QCOMPARE(message.text, QStringLiteral("Roster file does not appear to be a valid FHL roster file"));
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
