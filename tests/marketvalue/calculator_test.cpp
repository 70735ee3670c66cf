#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QtTest>
#include <memory>

#include "core/linefile.h"
#include "gui/paths.h"
#include "marketvalue/calculator.h"
#include "tests/marketvalue/pagerows.h"
#include "tests/support/dialogs.h"
#include "tests/support/league.h"
#include "tests/support/tempdir.h"

using namespace bidmark;

class CalculatorTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir_ = std::make_unique<test::TempDir>();
        dir_->writeLines("roster.html", test::page("Team Rosters", {test::rosterRow("Aaro Aalto", 72)}));
        dir_->writeLines("vitals.html",
                         test::page("Player Vitals", {test::vitalsRow("Aaro Aalto", "C", 25, 1000000)}));
        dir_->writeLines("fa.txt", test::elevenLines());
        QDir(gui::toQt(dir_->path())).mkdir(QStringLiteral("pages"));
        dir_->write("pages/other.html", "");
        session_ = Session{dir_->path(), {}};
        form_ = std::make_unique<MarketValueCalculator>(session_);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup()
    {
        form_.reset();
        dir_.reset();
    }

    void startsWithItsCaptionsAndHiddenPicker()
    {
        QCOMPARE(form_->objectName(), QStringLiteral("Form5"));
        QCOMPARE(form_->windowTitle(), QStringLiteral("Market Value Calculator"));
        QCOMPARE(text("Text1")->text(), QString());
        QCOMPARE(text("Text3")->text(), QStringLiteral("marketVal.txt"));
        QCOMPARE(text("Text4")->text(), QStringLiteral("20"));
        QCOMPARE(button("Command1")->text(), QStringLiteral("Calculate Market Value"));
        QCOMPARE(form_->findChild<QLabel*>("Label4")->text(), QStringLiteral("OutputFile"));
        QCOMPARE(frame()->title(), QStringLiteral("File Selection"));
        QVERIFY(!frame()->isVisible());
        QVERIFY(!fileList()->findItems(QStringLiteral("fa.txt"), Qt::MatchExactly).isEmpty());
    }

    void driveListHoldsTheLeaguesVolumeWhateverIsMounted()
    {
        // Build roots and sandboxes may list no mounted volume at all.
        QCOMPARE(driveEntries({}, QString()), QStringList{QDir::rootPath()});
        QCOMPARE(driveEntries({}, QStringLiteral("/srv")), QStringList{"/srv"});
        QCOMPARE(driveEntries({"/", "/srv", "/"}, QStringLiteral("/srv")), (QStringList{"/srv", "/"}));
        auto* drives = form_->findChild<QComboBox*>("Drive1");
        const QString volume = QStorageInfo(gui::toQt(dir_->path())).rootPath();
        QCOMPARE(drives->currentText(), volume.isEmpty() ? QDir::rootPath() : volume);
    }

    void focusFollowsTheBoxesThenThePicker()
    {
        const QStringList order{"Text1", "Text2", "Text3", "Command1", "Text4",
                                "Command2", "Frame1", "Drive1", "Dir1", "File1"};
        QStringList chain;
        QWidget* widget = form_->findChild<QWidget*>("Text1");
        for (int step = 0; step < 100 && chain.size() < order.size(); ++step) {
            if (order.contains(widget->objectName()))
                chain << widget->objectName();
            widget = widget->nextInFocusChain();
        }
        QCOMPARE(chain, order);
    }

    void pickerFillsTheClickedBox()
    {
        QTest::mouseClick(text("Text1"), Qt::LeftButton);
        QVERIFY(frame()->isVisible());
        clickFile("roster.html");
        QCOMPARE(text("Text1")->text(), QStringLiteral("roster.html"));
        QVERIFY(!frame()->isVisible());

        QTest::mouseClick(text("Text2"), Qt::LeftButton);
        clickFile("vitals.html");
        QCOMPARE(text("Text2")->text(), QStringLiteral("vitals.html"));
        QCOMPARE(text("Text1")->text(), QStringLiteral("roster.html"));
    }

    void keyboardPicksTheFileAsAClickDoes()
    {
        // Each key moves on from the file picked before it; the league folder
        // holds fa.txt, roster.html and vitals.html.
        const struct {
            Qt::Key key;
            const char* picked;
        } steps[] = {{Qt::Key_V, "vitals.html"},   {Qt::Key_Home, "fa.txt"}, {Qt::Key_Down, "roster.html"},
                     {Qt::Key_End, "vitals.html"}, {Qt::Key_Up, "roster.html"}, {Qt::Key_Return, "roster.html"}};
        for (const auto& step : steps) {
            text("Text1")->clear();
            QTest::mouseClick(text("Text1"), Qt::LeftButton);
            QTest::keyClick(fileList(), step.key);
            QCOMPARE(text("Text1")->text(), QString::fromLatin1(step.picked));
            QVERIFY(!frame()->isVisible());
        }
    }

    void pickerShowsItsFolderAndMarksTheBoxFile()
    {
        QTest::mouseClick(text("Text2"), Qt::LeftButton);
        auto* path = form_->findChild<QLabel*>("folderPath");
        QCOMPARE(path->toolTip(), QDir::toNativeSeparators(QDir(gui::toQt(dir_->path())).absolutePath()));
        QVERIFY(fileList()->selectedItems().isEmpty());
        clickFile("vitals.html");
        QTest::mouseClick(text("Text1"), Qt::LeftButton); // an empty box: nothing marked
        QVERIFY(fileList()->selectedItems().isEmpty());
        clickFile("roster.html");
        QTest::mouseClick(text("Text2"), Qt::LeftButton); // marked, not picked again
        QCOMPARE(fileList()->selectedItems().at(0)->text(), QStringLiteral("vitals.html"));
        QVERIFY(frame()->isVisible());
        QCOMPARE(text("Text1")->text() + "|" + text("Text2")->text(), QStringLiteral("roster.html|vitals.html"));
    }

    void fileOfAnotherFolderKeepsItsWay()
    {
        QTest::mouseClick(text("Text2"), Qt::LeftButton);
        auto* folders = form_->findChild<QListWidget*>("Dir1");
        const QList<QListWidgetItem*> pages = folders->findItems(QStringLiteral("pages"), Qt::MatchExactly);
        QCOMPARE(pages.size(), 1);
        folders->setCurrentItem(pages[0]);
        QTest::keyClick(folders, Qt::Key_Return);
        clickFile("other.html");
        QCOMPARE(text("Text2")->text(), QStringLiteral("pages/other.html"));
    }

    void emptyBoxesAreReportedRosterFirst()
    {
        QCOMPARE(calculate(), QStringLiteral("Roster File not specified"));
        text("Text1")->setText(QStringLiteral("roster.html"));
        QCOMPARE(calculate(), QStringLiteral("Vital File not specified"));
    }

    void emptiedRateRunsAtFactorOne()
    {
        fillPages();
        text("Text4")->clear();
        QVERIFY(calculate().startsWith(QStringLiteral("DONE ")));
        const std::vector<std::string> lines = splitLines(dir_->read("marketVal.txt"));
        QCOMPARE(lines.size(), std::size_t(11));
        QCOMPARE(QString::fromStdString(lines[10].substr(37)), QStringLiteral("0.0   0.0   0.0   2.5   2.5"));
    }

    void doneHidesAndKeepsEverything()
    {
        fillPages();
        text("Text3")->setText(QStringLiteral("values.txt"));
        QTest::mouseClick(text("Text2"), Qt::LeftButton);
        button("Command2")->click();
        QVERIFY(!form_->isVisible());
        form_->show();
        QCOMPARE(text("Text1")->text(), QStringLiteral("roster.html"));
        QCOMPARE(text("Text3")->text(), QStringLiteral("values.txt"));
        QVERIFY(frame()->isVisible());
        clickFile("fa.txt");
        QCOMPARE(text("Text2")->text(), QStringLiteral("fa.txt"));
    }

    void refusesOutputOverTheFreeAgentList()
    {
        fillPages();
        text("Text3")->setText(QStringLiteral("FA.txt"));
        const std::string before = dir_->read("fa.txt");
        QVERIFY(calculate().contains(QStringLiteral("choose another name")));
        QCOMPARE(dir_->read("fa.txt"), before);
    }

    void failingRunKeepsTheWindow()
    {
        dir_->writeLines("bad.html",
                         test::page("Player Vitals", {test::vitalsRow("Aaro Aalto", "C", 25, 0).substr(0, 56)}));
        text("Text1")->setText(QStringLiteral("roster.html"));
        text("Text2")->setText(QStringLiteral("bad.html"));
        QVERIFY(calculate().contains(QStringLiteral("bad.html")));
        QVERIFY(form_->isVisible());
        QCOMPARE(text("Text2")->text(), QStringLiteral("bad.html"));
        QVERIFY(!dir_->exists("marketVal.txt"));
    }

private:
    QLineEdit* text(const char* name) { return form_->findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return form_->findChild<QPushButton*>(name); }
    QGroupBox* frame() { return form_->findChild<QGroupBox*>("Frame1"); }
    QListWidget* fileList() { return form_->findChild<QListWidget*>("File1"); }

    void fillPages()
    {
        text("Text1")->setText(QStringLiteral("roster.html"));
        text("Text2")->setText(QStringLiteral("vitals.html"));
    }

    void clickFile(const QString& name)
    {
        const QList<QListWidgetItem*> items = fileList()->findItems(name, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        QTest::mouseClick(fileList()->viewport(), Qt::LeftButton, {}, fileList()->visualItemRect(items[0]).center());
    }

    // Presses Calculate and returns the text of the one message box it shows.
    QString calculate()
    {
        test::Message message;
        if (!test::answered({test::ok(&message)}, [&] { QTest::mouseClick(button("Command1"), Qt::LeftButton); }))
            return QStringLiteral("(not one message box)");
        return message.text;
    }

    std::unique_ptr<test::TempDir> dir_;
    Session session_;
    std::unique_ptr<MarketValueCalculator> form_;
};

QTEST_MAIN(CalculatorTest)
#include "calculator_test.moc"
